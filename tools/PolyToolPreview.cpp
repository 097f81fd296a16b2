// CPolyTool: what follows the mouse. The step-1 rubber bands (the box's
// dotted rectangle, the base line, the radius circle and line), the step-2
// previews (the parallelogram, the turning polygon), the cross at the first
// point and the length and box-size read-outs. Each is drawn with the
// not-XOR mix and remembered as drawn, so it is erased only while shown.

#include "tools/PolyTool.h"

#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "tools/LengthReadout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double RadToDeg = 180.0 / std::numbers::pi;

bool SamePixel(platform::Point a, platform::Point b)
{
    return a.x == b.x && a.y == b.y;
}

int DigitCount(const std::string& text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return c != '.'; }));
}

} // namespace

void CPolyTool::ShowMoveReadout(COrvikCadView* view, platform::Point mouse, Readout kind, int step)
{
    if (!LengthReadoutEnabled)
        return;
    ShowReadout(view, kind, view->XToModel(mouse.x), view->YToModel(mouse.y));
    readoutKind = step;
}

void CPolyTool::MoveBoxStep(COrvikCadView* view, platform::Point p)
{
    if (ShapeSizeGiven || InputPointCount != 1)
        return;
    DrawBoxRubberBand(view, p);
    ShowMoveReadout(view, p, Readout::Box, 1);
}

void CPolyTool::MoveParallelogramStep(COrvikCadView* view, platform::Point p)
{
    if (InputPointCount == 1) {
        DrawBaseLineRubberBand(view, p);
        ShowMoveReadout(view, p, Readout::Length, 1);
    } else if (InputPointCount == 2) {
        DrawParallelogramPreview(view, p);
        ShowMoveReadout(view, p, Readout::Length, 2);
    }
}

void CPolyTool::MovePolygonStep(COrvikCadView* view, platform::Point p)
{
    if (ShapeSizeGiven)
        return;
    if (InputPointCount == 1) {
        DrawRadiusRubberBand(view, p);
        ShowMoveReadout(view, p, Readout::Length, 1);
    } else if (InputPointCount == 2) {
        DrawPolygonPreview(view, p);
    }
}

void CPolyTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    // The repaint drew over the read-out: it is no longer there to erase,
    // and the next move draws a new one.
    if (readout.ShownIn(view)) {
        readout.Forget();
        readoutKind = 0;
    }
    cross_.Redraw(view, dc);
    band_.Redraw(view, dc);
    preview_.Redraw(view, dc);
}

// ---- rubber bands and previews ----

void CPolyTool::DrawBoxRubberBand(COrvikCadView* view, platform::Point mouse)
{
    band_.Clear();
    int x1 = anchor.x, y1 = anchor.y, x2 = mouse.x, y2 = mouse.y;
    NormalizeRect(x1, y1, x2, y2);
    band_.AddLine({x1, y1}, {x2, y1});
    band_.AddLine({x2, y1}, {x2, y2});
    band_.AddLine({x2, y2}, {x1, y2});
    band_.AddLine({x1, y2}, {x1, y1});
    band_.Show(view, xorColor, platform::PenStyle::Dot);
    corner = mouse;
    XorPreviewShown = 1;
}

void CPolyTool::DrawBaseLineRubberBand(COrvikCadView* view, platform::Point mouse)
{
    band_.Clear();
    band_.AddLine(anchor, mouse);
    band_.Show(view, xorColor);
    corner = mouse;
    XorPreviewShown = 1;
}

void CPolyTool::DrawParallelogramPreview(COrvikCadView* view, platform::Point mouse)
{
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    const GeoPoint q = ParallelogramFourth(mx, my);
    const platform::Point p0 = PreviewPoint(view, X[0], Y[0]);
    const platform::Point p1 = PreviewPoint(view, X[1], Y[1]);
    const platform::Point pq = PreviewPoint(view, q.x, q.y);
    preview_.Clear();
    preview_.AddLine(p0, p1);
    preview_.AddLine(mouse, pq);
    preview_.AddLine(p1, pq);
    preview_.AddLine(p0, mouse);
    preview_.Show(view, xorColor);
    lastPoint = mouse;
    auxPreviewShown = 1;
}

