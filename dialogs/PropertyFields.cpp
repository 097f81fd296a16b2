#include "dialogs/PropertyFields.h"

#include "platform/Controls.h"

#include <QLineEdit>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
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

platform::DataExchange::NumberRule PropertyFieldRule(const QString& emptyMessage, const QString& badMessage,
                                                     bool positive)
{
    using platform::DataExchange;
    DataExchange::NumberRule rule;
    rule.parse = [](const QString& text) -> std::optional<double> {
        double v = 0.0;
        return ParseFieldNumber(text, v) ? std::optional<double>(v) : std::nullopt;
    };
    rule.emptyMessage = emptyMessage;
    rule.badMessage = badMessage;
    if (positive)
        rule.test = [badMessage](double v) {
            return v <= 0.0 ? DataExchange::Refusal(badMessage) : std::nullopt;
        };
    rule.format = [](double v) { return FormatFieldValue(v); };
    return rule;
}

QLineEdit* MakeNumericEdit(QWidget* parent, int id, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    platform::setControlId(edit, id);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}
