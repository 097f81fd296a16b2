// Building a new drawing from one read from another program's file.

#include "model/Document.h"
#include "model/EntityBox.h"
#include "model/EntityKinds.h"
#include "model/ForeignDrawing.h"
#include "model/PaperSizes.h"

#include <algorithm>
#include <cmath>

namespace {

// Extents a file may carry that mean nothing: not numbers, the "unset"
// marker (±1e20), inverted or empty.
bool UsableExtents(const std::array<double, 3>& min, const std::array<double, 3>& max)
{
    for (int i = 0; i < 2; ++i) {
        if (!std::isfinite(min[i]) || !std::isfinite(max[i])) return false;
        if (std::fabs(min[i]) >= 1e19 || std::fabs(max[i]) >= 1e19) return false;
        if (!(min[i] < max[i])) return false;
    }
    return true;
}

ModelBox BoxOf(const CEntityList& read)
{
    ModelBox box;
    for (const CEntity* e = read.first; e; e = e->next) box.Add(EntityExtentBox(*e));
    return box;
}

// A box moved by (dx, dy) lies within the drawing's extents.
bool Within(const ModelBox& box, double dx, double dy, const COrvikCadDoc& doc)
{
    const double slack = 1e-6 * (1.0 + std::fabs(doc.ExtentsMax[0]) + std::fabs(doc.ExtentsMax[1]));
    return box.minX + dx >= doc.ExtentsMin[0] - slack && box.maxX + dx <= doc.ExtentsMax[0] + slack &&
           box.minY + dy >= doc.ExtentsMin[1] - slack && box.maxY + dy <= doc.ExtentsMax[1] + slack;
}

// The scale at which a box of w × h sits on the A1 sheet: the smallest of
// 1, 2, 5 × a power of ten at which it fits, or `scale` itself when the box
// fits at it and it is not ten times that.
double ScaleToHold(double scale, double w, double h)
{
    const double longSide = PaperSizeTable[1].longSide, shortSide = PaperSizeTable[1].shortSide;
    auto fits = [&](double s) { return std::max(w, h) <= s * longSide && std::min(w, h) <= s * shortSide; };
    for (double decade = 1.0; decade < 1e12; decade *= 10.0) {
        for (double step : {1.0, 2.0, 5.0}) {
            const double s = step * decade;
            if (fits(s)) return fits(scale) && scale <= 10.0 * s ? scale : s;
        }
    }
    return scale;
}

// Copies the records read aside into the drawing, after what it holds; the
// first copy, or null when nothing was read.
CEntity* TakeOver(COrvikCadDoc& doc, const CEntityList& read)
{
    CEntity* before = doc.list.last;
    for (const CEntity* e = read.first; e; e = e->next) {
        const EntityHeader h{e->type, e->subtype, e->style, e->layer, e->count};
        doc.list.AddEntity(h, e->codes.data(), e->colour, e->values.data(), e->text, e->font);
    }
    return before ? before->next : doc.list.first;
}

} // namespace

void COrvikCadDoc::AddGridRecord()
{
    for (const CEntity* e = list.first; e; e = e->next)
        if (e->type == EntityType::Grid) return;
    const CParameterBlock& p = parameters;
    EntityHeader h;
    h.type = EntityType::Grid;
    h.subtype = p.GridShown;
    h.style = static_cast<int16_t>(p.GridLineType * 100 + p.GridKind);
    h.layer = 0;
    h.count = 3;
    const double values[3] = {0.0, 0.0, static_cast<double>(p.DefaultGridPitch)};
    list.AddEntity(h, FixedCodes(EntityType::Grid).data(), 0, values);
}

void COrvikCadDoc::BuildFromForeign(ForeignDrawing& read)
{
    // The grid record first, as every drawing the view makes starts.
    AddGridRecord();
    header.scale = std::isfinite(read.scale) && read.scale > 0.0f ? read.scale : 1.0f;
    ExtentsMin = read.extentsMin;
    ExtentsMax = read.extentsMax;
    LimitsMin = read.limitsMin;
    LimitsMax = read.limitsMax;
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    // Coordinates count from the drawing origin. When the claimed extents
    // mean nothing or that placing misses the sheet, the entities' own
    // extents choose the scale and the paper, and they sit in its middle.
    const ModelBox box = read.extentsClaimed ? BoxOf(read.list) : ModelBox{};
    if (box.valid && !(UsableExtents(read.extentsMin, read.extentsMax) &&
                       Within(box, DrawingOrigin[0], DrawingOrigin[1], *this))) {
        const double w = box.maxX - box.minX, h = box.maxY - box.minY;
        header.scale = static_cast<float>(ScaleToHold(header.scale, w, h));
        const bool portrait = h > w;
        header.orientation = portrait ? 1 : 0;
        header.paperIndex = 1;
        const double s = header.scale;
        ExtentsMin = {0.0, 0.0, 0.0};
        ExtentsMax = {s * (portrait ? PaperSizeTable[1].shortSide : PaperSizeTable[1].longSide),
                      s * (portrait ? PaperSizeTable[1].longSide : PaperSizeTable[1].shortSide), 0.0};
        DrawingOrigin[0] = ExtentsMax[0] / 2.0;
        DrawingOrigin[1] = ExtentsMax[1] / 2.0;
        TranslateEntities(-(box.minX + box.maxX) / 2.0, -(box.minY + box.maxY) / 2.0, read.list.first);
    }
    for (const CEntity* e = read.list.first; e; e = e->next)
        if (e->layer >= layerCount && e->layer < MaxLayers) layerCount = static_cast<int16_t>(e->layer + 1);
    FinishImport(TakeOver(*this, read.list), 1);
}
