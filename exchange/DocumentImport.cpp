// Opening foreign drawings into a new document: each reader fills a list of
// its own, and the drawing is built from that list in one step, so that a
// refused file leaves the document as it was.

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/ImportReport.h"
#include "exchange/JwcFile.h"
#include "exchange/JwwFile.h"

#include "model/Document.h"
#include "model/EntityBox.h"
#include "model/Notify.h"
#include "model/PaperSizes.h"

#include <algorithm>
#include <cmath>

float ImportScale(double scale)
{
    const float s = static_cast<float>(scale);
    return std::isfinite(s) && s > 0.0f ? s : 1.0f;
}

namespace {

// Extents a file may carry that mean nothing: not numbers, the "unset"
// marker (±1e20), inverted or empty.
bool UsableExtents(const double* min, const double* max)
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

// Copies the records read aside into the drawing, after what it holds (the
// view's grid record); the first copy, or null when nothing was read.
CEntity* TakeOver(COrvikCadDoc& doc, const CEntityList& read)
{
    CEntity* before = doc.list.last;
    for (const CEntity* e = read.first; e; e = e->next) {
        const EntityHeader h{e->type, e->subtype, e->style, e->layer, e->count};
        doc.list.AddEntity(h, e->codes.data(), e->colour, e->values.data(), e->text, e->font);
    }
    return before ? before->next : doc.list.first;
}

// JWW and JWC drawings give their drawing area: the extents; the limits
// collapse onto its lower corner.
void SetAreaExtents(COrvikCadDoc& doc, const double* areaMin, const double* areaMax)
{
    for (int i = 0; i < 3; ++i) {
        doc.ExtentsMin[i] = areaMin[i];
        doc.ExtentsMax[i] = areaMax[i];
        doc.LimitsMin[i] = areaMin[i];
        doc.LimitsMax[i] = areaMin[i];
    }
}

bool RefuseEmpty(const CEntityList& read, const ImportReport& report)
{
    if (read.first) return false;
    ShowMessage(ImportNothingReadMessage(report));
    return true;
}

void TellWhatWasLeftOut(const ImportReport& report)
{
    if (!report.Empty()) ShowMessage(ImportReportMessage(report));
}

} // namespace

int COrvikCadDoc::ImportDxf(const std::filesystem::path& file)
{
    CDxfFile dxf;
    CEntityList read;
    if (dxf.Read(file, read) != DxfReadOk) {
        ShowMessage(DxfReadFailedMessage);
        return 0;
    }
    if (RefuseEmpty(read, dxf.Report)) return 0;
    header.scale = ImportScale(dxf.LtScale);
    for (int i = 0; i < 3; ++i) {
        ExtentsMin[i] = dxf.ExtMin[i];
        ExtentsMax[i] = dxf.ExtMax[i];
        LimitsMin[i] = dxf.LimMin[i];
        LimitsMax[i] = dxf.LimMax[i];
    }
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    // Coordinates count from the drawing origin. When the header's extents
    // mean nothing or that placing misses the sheet, the entities' own
    // extents choose the scale and the paper, and they sit in its middle.
    const ModelBox box = BoxOf(read);
    if (box.valid && !(UsableExtents(dxf.ExtMin, dxf.ExtMax) && Within(box, DrawingOrigin[0], DrawingOrigin[1], *this))) {
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
        TranslateEntities(-(box.minX + box.maxX) / 2.0, -(box.minY + box.maxY) / 2.0, read.first);
    }
    FinishImport(TakeOver(*this, read), 1);
    TellWhatWasLeftOut(dxf.Report);
    return 1;
}

int COrvikCadDoc::ImportJww(const std::filesystem::path& file)
{
    CJwwReader reader;
    CEntityList read;
    const int result = ReadJwwFile(file, reader, read);
    if (result < 0) {
        ShowMessage(JwwOpenErrorMessage);
        return 0;
    }
    if (result >= 11 && result <= 229) {
        ShowMessage(JwwOldVersionMessage);
        return 0;
    }
    if (result != JwwHeaderOk) {
        ShowMessage(JwwNotJwwMessage);
        return 0;
    }
    // A stream that broke off keeps what was read before it.
    if (!reader.message.empty()) ShowMessage(reader.message);
    if (RefuseEmpty(read, reader.Report)) return 0;
    header.scale = ImportScale(reader.CoordFactor);
    SetAreaExtents(*this, reader.AreaMin, reader.AreaMax);
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    for (const CEntity* e = read.first; e; e = e->next)
        if (e->layer >= layerCount && e->layer < MaxLayers) layerCount = static_cast<int16_t>(e->layer + 1);
    FinishImport(TakeOver(*this, read), 1);
    TellWhatWasLeftOut(reader.Report);
    return 1;
}

int COrvikCadDoc::ImportJwc(const std::filesystem::path& file)
{
    CJwcReader reader;
    CEntityList read;
    if (reader.ReadJwcFile(file, read) != 0) {
        ShowMessage(reader.message.empty() ? JwcReadFailedMessage : reader.message.c_str());
        return 0;
    }
    if (RefuseEmpty(read, ImportReport{})) return 0;
    header.scale = ImportScale(reader.JwcScale);
    SetAreaExtents(*this, reader.AreaMin, reader.AreaMax);
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    FinishImport(TakeOver(*this, read), 1);
    return 1;
}
