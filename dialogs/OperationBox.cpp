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
// Data exchange

bool COperationBox::UpdateData(bool save)
{
    if (!save) {
        Exchange().Load();
        return true;
    }
    const bool outside = !m_bExchanging;
    // A refusal's message takes the focus from the edit; that must not write.
    m_bExchanging = true;
    const bool taken = Exchange().Save();
    m_bExchanging = !outside;
    if (!taken)
        return false;
    if (outside) {
        // Asked from outside, as the main frame does just before it closes the
        // panel: the edit being typed in is about to lose the focus with the
        // panel, so it writes its value now.
        const int i = IndexOf(QApplication::focusWidget());
        if (i >= 0 && m_writers[std::size_t(i)].edit && m_writers[std::size_t(i)].write)
            m_writers[std::size_t(i)].write();
    }
    return true;
}

void COperationBox::Changed(std::size_t index, bool rules)
{
    if (m_bExchanging || index >= m_writers.size()) {
        return;
    }
    m_bExchanging = true;
    if (UpdateData(true)) {
        if (m_writers[index].write) {
            m_writers[index].write();
        }
        if (rules) {
            ApplyRules();
        }
    }
    m_bExchanging = false;
}

int COperationBox::IndexOf(const QObject* control) const
{
    for (std::size_t i = 0; i < m_writers.size(); ++i) {
        if (m_writers[i].control == control) {
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
        if (i >= 0 && m_writers[std::size_t(i)].edit) {
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

std::size_t COperationBox::AddWriter(QWidget* control, bool edit, std::function<void()> write)
{
    m_writers.push_back({control, edit, std::move(write)});
    return m_writers.size() - 1;
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
    std::optional<std::pair<double, double>> bounds;
    if (range)
        bounds = std::pair{range->lo, range->hi};
    Exchange().Real(edit, member, bounds).Exclaiming();
    AddWriter(edit, true, std::move(write));
    return edit;
}

QLineEdit* COperationBox::AddIntegerEdit(int id, int& member, std::function<void()> write, std::optional<Range> range)
{
    QLineEdit* edit = MakeEdit(this, id);
    Watch(edit);
    m_row->addWidget(edit);
    std::optional<std::pair<int, int>> bounds;
    if (range)
        bounds = std::pair{int(range->lo), int(range->hi)};
    Exchange().Integer(edit, member, bounds).Exclaiming();
    AddWriter(edit, true, std::move(write));
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
    Exchange().Check(check, member);
    const std::size_t index = AddWriter(check, false, [target, source] { *target = *source ? 1 : 0; });
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
    Exchange().List(list, member);
    const std::size_t index = AddWriter(list, false, std::move(write));
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
