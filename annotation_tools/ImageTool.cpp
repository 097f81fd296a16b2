// CImageTool: the two clicks, the file, the record.

#include "annotation_tools/ImageTool.h"

#include "model/Settings.h"
#include "platform/Encoding.h"
#include "platform/Images.h"
#include "platform/Places.h"
#include "platform/Ui.h"
#include "tools/LengthReadout.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"
#include "model/EntityKinds.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const char* const StartPrompt = "画像を作図します。開始位置を指示して下さい。";
const char* const EndPrompt = "終了位置を指示して下さい。[マウス右：中止]";

// The record's text holds at most this many bytes of the path.
constexpr std::size_t MaxRecordTextBytes = 255;

} // namespace

CImageTool::StoredPath CImageTool::PathForRecord(const QString& path)
{
    StoredPath out;
    out.cp932 = platform::ToCp932(path);
    if (platform::FromCp932(out.cp932) != path) {
        out.refusal = QStringLiteral("%1\nこのファイル名には図面に記録できない文字が含まれているため、画像を貼り付けできません。")
                          .arg(path);
    } else if (out.cp932.size() > MaxStoredPathBytes || out.cp932.size() > MaxRecordTextBytes) {
        out.refusal = QStringLiteral("%1\nファイルのパスが長すぎるため、画像を貼り付けできません。\n"
                                     "パスが %2 バイト以内の場所に置いて下さい。")
                          .arg(path)
                          .arg(MaxStoredPathBytes);
    }
    if (!out.refusal.isEmpty())
        out.cp932.clear();
    return out;
}

platform::Point CImageTool::BandEnd(platform::Point to) const
{
    return toolAux == 1 ? platform::Point{to.x, anchor.y} : platform::Point{anchor.x, to.y};
}

void CImageTool::EraseLabel()
{
    // A label the last click drew over (readoutKind 0) is only forgotten.
    if (readoutKind != 0)
        readout.Erase();
    else
        readout.Forget();
    readoutKind = 0;
}

void CImageTool::EraseBandAndCross()
{
    band_.Erase();
    cross_.Erase();
}

void CImageTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (readoutKind == 1)
        EraseLabel();
    readoutKind = 0;
    PlaceImage(view, *point);
    XorPreviewShown = 0;
}

void CImageTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point)
        return;
    if (InputPointCount == 1)
        DrawRubberBand(view, *point);
    UpdateMagnetMarker(view, *point);
}

void CImageTool::DrawRubberBand(COrvikCadView* view, platform::Point point)
{
    if (XorPreviewShown == 1) {
        band_.Erase();
        corner = point;
        if (LengthReadoutEnabled && readoutKind != 0)
            EraseLabel();
    }
    toolAux = std::abs(corner.x - anchor.x) >= std::abs(corner.y - anchor.y) ? 1 : 0;
    band_.ShowLine(view, xorColor, anchor, BandEnd(corner));
    XorPreviewShown = 1;
    if (LengthReadoutEnabled) {
        const double x = view->XToModel(point.x), y = view->YToModel(point.y);
        readoutPos[0] = x;
        readoutPos[1] = y;
        const int orientation = toolAux;
        readout.Show(view, 1, [this, x, y, orientation](COrvikCadView* v) {
            DrawLengthLabel(*this, v, x, y, orientation);
        });
        readoutKind = 1;
    }
}

