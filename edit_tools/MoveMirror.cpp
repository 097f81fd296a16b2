// Mirroring with the move tool: the axis preview, the base-point click, the
// mirror engine over the marked entities, the flip of the selection in
// place, and the mirror images of dimensions kind by kind. Every other type
// takes its image from the shared transform under a reflection.

#include "edit_tools/MoveTool.h"

#include "edit_tools/ReplaceSelection.h"
#include "model/Document.h"
#include "model/EntityList.h"
#include "model/SelectionBox.h"
#include "model/SnapPointList.h"
#include "view/FrameHost.h"
#include "view/OrvikCadView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>
#include <vector>

namespace {

constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

double Degrees(double dx, double dy)
{
    return std::atan2(dy, dx) * DegreesPerRadian;
}

GeoPoint At(const std::vector<double>& v, std::size_t i)
{
    return {v[i], v[i + 1]};
}

void Put(std::vector<double>& v, std::size_t i, GeoPoint p)
{
    v[i] = p.x;
    v[i + 1] = p.y;
}

void Reflect(std::vector<double>& v, std::size_t i, const TransformMatrix& m)
{
    Put(v, i, m.Apply(v[i], v[i + 1]));
}

// The value text of a radius dimension as it will be shown: "R" and the
// measured value with the decimals of its style code.
std::string RadiusText(double value, double style)
{
    const int k = (static_cast<int>(style) % 1000 % 100) / 10;
    char format[8] = "R%.0f";
    if (k >= 1 && k <= 4)
        format[3] = static_cast<char>('0' + k);
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

// ---- the steps ----

void CMoveTool::DrawAxisOn(COrvikCadView* view, platform::Dc& dc, platform::Point at, int horizontalLine)
{
    const platform::Rop2 kept = dc.SetRop2(platform::Rop2::NotXorPen);
    const platform::Pen oldPen = dc.SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
    // Across the visible part of the view.
    const int left = view->FrameScrollX(), top = view->FrameScrollY();
    if (horizontalLine) {
        dc.MoveTo(left, at.y);
        dc.LineTo(left + view->width(), at.y);
    } else {
        dc.MoveTo(at.x, top);
        dc.LineTo(at.x, top + view->height());
    }
    dc.SelectPen(oldPen);
    dc.SetRop2(kept);
}

int CMoveTool::DrawMirrorAxisPreview(COrvikCadView* view, platform::Point point, int horizontalLine)
{
    EraseMirrorAxis();
    m_figureView = view;
    m_previewPoint = point;
    auto dc = view->GetClientDc();
    DrawAxisOn(view, *dc, m_previewPoint, horizontalLine);
    m_axisShown = 1;
    return 0;
}

void CMoveTool::PreviewMirrorAxis(COrvikCadView* view, platform::Point point)
{
    DrawMirrorAxisPreview(view, point, ToolSubMode >= 4 ? 1 : 0);
}

void CMoveTool::EraseMirrorAxis()
{
    if (m_axisShown)
        if (COrvikCadView* shown = FigureView()) {
            auto dc = shown->GetClientDc();
            DrawAxisOn(shown, *dc, m_previewPoint, ToolSubMode >= 4 ? 1 : 0);
        }
    m_axisShown = 0;
}

void CMoveTool::ClickMirror(COrvikCadView* view, platform::Point point, int vertical, int move)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    EraseMirrorAxis();
    TakeStepPoint(view, point);
    InputPointCount = 0;
    ShowPrompt(StepsOf(ToolSubMode).Start());
    doc->list.DiscardUndo(&doc->snaps);
    MirrorSelection(view, vertical, move);
    EndOperation(view);
}

// ---- the engines ----

std::optional<EntityCopy> CMoveTool::MirrorEntity(const CEntity& source, GeoPoint base, bool vertical,
                                                  int16_t layer)
{
    const TransformMatrix matrix = MirrorMatrix(base, vertical);
    if (source.type == EntityType::Dimension)
        return MirrorDimension(source, matrix, layer);
    return TransformedCopy(source, matrix, 1.0, 0.0, MirrorPolicy(vertical, layer));
}

void CMoveTool::MirrorSelection(COrvikCadView* view, int vertical, int move)
{
    const GeoPoint base{X[2], Y[2]};
    if (vertical) {
        m_mirrorAxis[0] = 0.0;
        m_mirrorAxis[1] = -1.0;
        m_mirrorAxis[2] = base.y;
    } else {
        m_mirrorAxis[0] = 1.0;
        m_mirrorAxis[1] = 0.0;
        m_mirrorAxis[2] = -base.x;
    }
    m_firstNew = nullptr;
    m_firstNewSet = 0;
    if (!std::isfinite(base.x) || !std::isfinite(base.y))
        return;
    const auto layer = static_cast<int16_t>(view->currentLayer);
    const ReplaceRule rule = [&](const CEntity& e) { return MirrorEntity(e, base, vertical != 0, layer); };
    // The images carry their group number but join no group.
    if (move)
        m_firstNew = ReplaceSelection(view, EntityState::Marked, rule, false).firstNew;
    else
        m_firstNew = CopySelection(view, EntityState::Marked, rule, false);
    m_firstNewSet = m_firstNew ? 1 : 0;
}

void CMoveTool::MirrorSelectionInPlace(COrvikCadView* view, int16_t vertical)
{
    ReplaceAboutSelectionCentre(view, [vertical](GeoPoint centre, int16_t layer) -> ReplaceRule {
        return [centre, vertical, layer](const CEntity& e) { return MirrorEntity(e, centre, vertical != 0, layer); };
    });
}

// ---- dimensions ----

std::optional<EntityCopy> CMoveTool::MirrorDimension(const CEntity& source, const TransformMatrix& matrix,
                                                     int16_t layer)
{
    EntityCopy copy;
    copy.header = {EntityType::Dimension, source.subtype, source.style, layer, 0};
    copy.colour = source.colour;
    copy.values = source.values.ToVector();
    auto& v = copy.values;
    const std::size_t n = v.size();
    bool ok = false;
    switch (source.subtype) {
    case 0:
    case 5:
        ok = n == 18 && MirrorDimensionKind0or5(copy, matrix, source.subtype == 5 ? 1 : 0);
        break;
    case 1:
    case 2:
        ok = n >= 16 && (n - 16) % 2 == 0 && MirrorDimensionKind1(copy, matrix, source.subtype == 2 ? 1 : 0);
        break;
    case 3:
        if (n == 16) {
            copy.codes = {30, 31, 32, 10, 11, 12, 13, 14, 40, 41, 50, 51, 60, 61, 42, 43};
            for (std::size_t i : {8u, 10u, 12u})
                Reflect(v, i, matrix);
            const double h = v[4];
            v[14] = std::min(v[10], v[12]) + h / 2;
            v[15] = v[11] + h / 3;
            ok = true;
        }
        break;
    case 4:
        if (n == 18) {
            copy.codes = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 42, 43, 40, 41, 50, 51};
            Reflect(v, 14, matrix);
            Reflect(v, 16, matrix);
            const GeoPoint m = At(v, 14), p = At(v, 16);
            const GeoPoint l = m.x <= p.x ? m : p, r = m.x <= p.x ? p : m;
            v[5] = Degrees(r.x - l.x, r.y - l.y);
            const double d = std::hypot(r.x - l.x, r.y - l.y);
            const double h = v[4];
            const double w = static_cast<double>(RadiusText(v[3], v[6]).size()) * h * 0.5;
            const double s = d / 2 - w;
            GeoPoint text = l;
            if (d > 0.0) {
                const GeoPoint u{(r.x - l.x) / d, (r.y - l.y) / d};
                const GeoPoint q{l.x + s * u.x, l.y + s * u.y};
                // Beside the radius line, to the left of Q towards R; with Q
                // on R there is no side, and the text stands at L.
                if (std::hypot(r.x - q.x, r.y - q.y) >= 0.5)
                    text = {q.x - u.y * h / 3, q.y + u.x * h / 3};
            }
            Put(v, 12, text);
            ok = true;
        }
        break;
    case 6:
    case 7:
        ok = n == 19 && MirrorDimensionKind6or7(copy, matrix, source.subtype == 7 ? 1 : 0);
        break;
    case 8:
        if (n == 9) {
            copy.codes = {30, 31, 32, 10, 11, 12, 13, 40, 41};
            Reflect(v, 7, matrix);
            ok = true;
        }
        break;
    default:
        break;
    }
    if (!ok)
        return std::nullopt;
    for (double value : v)
        if (!std::isfinite(value))
            return std::nullopt;
    copy.header.count = static_cast<int16_t>(v.size());
    copy.group = 0;
    return copy;
}

