#include "dialogs/OperationBox.h"

#include "platform/Controls.h"
#include "platform/Ui.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool IsSwallowedKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
        event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// The text without surrounding blanks and tabs, as bytes for from_chars.
std::string Trimmed(const QString& text)
{
    std::string s = text.toStdString();
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) {
        return {};
    }
    std::size_t e = s.find_last_not_of(" \t");
    s = s.substr(b, e - b + 1);
    if (s.size() > 1 && s[0] == '+' && s[1] != '-' && s[1] != '+') {
        s.erase(0, 1);
    }
    return s;
}

// Range bounds as the messages show them.
QString FormatBound(double v)
{
    return QString::asprintf("%.*g", 6, v);
}

} // namespace

COperationBox::COperationBox(unsigned resourceId, const QString& title, QWidget* parent)
    : CDialog(resourceId, parent)
{
    // A child of the option bar, not a window of its own.
    setWindowFlags(Qt::Widget);
    setWindowTitle(title);
    platform::setControlId(this, int(resourceId));
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(4, 1, 4, 1);
    m_row->setSpacing(6);
}

COperationBox::~COperationBox()
{
    // The controls go after this object; nothing they do on the way may reach
    // the handlers of a half-destroyed panel.
    m_bExchanging = true;
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* c : children) {
        c->removeEventFilter(this);
        c->disconnect(this);
    }
    for (RadioGroup& r : m_radios) {
        r.group->disconnect(this);
    }
}

// ---------------------------------------------------------------------------
// Numbers

QString COperationBox::FormatReal(float value)
{
    return QString::asprintf("%.*g", 6, double(value));
}

std::optional<float> COperationBox::ParseReal(const QString& text)
{
    std::string s = Trimmed(text);
    if (s.empty()) {
        return std::nullopt;
    }
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v) ||
        std::fabs(v) > double(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return float(v);
}

std::optional<int> COperationBox::ParseInteger(const QString& text)
{
    std::string s = Trimmed(text);
    if (s.empty()) {
        return std::nullopt;
    }
    int v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return v;
}

QString COperationBox::RealMessage()
{
    return QStringLiteral("数値を入力してください。");
}

QString COperationBox::IntegerMessage()
{
    return QStringLiteral("整数を入力してください。");
}

QString COperationBox::RealRangeMessage(float lo, float hi)
{
    return QStringLiteral("%1 から %2 までの数値を入力してください。").arg(FormatBound(lo), FormatBound(hi));
}

QString COperationBox::IntegerRangeMessage(int lo, int hi)
{
    return QStringLiteral("%1 から %2 までの整数を入力してください。").arg(lo).arg(hi);
}

// ---------------------------------------------------------------------------
// Data exchange

bool COperationBox::UpdateData(bool save)
{
    if (!save) {
        for (Exchange& x : m_exchanges) {
            switch (x.kind) {
            case Kind::Real:
                static_cast<QLineEdit*>(x.control)->setText(FormatReal(*x.real));
                break;
            case Kind::Integer:
                static_cast<QLineEdit*>(x.control)->setText(QString::number(*x.integer));
                break;
            case Kind::Check:
                static_cast<QCheckBox*>(x.control)->setChecked(*x.integer != 0);
                break;
            case Kind::List: {
                auto* list = static_cast<QComboBox*>(x.control);
                QSignalBlocker quiet(list);
                list->setCurrentIndex(*x.integer >= 0 && *x.integer < list->count() ? *x.integer : -1);
                break;
            }
            }
        }
        return true;
    }
    for (Exchange& x : m_exchanges) {
        if (!Save(x)) {
            return false;
        }
    }
    if (!m_bExchanging) {
        // Asked from outside, as the main frame does just before it closes the
        // panel: the edit being typed in is about to lose the focus with the
        // panel, so it writes its value now.
        int i = IndexOf(QApplication::focusWidget());
        if (i >= 0 && (m_exchanges[i].kind == Kind::Real || m_exchanges[i].kind == Kind::Integer) &&
            m_exchanges[i].write) {
            m_exchanges[i].write();
        }
    }
    return true;
}

bool COperationBox::Save(Exchange& x)
{
    switch (x.kind) {
    case Kind::Real: {
        std::optional<float> v = ParseReal(static_cast<QLineEdit*>(x.control)->text());
        if (!v) {
            Fail(x.control, RealMessage());
            return false;
        }
        if (x.range && (*v < float(x.range->lo) || *v > float(x.range->hi))) {
            Fail(x.control, RealRangeMessage(float(x.range->lo), float(x.range->hi)));
            return false;
        }
        *x.real = *v;
        return true;
    }
    case Kind::Integer: {
        std::optional<int> v = ParseInteger(static_cast<QLineEdit*>(x.control)->text());
        if (!v) {
            Fail(x.control, IntegerMessage());
            return false;
        }
        if (x.range && (*v < x.range->lo || *v > x.range->hi)) {
            Fail(x.control, IntegerRangeMessage(int(x.range->lo), int(x.range->hi)));
            return false;
        }
        *x.integer = *v;
        return true;
    }
    case Kind::Check:
        *x.integer = static_cast<QCheckBox*>(x.control)->isChecked() ? 1 : 0;
        return true;
    case Kind::List:
        *x.integer = static_cast<QComboBox*>(x.control)->currentIndex();
        return true;
    }
    return true;
}

