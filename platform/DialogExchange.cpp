#include "platform/DialogExchange.h"

#include "platform/Encoding.h"
#include "platform/ShownNumber.h"
#include "platform/Ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

namespace platform {

namespace {

// The text without surrounding blanks and tabs and without a single leading
// plus, as bytes for from_chars.
std::string Trimmed(const QString& text)
{
    std::string s = text.toStdString();
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const std::size_t e = s.find_last_not_of(" \t");
    s = s.substr(b, e - b + 1);
    if (s.size() > 1 && s[0] == '+' && s[1] != '-' && s[1] != '+')
        s.erase(0, 1);
    return s;
}

QString FormatBound(double v)
{
    return QString::asprintf("%.*g", 6, v);
}

} // namespace

std::optional<double> DataExchange::ParseReal(const QString& text)
{
    const std::string s = Trimmed(text);
    if (s.empty())
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v) ||
        std::fabs(v) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return v;
}

std::optional<int> DataExchange::ParseInteger(const QString& text)
{
    const std::string s = Trimmed(text);
    if (s.empty())
        return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

QString DataExchange::FormatReal(double value)
{
    return QString::asprintf("%.*g", 6, value);
}

QString DataExchange::RealMessage()
{
    return QStringLiteral("数値を入力してください。");
}

QString DataExchange::IntegerMessage()
{
    return QStringLiteral("整数を入力してください。");
}

QString DataExchange::RealRangeMessage(double lo, double hi)
{
    return QStringLiteral("%1 から %2 までの数値を入力してください。").arg(FormatBound(lo), FormatBound(hi));
}

QString DataExchange::IntegerRangeMessage(int lo, int hi)
{
    return QStringLiteral("%1 から %2 までの整数を入力してください。").arg(lo).arg(hi);
}

QString DataExchange::TextLengthMessage(int maxBytes)
{
    return QStringLiteral("このフィールドには %1 文字以内で入力してください。").arg(maxBytes);
}

DataExchange::Field& DataExchange::Field::Exclaiming()
{
    messageFlags = MB_ICONEXCLAMATION;
    selectOnRefusal = true;
    return *this;
}

DataExchange::Field& DataExchange::Add(Field field)
{
    field.section = sections_.size() - 1;
    fields_.push_back(std::move(field));
    return fields_.back();
}

void DataExchange::Section(std::function<bool()> inUse)
{
    sections_.push_back(std::move(inUse));
}

bool DataExchange::InUse(const Field& field) const
{
    const std::function<bool()>& inUse = sections_[field.section];
    return !inUse || inUse();
}

DataExchange::Field& DataExchange::Number(QLineEdit* edit, double& member, NumberRule rule)
{
    auto staged = std::make_shared<double>(0.0);
    Field f;
    f.control = edit;
    f.emptyMessage = rule.emptyMessage;
    auto format = rule.format ? rule.format : [](double v) { return FormatReal(v); };
    // The text shown is rounded: an edit left as shown gives the member back whole.
    f.load = [edit, &member, format] { showNumber(edit, member, format(member)); };
    f.check = [edit, staged, rule = std::move(rule)]() -> Refusal {
        std::optional<double> v = rule.parse ? rule.parse(edit->text()) : ParseReal(edit->text());
        if (!v)
            return rule.badMessage.isEmpty() ? RealMessage() : rule.badMessage;
        if (const std::optional<double> shown = untouchedNumber(edit))
            v = shown;
        if (rule.range && (*v < rule.range->first || *v > rule.range->second))
            return RealRangeMessage(rule.range->first, rule.range->second);
        if (rule.test)
            if (Refusal r = rule.test(*v))
                return r;
        *staged = *v;
        return std::nullopt;
    };
    f.store = [staged, &member] { member = *staged; };
    return Add(std::move(f));
}

namespace {
constexpr char ShownTextProperty[] = "orvikShownText";
constexpr char ShownValueProperty[] = "orvikShownValue";
} // namespace

void showNumber(QLineEdit* edit, double value, const QString& text)
{
    edit->setText(text);
    edit->setProperty(ShownTextProperty, edit->text());
    edit->setProperty(ShownValueProperty, value);
}

std::optional<double> untouchedNumber(const QLineEdit* edit)
{
    const QVariant text = edit->property(ShownTextProperty);
    if (!text.isValid() || text.toString() != edit->text())
        return std::nullopt;
    return edit->property(ShownValueProperty).toDouble();
}

DataExchange::Field& DataExchange::Real(QLineEdit* edit, float& member, std::optional<std::pair<double, double>> range)
{
    auto staged = std::make_shared<float>(0.0f);
    Field f;
    f.control = edit;
    f.load = [edit, &member] { edit->setText(FormatReal(double(member))); };
    f.check = [edit, staged, range]() -> Refusal {
        const std::optional<double> v = ParseReal(edit->text());
        if (!v)
            return RealMessage();
        const float value = float(*v);
        // The bounds as a float sees them, so that a bound typed back in is
        // taken.
        if (range && (value < float(range->first) || value > float(range->second)))
            return RealRangeMessage(double(float(range->first)), double(float(range->second)));
        *staged = value;
        return std::nullopt;
    };
    f.store = [staged, &member] { member = *staged; };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::Integer(QLineEdit* edit, int& member, std::optional<std::pair<int, int>> range)
{
    auto staged = std::make_shared<int>(0);
    Field f;
    f.control = edit;
    f.load = [edit, &member] { edit->setText(QString::number(member)); };
    f.check = [edit, staged, range]() -> Refusal {
        const std::optional<int> v = ParseInteger(edit->text());
        if (!v)
            return IntegerMessage();
        if (range && (*v < range->first || *v > range->second))
            return IntegerRangeMessage(range->first, range->second);
        *staged = *v;
        return std::nullopt;
    };
    f.store = [staged, &member] { member = *staged; };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::Text(QLineEdit* edit, QString& member)
{
    Field f;
    f.control = edit;
    f.load = [edit, &member] { edit->setText(member); };
    f.check = [] { return Refusal(); };
    f.store = [edit, &member] { member = edit->text(); };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::Cp932Text(QLineEdit* edit, std::string& member, int maxBytes, Overflow overflow)
{
    const bool cut = overflow == Overflow::Cut && maxBytes > 0;
    Field f;
    f.control = edit;
    f.load = [edit, &member, maxBytes] {
        edit->setText(FromCp932(maxBytes > 0 ? Cp932Truncate(member, std::size_t(maxBytes)) : member));
    };
    f.check = [edit, maxBytes, cut]() -> Refusal {
        if (!cut && maxBytes > 0 && ToCp932(edit->text()).size() > std::size_t(maxBytes))
            return TextLengthMessage(maxBytes);
        return std::nullopt;
    };
    f.store = [edit, &member, maxBytes, cut] {
        member = cut ? Cp932Truncate(ToCp932(edit->text()), std::size_t(maxBytes)) : ToCp932(edit->text());
    };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::Check(QAbstractButton* box, int& member)
{
    Field f;
    f.control = box;
    f.load = [box, &member] {
        QSignalBlocker quiet(box);
        box->setChecked(member != 0);
    };
    f.check = [] { return Refusal(); };
    f.store = [box, &member] { member = box->isChecked() ? 1 : 0; };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::List(QComboBox* list, int& member, int fallback)
{
    Field f;
    f.control = list;
    f.load = [list, &member, fallback] {
        QSignalBlocker quiet(list);
        list->setCurrentIndex(member >= 0 && member < list->count() ? member : fallback);
    };
    f.check = [] { return Refusal(); };
    f.store = [list, &member] { member = list->currentIndex(); };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::ListRow(QListWidget* list, int& member)
{
    Field f;
    f.control = list;
    f.load = [list, &member] { list->setCurrentRow(member >= 0 && member < list->count() ? member : -1); };
    f.check = [] { return Refusal(); };
    f.store = [list, &member] {
        if (list->currentRow() >= 0)
            member = list->currentRow();
    };
    return Add(std::move(f));
}

DataExchange::Field& DataExchange::Radios(std::vector<QAbstractButton*> buttons, int& member)
{
    Field f;
    f.control = buttons.empty() ? nullptr : buttons.front();
    f.load = [buttons, &member] {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            QSignalBlocker quiet(buttons[i]);
            buttons[i]->setChecked(int(i) == member);
        }
    };
    f.check = [] { return Refusal(); };
    f.store = [buttons, &member] {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked())
                member = int(i);
    };
    return Add(std::move(f));
}

void DataExchange::Load()
{
    for (const Field& f : fields_)
        if (f.load)
            f.load();
}

void DataExchange::Refuse(const Field& field, const QString& message)
{
    messageBox(message, QString(), MB_OK | field.messageFlags, dialog_);
    if (field.control) {
        field.control->setFocus(Qt::OtherFocusReason);
        if (field.selectOnRefusal)
            if (auto* edit = qobject_cast<QLineEdit*>(field.control))
                edit->selectAll();
    }
}

bool DataExchange::Save()
{
    // The fields of a group stand together, in the order of the groups.
    for (auto begin = fields_.begin(); begin != fields_.end();) {
        const auto end = std::find_if(begin, fields_.end(),
                                      [section = begin->section](const Field& f) { return f.section != section; });
        if (InUse(*begin)) {
            for (auto f = begin; f != end; ++f) {
                if (f->emptyMessage.isEmpty())
                    continue;
                auto* edit = qobject_cast<QLineEdit*>(f->control);
                if (edit && edit->text().isEmpty()) {
                    Refuse(*f, f->emptyMessage);
                    return false;
                }
            }
            for (auto f = begin; f != end; ++f) {
                if (!f->check)
                    continue;
                if (Refusal r = f->check()) {
                    Refuse(*f, *r);
                    return false;
                }
            }
        }
        begin = end;
    }
    for (const Field& f : fields_)
        if (f.store && InUse(f))
            f.store();
    return true;
}

bool DataExchange::SaveField(const QWidget* control)
{
    for (const Field& f : fields_) {
        if (f.control != control || !InUse(f))
            continue;
        if (f.check)
            if (Refusal r = f.check()) {
                Refuse(f, *r);
                return false;
            }
        if (f.store)
            f.store();
        return true;
    }
    return true;
}

} // namespace platform