bool CMoveTool::MirrorDimensionKind0or5(EntityCopy& copy, const TransformMatrix& matrix, int)
{
    auto& v = copy.values;
    copy.codes = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22, 40, 41, 50, 51};
    for (std::size_t i : {12u, 14u, 16u})
        Reflect(v, i, matrix);
    // The angle runs from the point with the smaller x to the other, so it
    // stays within [-90, 90].
    const GeoPoint a = At(v, 14), b = At(v, 16);
    v[5] = a.x < b.x ? Degrees(b.x - a.x, b.y - a.y) : Degrees(a.x - b.x, a.y - b.y);
    return true;
}

bool CMoveTool::MirrorDimensionKind1(EntityCopy& copy, const TransformMatrix& matrix, int vertical)
{
    auto& v = copy.values;
    const std::size_t points = (v.size() - 16) / 2;
    copy.codes = {30, 31, 32};
    for (int16_t c = 10; c <= 22; ++c)
        copy.codes.push_back(c);
    for (std::size_t i = 0; i < points; ++i) {
        const auto first = static_cast<int16_t>(40 + 10 * i);
        copy.codes.insert(copy.codes.end(), {first, static_cast<int16_t>(first + 1)});
    }
    Reflect(v, 14, matrix);
    for (std::size_t i = 0; i < points; ++i)
        Reflect(v, 16 + 2 * i, matrix);
    // A vertical chain's angle from its reflected second point to its first.
    if (vertical && points >= 2)
        v[5] = Degrees(v[16] - v[18], v[17] - v[19]);
    // The measuring points ascending again, as a chain keeps them.
    std::vector<GeoPoint> p(points);
    for (std::size_t i = 0; i < points; ++i)
        p[i] = At(v, 16 + 2 * i);
    std::stable_sort(p.begin(), p.end(), [vertical](GeoPoint a, GeoPoint b) {
        return vertical ? a.y < b.y : a.x < b.x;
    });
    for (std::size_t i = 0; i < points; ++i)
        Put(v, 16 + 2 * i, p[i]);
    return true;
}

