#include "model/GeometryEllipses.h"

#include <cmath>
#include <limits>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;
constexpr double DegToRad = Pi / 180.0;
constexpr double RadToDeg = 180.0 / Pi;
constexpr double DegenerateRadius = 1e-4;

double WrapDegrees(double a)
{
    double w = std::fmod(a, 360.0);
    if (w < 0.0)
        w += 360.0;
    if (w >= 360.0)
        w -= 360.0;
    return w;
}

double WrapRadians(double a)
{
    double w = std::fmod(a, TwoPi);
    if (w < 0.0)
        w += TwoPi;
    if (w >= TwoPi)
        w -= TwoPi;
    return w;
}

bool IsDegenerate(double r1, double r2)
{
    return !(std::abs(r1) >= DegenerateRadius) || !(std::abs(r2) >= DegenerateRadius);
}

// The parameter t of local coordinates (u, v): atan2(v/r2, u/r1). A zero
// radius leaves a segment, whose parameter comes from the other axis alone.
double ParameterOf(double u, double v, double r1, double r2)
{
    if (r1 != 0.0 && r2 != 0.0)
        return std::atan2(v / r2, u / r1);
    if (r1 == 0.0 && r2 == 0.0)
        return 0.0;
    if (r1 == 0.0)
        return std::asin(std::fmax(-1.0, std::fmin(1.0, v / r2)));
    return std::acos(std::fmax(-1.0, std::fmin(1.0, u / r1)));
}

// The parameter of the direction theta (degrees) on an ellipse turned by
// rotation (degrees).
double ParameterOfDirection(double theta, double rotation, double r1, double r2)
{
    const double a = (theta - rotation) * DegToRad;
    return ParameterOf(std::cos(a), std::sin(a), r1, r2);
}

struct Frame {
    double co;
    double si;
};

Frame FrameOf(double rotation)
{
    const double phi = rotation * DegToRad;
    return {std::cos(phi), std::sin(phi)};
}

GeoPoint PointAt(const GeoEllipse& e, const Frame& f, double t)
{
    const double u = e.r1 * std::cos(t);
    const double v = e.r2 * std::sin(t);
    return {u * f.co - v * f.si + e.cx, u * f.si + v * f.co + e.cy};
}

GeoPoint LocalOf(const GeoEllipse& e, const Frame& f, double x, double y)
{
    const double dx = x - e.cx;
    const double dy = y - e.cy;
    return {dx * f.co + dy * f.si, -dx * f.si + dy * f.co};
}

bool DirectionOnArc(double theta, double start, double end)
{
    const double s = WrapDegrees(start);
    const double e = WrapDegrees(end);
    if (e >= s)
        return s <= theta && theta <= e;
    return theta >= s || theta <= e;
}

} // namespace

PointSet<2> IntersectLineEllipse(const GeoEllipse& e, double a, double b, double c)
{
    PointSet<2> s;
    if (IsDegenerate(e.r1, e.r2))
        return s;
    const Frame f = FrameOf(e.rotation);
    const double la = a * f.co + b * f.si;
    const double lb = b * f.co - a * f.si;
    const double k = -(a * e.cx + b * e.cy + c);
    if (la == 0.0 && lb == 0.0)
        return s;

    double u[2] = {0.0, 0.0};
    double v[2] = {0.0, 0.0};
    if (std::abs(lb) < 1e-12) {
        u[0] = u[1] = k / la;
        const double q = 1.0 - u[0] * u[0] / (e.r1 * e.r1);
        if (!(q >= -1e-12))
            return s;
        const double h = e.r2 * std::sqrt(std::fmax(0.0, q));
        v[0] = h;
        v[1] = -h;
        s.count = 2;
    } else {
        const double m = -la / lb;
        const double n = k / lb;
        const double qa = m * m / (e.r2 * e.r2) + 1.0 / (e.r1 * e.r1);
        const double qb = 2.0 * m * n / (e.r2 * e.r2);
        const double qc = n * n / (e.r2 * e.r2) - 1.0;
        const double disc = qb * qb - 4.0 * qa * qc;
        if (!(disc >= -1e-12))
            return s;
        const double root = std::sqrt(std::fmax(0.0, disc));
        u[0] = (root - qb) / (2.0 * qa);
        u[1] = (-qb - root) / (2.0 * qa);
        v[0] = m * u[0] + n;
        v[1] = m * u[1] + n;
        s.count = root > 1e-12 ? 2 : 1;
    }
    for (int i = 0; i < s.count; ++i) {
        s.x[i] = u[i] * f.co - v[i] * f.si + e.cx;
        s.y[i] = u[i] * f.si + v[i] * f.co + e.cy;
    }
    return s;
}

