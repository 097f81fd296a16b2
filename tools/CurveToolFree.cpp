// CCurveTool: the freehand curve. Each mouse move of the drag draws its
// segment at once in the current line type and colour and adds its point;
// the release adds the curve.

#include "tools/CurveTool.h"

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "tools/ToolEdit.h"

namespace {

platform::Pen TracePen()
{
    using platform::PenStyle;
    const COLORREF colour = CurrentColor;
    switch (CurrentLineType) {
    case 0: return platform::Pen::Make(PenStyle::Solid, 1, colour);
    case 1: return platform::Pen::Make(PenStyle::Dot, 1, colour);
    case 2: return platform::Pen::Make(PenStyle::Dash, 1, colour);
    case 3: return platform::Pen::Make(PenStyle::DashDot, 1, colour);
    case 4: return platform::Pen::Make(PenStyle::DashDotDot, 1, colour);
    case 5: return platform::Pen::Make(PenStyle::Solid, 2, colour);
    case 6: return platform::Pen::Make(PenStyle::Solid, 4, colour);
    case 7: return platform::Pen::Make(PenStyle::Solid, 8, colour);
    default: return platform::Pen::Make(PenStyle::Solid, 1, colour);
    }
}

} // namespace

void CCurveTool::StartFreeCurve(COrvikCadView* view, platform::Point point)
{
    toolAux = 1;
    InputPointCount = 1;
    lastPoint = point;
    freePoints.clear();
    freePoints.push_back({view->XToModel(point.x), view->YToModel(point.y)});
    freePointCount = 1;
}

void CCurveTool::TraceFreeCurve(COrvikCadView* view, platform::Point point)
{
    {
        auto dc = view->GetClientDc();
        const platform::Rop2 kept = dc->SetRop2(platform::Rop2::CopyPen);
        const platform::Pen oldPen = dc->SelectPen(TracePen());
        dc->MoveTo(lastPoint.x, lastPoint.y);
        dc->LineTo(point.x, point.y);
        dc->SelectPen(oldPen);
        dc->SetRop2(kept);
    }
    ++InputPointCount;
    lastPoint = point;
    // Points past the most a curve may hold are only counted: the curve
    // is refused at the release, and the list stays bounded.
    if (freePointCount <= MaxFreePoints)
        freePoints.push_back({view->XToModel(point.x), view->YToModel(point.y)});
    ++freePointCount;
}

void CCurveTool::FinishFreeCurve(COrvikCadView* view)
{
    const bool dragging = toolAux == 1;
    const int n = freePointCount;
    std::vector<GeoPoint> points;
    points.swap(freePoints);
    freePointCount = 0;
    toolAux = 0;
    InputPointCount = 0;
    if (!dragging || n < 1)
        return;
    if (n > MaxFreePoints) {
        MessageBeep(1);
        ShowMessage("自由曲線の作図要素が3000個を超えました。この曲線データは保存できません。");
        // The traced segments show a curve the drawing does not hold.
        view->RedrawNow();
        return;
    }
    // A curve that never left its first point is no curve.
    bool spread = false;
    for (const GeoPoint& p : points)
        spread = spread || p.x != points[0].x || p.y != points[0].y;
    if (!spread) {
        view->RedrawNow();
        return;
    }
    std::vector<double> values;
    values.reserve(points.size() * 2);
    for (const GeoPoint& p : points) {
        values.push_back(p.x);
        values.push_back(p.y);
    }
    bool added = false;
    {
        ToolEdit edit(view);
        added = edit.Add(edit.Header(EntityType::FreehandCurve, 0, static_cast<int16_t>(values.size())), nullptr,
                         values.data()) != nullptr;
    }
    if (added)
        Prompt("次のポイントを指示して下さい。[マウス右クリック/終了]");
    else
        view->RedrawNow();  // refused: the traced segments go
}
