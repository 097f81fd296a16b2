#include "tools/IdouZahyoDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "tools/NumericField.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>


namespace {

// The picture beside the fields: an X arrow to the right and a Y arrow up
// from a common origin.
QPixmap DirectionsPicture()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::black);
    const QPoint origin(12, 52);
    p.drawLine(origin, QPoint(54, 52));
    p.drawLine(origin, QPoint(12, 10));
    p.drawPolygon(QPolygon({QPoint(58, 52), QPoint(50, 48), QPoint(50, 56)}));
    p.drawPolygon(QPolygon({QPoint(12, 6), QPoint(8, 14), QPoint(16, 14)}));
    p.drawText(QRect(40, 30, 20, 18), Qt::AlignCenter, QStringLiteral("X"));
    p.drawText(QRect(18, 4, 20, 18), Qt::AlignCenter, QStringLiteral("Y"));
    return pm;
}

} // namespace

IdouZahyoDlg::IdouZahyoDlg(QWidget* parent) : CDialog(IDD_IDOUZAHYO, parent)
{
    setWindowTitle(QStringLiteral("移動・複写値入力"));
    auto* layout = new QGridLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(DirectionsPicture());
    platform::setControlId(picture, IDC_PICTURE);
    layout->addWidget(picture, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("Ｘ方向 移動・複写値　（㎜）"), this), 0, 1);
    m_editX = MakeExpressionEdit(this, IDC_X);
    layout->addWidget(m_editX, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ｙ方向 移動・複写値　（㎜）"), this), 2, 1);
    m_editY = MakeExpressionEdit(this, IDC_Y);
    layout->addWidget(m_editY, 3, 1);

    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")), 4, 0, 1, 2);

    // The edits show the expressions as typed; OK takes their values.
    Exchange().Text(m_editX, expressionX);
    Exchange().Text(m_editY, expressionY);
    const auto number = [this](QLineEdit* edit, double& value, const QString& empty) {
        platform::DataExchange::NumberRule rule;
        rule.parse = EvaluateField;
        rule.emptyMessage = empty;
        rule.badMessage = BadCharacterMessage();
        Exchange().Number(edit, value, rule).load = nullptr;
    };
    number(m_editX, valueX, QStringLiteral("Ｘ方向値の入力がありません！"));
    number(m_editY, valueY, QStringLiteral("Ｙ方向値の入力がありません！"));
}

bool IdouZahyoDlg::OnInitDialog()
{
    UpdateData(false);
    m_editX->setFocus();
    return true;
}