void CPolyTool::DrawRadiusRubberBand(COrvikCadView* view, platform::Point mouse)
{
    const double r = std::hypot(static_cast<double>(mouse.x - anchor.x), static_cast<double>(mouse.y - anchor.y));
    const int ri = static_cast<int>(std::lround(std::min(r, 1.0e6)));
    band_.Clear();
    if (ri > 0)
        band_.AddEllipse({anchor.x - ri, anchor.y - ri}, {anchor.x + ri + 1, anchor.y + ri + 1});
    band_.AddLine(anchor, mouse);
    band_.Show(view, xorColor);
    corner = mouse;
    XorPreviewShown = 1;
}

void CPolyTool::DrawPolygonPreview(COrvikCadView* view, platform::Point mouse)
{
    if (SamePixel(mouse, anchor)) {
        // No direction while the mouse stands on the centre.
        preview_.Erase();
        auxPreviewShown = 0;
        return;
    }
    directionMoved = 1;
    const double mx = view->XToModel(mouse.x), my = view->YToModel(mouse.y);
    const double theta = std::atan2(my - Y[0], mx - X[0]) * RadToDeg;
    const double r = std::hypot(X[1] - X[0], Y[1] - Y[0]);
    const std::vector<GeoPoint> v = PolygonVertices(X[0], Y[0], r, theta, vertexCount);
    preview_.Clear();
    preview_.AddLine(anchor, mouse);
    for (std::size_t i = 0; i < v.size(); ++i) {
        const GeoPoint& a = v[i];
        const GeoPoint& b = v[(i + 1) % v.size()];
        preview_.AddLine(PreviewPoint(view, a.x, a.y), PreviewPoint(view, b.x, b.y));
    }
    preview_.Show(view, xorColor);
    corner = lastPoint = mouse;
    auxPreviewShown = 1;
}

// ---- read-outs ----

void CPolyTool::ShowBoxSizeReadout(COrvikCadView* view, double x, double y)
{
    if (!view)
        return;
    double xmin = X[0], ymin = Y[0], xmax = x, ymax = y;
    NormalizeWorldRect(xmin, ymin, xmax, ymax);
    const double w = xmax - xmin, h = ymax - ymin;
    if (w > 0.05) {
        const std::string text = FormatReadoutLength(w);
        int px = view->XToDevice(xmin + w / 2.0) - 8 * DigitCount(text);
        int py = view->YToDevice(ymax) - 15;
        DrawReadoutLabel(view, px, py, text);
    }
    if (h > 0.05) {
        const std::string text = FormatReadoutLength(h);
        int px = view->XToDevice(xmin) - (8 * DigitCount(text) + 18);
        int py = view->YToDevice(ymin + h / 2.0);
        DrawReadoutLabel(view, px, py, text);
    }
}

void CPolyTool::DrawReadout(COrvikCadView* view, Readout kind, double x, double y)
{
    switch (kind) {
    case Readout::Box:
        ShowBoxSizeReadout(view, x, y);
        break;
    case Readout::Length:
        ShowLengthReadoutFrom(*this, view, x, y, 0);
        break;
    case Readout::None:
        break;
    }
}

void CPolyTool::ShowReadout(COrvikCadView* view, Readout kind, double x, double y)
{
    EraseReadout();
    readoutPos[0] = x;
    readoutPos[1] = y;
    readout.Show(view, static_cast<int>(kind), [this, kind, x, y](COrvikCadView* v) { DrawReadout(v, kind, x, y); });
}

void CPolyTool::EraseReadout()
{
    readout.Erase();
    readoutKind = 0;
}
