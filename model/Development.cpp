#include "model/Development.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace develop {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Tolerance = 0.0005;

// The angle step of a turn sampled at `points` places; no samples at all
// when there are none.
double Step(int points)
{
    return points > 0 ? 2 * Pi / points : std::numeric_limits<double>::infinity();
}

class Builder {
public:
    void Line(double x1, double y1, double x2, double y2)
    {
        Member m;
        m.shape = Member::Shape::Line;
        m.v[0] = x1;
        m.v[1] = y1;
        m.v[2] = x2;
        m.v[3] = y2;
        out.push_back(m);
    }
    void Arc(double cx, double cy, double r, double start, double end)
    {
        Member m;
        m.shape = Member::Shape::Arc;
        m.v[0] = cx;
        m.v[1] = cy;
        m.v[2] = r;
        m.v[3] = start;
        m.v[4] = end;
        out.push_back(m);
    }
    void Circle(double cx, double cy, double r)
    {
        Member m;
        m.shape = Member::Shape::Circle;
        m.v[0] = cx;
        m.v[1] = cy;
        m.v[2] = r;
        out.push_back(m);
    }
    // A polyline from the current point.
    void To(double x, double y)
    {
        Line(cx, cy, x, y);
        cx = x;
        cy = y;
    }
    void MoveTo(double x, double y)
    {
        cx = x;
        cy = y;
    }

    std::vector<Member> out;
    double cx = 0, cy = 0;
};

bool Finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

int CurvePointCount(double typed)
{
    if (!(typed > 0))
        return 0;
    if (typed >= MaxCurvePoints)
        return MaxCurvePoints;
    return static_cast<int>(typed);
}

bool Storable(const Member& member)
{
    constexpr double Low = -9999999999.9, High = 99999999999.9;
    const auto in = [](double v) { return v >= Low && v <= High; };
    if (member.shape == Member::Shape::Line)
        return in(member.v[0]) && in(member.v[1]) && in(member.v[2]) && in(member.v[3]);
    return in(member.v[0]) && in(member.v[1]);
}

int IntersectLinesForDevelop(double a1x, double a1y, double a2x, double a2y, double b1x, double b1y, double b2x,
                             double b2y, double& x, double& y)
{
    x = 0;
    y = 0;
    const double dxa = a2x - a1x, dya = a2y - a1y;
    const double dxb = b2x - b1x, dyb = b2y - b1y;
    if (std::fabs(dxa) < Tolerance) {
        x = a1x;
        if (std::fabs(dxb) < Tolerance)
            return 0;
        y = dyb / dxb * (a1x - b1x) + b1y;
        return 1;
    }
    if (std::fabs(dxb) < Tolerance) {
        x = b1x;
        y = (b1x - a1x) * (dya / dxa) + a1y;
        return 1;
    }
    const double ma = dya / dxa, mb = dyb / dxb;
    if (std::fabs(ma) < Tolerance) {
        y = a1y;
        if (std::fabs(mb) < Tolerance)
            return 0;
        x = (a1y - b1y) / mb + b1x;
        return 1;
    }
    if (std::fabs(mb) < Tolerance) {
        y = b1y;
        x = (b1y - a1y) / ma + a1x;
        return 1;
    }
    x = (ma * a1x - a1y - mb * b1x + b1y) / (ma - mb);
    y = (x - a1x) * ma + a1y;
    return 1;
}

std::vector<Member> Cylinder(double x, double y, double r, double h1, double h2, int points)
{
    if (!Finite({x, y, r, h1, h2}) || r <= 0)
        return {};
    const double s = Step(points);
    const double yb = y + 3 * r, d0 = x + 3 * r, d1 = d0 + 2 * Pi * r;
    Builder b;
    b.Circle(x + r, y + r, r);
    b.Line(x, yb, x + 2 * r, yb);
    b.Line(x + 2 * r, yb, x + 2 * r, yb + h2);
    b.Line(x + 2 * r, yb + h2, x, yb + h1);
    b.Line(x, yb + h1, x, yb);
    b.Line(d0, yb, d0, yb + h1);
    b.MoveTo(d0, yb + h1);
    for (double t = s; t < 2 * Pi; t += s)
        b.To(d0 + r * t, yb + h1 + (h2 - h1) / 2 * (1 - std::cos(t)));
    b.To(d1, yb + h1);
    b.Line(d1, yb + h1, d1, yb);
    b.Line(d1, yb, d0, yb);
    return b.out;
}