PointSet<2> IntersectLineEllipticArc(const GeoEllipticArc& arc, double a, double b, double c)
{
    const PointSet<2> all = IntersectLineEllipse(arc.ellipse, a, b, c);
    const Frame f = FrameOf(arc.ellipse.rotation);
    PointSet<2> kept;
    for (int i = 0; i < all.count; ++i) {
        const GeoPoint local = LocalOf(arc.ellipse, f, all.x[i], all.y[i]);
        const double theta = WrapDegrees(arc.ellipse.rotation + std::atan2(local.y, local.x) * RadToDeg);
        if (DirectionOnArc(theta, arc.start, arc.end)) {
            kept.x[kept.count] = all.x[i];
            kept.y[kept.count] = all.y[i];
            ++kept.count;
        }
    }
    return kept;
}

PointSet<2> IntersectCircleEllipse(const GeoEllipse& e, double cx, double cy, double r)
{
    PointSet<2> s;
    if (IsDegenerate(e.r1, e.r2))
        return s;
    const Frame f = FrameOf(e.rotation);
    auto fn = [&](double t) {
        const GeoPoint p = PointAt(e, f, t);
        return (p.x - cx) * (p.x - cx) + (p.y - cy) * (p.y - cy) - r * r;
    };
    constexpr int Samples = 720;
    const double dt = TwoPi / Samples;
    const double f0 = fn(0.0);
    double prevT = 0.0;
    double prevF = f0;
    // The last interval closes the ellipse back to t = 0; a root exactly at
    // t = 0 was already found in the first one.
    for (int i = 1; i <= Samples && s.count < 2; ++i) {
        const double t = i == Samples ? TwoPi : i * dt;
        const double ft = i == Samples ? f0 : fn(t);
        const bool closing = i == Samples && f0 == 0.0;
        if (prevF * ft <= 0.0 && !closing) {
            double lo = prevT;
            double hi = t;
            double flo = prevF;
            for (int k = 0; k < 50; ++k) {
                const double mid = (lo + hi) / 2.0;
                const double fm = fn(mid);
                if (flo * fm <= 0.0) {
                    hi = mid;
                } else {
                    lo = mid;
                    flo = fm;
                }
            }
            const GeoPoint p = PointAt(e, f, (lo + hi) / 2.0);
            s.x[s.count] = p.x;
            s.y[s.count] = p.y;
            ++s.count;
        }
        prevT = t;
        prevF = ft;
    }
    return s;
}

PointSet<8> IntersectEllipses(const GeoEllipse& first, const GeoEllipse& second)
{
    PointSet<8> s;
    if (IsDegenerate(first.r1, first.r2) || IsDegenerate(second.r1, second.r2))
        return s;
    const Frame f1 = FrameOf(first.rotation);
    const Frame f2 = FrameOf(second.rotation);
    constexpr int Samples = 9000;
    for (int i = 0; i < Samples && s.count < 8; ++i) {
        const GeoPoint p = PointAt(first, f1, i * TwoPi / Samples);
        const GeoPoint l = LocalOf(second, f2, p.x, p.y);
        const double q = l.x * l.x / (second.r1 * second.r1) + l.y * l.y / (second.r2 * second.r2) - 1.0;
        if (std::abs(q) < 0.001) {
            s.x[s.count] = p.x;
            s.y[s.count] = p.y;
            ++s.count;
        }
    }
    return s;
}

PointResult PointAlongEllipse(int direction, const GeoEllipse& e, double startX, double startY, double length)
{
    const Frame f = FrameOf(e.rotation);
    const GeoPoint local = LocalOf(e, f, startX, startY);
    double t = ParameterOf(local.x, local.y, e.r1, e.r2);

    const bool bothZero = e.r1 == 0.0 && e.r2 == 0.0;
    if (length > 0.0 && std::isfinite(length) && direction != 0 && !bothZero) {
        // Whole turns are taken off first, so a long walk stays one lap long.
        // A lap is at least four times the longer radius.
        if (length > 4.0 * std::fmax(std::abs(e.r1), std::abs(e.r2))) {
            const double lap = EllipseArcLength(0.0, TwoPi, e.r1, e.r2);
            if (lap > 0.0 && length > lap)
                length = std::fmod(length, lap);
        }
        const double h = (direction > 0 ? 1.0 : -1.0) * 0.001;
        double walked = 0.0;
        // More steps than two laps need never happen; the bound only guards.
        for (int guard = 0; guard < 20000; ++guard) {
            const double st = e.r1 * std::sin(t);
            const double ct = e.r2 * std::cos(t);
            const double step = std::abs(h) * std::sqrt(st * st + ct * ct);
            if (walked + step <= length) {
                walked += step;
                t += h;
            } else {
                t += h * (length - walked) / step;
                break;
            }
        }
    }
    t = WrapRadians(t);
    const GeoPoint p = PointAt(e, f, t);
    return {0, p.x, p.y};
}

EllipseAxisPoints EllipseAxisEnds(double cx, double cy, double r1, double r2, double rotation)
{
    const Frame f = FrameOf(rotation);
    EllipseAxisPoints a;
    a.firstX = {cx + r1 * f.co, cx - r1 * f.co};
    a.firstY = {cy + r1 * f.si, cy - r1 * f.si};
    a.secondX = {cx - r2 * f.si, cx + r2 * f.si};
    a.secondY = {cy + r2 * f.co, cy - r2 * f.co};
    return a;
}

