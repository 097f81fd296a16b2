// Sending the drawing out to other programs' formats.

#include "exchange/DxfFile.h"
#include "exchange/JwwFile.h"

#include "model/Document.h"
#include "model/Notify.h"
#include "model/PaperSizes.h"

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

bool COrvikCadDoc::ExportJww(const std::filesystem::path& file)
{
    // JWW knows no A5, A6 or B sizes: the nearest A size it has.
    static constexpr int paperCodes[PaperSizeCount] = {0, 1, 2, 3, 4, 4, 4, 3, 4, 4};
    CJwwWriter writer;
    writer.SelectedOnly = 0;
    writer.PaperCode = header.paperIndex < PaperSizeCount ? paperCodes[header.paperIndex] : 3;
    writer.OriginX = DrawingOrigin[0];
    writer.OriginY = DrawingOrigin[1];
    writer.Scale = header.scale;
    const bool written = WriteJwwFile(file, writer, list.first);
    if (!written) ShowMessage(JwwWriteOpenErrorMessage);
    SetModifiedFlag(true);
    return written;
}
