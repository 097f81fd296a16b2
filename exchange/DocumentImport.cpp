// Reading foreign drawings aside: each reader fills a ForeignDrawing of its
// own, and a file with nothing to read is refused before any window opens.

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/ImportReport.h"
#include "exchange/JwcFile.h"
#include "exchange/JwwFile.h"

#include "model/Notify.h"

#include <cmath>
#include <string>

float ImportScale(double scale)
{
    const float s = static_cast<float>(scale);
    return std::isfinite(s) && s > 0.0f ? s : 1.0f;
}

namespace {

// JWW and JWC drawings give their drawing area: the extents; the limits
// collapse onto its lower corner.
void SetArea(ForeignDrawing& out, const double* areaMin, const double* areaMax)
{
    for (int i = 0; i < 3; ++i) {
        out.extentsMin[i] = areaMin[i];
        out.extentsMax[i] = areaMax[i];
        out.limitsMin[i] = areaMin[i];
        out.limitsMax[i] = areaMin[i];
    }
}

std::string NotFiniteMessage(int count)
{
    return "数値として扱えない値（無限大または非数）を持つ図形 " + std::to_string(count) + " 個は読み込みませんでした。";
}

// A file that gave no entity at all is refused, saying what it held. The
// report tells, once the drawing is open, what was left out, objects whose
// values are not finite numbers among them.
bool Finish(ForeignDrawing& out, const ImportReport& report, int notFinite)
{
    if (!out.list.first) {
        ShowMessage(ImportNothingReadMessage(report));
        return false;
    }
    out.report = ImportReportMessage(report);
    if (notFinite > 0) {
        if (!out.report.empty())
            out.report += "\n";
        out.report += NotFiniteMessage(notFinite);
    }
    return true;
}

} // namespace

bool ReadDxfDrawing(const std::filesystem::path& file, ForeignDrawing& out)
{
    CDxfFile dxf;
    if (dxf.Read(file, out.list) != DxfReadOk) {
        ShowMessage(DxfReadFailedMessage);
        return false;
    }
    out.scale = ImportScale(dxf.LtScale);
    for (int i = 0; i < 3; ++i) {
        out.extentsMin[i] = dxf.ExtMin[i];
        out.extentsMax[i] = dxf.ExtMax[i];
        out.limitsMin[i] = dxf.LimMin[i];
        out.limitsMax[i] = dxf.LimMax[i];
    }
    out.extentsClaimed = true;
    return Finish(out, dxf.Report, dxf.NotFiniteRecords);
}

bool ReadJwwDrawing(const std::filesystem::path& file, ForeignDrawing& out)
{
    CJwwReader reader;
    const int result = ReadJwwFile(file, reader, out.list);
    if (result < 0) {
        ShowMessage(JwwOpenErrorMessage);
        return false;
    }
    if (result >= 11 && result <= 229) {
        ShowMessage(JwwOldVersionMessage);
        return false;
    }
    if (result != JwwHeaderOk) {
        ShowMessage(JwwNotJwwMessage);
        return false;
    }
    // A stream that broke off keeps what was read before it.
    if (!reader.message.empty()) ShowMessage(reader.message);
    out.scale = ImportScale(reader.CoordFactor);
    SetArea(out, reader.AreaMin, reader.AreaMax);
    return Finish(out, reader.Report, reader.NotFiniteRecords);
}

bool ReadJwcDrawing(const std::filesystem::path& file, ForeignDrawing& out)
{
    CJwcReader reader;
    if (reader.ReadJwcFile(file, out.list) != 0) {
        ShowMessage(reader.message.empty() ? JwcReadFailedMessage : reader.message.c_str());
        return false;
    }
    out.scale = ImportScale(reader.JwcScale);
    SetArea(out, reader.AreaMin, reader.AreaMax);
    return Finish(out, ImportReport{}, reader.NotFiniteRecords);
}
