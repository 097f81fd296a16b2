#include "dialogs/ChangeImageDlg.h"

#include "annotation_tools/ImageTool.h"
#include "platform/Controls.h"
#include "platform/Images.h"
#include "platform/Places.h"
#include "platform/ShownNumber.h"
#include "platform/Ui.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// The preview static: its owner paints it.
class PicturePreview : public QWidget {
public:
    PicturePreview(QWidget* parent, std::function<void(QWidget*)> paint) : QWidget(parent), paint_(std::move(paint)) {}

protected:
    void paintEvent(QPaintEvent*) override { paint_(this); }

private:
    std::function<void(QWidget*)> paint_;
};

QString Fixed2(double v)
{
    return QString::asprintf("%0.2f", v);
}

} // namespace

FittedImage FitImage(int width, int height, int left, int top, int right, int bottom)
{
    FittedImage fit;
    const int w = right - left;
    const int h = bottom - top;
    if (width <= 0 || height <= 0 || w <= 0 || h <= 0)
        return fit;
    if (double(height) / width >= double(h) / w) {
        fit.height = h;
        fit.width = int(double(h) / height * width);
    } else {
        fit.width = w;
        fit.height = int(double(w) / width * height);
    }
    fit.left = w - fit.width < 2 ? left : left + (w - fit.width) / 2;
    fit.top = h - fit.height < 2 ? top : top + (h - fit.height) / 2;
    return fit;
}

CChangeImageDlg::CChangeImageDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_IMAGE, QStringLiteral("画像作図属性変更"), parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* placeBox = new QGroupBox(QStringLiteral(" 作図座標 "), this);
    auto* grid = new QGridLayout(placeBox);
    const int ids[4] = {IDC_START_X, IDC_START_Y, IDC_X_ROW, IDC_Y_ROW};
    for (int i = 0; i < 4; ++i)
        m_fields[i] = MakeNumericEdit(placeBox, ids[i]);
    grid->addWidget(new QLabel(QStringLiteral("開始Ｘ座標"), placeBox), 0, 0);
    grid->addWidget(m_fields[0], 0, 1);
    m_rowLabels[0] = new QLabel(placeBox);
    platform::setControlId(m_rowLabels[0], IDC_X_ROW_LABEL);
    grid->addWidget(m_rowLabels[0], 0, 2);
    grid->addWidget(m_fields[2], 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("開始Ｙ座標"), placeBox), 1, 0);
    grid->addWidget(m_fields[1], 1, 1);
    m_rowLabels[1] = new QLabel(placeBox);
    platform::setControlId(m_rowLabels[1], IDC_Y_ROW_LABEL);
    grid->addWidget(m_rowLabels[1], 1, 2);
    grid->addWidget(m_fields[3], 1, 3);
    top->addWidget(placeBox);
    top->addWidget(MakeChoiceBox(QStringLiteral(" 表示方法 "),
                                 {{QStringLiteral("座標で表示"), IDC_CORNERS, [this] { OnSizeMode(0); }},
                                  {QStringLiteral("縦横で表示"), IDC_SIZES, [this] { OnSizeMode(1); }}},
                                 m_modes));
    layout->addLayout(top);

    auto* fileBox = new QGroupBox(QStringLiteral(" 画像ファイル "), this);
    auto* fileRow = new QHBoxLayout(fileBox);
    m_path = new QLineEdit(fileBox);
    platform::setControlId(m_path, IDC_PATH);
    m_path->setMaxLength(255);
    m_path->setMinimumWidth(300);
    connect(m_path, &QLineEdit::textChanged, this, [this] { ShowPicture(); });
    fileRow->addWidget(m_path);
    auto* browse = new QPushButton(QStringLiteral("参照画像"), fileBox);
    platform::setControlId(browse, IDC_BROWSE);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CChangeImageDlg::OnBrowse);
    fileRow->addWidget(browse);
    layout->addWidget(fileBox);

    auto* bottom = new QHBoxLayout;
    m_preview = new PicturePreview(this, [this](QWidget* box) { PaintPreview(box); });
    platform::setControlId(m_preview, IDC_PREVIEW);
    m_preview->setFixedSize(160, 120);
    bottom->addWidget(m_preview);
    auto* infoBox = new QGroupBox(QStringLiteral(" 画像情報 "), this);
    auto* infoGrid = new QGridLayout(infoBox);
    const QString headers[3] = {QStringLiteral("画像幅"), QStringLiteral("画像高さ"), QStringLiteral("表示ビット")};
    const int infoIds[3] = {IDC_PIXEL_WIDTH, IDC_PIXEL_HEIGHT, IDC_DEPTH};
    for (int i = 0; i < 3; ++i) {
        infoGrid->addWidget(new QLabel(headers[i], infoBox), 0, i);
        m_info[i] = new QLabel(infoBox);
        platform::setControlId(m_info[i], infoIds[i]);
        infoGrid->addWidget(m_info[i], 1, i);
    }
    bottom->addWidget(infoBox);
    layout->addLayout(bottom);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
}

bool CChangeImageDlg::OnInitDialog()
{
    CPropertyDialog::OnInitDialog();
    const double shown[4] = {x1, y1, x2, y2};
    for (int i = 0; i < 4; ++i)
        platform::showNumber(m_fields[i], shown[i], FormatFieldValue(shown[i]));
    m_path->setText(path);
    sizeMode = 0;
    m_modes[0]->setChecked(true);
    ShowRowLabels();
    ShowPicture();
    return true;
}