bool CMoveTool::MirrorDimensionKind6or7(EntityCopy& copy, const TransformMatrix& matrix, int)
{
    auto& v = copy.values;
    copy.codes = {30, 31, 32, 10, 11, 12, 13, 14, 15, 16, 18, 19, 23, 24, 25, 26, 27, 42, 43};
    const GeoPoint m = At(v, 12);
    const double r = v[14], a1 = v[15], a2 = v[16];
    const double before = a1 <= a2 ? a2 - a1 : 360 - a1 + a2;
    const double rad = std::numbers::pi / 180.0;
    const GeoPoint s = matrix.Apply(m.x + r * std::cos(a1 * rad), m.y + r * std::sin(a1 * rad));
    const GeoPoint e = matrix.Apply(m.x + r * std::cos(a2 * rad), m.y + r * std::sin(a2 * rad));
    Reflect(v, 12, matrix);
    Reflect(v, 17, matrix);
    const GeoPoint c = At(v, 12);
    const double b1 = Degrees(e.x - c.x, e.y - c.y), b2 = Degrees(s.x - c.x, s.y - c.y);
    const double spanA = b1 <= b2 ? b2 - b1 : 360 - b1 + b2;
    const double spanB = b2 <= b1 ? b1 - b2 : 360 - b2 + b1;
    // Of the two ways round, the one nearer the old span.
    if (std::fabs(spanA - before) > std::fabs(spanB - before)) {
        v[15] = b2;
        v[16] = b1;
    } else {
        v[15] = b1;
        v[16] = b2;
    }
    return true;
}
