// CPolyTool: construction, the dispatch of the view's calls, the clicks of
// each sub-mode and the adding of a shape as one group.

#include "tools/PolyTool.h"

#include "view/OrvikCadView.h"
#include "model/GeometryLines.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "model/TransformMatrix.h"
#include "tools/StartPoint.h"
#include "tools/SubModeSteps.h"
#include "tools/ToolEdit.h"
#include "model/EntityKinds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;

bool SamePixel(platform::Point a, platform::Point b)
{
    return a.x == b.x && a.y == b.y;
}

} // namespace

CPolyTool::CPolyTool() : CDrawTool(ToolId::Poly)
{
    InputPointCount = 0;
    readoutKind = 0;
    readoutPos[0] = readoutPos[1] = 0.0;
}

// What each sub-mode does with the view's calls.
struct CPolyTool::SubModeRow {
    SubModeStep<CPolyTool> step;      // right button mid-operation (null: the view's menu)
    ViewHandler erase = nullptr;      // ErasePreview
    bool focusesOptionBox = false;
};

const CPolyTool::SubModeRow* CPolyTool::RowOf(int subMode)
{
    using T = CPolyTool;
    static constexpr SubModeRow rows[] = {
        // Box
        {{"矩形を作図します。開始位置を指示して下さい。", &T::ClickBoxStep, &T::MoveBoxStep, &T::Reset}, nullptr,
         true},
        // Parallelogram
        {{"平行四辺形を作図します。基準線 始端を指示して下さい。", &T::AddParallelogram, &T::MoveParallelogramStep,
          &T::Reset},
         nullptr, false},
        // Polygon: its steps leave the right button to the view's menu
        {{"多角形を作図します。中心点を指示して下さい。", &T::ClickPolygonStep, &T::MovePolygonStep, nullptr},
         &T::ErasePolygonPreview, true},
    };
    return FindSubModeRow(rows, subMode);
}

const char* CPolyTool::FirstPrompt(int subMode)
{
    const SubModeRow* row = RowOf(subMode);
    return row ? row->step.prompt : "";
}

void CPolyTool::ClickBoxStep(COrvikCadView* view, platform::Point p)
{
    if (ShapeSizeGiven)
        AddFixedBox(view, p);
    else
        AddBox(view, p);
}

void CPolyTool::ClickPolygonStep(COrvikCadView* view, platform::Point p)
{
    if (ShapeSizeGiven)
        AddFixedPolygon(view, p);
    else
        AddPolygon(view, p);
}

int CPolyTool::ClampVertexCount(int count)
{
    return std::clamp(count, MinVertices, MaxVertices);
}

std::vector<GeoPoint> CPolyTool::PolygonVertices(double cx, double cy, double r, double firstDegrees, int n)
{
    std::vector<GeoPoint> v;
    n = ClampVertexCount(n);
    v.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double phi = (i * 360.0 / n + firstDegrees) * DegToRad;
        v.push_back({cx + r * std::cos(phi), cy + r * std::sin(phi)});
    }
    return v;
}

GeoPoint CPolyTool::ParallelogramFourth(double mx, double my) const
{
    const double a = workX, b = workY;
    const double c = -(a * mx + b * my);
    const int code = DirectionCode(X[0], Y[0], X[1], Y[1]);
    const PointResult q = PointOnLineAtDistance(code, mx, my, a, b, c, baseLength);
    if (q.status != 0)
        return {mx + (X[1] - X[0]), my + (Y[1] - Y[0])};
    return {q.x, q.y};
}

// ---- the view's calls ----

void CPolyTool::FocusOptionBox(COrvikCadView*)
{
    const SubModeRow* row = RowOf(ToolSubMode);
    if (row && row->focusesOptionBox)
        FocusMainOptionBox();
}

void CPolyTool::OnLButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    RecordRop2(view);
}

void CPolyTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    EraseReadout();
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.click, view, *point);
    // A value typed for a step that takes none means nothing.
    NumericInputPending = 0;
    readoutKind = 0;
    XorPreviewShown = 0;
}

void CPolyTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.move, view, *point);
    UpdateMagnetMarker(view, *point);
}

void CPolyTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (InputPointCount == 0)
        return;
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->step.cancel, view);
}

void CPolyTool::Reset(COrvikCadView*)
{
    if (InputPointCount == 0) {
        // Nothing pending; a figure left by an odd path goes all the same.
        EraseAll();
        return;
    }
    EraseAll();
    Restart();
    OperationRestarted = 1;
}

void CPolyTool::Restart()
{
    Prompt(FirstPrompt(ToolSubMode));
    InputPointCount = 0;
    readoutKind = 0;
    XorPreviewShown = 0;
    auxPreviewShown = 0;
    polygonPreviewShown = 0;
    directionMoved = 0;
}

