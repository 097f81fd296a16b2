#include "edit_tools/DeleteGroupDlg.h"

#include "platform/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CDeleteGroupDlg::CDeleteGroupDlg(QWidget* parent) : CDialog(IDD_DELETE_GROUP, parent)
{
    setWindowTitle(QStringLiteral("グループ削除"));
    auto* layout = new QVBoxLayout(this);

    auto* kinds = new QGroupBox(QStringLiteral(" 作図対象 "), this);
    auto* kindsLayout = new QGridLayout(kinds);
    m_allKinds = new QRadioButton(QStringLiteral("全てを対象"), kinds);
    m_byKind = new QRadioButton(QStringLiteral("個別削除"), kinds);
    platform::setControlId(m_allKinds, IDC_ALL_KINDS);
    platform::setControlId(m_byKind, IDC_BY_KIND);
    kindsLayout->addWidget(m_allKinds, 0, 0, 1, 2);
    kindsLayout->addWidget(m_byKind, 0, 2);
    struct Box {
        const char* label;
        int id;
        int* member;
    };
    // In the order the fields are exchanged.
    const Box boxes[] = {
        {"点", IDC_POINT, &point},         {"円", IDC_CIRCLE, &circle},       {"ハッチ", IDC_HATCH, &hatch},
        {"直線", IDC_LINE, &line},         {"文字", IDC_TEXT, &text},         {"画像", IDC_IMAGE, &image},
        {"曲線", IDC_CURVE, &curve},       {"寸法線", IDC_DIMENSION, &dimension}, {"多角形", IDC_POLYGON, &polygon},
    };
    for (int i = 0; i < 9; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(boxes[i].label), kinds);
        platform::setControlId(box, boxes[i].id);
        kindsLayout->addWidget(box, 1 + i / 3, i % 3);
        m_kinds[static_cast<std::size_t>(i)] = box;
        Exchange().Check(box, *boxes[i].member);
    }
    layout->addWidget(kinds);

    auto* where = new QGroupBox(QStringLiteral(" 削除範囲 "), this);
    auto* whereLayout = new QHBoxLayout(where);
    m_inside = new QRadioButton(QStringLiteral("範囲内を削除"), where);
    m_outside = new QRadioButton(QStringLiteral("範囲外を削除"), where);
    platform::setControlId(m_inside, IDC_INSIDE);
    platform::setControlId(m_outside, IDC_OUTSIDE);
    whereLayout->addWidget(m_inside);
    whereLayout->addWidget(m_outside);
    layout->addWidget(where);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));

    Exchange().Radios({m_allKinds, m_byKind}, mode);
    Exchange().Radios({m_inside, m_outside}, range);
    connect(m_allKinds, &QRadioButton::clicked, this, [this] {
        mode = 0;
        EnableKindChecks();
    });
    connect(m_byKind, &QRadioButton::clicked, this, [this] {
        mode = 1;
        EnableKindChecks();
    });
    connect(m_inside, &QRadioButton::clicked, this, [this] { range = 0; });
    connect(m_outside, &QRadioButton::clicked, this, [this] { range = 1; });
}

bool CDeleteGroupDlg::OnInitDialog()
{
    UpdateData(false);
    EnableKindChecks();
    return true;
}

void CDeleteGroupDlg::EnableKindChecks()
{
    for (QCheckBox* box : m_kinds)
        box->setEnabled(mode == 1);
}

DeleteKindFlags CDeleteGroupDlg::Flags() const
{
    auto s = [](int v) { return static_cast<short>(v != 0); };
    return {s(point), s(line), s(circle), s(text), s(dimension), s(hatch), s(curve), s(image), s(polygon)};
}
