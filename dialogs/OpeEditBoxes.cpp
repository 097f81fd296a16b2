#include "dialogs/OpeEditBoxes.h"

#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Dc.h"

#include <QButtonGroup>
#include <QPixmap>
#include <QRadioButton>

namespace {

const COperationBox::Range kAngleRange{-360, 360};

} // namespace

COpeMoveBox::COpeMoveBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　移動・複写 "), parent), m_fScale(MoveScale), m_fAngle(MoveAngle)
{
    AddLabel(QStringLiteral("倍率・縮尺率"));
    AddRealEdit(IDC_SCALE, m_fScale, [this] { MoveScale = m_fScale; });
    AddLabel(QStringLiteral("回転角度"));
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { MoveAngle = m_fAngle; }, kAngleRange);
    AddStretch();
}

COpeMoveZahyoDlg::COpeMoveZahyoDlg(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　移動・複写 "), parent), m_fScale(MoveScale), m_fAngle(MoveAngle)
{
    AddRadios({{IDC_BY_MOUSE, QStringLiteral("マウス指定")}, {IDC_BY_COORDINATES, QStringLiteral("座標指定")}},
              MoveByCoordinates);
    AddLabel(QStringLiteral("倍率・縮尺率"));
    AddRealEdit(IDC_SCALE, m_fScale, [this] { MoveScale = m_fScale; });
    AddLabel(QStringLiteral("回転角度"));
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { MoveAngle = m_fAngle; }, kAngleRange);
    AddStretch();
}

COpeStretchBox::COpeStretchBox(QWidget* parent) : COperationBox(IDD, QStringLiteral("　ストレッチ "), parent)
{
    AddRadios({{IDC_WHOLE, QStringLiteral("全体ストレッチ")},
               {IDC_PART, QStringLiteral("部分ストレッチ")},
               {IDC_PART_LINKED, QStringLiteral("部分連動ストレッチ")}},
              StretchMode);
    AddStretch();
}

COpeKakudaiBox::COpeKakudaiBox(QWidget* parent) : COperationBox(IDD, QStringLiteral("　拡大・縮小 "), parent)
{
    AddRadios({{IDC_CENTRE, QStringLiteral("中心基準")},
               {IDC_LOWER_LEFT, QStringLiteral("左下基準")},
               {IDC_UPPER_LEFT, QStringLiteral("左上基準")}},
              ScaleBase);
    AddStretch();
}

COpeOffsetBox::COpeOffsetBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　オフセット "), parent), m_fDistance(OffsetDistance)
{
    AddLabel(QStringLiteral("オフセット値"));
    AddRealEdit(IDC_DISTANCE, m_fDistance, [this] { OffsetDistance = m_fDistance; });
    AddLabel(QStringLiteral("㎜"));
    AddStretch();
}

// ---------------------------------------------------------------------------

QImage COpePaintBox::PatternPicture(int pattern)
{
    using platform::HatchStyle;
    static const HatchStyle hatches[] = {HatchStyle::Horizontal,       HatchStyle::Vertical,
                                         HatchStyle::Cross,            HatchStyle::BackwardDiagonal,
                                         HatchStyle::ForwardDiagonal,  HatchStyle::DiagonalCross};
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRgb black = qRgb(0, 0, 0);
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            bool on = pattern <= 0 || pattern > 6 || platform::HatchBit(hatches[pattern - 1], x, y);
            if (on) {
                image.setPixel(x, y, black);
            }
        }
    }
    // A frame round the sample.
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 0, black);
        image.setPixel(x, image.height() - 1, black);
    }
    for (int y = 0; y < image.height(); ++y) {
        image.setPixel(0, y, black);
        image.setPixel(image.width() - 1, y, black);
    }
    return image;
}

COpePaintBox::COpePaintBox(QWidget* parent) : COperationBox(IDD, QStringLiteral("　塗りつぶし指定 "), parent)
{
    QButtonGroup* group = AddRadios({{IDC_FIRST_PATTERN + 0, QString()},
                                     {IDC_FIRST_PATTERN + 1, QString()},
                                     {IDC_FIRST_PATTERN + 2, QString()},
                                     {IDC_FIRST_PATTERN + 3, QString()},
                                     {IDC_FIRST_PATTERN + 4, QString()},
                                     {IDC_FIRST_PATTERN + 5, QString()},
                                     {IDC_FIRST_PATTERN + 6, QString()}},
                                    PaintPattern);
    for (int i = 0; i < kPatterns; ++i) {
        if (QAbstractButton* b = group->button(i)) {
            QImage picture = PatternPicture(i);
            b->setIcon(QPixmap::fromImage(picture));
            b->setIconSize(picture.size());
            b->setProperty("iconId", IDI_FIRST_PATTERN + 2 * i);
        }
    }
    AddStretch();
}
