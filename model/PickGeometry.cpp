#include "model/PickGeometry.h"

#include "model/EntityKinds.h"

#include "model/Entity.h"
#include "model/GeometryLines.h"
#include "model/HatchLines.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;

double ValueAt(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}


// The foot of the perpendicular from P onto the segment's line when the line
// exists and is not degenerate.
bool FootOnLineOf(double x1, double y1, double x2, double y2, double px, double py, double& fx, double& fy)
{
    const LineResult line = LineFromPoints(x1, y1, x2, y2);
    if (line.status != 0 || line.a * line.a + line.b * line.b < 1e-4)
        return false;
    const PointResult foot = PerpendicularFoot(px, py, line.a, line.b, line.c);
    if (foot.status != 0)
        return false;
    fx = foot.x;
    fy = foot.y;
    return true;
}

// The point of an ellipse at parameter t.
void EllipsePoint(double cx, double cy, double a, double b, double cosPhi, double sinPhi, double t, double& x,
                  double& y)
{
    const double ct = std::cos(t), st = std::sin(t);
    x = cx + a * ct * cosPhi - b * st * sinPhi;
    y = cy + a * ct * sinPhi + b * st * cosPhi;
}

// Parameter of the ellipse point seen from the centre in direction alpha
// (degrees), in [0, 2π).
double ParameterOfDirection(double alphaDeg, double phi, double a, double b)
{
    const double al = alphaDeg * Pi / 180.0;
    const double ux = std::cos(al), uy = std::sin(al);
    const double rx = ux * std::cos(-phi) - uy * std::sin(-phi);
    const double ry = ux * std::sin(-phi) + uy * std::cos(-phi);
    double t = std::atan2(b != 0.0 ? ry / b : 0.0, a != 0.0 ? rx / a : 0.0);
    if (!std::isfinite(t))
        t = 0.0;
    if (t < 0.0)
        t += TwoPi;
    if (t >= TwoPi)
        t -= TwoPi;
    return t;
}

int PointInBoundary(double mx, double my, const HatchBoundary& boundary)
{
    if (boundary.count() == 0)
        return 0;
    const LineResult line = LineFromPoints(0.0, my, 10000.0, my);
    if (line.status != 0)
        return 0;
    std::vector<GeoPoint> crossings;
    HatchLineCrossings(boundary, line.a, line.b, line.c, false, crossings);
    if (crossings.empty())
        return 0;
    int n = static_cast<int>(crossings.size());
    std::vector<double> xs(crossings.size()), ys(crossings.size());
    for (std::size_t i = 0; i < crossings.size(); ++i) {
        xs[i] = crossings[i].x;
        ys[i] = crossings[i].y;
    }
    RemoveDuplicatePoints(n, xs.data(), ys.data());
    int atOrLeft = 0;
    for (int i = 0; i < n; ++i)
        if (xs[static_cast<std::size_t>(i)] <= mx)
            ++atOrLeft;
    return atOrLeft % 2 == 1 ? 1 : 0;
}

} // namespace

