#include "tools/NumericField.h"

#include "model/Arithmetic.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"

#include <QLineEdit>

QLineEdit* MakeExpressionEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(ExpressionFieldLength);
    platform::setControlId(edit, id);
    return edit;
}

std::optional<double> EvaluateField(const QString& text)
{
    return EvaluateExpression(ToCp932(text));
}

QString FieldText(double value)
{
    return QString::fromStdString(FormatFieldValue(value));
}

void RefuseField(QWidget* dialog, QLineEdit* field, const QString& message)
{
    platform::messageBox(message, QString(), MB_OK, dialog);
    field->setFocus();
}

QString NoInputMessage()
{
    return QStringLiteral("数値の入力がありません！");
}

QString BadCharacterMessage()
{
    return QString::fromUtf8(ExpressionRefusedMessage);
}