void CImageTool::PlaceImage(COrvikCadView* view, platform::Point point)
{
    if (InputPointCount != 1) {
        NumericInputPending = 0;
        toolAux = 0;
        const TakenPoint p = TakePoint(view, point, 0);
        X[0] = p.x;
        Y[0] = p.y;
        X[2] = p.view.x;
        Y[2] = p.view.y;
        anchor = corner = p.view;
        cross_.ShowCross(view, xorColor, anchor);
        InputPointCount = 1;
        Prompt(EndPrompt);
        return;
    }

    TakenPoint p;
    if (NumericInputPending == 1) {
        NumericInputPending = 0;
        const double length = NumericInputValue;
        if (toolAux == 1)
            p = TypedPoint(view, X[2] > corner.x ? X[0] - length : X[0] + length, Y[0]);
        else
            p = TypedPoint(view, X[0], corner.y > Y[2] ? Y[0] - length : Y[0] + length);
    } else {
        p = TakePoint(view, point, 0);
    }
    X[1] = p.x;
    Y[1] = p.y;
    X[3] = p.view.x;
    Y[3] = p.view.y;
    InputPointCount = 0;
    Prompt(StartPrompt);
    EraseBandAndCross();
    if (p.view.x == anchor.x && p.view.y == anchor.y)
        return;

    platform::FileRequest request;
    request.title = QStringLiteral("画像ファイル指定");
    request.filter = QStringLiteral("すべてのファイル(*.*)|*.*|jpg(*.jpg)|*.jpg|gif(*.gif)|*.gif|"
                                    "png(*.png)|*.png|tif(*.fif)|*.tif||");
    const platform::FileChoice choice = platform::chooseOpenFile(request, view);
    if (!choice)
        return;
    platform::writeIniString(QStringLiteral("OrvikCAD"), QStringLiteral("OpenDir"),
                             QFileInfo(choice.path).absolutePath());
    AddImage(view, choice.path);
}

void CImageTool::AddImage(COrvikCadView* view, const QString& path)
{
    // Refusals come before the drawing is touched: a picture that cannot be
    // read has no aspect ratio, and a path the drawing file cannot keep whole
    // would lose the picture at the next save.
    const StoredPath stored = PathForRecord(path);
    if (!stored.refusal.isEmpty()) {
        platform::beep(0);
        platform::messageBox(stored.refusal);
        return;
    }
    const QSize size = platform::imageFileSize(path);
    if (!size.isValid() || size.width() <= 0 || size.height() <= 0) {
        platform::beep(0);
        platform::messageBox(QStringLiteral("%1\nこのファイルは画像として読めないため、貼り付けできません。").arg(path));
        return;
    }
    const double w = size.width(), h = size.height();

    double v[4];
    int16_t subtype = 0;
    if (toolAux == 1) {
        subtype = 1;
        v[0] = std::min(X[0], X[1]);
        v[2] = std::max(X[0], X[1]);
        v[1] = Y[0];
        v[3] = Y[0] + (v[2] - v[0]) * h / w;
    } else {
        v[0] = X[0];
        v[1] = std::min(Y[0], Y[1]);
        v[3] = std::max(Y[0], Y[1]);
        // The width lands on a whole screen pixel at the zoom of the moment.
        const double px = std::trunc(X[2] + std::fabs(Y[3] - Y[2]) * w / h);
        v[2] = view->XToModel(static_cast<int>(std::clamp(px, -2.0e9, 2.0e9)));
    }

    ToolEdit edit(view);
    if (!edit.Ready())
        return;
    const int16_t* codes = FixedCodes(EntityType::Image).data();
    edit.Add(edit.Header(EntityType::Image, subtype, 4), codes, v, stored.cp932);
}

void CImageTool::OnRButtonDown(COrvikCadView* view, unsigned, platform::Point*)
{
    if (InputPointCount != 1)
        return;
    if (readoutKind != 0)
        EraseLabel();
    readoutKind = 0;
    EraseBandAndCross();
    Prompt(StartPrompt);
    InputPointCount = 0;
    OperationRestarted = 1;
    (void)view;
}

void CImageTool::Reset(COrvikCadView* view)
{
    OnRButtonDown(view, ToolFlags::RButton, &corner);
}

void CImageTool::RedrawToolFigures(COrvikCadView* view, platform::Dc& dc)
{
    if (!view)
        return;
    band_.Redraw(view, dc);
    cross_.Redraw(view, dc);
}