void CPolyTool::EraseAll()
{
    EraseReadout();
    cross_.Erase();
    band_.Erase();
    preview_.Erase();
    XorPreviewShown = 0;
    auxPreviewShown = 0;
}

void CPolyTool::ErasePreview(COrvikCadView* view)
{
    if (const SubModeRow* row = RowOf(ToolSubMode))
        RunStep(*this, row->erase, view);
}

void CPolyTool::ErasePolygonPreview(COrvikCadView*)
{
    if (!polygonPreviewShown)
        return;
    EraseAll();
    readoutKind = 0;
    polygonPreviewShown = 0;
}

// ---- points and shapes ----

void CPolyTool::AddShape(COrvikCadView* view, double fx, double fy, const std::vector<GeoPoint>& corners)
{
    if (corners.size() < 3)
        return;
    // The marker's pixels would mix with the new sides drawn under it.
    EraseMagnetMarker(view);
    ToolEdit edit(view);
    if (!edit.Ready())
        return;
    EntityHeader header = edit.Header(EntityType::GroupHeader, 0, 4);
    header.style = 0;
    const int16_t* headerCodes = FixedCodes(EntityType::GroupHeader).data();
    const double headerValues[4] = {fx, fy, 1.0, 0.0};
    CEntity* owner = edit.AddInColour(header, headerCodes, COLORREF{0}, headerValues);
    if (!owner)
        return;
    const int16_t* sideCodes = FixedCodes(EntityType::Line).data();
    const EntityHeader side = edit.Header(EntityType::Line, 0, 4);
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        const GeoPoint& s = corners[i];
        const GeoPoint& e = corners[(i + 1) % n];
        const double values[4] = {s.x, s.y, e.x, e.y};
        edit.AddChild(side, sideCodes, values, {}, {}, owner);
    }
    edit.CloseRun();
}

// ---- boxes ----

void CPolyTool::AddBox(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount >= 2)
        InputPointCount = 0;
    if (InputPointCount == 0) {
        const TakenPoint p = TakePoint(view, point);
        StartAt(*this, view, p, cross_);
        Prompt("終了位置を指示して下さい。");
        return;
    }

    const TakenPoint p = TakePoint(view, point);
    X[1] = p.x;
    Y[1] = p.y;
    InputPointCount = 0;
    Prompt(FirstPrompt(PolyToolMode::Box));
    cross_.Erase();
    band_.Erase();
    if (SamePixel(p.view, anchor))
        return;
    double x1 = X[0], y1 = Y[0], x2 = X[1], y2 = Y[1];
    NormalizeWorldRect(x1, y1, x2, y2);
    // Corners on one horizontal or vertical make no box, only sides on
    // top of each other.
    if (x1 == x2 || y1 == y2)
        return;
    AddShape(view, X[0], Y[0], {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}});
}

void CPolyTool::AddFixedBox(COrvikCadView* view, platform::Point point)
{
    const float width = RectWidth, height = RectHeight;
    // Also refuses values that are no numbers.
    if (!(width >= 0.01f) || !(height >= 0.01f))
        return;
    InputPointCount = 0;
    const TakenPoint p = TakePoint(view, point);
    X[0] = p.x;
    Y[0] = p.y;
    Prompt(FirstPrompt(PolyToolMode::Box));

    double x1, y1, x2, y2;
    if (RectBasePoint == 0) {
        const float hw = width * 0.5f, hh = height * 0.5f;
        x1 = p.x - hw;
        y1 = p.y - hh;
        x2 = p.x + hw;
        y2 = p.y + hh;
    } else {
        x1 = p.x;
        y1 = p.y;
        x2 = p.x + width;
        y2 = p.y + height;
    }
    NormalizeWorldRect(x1, y1, x2, y2);
    TransformMatrix m = TransformMatrix::Identity();
    MatrixTranslate(m, 0.0, 0.0);
    MatrixScale(m, 1.0, 1.0);
    MatrixRotate(m, ShapeAngle);
    std::vector<GeoPoint> corners;
    for (const GeoPoint c : {GeoPoint{x1, y1}, GeoPoint{x1, y2}, GeoPoint{x2, y2}, GeoPoint{x2, y1}}) {
        const GeoPoint t = m.Apply(c.x - p.x, c.y - p.y);
        corners.push_back({t.x + p.x, t.y + p.y});
    }
    AddShape(view, p.x, p.y, corners);
}

// ---- parallelograms ----