double EllipseArcLength(double t1, double t2, double r1, double r2)
{
    constexpr int Intervals = 2000;
    auto fn = [&](double t) {
        const double a = r1 * std::sin(t);
        const double b = r2 * std::cos(t);
        return std::sqrt(a * a + b * b);
    };
    const double h = (t2 - t1) / Intervals;
    double sum = fn(t1) + fn(t2);
    for (int i = 1; i < Intervals; ++i)
        sum += (i % 2 == 1 ? 4.0 : 2.0) * fn(t1 + i * h);
    return h / 3.0 * sum;
}

double EllipseArcLengthBetween(const GeoEllipse& e, double x1, double y1, double x2, double y2)
{
    const double th1 = WrapDegrees(std::atan2(y1 - e.cy, x1 - e.cx) * RadToDeg);
    const double th2 = WrapDegrees(std::atan2(y2 - e.cy, x2 - e.cx) * RadToDeg);
    const double t1 = ParameterOfDirection(th1, e.rotation, e.r1, e.r2);
    double t2 = ParameterOfDirection(th2, e.rotation, e.r1, e.r2);
    if (t1 > t2)
        t2 += TwoPi;
    return EllipseArcLength(t1, t2, e.r1, e.r2);
}

PointSet<2> EllipticArcEndPoints(const GeoEllipse& e, double startAngle, double endAngle)
{
    const Frame f = FrameOf(e.rotation);
    const GeoPoint s = PointAt(e, f, ParameterOfDirection(startAngle, e.rotation, e.r1, e.r2));
    const GeoPoint t = PointAt(e, f, ParameterOfDirection(endAngle, e.rotation, e.r1, e.r2));
    PointSet<2> p;
    p.count = 2;
    p.x = {s.x, t.x};
    p.y = {s.y, t.y};
    return p;
}

GeoBox EllipticArcBounds(const GeoEllipticArc& arc)
{
    GeoEllipse e = arc.ellipse;
    if (e.rotation >= 180.0)
        e.rotation -= 180.0;
    auto intoHalfOpen = [](double t) { return t <= -Pi ? t + TwoPi : t; };
    double ts = intoHalfOpen(ParameterOfDirection(arc.start, e.rotation, e.r1, e.r2));
    double te = intoHalfOpen(ParameterOfDirection(arc.end, e.rotation, e.r1, e.r2));
    if (ts < 0.0)
        ts += TwoPi;
    if (te < 0.0)
        te += TwoPi;
    if (ts > te)
        te += TwoPi;

    const Frame f = FrameOf(e.rotation);
    constexpr double Inf = std::numeric_limits<double>::infinity();
    double minX = Inf, minY = Inf, maxX = -Inf, maxY = -Inf;
    int samples = 0;
    auto take = [&](double t) {
        const GeoPoint p = PointAt(e, f, t);
        minX = std::fmin(minX, p.x);
        minY = std::fmin(minY, p.y);
        maxX = std::fmax(maxX, p.x);
        maxY = std::fmax(maxY, p.y);
        ++samples;
    };
    for (int i = 0;; ++i) {
        const double t = ts + i * 0.05;
        if (!(t <= te))
            break;
        take(t);
    }
    // The samples stop short of the end by up to one step; the end point
    // belongs in the box too.
    if (samples > 0)
        take(te);
    GeoBox box;
    if (samples == 0 || !std::isfinite(minX) || !std::isfinite(minY) || !std::isfinite(maxX) ||
        !std::isfinite(maxY)) {
        box.status = -1;
        return box;
    }
    box.minX = minX;
    box.minY = minY;
    box.maxX = maxX;
    box.maxY = maxY;
    return box;
}

int IsPointOnEllipticArc(double r1, double r2, double rotation, double startAngle, double endAngle, double px,
                         double py, double cx, double cy)
{
    if (IsDegenerate(r1, r2))
        return 0;
    const GeoEllipse e{cx, cy, r1, r2, rotation};
    const GeoPoint l = LocalOf(e, FrameOf(rotation), px, py);
    if (!(std::abs(l.x * l.x / (r1 * r1) + l.y * l.y / (r2 * r2) - 1.0) <= 0.001))
        return 0;
    const double tp = WrapDegrees(ParameterOf(l.x, l.y, r1, r2) * RadToDeg);
    const double ts = WrapDegrees(ParameterOfDirection(startAngle, rotation, r1, r2) * RadToDeg);
    const double te = WrapDegrees(ParameterOfDirection(endAngle, rotation, r1, r2) * RadToDeg);
    if (std::abs(tp - ts) <= 1e-6 || std::abs(tp - te) <= 1e-6)
        return 1;
    if (te > ts)
        return ts < tp && tp < te ? 1 : 0;
    return tp > ts || tp < te ? 1 : 0;
}
