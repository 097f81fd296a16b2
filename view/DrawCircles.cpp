// EntityRenderer: the drawers of circles, arcs, ellipses and elliptic arcs.

#include "view/EntityRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double DegToRad = Pi / 180.0;
constexpr double SampleStep = 0.01;      // radians of the ellipse parameter
constexpr double BezierHalfKappa = 0.2761423749154;

double ByCode(const CEntity* e, int16_t code)
{
    const int i = FindValueIndex(*e, code);
    return i >= 0 && std::size_t(i) < e->values.size() ? e->values[i] : 0.0;
}

long long WholeDegrees(double a)
{
    if (!(std::fabs(a) < 1e15))
        return std::isnan(a) ? 0 : (a > 0 ? 1000000000000000LL : -1000000000000000LL);
    return static_cast<long long>(a);
}

struct EllipseShape {
    double cx, cy, a, b, phi;
    platform::Point At(const EntityRenderer& view, double t) const
    {
        const double c = std::cos(t), s = std::sin(t), cp = std::cos(phi), sp = std::sin(phi);
        return view.ToPixel(cx + a * c * cp - b * s * sp, cy + a * c * sp + b * s * cp);
    }
};

EllipseShape ShapeOf(const CEntity* e)
{
    return {ByCode(e, 10), ByCode(e, 20), ByCode(e, 60), ByCode(e, 61), ByCode(e, 62) * DegToRad};
}

} // namespace

void EntityRenderer::DrawCircleOrArc(const CEntity* e, int state)
{
    if (e->values.size() < 3)
        return;
    const auto& v = e->values;
    const double cx = v[0], cy = v[1], r = v[2];
    bool full = e->type == EntityType::Circle || v.size() != 5;
    double a1 = 0, a2 = 0;
    if (!full) {
        const long long s = WholeDegrees(v[3]), t = WholeDegrees(v[4]);
        full = s == t || (s == 0 && t == 360) || (s == 360 && t == 0);
        if (e->subtype == 1) {
            a1 = v[3];
            a2 = v[4];
        } else {
            a1 = v[4];
            a2 = v[3];
        }
    }
    const Look look = LookOf(e, state);
    platform::Point lowLeft = ToPixel(cx - r, cy - r), upRight = ToPixel(cx + r, cy + r);

    if (full && look.printing) {
        const int L = lowLeft.x, R = upRight.x, T = upRight.y, B = lowLeft.y;
        const int mx = (L + R) / 2, my = (T + B) / 2;
        const int U = static_cast<int>((R - L) * BezierHalfKappa), V = static_cast<int>((T - B) * BezierHalfKappa);
        PrintedOutline out(*this, dc, look);
        out.Start({L, my});
        out.BezierTo({L, my - V}, {mx - U, B}, {mx, B});
        out.BezierTo({mx + U, B}, {R, my - V}, {R, my});
        out.BezierTo({R, my + V}, {mx + U, T}, {mx, T});
        out.BezierTo({mx - U, T}, {L, my + V}, {L, my});
        out.Finish();
        return;
    }

    platform::Point start = lowLeft, end = lowLeft;
    if (!full) {
        start = ToPixel(cx + r * std::cos(a1 * DegToRad), cy + r * std::sin(a1 * DegToRad));
        end = ToPixel(cx + r * std::cos(a2 * DegToRad), cy + r * std::sin(a2 * DegToRad));
    }
    const platform::Pen old = SelectScreenPen(look, look.style);
    const int left = std::min(lowLeft.x, upRight.x), right = std::max(lowLeft.x, upRight.x);
    const int top = std::min(lowLeft.y, upRight.y), bottom = std::max(lowLeft.y, upRight.y);
    if (double(right) - left <= NearPixels && double(bottom) - top <= NearPixels) {
        dc.Arc(left, top, right, bottom, start.x, start.y, end.x, end.y);
    } else {
        // A circle far larger than any screen: its outline as short chords
        // (within a quarter pixel of the curve), cut to the client's
        // surroundings.
        const double rPixels = (double(right) - left) / 2;
        const double step = 2 * std::sqrt(0.5 / rPixels);
        double from = 0, to = 2 * Pi;
        if (!full) {
            from = a1 * DegToRad;
            to = a2 * DegToRad;
            while (to <= from)
                to += 2 * Pi;
        }
        std::vector<platform::Point> chords;
        for (double a = from; a < to; a += step)
            chords.push_back(ToPixel(cx + r * std::cos(a), cy + r * std::sin(a)));
        chords.push_back(ToPixel(cx + r * std::cos(to), cy + r * std::sin(to)));
        ScreenPolyline(chords);
    }
    dc.SelectPen(old);
    if (e->state == EntityState::Selected && !e->owner)
        DrawGrips(e);
}

void EntityRenderer::DrawEllipseSamples(const CEntity* e, const Look& look,
                                       const std::vector<platform::Point>& pts)
{
    if (!pts.empty()) {
        if (look.printing) {
            const platform::Pen kept = dc.CurrentPen();
            dc.BeginPath();
            dc.MoveTo(pts[0].x, pts[0].y);
            for (std::size_t i = 1; i < pts.size(); ++i)
                dc.LineTo(pts[i].x, pts[i].y);
            dc.EndPath();
            StrokePathWithPen(look.colour, look.width);
            dc.SelectPen(kept);
        } else {
            const platform::Pen old = SelectScreenPen(look, look.style);
            ScreenPolyline(pts);
            dc.SelectPen(old);
        }
    }
    if (e->state == EntityState::Selected && !e->owner)
        DrawGrips(e);
}

void EntityRenderer::DrawEllipse(const CEntity* e, int state)
{
    const EllipseShape shape = ShapeOf(e);
    std::vector<platform::Point> pts;
    pts.reserve(630);
    for (double t = 0; t <= 2 * Pi; t += SampleStep)
        pts.push_back(shape.At(*this, t));
    DrawEllipseSamples(e, LookOf(e, state), pts);
}

void EntityRenderer::DrawEllipticArc(const CEntity* e, int state)
{
    const EllipseShape shape = ShapeOf(e);
    auto param = [&](double degrees) {
        const double th = degrees * DegToRad - shape.phi;
        double t = std::atan2(std::sin(th) / shape.b, std::cos(th) / shape.a);
        while (t > Pi)
            t -= 2 * Pi;
        while (t <= -Pi)
            t += 2 * Pi;
        if (t < 0)
            t += 2 * Pi;
        return t;
    };
    const double tS = param(ByCode(e, 50));
    double tE = param(ByCode(e, 51));
    if (!std::isfinite(tS) || !std::isfinite(tE))
        return;
    if (tE < tS)
        tE += 2 * Pi;
    std::vector<platform::Point> pts;
    pts.reserve(size_t((tE - tS) / SampleStep) + 2);
    for (double t = tS; t <= tE; t += SampleStep)
        pts.push_back(shape.At(*this, t));
    DrawEllipseSamples(e, LookOf(e, state), pts);
}
