// Sending the drawing out to other programs' formats.

#include "exchange/DxfFile.h"

#include "model/Document.h"
#include "model/Notify.h"

bool COrvikCadDoc::ExportDxf(const std::filesystem::path& file)
{
    CDxfFile dxf;
    dxf.SelectedOnly = 0;
    dxf.LtScale = header.scale;
    for (int i = 0; i < 3; ++i) {
        dxf.ExtMin[i] = ExtentsMin[i];
        dxf.ExtMax[i] = ExtentsMax[i];
        dxf.LimMin[i] = LimitsMin[i];
        dxf.LimMax[i] = LimitsMax[i];
    }
    dxf.OriginX = DrawingOrigin[0];
    dxf.OriginY = DrawingOrigin[1];
    const bool written = dxf.Write(file, list.first) == DxfWriteOk;
    if (!written) ShowMessage(DxfWriteOpenErrorMessage);
    SetModifiedFlag(true);
    return written;
}
