#include "dialogs/PropertyFields.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "platform/Ui.h"

#include <QLineEdit>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

QString FormatFieldValue(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%0.2f", value);
    std::string text(buffer);
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return QString::fromStdString(text);
}

bool ParseFieldNumber(const QString& text, double& value)
{
    const std::string s = text.toStdString();
    if (s.empty())
        return false;
    for (char c : s)
        if (c != '-' && c != '.' && (c < '0' || c > '9'))
            return false;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), parsed, std::chars_format::fixed);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

namespace {

void Refuse(QWidget* dialog, QLineEdit* edit, const QString& message)
{
    platform::messageBox(message, QString(), MB_OK, dialog);
    edit->setFocus();
}

} // namespace

bool CheckNumericField(QWidget* dialog, const NumericField& field)
{
    double parsed = 0.0;
    if (!ParseFieldNumber(field.edit->text(), parsed) || (field.positive && parsed <= 0.0)) {
        Refuse(dialog, field.edit, field.badMessage);
        return false;
    }
    if (field.value)
        *field.value = parsed;
    return true;
}

bool CheckNumericFields(QWidget* dialog, std::span<const NumericField> fields)
{
    for (const NumericField& field : fields)
        if (field.edit->text().isEmpty()) {
            Refuse(dialog, field.edit, field.emptyMessage);
            return false;
        }
    for (const NumericField& field : fields)
        if (!CheckNumericField(dialog, field))
            return false;
    return true;
}

QLineEdit* MakeNumericEdit(QWidget* parent, int id, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    platform::setControlId(edit, id);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}
