// Opening foreign drawings into a new document: each reader fills the
// entity list, then the document's shared import tail lays the drawing out.

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"

#include "model/Document.h"
#include "model/Notify.h"

#include <cmath>

float ImportScale(double scale)
{
    const float s = static_cast<float>(scale);
    return std::isfinite(s) && s > 0.0f ? s : 1.0f;
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
    return 1;
}
