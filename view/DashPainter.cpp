#include "view/DashPainter.h"

#include "model/GeometryBezier.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

int Round(double v)
{
    return static_cast<int>(std::clamp(v + 0.5, -2147483648.0, 2147483647.0));
}

struct Cubic {
    double x[4];
    double y[4];
};

// Splits at t (de Casteljau) into the part before and the part after.
void SplitAt(const Cubic& c, double t, Cubic& first, Cubic& rest)
{
    for (int axis = 0; axis < 2; ++axis) {
        const double* p = axis == 0 ? c.x : c.y;
        const double p01 = p[0] + (p[1] - p[0]) * t, p12 = p[1] + (p[2] - p[1]) * t, p23 = p[2] + (p[3] - p[2]) * t;
        const double p012 = p01 + (p12 - p01) * t, p123 = p12 + (p23 - p12) * t;
        const double s = p012 + (p123 - p012) * t;
        double* f = axis == 0 ? first.x : first.y;
        double* r = axis == 0 ? rest.x : rest.y;
        f[0] = p[0]; f[1] = p01; f[2] = p012; f[3] = s;
        r[0] = s; r[1] = p123; r[2] = p23; r[3] = p[3];
    }
}

} // namespace

void CDashPainter::SetPattern(const int* lengths, int n)
{
    FreePattern();
    if (n > 0 && lengths && std::any_of(lengths, lengths + n, [](int v) { return v > 0; })) {
        pattern.assign(lengths, lengths + n);
        for (int& v : pattern)
            v = std::max(v, 1);
        count = n;
        remaining = pattern[0];
    }
    index = 0;
}

void CDashPainter::FreePattern()
{
    pattern.clear();
    count = 0;
}

void CDashPainter::Start(int x, int y)
{
    index = 0;
    if (count > 0)
        remaining = pattern[0];
    curX = x;
    curY = y;
    dc->MoveTo(x, y);
}

void CDashPainter::NextRun()
{
    index = (index + 1) % count;
    remaining = pattern[index];
}

void CDashPainter::LineTo(int x, int y)
{
    if (count == 0) {
        dc->LineTo(x, y);
        curX = x;
        curY = y;
        return;
    }
    const int dx = x - curX, dy = y - curY;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int n = xMajor ? std::abs(dx) : std::abs(dy);
    const int k = xMajor ? std::abs(dy) : std::abs(dx);
    const int sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    int err = n;
    for (int i = 0; i < n; ++i) {
        err -= k;
        if (err <= 0) {
            if (xMajor)
                curY += sy;
            else
                curX += sx;
            err += n;
        }
        if (xMajor)
            curX += sx;
        else
            curY += sy;
        if (--remaining <= 0) {
            NextRun();
            if (index % 2 == 1)
                dc->LineTo(curX, curY);  // the dash ends here
            else
                dc->MoveTo(curX, curY);  // a dash begins
            if (i == n - 1)
                return;
        }
    }
    if (index % 2 == 0)
        dc->LineTo(curX, curY);
}

void CDashPainter::PolyBezierTo(platform::Point p1, platform::Point p2, platform::Point p3)
{
    if (count == 0) {
        dc->PolyBezierTo({p1, p2, p3});
        curX = p3.x;
        curY = p3.y;
        return;
    }
    Cubic b{{double(curX), double(p1.x), double(p2.x), double(p3.x)},
            {double(curY), double(p1.y), double(p2.y), double(p3.y)}};
    int emptyWalks = 0;
    for (;;) {
        double adj = 0;
        if (static_cast<unsigned>(remaining) < 3u) {
            const double whole = std::hypot(b.x[0] - b.x[3], b.y[0] - b.y[3]);
            const double fromPixel = std::hypot(std::trunc(b.x[0] + 0.5) - b.x[3], std::trunc(b.y[0] + 0.5) - b.y[3]);
            adj = whole - fromPixel;
        }
        const double target = remaining + adj;
        double t = 0, length = 0;
        if (target > 0) {
            const BezierPoints piece{GeoPoint{b.x[0], b.y[0]}, GeoPoint{b.x[1], b.y[1]}, GeoPoint{b.x[2], b.y[2]},
                                     GeoPoint{b.x[3], b.y[3]}};
            const BezierWalk walk = BezierLengthWalk(piece, 0.5, target);
            t = std::clamp(walk.parameter, 0.0, 1.0);
            length = walk.walked;
        }
        remaining -= static_cast<int>(std::trunc(length - adj + 0.5));

        Cubic first, rest;
        SplitAt(b, t, first, rest);
        const platform::Point q1{Round(first.x[1]), Round(first.y[1])};
        const platform::Point q2{Round(first.x[2]), Round(first.y[2])};
        const platform::Point s{Round(first.x[3]), Round(first.y[3])};
        curX = s.x;
        curY = s.y;
        if (index % 2 == 1)
            dc->MoveTo(s.x, s.y);
        else
            dc->PolyBezierTo({q1, q2, s});
        if (remaining > 0)
            return;
        NextRun();
        // A rest of no length ends the piece once its phase has moved on.
        emptyWalks = length > 0 ? 0 : emptyWalks + 1;
        if (emptyWalks >= 2)
            return;
        b = rest;
    }
}