std::vector<Member> Prism(double x, double y, double l1, double l2, double h1, double h2, double rc, int points)
{
    if (!Finite({x, y, l1, l2, h1, h2, rc}) || l1 <= 0 || l2 <= 0 || rc < 0 || rc > l1 / 2 || rc > l2 / 2)
        return {};
    const double s = Step(points);
    const double k = (h2 - h1) / l1, yb = y + 1.5 * l2, d0 = x + l1 + l2 / 2;
    Builder b;
    b.Line(x + rc, y + l2, x + l1 - rc, y + l2);
    b.Line(x + l1, y + l2 - rc, x + l1, y + rc);
    b.Line(x + l1 - rc, y, x + rc, y);
    b.Line(x, y + rc, x, y + l2 - rc);
    if (rc > 0.005) {
        b.Arc(x + l1 - rc, y + l2 - rc, rc, 0, 90);
        b.Arc(x + l1 - rc, y + rc, rc, 270, 0);
        b.Arc(x + rc, y + rc, rc, 180, 270);
        b.Arc(x + rc, y + l2 - rc, rc, 90, 180);
    }
    b.Line(x, yb, x, yb + h1);
    b.Line(x, yb + h1, x + l1, yb + h2);
    b.Line(x + l1, yb + h2, x + l1, yb);
    b.Line(x + l1, yb, x, yb);

    b.Line(d0, yb, d0, yb + h1);
    b.Line(d0, yb + h1, d0 + l2 / 2 - rc, yb + h1);
    b.MoveTo(d0 + l2 / 2 - rc, yb + h1);
    const auto corner = [&](auto height) {
        const double x0 = b.cx;
        b.Line(x0, b.cy, x0, yb);
        for (double t = s; t < Pi / 2; t += s)
            b.To(x0 + rc * t, height(t));
        b.To(x0 + Pi * rc / 2, height(Pi / 2));
        b.Line(b.cx, b.cy, b.cx, yb);
    };
    const double top = yb + h1;
    corner([&](double t) { return top + k * rc * (1 - std::cos(t)); });
    b.To(b.cx + l1 - 2 * rc, top + k * (l1 - rc));
    corner([&](double t) { return top + k * (l1 - rc * (1 - std::sin(t))); });
    b.To(b.cx + l2 - 2 * rc, yb + h2);
    corner([&](double t) { return top + k * (l1 - rc * (1 - std::cos(t))); });
    b.To(b.cx + l1 - 2 * rc, top + k * rc);
    corner([&](double t) { return top + k * rc * (1 - std::sin(t)); });
    const double e = d0 + 2 * l1 + 2 * l2 - 8 * rc + 2 * Pi * rc;
    b.To(e, top);
    b.Line(e, top, e, yb);
    b.Line(e, yb, d0, yb);
    return b.out;
}

std::vector<Member> Cone(double x, double y, double r, double h1, double h2, double angle, int points)
{
    if (!Finite({x, y, r, h1, h2, angle}) || r <= 0 || h1 <= 0 || h2 > h1)
        return {};
    const double s = Step(points);
    const double g = std::tan(angle * Pi / 180.0);
    const double zl = h2 - r * g, zr = h2 + r * g, yb = y + 2.5 * r;
    Builder b;
    b.Line(x, yb, x + 2 * r, yb);
    b.Line(x, yb, x + r, yb + h1);
    b.Line(x + 2 * r, yb, x + r, yb + h1);
    b.Line(x, yb + zl, x + 2 * r, yb + zr);
    b.Circle(x + r, y + r, r);

    // Where the generator in direction a meets the cut, as a height.
    const auto z = [&](double a) {
        const double foot = r * std::cos(a);
        if (std::fabs(foot) < Tolerance)
            return h2;
        double ix = 0, iy = 0;
        IntersectLinesForDevelop(0, h1, foot, 0, -r, zl, r, zr, ix, iy);
        return iy;
    };
    const auto planPoint = [&](double a, double& px, double& py) {
        const double rho = (h1 - z(a)) * r / h1;
        px = x + r + rho * std::cos(a);
        py = y + r + rho * std::sin(a);
    };
    double px = 0, py = 0;
    planPoint(0, px, py);
    b.MoveTo(px, py);
    for (double a = s; a < 2 * Pi; a += s) {
        planPoint(a, px, py);
        b.To(px, py);
    }
    planPoint(2 * Pi, px, py);
    b.To(px, py);

    const double k = std::sqrt(h1 * h1 + r * r);
    const double beta = Pi * r / k;
    const double ax = x + 3 * r, ay = y + h1 + r / 4;
    const double arcStart = -beta * 180.0 / Pi;
    double arcEnd = beta * 180.0 / Pi;
    while (arcEnd < arcStart)
        arcEnd += 360.0;
    b.Arc(ax, ay, k, arcStart, arcEnd);
    struct Pair {
        double x, upper, lower;
    };
    const auto developed = [&](double a) {
        const double rho = (h1 - z(a)) * k / h1, phi = a * r / k;
        return Pair{ax + rho * std::cos(phi), ay + rho * std::sin(phi), ay - rho * std::sin(phi)};
    };
    Pair last = developed(0);
    if (s < Pi) {
        for (double a = s; a < Pi; a += s) {
            const Pair q = developed(a);
            b.Line(last.x, last.upper, q.x, q.upper);
            b.Line(last.x, last.lower, q.x, q.lower);
            last = q;
        }
    }
    const Pair end = developed(Pi);
    b.Line(last.x, last.upper, end.x, end.upper);
    b.Line(last.x, last.lower, end.x, end.lower);
    b.Line(ax + k * std::cos(beta), ay + k * std::sin(beta), end.x, end.upper);
    b.Line(ax + k * std::cos(beta), ay - k * std::sin(beta), end.x, end.lower);
    return b.out;
}

} // namespace develop