int PickNearestOnEllipse(const CEntity& e, double& dx, double& dy, double& px, double& py, double mx, double my,
                         double ap)
{
    const double cx = ByCode(e, 10), cy = ByCode(e, 20);
    const double a = ByCode(e, 60), b = ByCode(e, 61);
    const double phiDeg = ValueAt(e, 4);
    const double phi = phiDeg * Pi / 180.0;
    double t0 = 0.0, t1 = TwoPi;
    if (e.type == EntityType::EllipticArc) {
        t0 = ParameterOfDirection(ByCode(e, 50), phi, a, b);
        t1 = ParameterOfDirection(ByCode(e, 51), phi, a, b);
        if (t1 < t0)
            t1 += TwoPi;
    }
    // The outline lies within the box of its longer radius: a click farther
    // out is refused without sampling the bounds.
    const double reach = std::max(std::fabs(a), std::fabs(b)) + ap;
    if (!(std::fabs(mx - cx) <= reach && std::fabs(my - cy) <= reach))
        return 0;
    double x0, y0, x1, y1;
    EllipseBounds(cx, cy, a, b, phiDeg, x0, y0, x1, y1);
    if (mx < x0 - ap || mx > x1 + ap || my < y0 - ap || my > y1 + ap)
        return 0;
    if (!std::isfinite(t0) || !std::isfinite(t1))
        return 0;
    const double c = std::cos(phi), s = std::sin(phi);
    double bestX = 99999.0, bestY = 99999.0;
    bool found = false;
    for (double t = t0; t <= t1; t += 0.05) {
        double x, y;
        EllipsePoint(cx, cy, a, b, c, s, t, x, y);
        const double ex = std::fabs(mx - x), ey = std::fabs(my - y);
        if (std::sqrt(ex * ex + ey * ey) <= ap && ex < bestX && ey < bestY) {
            bestX = ex;
            bestY = ey;
            px = x;
            py = y;
            found = true;
        }
    }
    if (!found)
        return 0;
    dx = bestX;
    dy = bestY;
    return 1;
}

int PickNearestOnFreeCurve(const CEntity& e, double& dx, double& dy, double& px, double& py, double mx, double my)
{
    dx = dy = px = py = 0.0;
    const std::size_t n = e.values.size() / 2;
    if (n == 0)
        return 0;
    double x0 = e.values[0], x1 = x0, y0 = e.values[1], y1 = y0;
    for (std::size_t i = 1; i < n; ++i) {
        x0 = std::min(x0, e.values[2 * i]);
        x1 = std::max(x1, e.values[2 * i]);
        y0 = std::min(y0, e.values[2 * i + 1]);
        y1 = std::max(y1, e.values[2 * i + 1]);
    }
    if (mx < x0 || mx > x1 || my < y0 || my > y1)
        return 0;
    if (n == 1) {
        dx = dy = 99999.0;
        return 0;
    }
    double bestX = 99999.0, bestY = 99999.0;
    bool found = false;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double ax = e.values[2 * i], ay = e.values[2 * i + 1];
        const double bx = e.values[2 * i + 2], by = e.values[2 * i + 3];
        double fx, fy;
        if (!FootOnLineOf(ax, ay, bx, by, mx, my, fx, fy))
            continue;
        if (IsPointOnSegment(fx, fy, ax, ay, bx, by) != 0)
            continue;
        const double ex = std::fabs(mx - fx), ey = std::fabs(my - fy);
        if (ex < bestX && ey < bestY) {
            bestX = ex;
            bestY = ey;
            px = fx;
            py = fy;
            found = true;
        }
    }
    if (!found)
        return 0;
    dx = bestX;
    dy = bestY;
    return 1;
}

