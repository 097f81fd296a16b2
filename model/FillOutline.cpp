#include "model/FillOutline.h"

#include "model/PickGeometry.h"
#include "model/Entity.h"
#include "model/GeometryCircles.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Ellipse parameter of the point seen in direction theta (radians).
double ParameterOf(double theta, double phi, double a, double b)
{
    const double t = std::atan2(std::sin(theta - phi) / b, std::cos(theta - phi) / a);
    return std::isfinite(t) ? t : 0.0;
}

void EllipsePoint(double cx, double cy, double a, double b, double phi, double t, double& x, double& y)
{
    x = cx + a * std::cos(t) * std::cos(phi) - b * std::sin(t) * std::sin(phi);
    y = cy + a * std::cos(t) * std::sin(phi) + b * std::sin(t) * std::cos(phi);
}

} // namespace

int EllipseArcPoints(double* x, double* y, double cx, double cy, double a, double b, double rotation, double start,
                     double end)
{
    const double phi = rotation * Pi / 180.0;
    double ts = ParameterOf(start * Pi / 180.0, phi, a, b);
    double te = ParameterOf(end * Pi / 180.0, phi, a, b);
    auto bring = [](double t) {
        while (t > Pi)
            t -= 2.0 * Pi;
        while (t <= -Pi)
            t += 2.0 * Pi;
        return t < 0.0 ? t + 2.0 * Pi : t;
    };
    ts = bring(ts);
    te = bring(te);
    if (te < ts)
        te += 2.0 * Pi;
    int n = 0;
    for (double t = ts; t <= te && n < EllipseArcMaxPoints; t += 0.1) {
        EllipsePoint(cx, cy, a, b, phi, t, x[n], y[n]);
        ++n;
    }
    return n;
}

FillOutline CollectFillOutline(const CEntity& fill)
{
    FillOutline out;
    const auto& v = fill.values;
    const std::size_t n = std::min(fill.codes.size(), v.size());
    auto widen = [&out](double x, double y) {
        out.minX = std::min(out.minX, x);
        out.maxX = std::max(out.maxX, x);
        out.minY = std::min(out.minY, y);
        out.maxY = std::max(out.maxY, y);
    };
    if (n >= 5 && fill.codes[2] == BoundaryItem::Circle) {
        out.circle = true;
        out.cx = v[2];
        out.cy = v[3];
        out.r = v[4];
        widen(out.cx - std::fabs(out.r), out.cy - std::fabs(out.r));
        widen(out.cx + std::fabs(out.r), out.cy + std::fabs(out.r));
        return out;
    }
    std::size_t i = 2;
    for (int k = 0; k < fill.subtype && i < n; ++k) {
        const int16_t code = fill.codes[i];
        switch (code) {
        case BoundaryItem::Vertex:
            if (i + 1 >= n)
                return out;
            out.points.push_back({v[i], v[i + 1]});
            widen(v[i], v[i + 1]);
            i += 2;
            break;
        case BoundaryItem::ArcCcw:
        case BoundaryItem::ArcCw: {
            if (i + 4 >= n)
                return out;
            const double cx = v[i], cy = v[i + 1], r = v[i + 2], sx = v[i + 3], sy = v[i + 4];
            widen(cx - r, cy - r);
            widen(cx + r, cy + r);
            widen(sx, sy);
            // The arc ends where the next item starts: a vertex, or a
            // following arc's start point.
            bool hasEnd = false;
            double ex = 0.0, ey = 0.0;
            if (i + 6 < n && fill.codes[i + 5] == BoundaryItem::Vertex) {
                ex = v[i + 5];
                ey = v[i + 6];
                hasEnd = true;
            } else if (i + 9 < n) {
                ex = v[i + 8];
                ey = v[i + 9];
                hasEnd = true;
            }
            if (hasEnd) {
                const auto arc = ArcToPolyline(code == BoundaryItem::ArcCcw ? 1 : -1, sx, sy, ex, ey, cx, cy, r, 6.0);
                if (arc.status == 0)
                    for (int p = 0; p < arc.count; ++p)
                        out.points.push_back({arc.x[std::size_t(p)], arc.y[std::size_t(p)]});
            }
            i += 5;
            break;
        }
        case BoundaryItem::Circle:
            i += 3;
            break;
        case BoundaryItem::Ellipse: {
            if (i + 4 >= n)
                return out;
            const double cx = v[i], cy = v[i + 1], a = v[i + 2], b = v[i + 3], rot = v[i + 4];
            double x0, y0, x1, y1;
            EllipseBounds(cx, cy, a, b, rot, x0, y0, x1, y1);
            widen(x0, y0);
            widen(x1, y1);
            const double phi = rot * Pi / 180.0;
            for (double t = 0.0; t <= 2.0 * Pi; t += 0.1) {
                GeoPoint p;
                EllipsePoint(cx, cy, a, b, phi, t, p.x, p.y);
                out.points.push_back(p);
            }
            i += 5;
            break;
        }
        case BoundaryItem::EllipticArc: {
            if (i + 7 >= n)
                return out;
            const double cx = v[i], cy = v[i + 1], a = v[i + 2], b = v[i + 3], rot = v[i + 4];
            double x0, y0, x1, y1;
            EllipseBounds(cx, cy, a, b, rot, x0, y0, x1, y1);
            widen(x0, y0);
            widen(x1, y1);
            double xs[EllipseArcMaxPoints], ys[EllipseArcMaxPoints];
            const int count = EllipseArcPoints(xs, ys, cx, cy, a, b, rot, v[i + 5], v[i + 6]);
            if (v[i + 7] < 0.0)
                for (int p = count - 1; p >= 0; --p)
                    out.points.push_back({xs[p], ys[p]});
            else
                for (int p = 0; p < count; ++p)
                    out.points.push_back({xs[p], ys[p]});
            i += 8;
            break;
        }
        default:
            // An unknown item uses up its count without moving on.
            break;
        }
    }
    return out;
}