void COperationBox::Fail(QWidget* control, const QString& message)
{
    bool was = m_bExchanging;
    m_bExchanging = true;
    platform::messageBox(message, QString(), MB_OK | MB_ICONEXCLAMATION, this);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->selectAll();
    }
    m_bExchanging = was;
}

void COperationBox::Changed(std::size_t index, bool rules)
{
    if (m_bExchanging || index >= m_exchanges.size()) {
        return;
    }
    m_bExchanging = true;
    if (UpdateData(true)) {
        if (m_exchanges[index].write) {
            m_exchanges[index].write();
        }
        if (rules) {
            ApplyRules();
        }
    }
    m_bExchanging = false;
}

int COperationBox::IndexOf(const QObject* control) const
{
    for (std::size_t i = 0; i < m_exchanges.size(); ++i) {
        if (m_exchanges[i].control == control) {
            return int(i);
        }
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Opening and keys

bool COperationBox::OnInitDialog()
{
    UpdateData(false);
    for (RadioGroup& r : m_radios) {
        if (QAbstractButton* b = r.group->button(*r.value)) {
            b->setChecked(true);
        }
    }
    ApplyRules();
    return true;
}

bool COperationBox::eventFilter(QObject* watched, QEvent* event)
{
    if (IsSwallowedKey(event)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::FocusOut && !m_bExchanging) {
        int i = IndexOf(watched);
        if (i >= 0 && (m_exchanges[i].kind == Kind::Real || m_exchanges[i].kind == Kind::Integer)) {
            Changed(std::size_t(i), false);
        }
    }
    return CDialog::eventFilter(watched, event);
}

void COperationBox::keyPressEvent(QKeyEvent* event)
{
    if (IsSwallowedKey(event)) {
        event->accept();
        return;
    }
    CDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// Building

void COperationBox::Watch(QWidget* control)
{
    control->installEventFilter(this);
}

COperationBox::Exchange& COperationBox::AddExchange(Exchange x)
{
    m_exchanges.push_back(std::move(x));
    return m_exchanges.back();
}

QLabel* COperationBox::AddLabel(const QString& text, int id)
{
    auto* label = new QLabel(text, this);
    if (id >= 0) {
        platform::setControlId(label, id);
    }
    m_row->addWidget(label);
    return label;
}

namespace {

QLineEdit* MakeEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    platform::setControlId(edit, id);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 9 + 8);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

QLineEdit* COperationBox::AddRealEdit(int id, float& member, std::function<void()> write, std::optional<Range> range)
{
    QLineEdit* edit = MakeEdit(this, id);
    Watch(edit);
    m_row->addWidget(edit);
    AddExchange({Kind::Real, edit, &member, nullptr, range, std::move(write)});
    return edit;
}

QLineEdit* COperationBox::AddIntegerEdit(int id, int& member, std::function<void()> write, std::optional<Range> range)
{
    QLineEdit* edit = MakeEdit(this, id);
    Watch(edit);
    m_row->addWidget(edit);
    AddExchange({Kind::Integer, edit, nullptr, &member, range, std::move(write)});
    return edit;
}

QCheckBox* COperationBox::AddCheck(int id, const QString& text, int& member, int16_t& value)
{
    auto* check = new QCheckBox(text, this);
    platform::setControlId(check, id);
    Watch(check);
    m_row->addWidget(check);
    int16_t* target = &value;
    int* source = &member;
    AddExchange({Kind::Check, check, nullptr, &member, std::nullopt, [target, source] { *target = *source ? 1 : 0; }});
    std::size_t index = m_exchanges.size() - 1;
    connect(check, &QCheckBox::clicked, this, [this, index] { Changed(index, true); });
    return check;
}

QButtonGroup* COperationBox::AddRadios(std::initializer_list<std::pair<int, QString>> buttons, int16_t& value)
{
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    int position = 0;
    for (const auto& [id, text] : buttons) {
        auto* radio = new QRadioButton(text, this);
        platform::setControlId(radio, id);
        Watch(radio);
        m_row->addWidget(radio);
        group->addButton(radio, position++);
    }
    int16_t* target = &value;
    // A radio button writes its value at once, whatever the edits hold.
    connect(group, &QButtonGroup::idClicked, this, [this, target](int position) {
        *target = int16_t(position);
        if (!m_bExchanging) {
            ApplyRules();
        }
    });
    m_radios.push_back({group, &value});
    return group;
}

QComboBox* COperationBox::AddList(int id, const QStringList& items, int& member, std::function<void()> write)
{
    auto* list = new QComboBox(this);
    platform::setControlId(list, id);
    list->addItems(items);
    Watch(list);
    m_row->addWidget(list);
    AddExchange({Kind::List, list, nullptr, &member, std::nullopt, std::move(write)});
    std::size_t index = m_exchanges.size() - 1;
    connect(list, &QComboBox::currentIndexChanged, this, [this, index] { Changed(index, false); });
    return list;
}

void COperationBox::AddControl(QWidget* control)
{
    control->setParent(this);
    Watch(control);
    m_row->addWidget(control);
}

void COperationBox::AddStretch()
{
    m_row->addStretch(1);
}

void COperationBox::EnableControls(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids) {
        if (QWidget* c = platform::control<QWidget>(this, id)) {
            c->setEnabled(enable);
        }
    }
}

bool COperationBox::IsChecked(int id) const
{
    auto* c = platform::control<QAbstractButton>(const_cast<COperationBox*>(this), id);
    return c && c->isChecked();
}
