// EntityRenderer: the drawers of control-point curves (uniform cubic
// B-splines) and freehand curves.

#include "view/EntityRenderer.h"

#include <algorithm>
#include <vector>

void EntityRenderer::DrawFreeCurve(const CEntity* e, int state)
{
    const std::size_t n = e->values.size() / 2;
    if (n == 0)
        return;
    const Look look = LookOf(e, state);
    const auto& v = e->values;
    if (look.printing) {
        PrintedOutline out(*this, dc, look);
        out.Start(ToPixel(v[0], v[1]));
        for (std::size_t i = 1; i < n; ++i)
            out.LineTo(ToPixel(v[2 * i], v[2 * i + 1]));
        out.Finish();
        return;
    }
    const platform::Pen old = SelectScreenPen(look, look.style);
    bool started = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = v[2 * i], y = v[2 * i + 1];
        if (!(x >= visibleX0 && x <= visibleX1 && y >= visibleY0 && y <= visibleY1))
            continue;
        const platform::Point p = ToPixel(x, y);
        if (started) {
            dc.LineTo(p.x, p.y);
        } else {
            dc.MoveTo(p.x, p.y);
            started = true;
        }
    }
    dc.SelectPen(old);
}

void EntityRenderer::DrawSpline(const CEntity* e, int state)
{
    const std::size_t n = e->values.size() / 2;
    if (n < 2)
        return;
    const auto& v = e->values;
    double minX = v[0], minY = v[1], maxX = v[0], maxY = v[1];
    for (std::size_t i = 1; i < n; ++i) {
        minX = std::min(minX, v[2 * i]);
        maxX = std::max(maxX, v[2 * i]);
        minY = std::min(minY, v[2 * i + 1]);
        maxY = std::max(maxY, v[2 * i + 1]);
    }
    if (!(minX <= visibleX1 && maxX >= visibleX0 && minY <= visibleY1 && maxY >= visibleY0))
        return;

    // The control polygon with its end points doubled.
    std::vector<double> qx(n + 2), qy(n + 2);
    qx[0] = v[0];
    qy[0] = v[1];
    for (std::size_t k = 1; k <= n; ++k) {
        qx[k] = v[2 * (k - 1)];
        qy[k] = v[2 * (k - 1) + 1];
    }
    qx[n + 1] = v[2 * (n - 1)];
    qy[n + 1] = v[2 * (n - 1) + 1];

    std::vector<platform::Point> samples;
    samples.reserve((n - 1) * (n + 2) + 2);
    samples.push_back(ToPixel(v[0], v[1]));
    const double steps = double(n + 1);
    for (std::size_t j = 1; j <= n - 1; ++j) {
        double a3[2], a2[2], a1[2], a0[2];
        const std::vector<double>* q[2] = {&qx, &qy};
        for (int c = 0; c < 2; ++c) {
            const std::vector<double>& Q = *q[c];
            a3[c] = (3 * (Q[j] - Q[j + 1]) - Q[j - 1] + Q[j + 2]) / 6;
            a2[c] = (Q[j - 1] - 2 * Q[j] + Q[j + 1]) / 2;
            a1[c] = (Q[j + 1] - Q[j - 1]) / 2;
            a0[c] = (Q[j - 1] + 4 * Q[j] + Q[j + 1]) / 6;
        }
        for (std::size_t k = (j == 1 ? 1 : 0); k <= n + 1; ++k) {
            const double s = double(k) / steps;
            const double x = ((a3[0] * s + a2[0]) * s + a1[0]) * s + a0[0];
            const double y = ((a3[1] * s + a2[1]) * s + a1[1]) * s + a0[1];
            samples.push_back(ToPixel(x, y));
        }
    }
    samples.push_back(ToPixel(v[2 * (n - 1)], v[2 * (n - 1) + 1]));

    const Look look = LookOf(e, state);
    if (look.printing) {
        PrintedOutline out(*this, dc, look);
        out.Start(samples[0]);
        for (std::size_t i = 1; i < samples.size(); ++i)
            out.LineTo(samples[i]);
        out.Finish();
    } else {
        const platform::Pen old = SelectScreenPen(look, look.style);
        ScreenPolyline(samples);
        dc.SelectPen(old);
    }
    if (e->state == EntityState::Selected)
        for (std::size_t i = 0; i < n; ++i)
            DrawGrip(v[2 * i], v[2 * i + 1]);
}
