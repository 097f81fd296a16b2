// COrvikCadView: taking the drawing out as a picture. A boxed region of the
// screen is saved as a raster image (BMP, JPEG, PNG, GIF or TIFF, chosen by
// the file's extension); the whole drawing is saved as an enhanced metafile
// or copied to the clipboard as one. The metafiles are the view's own
// drawing without the grid, the drawing-range frame and the origin mark.

#include "view/FrameHost.h"
#include "view/OrvikCadView.h"
#include "view/ViewDispatch.h"
#include "model/Settings.h"
#include "platform/Clipboard.h"
#include "platform/EmfDc.h"
#include "platform/Files.h"
#include "platform/Images.h"
#include "platform/PainterDc.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace {

// The smallest band (logical pixels, either way) that is saved.
constexpr int MinCapture = 10;

// Clears the range frame and origin mark switches and sets the view's export
// flag for as long as it lives; everything is put back afterwards.
class ExportScope {
public:
    explicit ExportScope(COrvikCadView& view)
        : view_(view), range_(ShowDrawingRange), origin_(ShowOriginMark), exporting_(view.exporting)
    {
        ShowDrawingRange = 0;
        ShowOriginMark = 0;
        view_.exporting = 1;
    }
    ~ExportScope()
    {
        ShowDrawingRange = range_;
        ShowOriginMark = origin_;
        view_.exporting = exporting_;
    }
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

private:
    COrvikCadView& view_;
    int16_t range_, origin_, exporting_;
};

QColor ToQColor(COLORREF c)
{
    return QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
}

} // namespace