void CChangeImageDlg::ShowRowLabels()
{
    m_rowLabels[0]->setText(sizeMode == 1 ? QStringLiteral(" 画像幅") : QStringLiteral("終了Ｘ座標"));
    m_rowLabels[1]->setText(sizeMode == 1 ? QStringLiteral(" 画像高さ") : QStringLiteral("終了Ｙ座標"));
}

bool CChangeImageDlg::ReadFields(int mode)
{
    const bool sizes = mode == 1;
    const QString empty[4] = {QStringLiteral("始端側Ｘ座標値が入力されていません！"),
                              QStringLiteral("始端側Ｙ座標値が入力されていません！"),
                              sizes ? QStringLiteral("画像幅の値が入力されていません！")
                                    : QStringLiteral("終端側Ｘ座標値が入力されていません！"),
                              sizes ? QStringLiteral("画像高さの値が入力されていません！")
                                    : QStringLiteral("終端側Ｙ座標値が入力されていません！")};
    const QString bad[4] = {QStringLiteral("始端側Ｘ座標の入力に誤りがあります！"),
                            QStringLiteral("始端側Ｙ座標の入力に誤りがあります！"),
                            sizes ? QStringLiteral("画像幅の値の入力に誤りがあります！")
                                  : QStringLiteral("終端側Ｘ座標の入力に誤りがあります！"),
                            sizes ? QStringLiteral("画像高さの値の入力に誤りがあります！")
                                  : QStringLiteral("終端側Ｙ座標の入力に誤りがあります！")};
    const auto refuse = [this](QLineEdit* field, const QString& message) {
        platform::messageBox(message, QString(), MB_OK, this);
        field->setFocus(Qt::OtherFocusReason);
        return false;
    };
    for (int i = 0; i < 4; ++i)
        if (m_fields[i]->text().isEmpty())
            return refuse(m_fields[i], empty[i]);
    double read[4];
    for (int i = 0; i < 4; ++i) {
        if (const std::optional<double> shown = platform::untouchedNumber(m_fields[i]))
            read[i] = *shown;
        else if (!ParseFieldNumber(m_fields[i]->text(), read[i]))
            return refuse(m_fields[i], bad[i]);
    }
    x1 = read[0];
    y1 = read[1];
    x2 = read[2];
    y2 = read[3];
    return true;
}

bool CChangeImageDlg::ConvertCoordinates(int mode)
{
    if (!ReadFields(mode))
        return false;
    // The rows read are of the other presentation.
    const double xRow = mode == 1 ? x2 - x1 : x1 + x2;
    const double yRow = mode == 1 ? y2 - y1 : y1 + y2;
    platform::showNumber(m_fields[2], xRow, Fixed2(xRow));
    platform::showNumber(m_fields[3], yRow, Fixed2(yRow));
    return true;
}

void CChangeImageDlg::OnSizeMode(int mode)
{
    if (mode == sizeMode)
        return;
    if (!ConvertCoordinates(mode)) {
        // The rows still show the old presentation, and so do the labels.
        const QSignalBlocker quiet(m_modes[sizeMode]);
        m_modes[sizeMode]->setChecked(true);
        return;
    }
    sizeMode = mode;
    ShowRowLabels();
}

void CChangeImageDlg::OnBrowse()
{
    platform::FileRequest request;
    request.title = QStringLiteral("ＢＭＰ画像ファイル指定");
    request.filter = QStringLiteral("ＢＭＰ画像ファイル (*.BMP)|*.BMP|全てのファイル (*.*)|*.*||");
    const platform::FileChoice choice = platform::chooseOpenFile(request, this);
    if (!choice)
        return;
    m_path->setText(choice.path);
    platform::writeIniString(QStringLiteral("OrvikCAD"), QStringLiteral("OpenDir"),
                             QFileInfo(choice.path).absolutePath());
}

void CChangeImageDlg::OnOK()
{
    if (!ReadFields(sizeMode))
        return;
    double farX = x2;
    double farY = y2;
    if (sizeMode == 1) {
        farX += x1;
        farY += y1;
    }
    const QString typed = m_path->text();
    if (!QFileInfo(typed).isFile()) {
        platform::messageBox(QStringLiteral("指定された画像ファイルは存在しません。"), QString(), MB_OK, this);
        m_path->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The drawing keeps the path whole or not at all.
    const CImageTool::StoredPath stored = CImageTool::PathForRecord(typed);
    if (!stored.refusal.isEmpty()) {
        platform::messageBox(stored.refusal, QString(), MB_OK, this);
        m_path->setFocus(Qt::OtherFocusReason);
        return;
    }
    x2 = farX;
    y2 = farY;
    path = typed;
    EndDialog(IDOK);
}

void CChangeImageDlg::ShowPicture()
{
    const QString file = m_path->text();
    if (file != m_loadedPath) {
        m_loadedPath = file;
        m_picture = file.isEmpty() ? QImage() : platform::readImage(file);
        const int depth = m_picture.isNull() ? 0 : platform::imageFileDepth(file);
        m_info[0]->setText(QString::asprintf("%6d ", m_picture.width()));
        m_info[1]->setText(QString::asprintf("%6d", m_picture.height()));
        m_info[2]->setText(QString::asprintf("%d bit", depth));
    }
    m_preview->update();
}

void CChangeImageDlg::PaintPreview(QWidget* box)
{
    QPainter painter(box);
    const QRect inner = box->rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inner, Qt::black);
    painter.setClipRect(inner);
    const FittedImage fit = FitImage(m_picture.width(), m_picture.height(), inner.left(), inner.top(),
                                     inner.left() + inner.width(), inner.top() + inner.height());
    if (fit.width > 0 && fit.height > 0)
        painter.drawImage(QRect(fit.left, fit.top, fit.width, fit.height), m_picture);
}
