// Sending the drawing out to other programs' formats.

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/JwwFile.h"

#include "model/Document.h"
#include "model/Notify.h"
#include "model/PaperSizes.h"

bool ExportDxf(COrvikCadDoc& drawing, const std::filesystem::path& file)
{
    CDxfFile dxf;
    dxf.SelectedOnly = 0;
    dxf.LtScale = drawing.header.scale;
    for (int i = 0; i < 3; ++i) {
        dxf.ExtMin[i] = drawing.ExtentsMin[i];
        dxf.ExtMax[i] = drawing.ExtentsMax[i];
        dxf.LimMin[i] = drawing.LimitsMin[i];
        dxf.LimMax[i] = drawing.LimitsMax[i];
    }
    dxf.OriginX = drawing.DrawingOrigin[0];
    dxf.OriginY = drawing.DrawingOrigin[1];
    const bool written = dxf.Write(file, drawing.list.first) == DxfWriteOk;
    if (!written) ShowMessage(DxfWriteOpenErrorMessage);
    drawing.SetModifiedFlag(true);
    return written;
}

bool ExportJww(COrvikCadDoc& drawing, const std::filesystem::path& file)
{
    // JWW knows no A5, A6 or B sizes: the nearest A size it has.
    static constexpr int paperCodes[PaperSizeCount] = {0, 1, 2, 3, 4, 4, 4, 3, 4, 4};
    CJwwWriter writer;
    writer.SelectedOnly = 0;
    writer.PaperCode = drawing.header.paperIndex < PaperSizeCount ? paperCodes[drawing.header.paperIndex] : 3;
    writer.OriginX = drawing.DrawingOrigin[0];
    writer.OriginY = drawing.DrawingOrigin[1];
    writer.Scale = drawing.header.scale;
    const bool written = WriteJwwFile(file, writer, drawing.list.first);
    if (!written) ShowMessage(JwwWriteOpenErrorMessage);
    drawing.SetModifiedFlag(true);
    return written;
}
