// The selection tool's drags: the whole selection moved, a handle of one
// unit dragged, a line dragged by its midpoint.

#include "edit_tools/SelectTool.h"

#include "edit_tools/ReplaceSelection.h"
#include "edit_tools/SelectToolDragRules.h"
#include "model/Document.h"
#include "model/GeometryCircles.h"
#include "model/GeometryEllipses.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Model value of the entity's `i`-th value, 0 when it has fewer.
double ValueAt(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

// The points of a selected entity that the move magnet draws onto snap and
// grid points, in order.
void MagnetVertices(const CEntity& e, std::vector<GeoPoint>& out)
{
    out.clear();
    const auto& v = e.values;
    const std::size_t n = v.size();
    auto pairs = [&](std::size_t from, std::size_t upTo) {
        for (std::size_t i = from; i + 1 < std::min(n, upTo); i += 2)
            out.push_back({v[i], v[i + 1]});
    };
    auto boundary = [&](std::size_t start, bool inHatch) {
        const std::size_t m = std::min(n, e.codes.size());
        for (std::size_t i = start; i < m;) {
            const int16_t kind = e.codes[i];
            const int size = BoundaryItemValueCount(kind, inHatch);
            if (size == 0 || i + static_cast<std::size_t>(size) > m)
                return;
            if (kind == BoundaryItem::Vertex)
                out.push_back({v[i], v[i + 1]});
            else if (kind == BoundaryItem::ArcCcw || kind == BoundaryItem::ArcCw)
                out.push_back({v[i + 3], v[i + 4]});
            else if (kind == BoundaryItem::Circle && !inHatch)
                out.push_back({v[i], v[i + 1]});
            else
                return;
            i += static_cast<std::size_t>(size);
        }
    };
    switch (e.type) {
    case EntityType::Point:
    case EntityType::Line:
    case EntityType::Curve:
    case EntityType::Image:
    case EntityType::Polygon:
        pairs(0, n);
        break;
    case EntityType::FreehandCurve:
        if (n >= 4) {
            out.push_back({v[0], v[1]});
            out.push_back({v[n - n % 2 - 2], v[n - n % 2 - 1]});
        }
        break;
    case EntityType::Circle:
    case EntityType::Ellipse:
    case EntityType::Text:
        pairs(0, 2);
        break;
    case EntityType::Arc:
        if (n >= 5) {
            out.push_back({v[0], v[1]});
            const PointSet<2> ends = ArcEndPoints(v[0], v[1], v[2], v[3], v[4]);
            out.push_back({ends.x[0], ends.y[0]});
            out.push_back({ends.x[1], ends.y[1]});
        }
        break;
    case EntityType::EllipticArc: {
        const int ix = FindValueIndex(e, 10), iy = FindValueIndex(e, 20), ia = FindValueIndex(e, 60),
                  ib = FindValueIndex(e, 61), ir = FindValueIndex(e, 62), is = FindValueIndex(e, 50),
                  ie = FindValueIndex(e, 51);
        if (std::min({ix, iy, ia, ib, ir, is, ie}) < 0)
            break;
        const GeoEllipse el{v[ix], v[iy], v[ia], v[ib], v[ir]};
        out.push_back({el.cx, el.cy});
        const PointSet<2> ends = EllipticArcEndPoints(el, v[is], v[ie]);
        out.push_back({ends.x[0], ends.y[0]});
        out.push_back({ends.x[1], ends.y[1]});
        break;
    }
    case EntityType::LeaderText:
        pairs(0, 2);
        pairs(5, 7);
        break;
    case EntityType::GroupHeader:
        // Values read by count: a header short of values has (0, 0) there.
        if (e.subtype != 0)
            out.push_back({ValueAt(e, 0), ValueAt(e, 1)});
        break;
    case EntityType::Fill:
        boundary(2, false);
        break;
    case EntityType::Hatch:
        boundary(7, true);
        break;
    default:
        break;
    }
}

} // namespace

// The copy of a group header for a drag: its place shifted by (dx, dy),
// scale and angle kept (missing ones read as 1 and 0), its own number.
EntityCopy MovedGroupHeader(const CEntity& header, double dx, double dy)
{
    EntityCopy copy;
    copy.header = {EntityType::GroupHeader, header.subtype, header.style, header.layer, 4};
    copy.codes = CodesOf(EntityType::Line);
    copy.values = {ValueAt(header, 0) + dx, ValueAt(header, 1) + dy, header.values.size() > 2 ? header.values[2] : 1.0,
                   ValueAt(header, 3)};
    copy.colour = 0;
    copy.group = header.group;
    return copy;
}

TransformPolicy DragPolicy()
{
    TransformPolicy policy;
    policy.keepLayer = true;
    policy.keepFont = true;
    policy.keepGroup = true;
    policy.keepStoredForm = true;
    return policy;
}

GeoPoint CSelectTool::SnapMoveVector(COrvikCadView* view, platform::Point point)
{
    const GeoPoint v = DragVector(view, m_dragStart, point);
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return v;
    double best = 10.0 / view->MappingZoom() * view->MappingScale();
    GeoPoint result = v;
    std::vector<GeoPoint> vertices;
    const CEntity* grid = view->GridRecord();
    for (CEntity* e = doc->list.first; e; e = e->next) {
        if (e->state != EntityState::Selected)
            continue;
        MagnetVertices(*e, vertices);
        for (const GeoPoint& vertex : vertices) {
            const double px = vertex.x + v.x, py = vertex.y + v.y;
            double sx = 0, sy = 0, bound = best;
            if (view->FindNearestSnapPointFrom(sx, sy, bound, e, px, py) >= 0 && bound < best) {
                best = bound;
                result = {sx - vertex.x, sy - vertex.y};
            }
            double gx = 0, gy = 0, distance = 0;
            if (view->SnapToGrid(grid, gx, gy, distance, px, py) != 0 && distance < best) {
                best = distance;
                result = {gx - vertex.x, gy - vertex.y};
            }
        }
    }
    return result;
}

GeoPoint CSelectTool::SnapStretchVector(COrvikCadView* view, platform::Point point)
{
    const GeoPoint p{view->XToModel(point.x), view->YToModel(point.y)};
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return p;
    double pitch = 0;
    for (const CEntity* e = doc->list.first; e; e = e->next)
        if (e->type == EntityType::Grid) {
            pitch = ValueAt(*e, 2);
            break;
        }
    const int sensitivity = std::clamp<int>(doc->parameters.GridSensitivity, 1, 5);
    const double bound = pitch / sensitivity;
    double gx = 0, gy = 0, distance = 0;
    if (view->SnapToGrid(gx, gy, distance, p.x, p.y) != 0 && distance < bound)
        return {gx, gy};
    return p;
}

void CSelectTool::ApplyMove(COrvikCadView* view, platform::Point point)
{
    const GeoPoint v = SnapMoveVector(view, point);
    TransformMatrix shift;
    MatrixTranslate(shift, v.x, v.y);
    const TransformPolicy policy = DragPolicy();
    m_firstCopyTaken = 0;
    const ReplaceResult result =
        ReplaceSelection(view, EntityState::Selected, [&](const CEntity& source) -> std::optional<EntityCopy> {
            if (source.type == EntityType::GroupHeader)
                return MovedGroupHeader(source, v.x, v.y);
            return TransformedCopy(source, shift, 1.0, 0.0, policy);
        });
    m_firstCopyTaken = result.firstNew ? 1 : 0;
    m_primary = nullptr;
}