int PickNearestOnSpline(const CEntity& e, double& dx, double& dy, double& px, double& py, double mx, double my,
                        double ap)
{
    const std::size_t n = e.values.size() / 2;
    if (n < 2)
        return 0;
    double x0 = e.values[0], x1 = x0, y0 = e.values[1], y1 = y0;
    for (std::size_t i = 1; i < n; ++i) {
        x0 = std::min(x0, e.values[2 * i]);
        x1 = std::max(x1, e.values[2 * i]);
        y0 = std::min(y0, e.values[2 * i + 1]);
        y1 = std::max(y1, e.values[2 * i + 1]);
    }
    if (mx < x0 - ap || mx > x1 + ap || my < y0 - ap || my > y1 + ap)
        return 0;

    // The control polygon with its first and last point doubled.
    std::vector<double> qx(n + 2), qy(n + 2);
    qx[0] = e.values[0];
    qy[0] = e.values[1];
    for (std::size_t k = 0; k < n; ++k) {
        qx[k + 1] = e.values[2 * k];
        qy[k + 1] = e.values[2 * k + 1];
    }
    qx[n + 1] = e.values[2 * n - 2];
    qy[n + 1] = e.values[2 * n - 1];

    double prevX = e.values[0], prevY = e.values[1];
    bool found = false;
    const double steps = static_cast<double>(n + 1);
    for (std::size_t j = 1; j + 1 <= n; ++j) {
        auto coeffs = [&](const std::vector<double>& q, double c[4]) {
            c[3] = (3.0 * (q[j] - q[j + 1]) - q[j - 1] + q[j + 2]) / 6.0;
            c[2] = (q[j - 1] - 2.0 * q[j] + q[j + 1]) / 2.0;
            c[1] = (q[j + 1] - q[j - 1]) / 2.0;
            c[0] = (q[j - 1] + 4.0 * q[j] + q[j + 1]) / 6.0;
        };
        double cx[4], cy[4];
        coeffs(qx, cx);
        coeffs(qy, cy);
        for (std::size_t k = 0; k <= n + 1; ++k) {
            const double s = static_cast<double>(k) / steps;
            const double sx = ((cx[3] * s + cx[2]) * s + cx[1]) * s + cx[0];
            const double sy = ((cy[3] * s + cy[2]) * s + cy[1]) * s + cy[0];
            double fx = 0.0, fy = 0.0;
            if (!FootOnLineOf(prevX, prevY, sx, sy, mx, my, fx, fy))
                fx = fy = 0.0;
            if (IsPointOnSegment(fx, fy, prevX, prevY, sx, sy) == 0) {
                const double ex = std::fabs(mx - fx), ey = std::fabs(my - fy);
                if (ex <= ap && ey <= ap) {
                    px = fx;
                    py = fy;
                    dx = ex;
                    dy = ey;
                    ap = std::max(ex, ey);
                    found = true;
                }
            }
            prevX = sx;
            prevY = sy;
        }
    }
    return found ? 1 : 0;
}

namespace {

// The box of an unpacked boundary; with `coarse` set, ellipses count with the
// square of their longer radius (a box that holds the exact one).
bool BoundaryBox(const HatchBoundary& boundary, bool coarse, double& minX, double& minY, double& maxX, double& maxY)
{
    minX = minY = 9999999.0;
    maxX = maxY = -999999.0;
    auto widen = [&](double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };
    const int n = boundary.count();
    for (int i = 0; i < n; ++i) {
        const HatchItem& it = boundary.items[static_cast<std::size_t>(i)];
        switch (it.itemClass) {
        case HatchItemClass::Edge:
            widen(it.x, it.y);
            break;
        case HatchItemClass::ArcCcw:
        case HatchItemClass::ArcCw:
        case HatchItemClass::Circle:
            widen(it.cx - it.r1, it.cy - it.r1);
            widen(it.cx + it.r1, it.cy + it.r1);
            if (it.itemClass != HatchItemClass::Circle)
                widen(it.x, it.y);
            break;
        default: {
            if (coarse) {
                const double r = std::max(std::fabs(it.r1), std::fabs(it.r2));
                widen(it.cx - r, it.cy - r);
                widen(it.cx + r, it.cy + r);
                break;
            }
            double x0, y0, x1, y1;
            EllipseBounds(it.cx, it.cy, it.r1, it.r2, it.rotation, x0, y0, x1, y1);
            widen(x0, y0);
            widen(x1, y1);
            break;
        }
        }
    }
    return n > 0 && minX <= maxX && minY <= maxY;
}

bool Inside(double mx, double my, double x0, double y0, double x1, double y1)
{
    return mx >= x0 && mx <= x1 && my >= y0 && my <= y1;
}

} // namespace

bool FillRegionBox(const CEntity& fill, double& minX, double& minY, double& maxX, double& maxY)
{
    HatchBoundary boundary;
    UnpackHatchBoundary(fill, boundary);
    return BoundaryBox(boundary, false, minX, minY, maxX, maxY);
}

