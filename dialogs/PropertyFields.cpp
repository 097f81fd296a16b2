#include "dialogs/PropertyFields.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "platform/DialogExchange.h"
#include "platform/Ui.h"

#include <QLineEdit>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

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

// The fields as one checked exchange: emptiness of every field first, then
// each field's characters (and sign); nothing is stored unless all pass.
bool CheckFields(QWidget* dialog, std::span<const NumericField> fields, bool emptiness)
{
    platform::DataExchange exchange(dialog);
    std::vector<double> unused(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const NumericField& field = fields[i];
        platform::DataExchange::NumberRule rule;
        rule.parse = [](const QString& text) -> std::optional<double> {
            double v = 0.0;
            return ParseFieldNumber(text, v) ? std::optional<double>(v) : std::nullopt;
        };
        if (emptiness)
            rule.emptyMessage = field.emptyMessage;
        rule.badMessage = field.badMessage;
        if (field.positive)
            rule.test = [message = field.badMessage](double v) -> platform::DataExchange::Refusal {
                return v <= 0.0 ? platform::DataExchange::Refusal(message) : std::nullopt;
            };
        exchange.Number(field.edit, field.value ? *field.value : unused[i], rule);
    }
    return exchange.Save();
}

} // namespace

bool CheckNumericField(QWidget* dialog, const NumericField& field)
{
    return CheckFields(dialog, std::span<const NumericField>(&field, 1), false);
}

bool CheckNumericFields(QWidget* dialog, std::span<const NumericField> fields)
{
    return CheckFields(dialog, fields, true);
}

QLineEdit* MakeNumericEdit(QWidget* parent, int id, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    platform::setControlId(edit, id);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}
