#include "dialogs/ChangeSplineDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The picture of a curve: a wave through a 79 x 79 square.
constexpr int SketchSize = 79;

} // namespace

CChangeSplineDlg::CChangeSplineDlg(QWidget* parent)
    : CPropertyDialog(IDD_CHANGE_SPLINE, QStringLiteral("曲線作図属性変更"), parent)
{
    auto* layout = new QHBoxLayout(this);
    QGroupBox* previewBox =
        MakePreviewBox(QStringLiteral(" 作図イメージ "), IDC_PREVIEW, SketchSize + 10, SketchSize + 10);
    layout->addWidget(previewBox);

    auto* right = new QVBoxLayout;
    QGroupBox* styleBox =
        MakeStyleBox(QStringLiteral(" 線種・色属性"), QStringLiteral("線   種"), IDC_LINE_TYPE, IDC_PEN, IDC_COLOR);
    right->addWidget(styleBox);
    right->addLayout(MakeOkCancelRow(QStringLiteral("ｷｬﾝｾﾙ")));
    layout->addLayout(right);
}

void CChangeSplineDlg::DrawPreview(platform::Dc& dc, const platform::Rect& r)
{
    const int o = (r.right - r.left - SketchSize) / 2;
    const int x = r.left + o;
    const int y = r.top + o;
    dc.PolyBezier({{x + 8, y + 60}, {x + 20, y - 10}, {x + 40, y + 20}, {x + 40, y + 40},
                   {x + 40, y + 60}, {x + 60, y + 90}, {x + 72, y + 18}});
}