void CPolyTool::AddParallelogram(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount > 2)
        InputPointCount = 0;
    if (InputPointCount == 0) {
        const TakenPoint p = TakePoint(view, point);
        StartAt(*this, view, p, cross_);
        Prompt("基準線 終端を指示して下さい。");
        return;
    }

    if (InputPointCount == 1) {
        const TakenPoint p = TakePoint(view, point);
        const LineResult base = LineFromPoints(X[0], Y[0], p.x, p.y);
        const DistanceResult length = PointDistance(X[0], Y[0], p.x, p.y);
        if (base.status != 0 || length.status != 0 || !(length.distance > 0.0)) {
            // A base line without length gives no direction to build on:
            // the step waits for another end.
            MessageBeep(1);
            return;
        }
        cross_.Erase();
        band_.Erase();
        X[1] = p.x;
        Y[1] = p.y;
        corner = lastPoint = p.view;
        InputPointCount = 2;
        workX = base.a;
        workY = base.b;
        workValue1 = base.c;
        baseLength = length.distance;
        auxPreviewShown = 0;
        Prompt("終了位置を指示して下さい。");
        return;
    }

    const TakenPoint m = TakePoint(view, point);
    InputPointCount = 0;
    Prompt(FirstPrompt(PolyToolMode::Parallelogram));
    preview_.Erase();
    auxPreviewShown = 0;
    // A third corner on the base line folds the shape flat.
    const double norm = std::hypot(workX, workY);
    if (!(norm > 0.0) || std::abs(workX * m.x + workY * m.y + workValue1) / norm < 1e-9)
        return;
    const GeoPoint q = ParallelogramFourth(m.x, m.y);
    X[2] = m.x;
    Y[2] = m.y;
    X[3] = q.x;
    Y[3] = q.y;
    AddShape(view, X[0], Y[0], {{X[0], Y[0]}, {m.x, m.y}, {q.x, q.y}, {X[1], Y[1]}});
}

// ---- regular polygons ----

void CPolyTool::AddPolygon(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount > 2)
        InputPointCount = 0;
    if (InputPointCount == 0) {
        const TakenPoint p = TakePoint(view, point);
        StartAt(*this, view, p, cross_);
        polygonPreviewShown = 1;
        Prompt("半径終端を指示して下さい。[マウス右：数値入力／中止]");
        return;
    }

    if (InputPointCount == 1) {
        TakenPoint p;
        if (NumericInputPending == 1) {
            NumericInputPending = 0;
            p.x = X[0] + NumericInputValue;
            p.y = Y[0];
            p.view = PreviewPoint(view, p.x, p.y);
        } else {
            p = TakePoint(view, point);
        }
        const DistanceResult r = PointDistance(X[0], Y[0], p.x, p.y);
        if (r.status != 0 || !std::isfinite(r.distance) || !(r.distance > 0.0)) {
            // No radius: the step waits for another point, with its marker.
            MessageBeep(1);
            if (!cross_.Shown()) {
                cross_.Clear();
                cross_.AddCross(anchor);
                cross_.Show(view, xorColor);
            }
            polygonPreviewShown = 1;
            return;
        }
        cross_.Erase();
        band_.Erase();
        EraseReadout();
        X[1] = p.x;
        Y[1] = p.y;
        vertexCount = ClampVertexCount(PolygonVertexCount);
        angleGiven = 0;
        givenAngle = 0.0;
        InputPointCount = 2;
        corner = anchor;
        directionMoved = 0;
        auxPreviewShown = 0;
        polygonPreviewShown = 1;
        Prompt("マウスにて作図方向を指示して下さい。[マウス右：角度入力／中止]");
        return;
    }

    double theta = 0.0;
    if (NumericInputPending == 1) {
        NumericInputPending = 0;
        theta = NumericInputValue;
    } else {
        const TakenPoint p = TakePoint(view, point);
        theta = std::atan2(p.y - Y[0], p.x - X[0]) / DegToRad;
    }
    InputPointCount = 0;
    Prompt(FirstPrompt(PolyToolMode::Polygon));
    preview_.Erase();
    auxPreviewShown = 0;
    polygonPreviewShown = 0;
    const double r = PointDistance(X[0], Y[0], X[1], Y[1]).distance;
    AddShape(view, X[0], Y[0], PolygonVertices(X[0], Y[0], r, theta, vertexCount));
}

void CPolyTool::AddFixedPolygon(COrvikCadView* view, platform::Point point)
{
    const float distance = PolygonDistance;
    if (!(distance >= 0.01f) || !std::isfinite(distance))
        return;
    const TakenPoint p = TakePoint(view, point);
    X[0] = p.x;
    Y[0] = p.y;
    InputPointCount = 0;
    Prompt(FirstPrompt(PolyToolMode::Polygon));
    const double theta = static_cast<double>(ShapeAngle) + 90.0;
    AddShape(view, p.x, p.y, PolygonVertices(p.x, p.y, distance, theta, PolygonVertexCount));
}
