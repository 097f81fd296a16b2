// CDimensionTool: the distance between two points (sub-mode 0) and the
// horizontal and vertical chains (sub-modes 1 and 2).

#include "annotation_tools/DimensionTool.h"

#include "model/DimensionPlacement.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "view/OrvikCadView.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double RadToDeg = 180.0 / std::numbers::pi;

double DirectionDegrees(double x1, double y1, double x2, double y2)
{
    return std::atan2(y2 - y1, x2 - x1) * RadToDeg;
}

} // namespace

void CDimensionTool::DistanceDimension(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount == 0) {
        const TakenPoint t = MeasurePoint(view, point);
        X[0] = t.x;
        Y[0] = t.y;
        anchor = corner = t.view;
        InputPointCount = 1;
        Prompt("終了位置を指示して下さい。");
        return;
    }
    if (InputPointCount == 1) {
        lineBand_.Erase();
        const TakenPoint t = MeasurePoint(view, point);
        X[1] = t.x;
        Y[1] = t.y;
        corner = lastCursor_ = t.view;
        AskForDimensionLine();
        return;
    }

    // The placing click: the line goes where the preview last was.
    InputPointCount = 0;
    Prompt(StartPrompt(DimensionMode::Distance));
    platform::Point d1{};
    const DimensionLine line = LineAtLastCursor(view, d1);
    dimBand_.Erase();
    const UprightDimension placed =
        OrientDimension({line.x1, line.y1}, {line.x2, line.y2}, {X[0], Y[0]}, {X[1], Y[1]}, false);

    const DimensionStyle style = Style(view);
    DimensionRecord r(DimensionKind::Distance);
    r.SetCommon(FillDimensionCommonValues(DimensionMode::Distance, style));
    r.Set(10, std::hypot(X[1] - X[0], Y[1] - Y[0]));
    r.Set(12, placed.angle);
    r.Set(15, style.Scaled(style.upperExtension));
    r.Set(16, style.Scaled(style.upperExtension));
    r.Set(18, style.Scaled(style.lowerExtension));
    r.Set(19, style.Scaled(style.lowerExtension));
    r.SetPoint(21, placed.measured.x, placed.measured.y);
    r.SetPoint(40, placed.p1.x, placed.p1.y);
    r.SetPoint(50, placed.p2.x, placed.p2.y);
    AddDimension(view, r);
}

void CDimensionTool::AddMeasurePoint(COrvikCadView* view, platform::Point point)
{
    const int n = InputPointCount;
    if (n >= MaxChainPoints) {
        ShowMessage("選択ポイントは、２０までです！");
        return;
    }
    const TakenPoint t = MeasurePoint(view, point);
    X[n] = t.x;
    Y[n] = t.y;
    if (n == 0) {
        anchor = corner = t.view;
        InputPointCount = 1;
        chainBand_.Clear();
        Prompt("測定位置を指示。マウス右クリックで中止します。");
        return;
    }
    InputPointCount = n + 1;
    Prompt("測定位置を指示。マウス右クリックで寸法位置指定になります。");
    lineBand_.Erase();
    XorPreviewShown = 0;
    if (t.view.x != anchor.x || t.view.y != anchor.y) {
        // The connecting lines stay until the chain is placed or cancelled.
        chainBand_.AddLine(anchor, t.view);
        chainBand_.Show(view, xorColor);
        anchor = corner = t.view;
    }
}

void CDimensionTool::ChainDimension(bool vertical, COrvikCadView* view)
{
    placingDimLine = 0;
    Prompt(StartPrompt(vertical ? DimensionMode::Vertical : DimensionMode::Horizontal));
    platform::Point d1{};
    const DimensionLine line = LineAtLastCursor(view, d1);
    chainBand_.Erase();
    chainBand_.Clear();
    dimBand_.Erase();
    const double p1x = line.x1, p1y = line.y1, p2x = line.x2, p2y = line.y2;
    const int n = InputPointCount;
    const int axis = vertical ? 1 : 0;
    const int lo = PickedExtreme(X, Y, n, axis, 0);
    const int hi = PickedExtreme(X, Y, n, axis, 1);
    if (lo < 0 || hi < 0) {
        InputPointCount = 0;
        return;
    }
    const double mx = X[lo], my = Y[lo];
    // A chain measures along its own axis: the span of its points.
    const double value = vertical ? Y[hi] - Y[lo] : X[hi] - X[lo];
    SortChainPoints(X, Y, n, axis);

    const DimensionStyle style = Style(view);
    DimensionRecord r(vertical ? DimensionKind::VerticalChain : DimensionKind::HorizontalChain, n);
    r.SetCommon(FillDimensionCommonValues(vertical ? DimensionMode::Vertical : DimensionMode::Horizontal, style));
    r.Set(10, value);
    r.Set(12, DirectionDegrees(p1x, p1y, p2x, p2y));
    for (int code : {15, 16, 17})
        r.Set(code, style.Scaled(style.upperExtension));
    for (int code : {18, 19, 20})
        r.Set(code, style.Scaled(style.lowerExtension));
    r.SetPoint(21, mx, my);
    for (int i = 0; i < n; ++i) {
        if (vertical)
            r.SetPoint(40 + 10 * i, p1x, Y[i]);
        else
            r.SetPoint(40 + 10 * i, X[i], p1y);
    }
    InputPointCount = 0;
    AddDimension(view, r);
}
