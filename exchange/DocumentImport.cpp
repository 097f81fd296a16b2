// Opening foreign drawings into a new document: each reader fills the
// entity list, then the document's shared import tail lays the drawing out.

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/JwcFile.h"
#include "exchange/JwwFile.h"

#include "model/Document.h"
#include "model/Notify.h"

#include <cmath>
#include <string>

float ImportScale(double scale)
{
    const float s = static_cast<float>(scale);
    return std::isfinite(s) && s > 0.0f ? s : 1.0f;
}

void ReportNotFiniteRecords(int count)
{
    if (count <= 0) return;
    ShowMessage("数値として扱えない値（無限大または非数）を持つ図形 " + std::to_string(count) +
                " 個は読み込みませんでした。");
}

int COrvikCadDoc::ImportDxf(const std::filesystem::path& file)
{
    CDxfFile dxf;
    CEntity* before = list.last;
    if (dxf.Read(file, list) != DxfReadOk) {
        ShowMessage(DxfReadFailedMessage);
        return 0;
    }
    CEntity* firstImported = before ? before->next : list.first;
    header.scale = ImportScale(dxf.LtScale);
    for (int i = 0; i < 3; ++i) {
        ExtentsMin[i] = dxf.ExtMin[i];
        ExtentsMax[i] = dxf.ExtMax[i];
        LimitsMin[i] = dxf.LimMin[i];
        LimitsMax[i] = dxf.LimMax[i];
    }
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    FinishImport(firstImported, 1);
    ReportNotFiniteRecords(dxf.NotFiniteRecords);
    return 1;
}

int COrvikCadDoc::ImportJww(const std::filesystem::path& file)
{
    CJwwReader reader;
    CEntity* before = list.last;
    const int result = ReadJwwFile(file, reader, list);
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
    CEntity* firstImported = before ? before->next : list.first;
    header.scale = ImportScale(reader.CoordFactor);
    for (int i = 0; i < 3; ++i) {
        ExtentsMin[i] = reader.AreaMin[i];
        ExtentsMax[i] = reader.AreaMax[i];
        LimitsMin[i] = reader.AreaMin[i];
        LimitsMax[i] = reader.AreaMin[i];
    }
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    for (CEntity* e = firstImported; e; e = e->next)
        if (e->layer >= layerCount && e->layer < MaxLayers) layerCount = static_cast<int16_t>(e->layer + 1);
    FinishImport(firstImported, 0);
    ReportNotFiniteRecords(reader.NotFiniteRecords);
    return 1;
}

int COrvikCadDoc::ImportJwc(const std::filesystem::path& file)
{
    CJwcReader reader;
    CEntityList read;
    // Read aside first: a file refused halfway adds nothing to the drawing.
    if (reader.ReadJwcFile(file, read) != 0) {
        ShowMessage(reader.message.empty() ? JwcReadFailedMessage : reader.message.c_str());
        return 0;
    }
    CEntity* before = list.last;
    for (const CEntity* e = read.first; e; e = e->next) {
        const EntityHeader h{e->type, e->subtype, e->style, e->layer, e->count};
        list.AddEntity(h, e->codes.data(), e->colour, e->values.data(), e->text, e->font);
    }
    CEntity* firstImported = before ? before->next : list.first;
    header.scale = ImportScale(reader.JwcScale);
    for (int i = 0; i < 3; ++i) {
        ExtentsMin[i] = LimitsMin[i] = reader.AreaMin[i];
        ExtentsMax[i] = LimitsMax[i] = reader.AreaMax[i];
    }
    header.paperIndex = static_cast<uint16_t>(MatchPaperSize());
    FinishImport(firstImported, 0);
    ReportNotFiniteRecords(reader.NotFiniteRecords);
    return 1;
}
