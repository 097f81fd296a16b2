#include "dialogs/InitPage.h"

#include "model/Cp932Text.h"
#include "model/Settings.h"
#include "platform/ByteLimit.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <charconv>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

QString PositiveMessage()
{
    return QStringLiteral("0 より大きい数値を入力してください。");
}

} // namespace

bool IsGridSensitivity(const int16_t& value)
{
    return value >= 1 && value <= 5;
}

CInitPage::CInitPage(unsigned resourceId, QWidget* parent) : QWidget(parent), m_nIDD(resourceId)
{
    hide();
}

void CInitPage::Take(const CParameterBlock& from)
{
    for (const auto& copy : m_take)
        copy(from, values);
}

void CInitPage::Give(CParameterBlock& to) const
{
    for (const auto& copy : m_give)
        copy(values, to);
}

void CInitPage::Create()
{
    UpdateData(false);
    OnInitDialog();
    show();
}

bool CInitPage::UpdateData(bool save)
{
    if (!save) {
        m_exchange.Load();
        return true;
    }
    for (QWidget* control : m_order)
        if (!m_exchange.SaveField(control))
            return false;
    return true;
}

void CInitPage::Refresh()
{
    UpdateData(false);
}

QString CInitPage::UnitLabel()
{
    return CommandArgument == 0 ? QStringLiteral("㎜") : QStringLiteral("pt.");
}

QString CInitPage::FormatFloat(float value)
{
    // Plain digits unless they grow long; then with an exponent.
    char text[64];
    std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr - text > 12)
        r = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, r.ec == std::errc() ? int(r.ptr - text) : 0);
}

QLineEdit* CInitPage::AddEdit(int id)
{
    auto* edit = new QLineEdit(this);
    platform::setControlId(edit, id);
    return edit;
}

QLabel* CInitPage::AddLabel(const QString& text, int id)
{
    auto* label = new QLabel(text, this);
    if (id >= 0)
        platform::setControlId(label, id);
    return label;
}

QPushButton* CInitPage::AddButton(const QString& text, int id)
{
    auto* button = new QPushButton(text, this);
    platform::setControlId(button, id);
    button->setAutoDefault(false);
    return button;
}

void CInitPage::Real(QLineEdit* edit, float& member, std::optional<std::pair<double, double>> range, bool positive)
{
    auto staged = std::make_shared<float>(0.0f);
    platform::DataExchange::Field f;
    f.control = edit;
    f.load = [edit, &member] { edit->setText(FormatFloat(member)); };
    f.check = [edit, staged, range, positive]() -> platform::DataExchange::Refusal {
        const std::optional<double> v = platform::DataExchange::ParseReal(edit->text());
        if (!v)
            return platform::DataExchange::RealMessage();
        const float value = float(*v);
        if (range && (value < float(range->first) || value > float(range->second)))
            return platform::DataExchange::RealRangeMessage(range->first, range->second);
        if (positive && !(value > 0.0f))
            return PositiveMessage();
        *staged = value;
        return std::nullopt;
    };
    f.store = [staged, &member] { member = *staged; };
    m_exchange.Add(std::move(f)).Exclaiming();
    Listed(edit);
}

void CInitPage::Integer(QLineEdit* edit, int32_t& member, std::optional<std::pair<int, int>> range)
{
    m_exchange.Integer(edit, member, range).Exclaiming();
    Listed(edit);
}

void CInitPage::Integer(QLineEdit* edit, int16_t& member, std::pair<int, int> range)
{
    auto staged = std::make_shared<int16_t>(0);
    platform::DataExchange::Field f;
    f.control = edit;
    f.load = [edit, &member] { edit->setText(QString::number(member)); };
    f.check = [edit, staged, range]() -> platform::DataExchange::Refusal {
        const std::optional<int> v = platform::DataExchange::ParseInteger(edit->text());
        if (!v)
            return platform::DataExchange::IntegerMessage();
        if (*v < range.first || *v > range.second)
            return platform::DataExchange::IntegerRangeMessage(range.first, range.second);
        *staged = int16_t(*v);
        return std::nullopt;
    };
    f.store = [staged, &member] { member = *staged; };
    m_exchange.Add(std::move(f)).Exclaiming();
    Listed(edit);
}

void CInitPage::TextField(QLineEdit* edit, char* field, std::size_t size, std::size_t maxBytes)
{
    const std::size_t limit = std::min(maxBytes, size - 1);
    LimitTextBytes(edit, int(limit));
    platform::DataExchange::Field f;
    f.control = edit;
    f.load = [edit, field, size, limit] {
        const std::string_view bytes(field, strnlen(field, size));
        edit->setText(FromCp932(Cp932Fit(bytes, limit)));
    };
    f.check = [] { return platform::DataExchange::Refusal(); };
    f.store = [edit, field, size, limit] { StoreText(field, size, ToCp932(edit->text()), limit); };
    m_exchange.Add(std::move(f));
    Listed(edit);
}

void CInitPage::StoreText(char* field, std::size_t size, std::string_view text, std::size_t maxBytes)
{
    const std::string_view fitted = Cp932Fit(text.substr(0, text.find('\0')), std::min(maxBytes, size - 1));
    std::memcpy(field, fitted.data(), fitted.size());
    field[fitted.size()] = '\0';
}

void CInitPage::ListRow(QListWidget* list, int32_t& member)
{
    m_exchange.ListRow(list, member);
    Listed(list);
}

void CInitPage::CheckRadio(std::initializer_list<QAbstractButton*> buttons, int value)
{
    int k = 0;
    for (QAbstractButton* button : buttons) {
        QSignalBlocker quiet(button);
        button->setChecked(k++ == value);
    }
}