void COrvikCadView::RegisterImageOutputCommands()
{
    OnCommand(ID_FILE_SAVE_IMAGE, [this] { OnSaveImage(); });
    OnCommand(ID_FILE_SAVE_EMF, [this] { OnSaveEmf(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    SaveBandRegion = [](COrvikCadView& view, const platform::Rect& band) {
        view.CaptureRegionToImage(band);
    };
}

void COrvikCadView::OnSaveImage()
{
    // A second 32797 while a band is armed keeps the prompt from before it.
    if (bandPurpose != 2) {
        const PromptLine before = CurrentPrompt();
        promptBeforeBand = before.utf8;
        promptBeforeBandWarning = before.warning;
    }
    mouseMode = 1;
    bandPurpose = 2;
    ShowPrompt("画像保存する開始位置をクリックしてください。", false);
    OnSetCursor();
}

int COrvikCadView::CaptureRegionToImage(const platform::Rect& band)
{
    int result = 0;
    const int left = std::min(band.left, band.right);
    const int top = std::min(band.top, band.bottom);
    const int w = std::abs(band.right - band.left);
    const int h = std::abs(band.bottom - band.top);
    if (w >= MinCapture && h >= MinCapture) {
        const QImage& screen = backBuffer.Image();
        int x = left, y = top;
        LogicalToDevice(x, y);
        if (screen.isNull()) {
            platform::beep(0);
            platform::messageBox(QStringLiteral("デバイスコンテキスト取得エラー"));
            result = -1;
        } else {
            // Pixels outside the client come out in the background colour.
            QImage region(w, h, QImage::Format_RGB32);
            region.fill(ToQColor(colors[0]));
            const QRect inside = QRect(x, y, w, h).intersected(screen.rect());
            for (int row = inside.top(); row <= inside.bottom() && !inside.isEmpty(); ++row) {
                const auto* from = reinterpret_cast<const QRgb*>(screen.constScanLine(row)) + inside.left();
                auto* to = reinterpret_cast<QRgb*>(region.scanLine(row - y)) + (inside.left() - x);
                for (int i = 0; i < inside.width(); ++i)
                    to[i] = from[i] | 0xFF000000u;
            }
            result = SaveBitmapToImageFile(region);
        }
    }
    EndImageBand();
    return result;
}

void COrvikCadView::EndImageBand()
{
    if (bandPurpose != 2)
        return;
    if (mouseMode == 1 || mouseMode == 2) {
        if (mouseMode == 2) {
            auto dc = GetClientDc();
            DrawBand(*this, *dc, bandRect);
        }
        mouseMode = 0;
    }
    bandPurpose = 0;
    OnSetCursor();
    ShowPrompt(promptBeforeBand, promptBeforeBandWarning);
}

int COrvikCadView::SaveBitmapToImageFile(const QImage& image)
{
    platform::FileRequest request;
    request.title = QStringLiteral("画像データの保存");
    request.filter = QStringLiteral("ＢＭＰ(*.bmp)|*.bmp|ＪＰＧ(*.jpg)|*.jpg|ＰＮＧ(*.png)|*.png|ＧＩＦ(*.gif)|*.gif|"
                                    "ＴＩＦ(*.tiff)|*.tiff|その他のデータ (*.*) | *.* ||");
    request.initialName = QStringLiteral("未設定ファイル");
    request.defaultExt = QStringLiteral("bmp");
    const platform::FileChoice choice = platform::chooseSaveFile(request, this);
    if (!choice)
        return 0;
    // The format follows the extension, in either case (a name without one
    // has the chosen filter's by now); one that names no image format writes
    // nothing and says why.
    if (platform::imageFormatForPath(choice.path) == platform::ImageFormat::Unknown) {
        platform::messageBox(QStringLiteral("%1 は画像の形式が分からないため保存できません。\n"
                                            "拡張子 bmp, jpg, png, gif, tiff のいずれかを付けて下さい。")
                                 .arg(QFileInfo(choice.path).fileName()));
        return -1;
    }
    if (!platform::writeImage(image, choice.path)) {
        platform::messageBox(QStringLiteral("%1 を保存できませんでした。").arg(QFileInfo(choice.path).fileName()));
        return -1;
    }
    return 0;
}

QByteArray COrvikCadView::DrawingAsEmf()
{
    ExportScope scope(*this);
    platform::EmfDc dc(std::max(clientW, 1), std::max(clientH, 1), 96);
    PrepareDc(dc);
    OnDraw(dc);
    const std::vector<std::uint8_t> bytes = dc.Finish();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QImage COrvikCadView::DrawingAsImage()
{
    ExportScope scope(*this);
    QImage image(std::max(clientW, 1), std::max(clientH, 1), QImage::Format_RGB32);
    COrvikCadDoc* doc = GetDrawing();
    const COLORREF background = colors[0];
    image.fill(ToQColor(background));
    {
        platform::PainterDc dc(image);
        PrepareDc(dc);
        dc.FillRect(dc.GetClipBox(), platform::Brush::Solid(background));
        if (doc)
            OnDraw(dc);
    }
    return image;
}

bool COrvikCadView::OnSaveEmf()
{
    // An image band still armed gives way to the metafile, and its prompt
    // with it.
    EndImageBand();
    platform::FileRequest request;
    request.title = QStringLiteral("メタファイル形式で図面データの保存");
    request.filter = QStringLiteral("メタファイル (*.EMF)|*.emf||");
    request.initialName = QStringLiteral("未設定ファイル");
    request.defaultExt = QStringLiteral("emf");
    const platform::FileChoice choice = platform::chooseSaveFile(request, this);
    if (!choice)
        return false;
    const QByteArray emf = DrawingAsEmf();
    if (!platform::saveFileAtomically(choice.path, std::string_view(emf.constData(), static_cast<size_t>(emf.size())))) {
        platform::messageBox(QStringLiteral("%1 を保存できませんでした。").arg(QFileInfo(choice.path).fileName()));
        return false;
    }
    return true;
}

bool COrvikCadView::OnEditCopy()
{
    const QByteArray emf = DrawingAsEmf();
    const QImage image = DrawingAsImage();
    return platform::putDrawingOnClipboard(emf, image);
}