int IsPointInFill(double mx, double my, const CEntity& fill)
{
    thread_local HatchBoundary boundary;
    UnpackHatchBoundary(fill, boundary);
    double x0, y0, x1, y1;
    if (!BoundaryBox(boundary, true, x0, y0, x1, y1) || !Inside(mx, my, x0, y0, x1, y1))
        return 0;
    if (!BoundaryBox(boundary, false, x0, y0, x1, y1) || !Inside(mx, my, x0, y0, x1, y1))
        return 0;
    return PointInBoundary(mx, my, boundary);
}

int IsPointInHatch(double mx, double my, const CEntity& hatch)
{
    if (hatch.values.size() < 7)
        return 0;
    const double x0 = hatch.values[3], y0 = hatch.values[4], x1 = hatch.values[5], y1 = hatch.values[6];
    if (!(mx >= x0 && mx <= x1 && my >= y0 && my <= y1))
        return 0;
    thread_local HatchBoundary boundary;
    if (UnpackHatchBoundary(hatch, boundary) == BoundaryUnpack::TooManyItems)
        return 0;
    return PointInBoundary(mx, my, boundary);
}

double NearestGridStep(double offset, double pitch)
{
    const double q = std::trunc(offset / pitch);
    const double rest = offset - q * pitch;
    if (std::fabs(rest) > pitch / 2.0)
        return rest > 0.0 ? q + 1.0 : q - 1.0;
    return q;
}

bool IsPickableType(int type)
{
    return type >= INT16_MIN && type <= INT16_MAX && KindOf(static_cast<int16_t>(type)).Allows(KindAllows::Pick);
}

bool PickFilterAdmits(int filter, int type)
{
    if (filter == 0)
        return true;
    if (filter == 1)
        return type != EntityType::Grid;
    if (filter >= 2)
        return type == filter;
    auto in = [type](std::initializer_list<int> types) {
        return std::find(types.begin(), types.end(), type) != types.end();
    };
    switch (filter) {
    case -1:
    case -999:
        return type == EntityType::Grid;
    case -10: return in({10, 11});
    case -11: return in({10, 11, 40});
    case -20: return in({20, 21, 22, 23});
    case -21: return in({20, 31, 33});
    case -22: return in({20, 21, 22, 23, 30, 31, 32, 33});
    case -23: return in({20, 30, 31, 32, 33});
    case -24: return in({20, 21, 22, 23, 24, 26, 30, 31, 32, 33});
    case -25: return in({20, 21, 22, 23, 30, 31, 32, 33, 90});
    case -26: return in({20, 21, 22, 23, 90});
    case -27: return in({20, 21, 22, 23, 31});
    case -30: return in({30, 31});
    case -31: return type == 30;
    case -32: return in({30, 31, 32, 33});
    case -50: return in({10, 20, 21, 22, 23});
    case -51: return in({10, 20, 21, 22, 23, 30, 31, 32, 33});
    default:
        return false;
    }
}

namespace {

struct TextBox {
    double x0, y0, width, height, angle;
};

TextBox TextBoxOf(const CEntity& e)
{
    const int n = MbcsByteLength(e.text);
    return {ValueAt(e, 0), ValueAt(e, 1), n * ValueAt(e, 3) / 2.0, ValueAt(e, 2), ValueAt(e, 4)};
}

} // namespace

bool PointInTextBox(const CEntity& e, double mx, double my)
{
    const TextBox t = TextBoxOf(e);
    double x = mx, y = my;
    if (std::fabs(t.angle) > 0.1) {
        const double a = t.angle * Pi / 180.0;
        const double c = std::cos(a), s = std::sin(a);
        x = (mx - t.x0) * c + (my - t.y0) * s + t.x0;
        y = (my - t.y0) * c - (mx - t.x0) * s + t.y0;
    }
    return t.x0 <= x && x <= t.x0 + t.width && t.y0 <= y && y <= t.y0 + t.height;
}
