#include "dialogs/GrigBarDlg.h"

#include "dialogs/GridLineComboBox.h"

#include "view/FrameHost.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kLookList = 1505;
constexpr int kPitchBox = 1000;
constexpr int kPitchMaxChars = 8;

// GridKind and GridLineType of each position.
constexpr int16_t kLookKind[7] = {0, 0, 0, 0, 0, 1, 2};
constexpr int16_t kLookLineType[7] = {0, 1, 2, 3, 4, 0, 0};

bool IsPitchText(const QString& text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (c != QLatin1Char('-') && c != QLatin1Char('.') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            return false;
        }
    }
    return true;
}

float ReadPitch(const QString& text)
{
    float v = 0;
    if (std::sscanf(text.toLatin1().constData(), "%f", &v) != 1) {
        v = 0;
    }
    return v;
}

} // namespace

CGrigBarDlg::CGrigBarDlg(QWidget* parent) : CDialog(IDD_GRIDBAR, parent)
{
    setWindowFlags(Qt::Widget);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);

    auto* looks = new CGridLineComboBox(this);
    m_lookCombo = looks;
    platform::setControlId(m_lookCombo, kLookList);
    m_lookCombo->setMinimumWidth(72);
    looks->FillGridLooks();
    layout->addWidget(m_lookCombo);

    m_pitchCombo = new QComboBox(this);
    platform::setControlId(m_pitchCombo, kPitchBox);
    m_pitchCombo->setEditable(true);
    m_pitchCombo->setInsertPolicy(QComboBox::NoInsert);
    m_pitchCombo->lineEdit()->setMaxLength(kPitchMaxChars);
    m_pitchCombo->setMinimumContentsLength(kPitchMaxChars);
    // The box holds the focus for its line edit, so either may see the
    // focus leave.
    m_pitchCombo->lineEdit()->installEventFilter(this);
    m_pitchCombo->installEventFilter(this);
    layout->addWidget(m_pitchCombo);

    m_sendCommand = [](unsigned id) {
        if (CFrameHost* frame = AfxGetFrameHost()) {
            frame->SendCommand(id);
        }
    };

    // A look outside the list shows the first one.
    Exchange().List(m_lookCombo, m_nGridKind, 0);
    Exchange().Text(m_pitchCombo->lineEdit(), m_strPitch);
    UpdateData(false);
    connect(m_lookCombo, &QComboBox::activated, this, &CGrigBarDlg::OnSelchangeGridKind);
    connect(m_pitchCombo, &QComboBox::activated, this, &CGrigBarDlg::OnSelchangeGridPitch);
    connect(m_pitchCombo->lineEdit(), &QLineEdit::returnPressed, this, &CGrigBarDlg::OnKillfocusGridPitch);
}

bool CGrigBarDlg::OnInitDialog()
{
    return CDialog::OnInitDialog();
}

bool CGrigBarDlg::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_pitchCombo->lineEdit() || watched == m_pitchCombo) && event->type() == QEvent::FocusOut) {
        OnKillfocusGridPitch();
    }
    return CDialog::eventFilter(watched, event);
}

QString CGrigBarDlg::FormatPitch(double pitch)
{
    std::string text = std::to_string(pitch); // "%f"
    while (text.size() > 1 && text.back() == '0') {
        text.pop_back();
    }
    if (text.size() > 1 && text.back() == '.') {
        text.pop_back();
    }
    return QString::fromStdString(text);
}

void CGrigBarDlg::SetSelection(int position)
{
    if (position < 0 || position > 6) {
        return;
    }
    m_nGridKind = position;
    m_lookCombo->setCurrentIndex(position);
}

void CGrigBarDlg::SendGridCommand()
{
    if (m_sendCommand) {
        m_sendCommand(ID_APPLY_GRID);
    }
}

void CGrigBarDlg::OnSelchangeGridKind(int position)
{
    if (position < 0 || position > 6) {
        return;
    }
    m_nGridKind = position;
    GridKind = kLookKind[position];
    GridLineType = kLookLineType[position];
    GridChangeKind = 1;
    SendGridCommand();
}

void CGrigBarDlg::OnKillfocusGridPitch()
{
    if (!UpdateData(true)) {
        return;
    }
    float v = 0;
    if (IsPitchText(m_strPitch)) {
        v = ReadPitch(m_strPitch);
    } else {
        // Anything else shows the pitch in force again and applies nothing.
        if (GridPitch > 0) {
            m_strPitch = FormatPitch(GridPitch);
            m_pitchCombo->setEditText(m_strPitch);
        }
        return;
    }
    if (std::fabs(GridPitch - v) < 0.05) {
        return;
    }
    GridPitch = v;
    GridChangeKind = 0;
    SendGridCommand();
    AddPitchToList();
}

void CGrigBarDlg::OnSelchangeGridPitch(int index)
{
    if (index < 0) {
        return;
    }
    m_strPitch = m_pitchCombo->itemText(index);
    m_pitchCombo->setEditText(m_strPitch);
    OnKillfocusGridPitch();
}

void CGrigBarDlg::AddPitchToList()
{
    if (m_strPitch.isEmpty()) {
        return;
    }
    for (int i = 0; i < m_pitchCombo->count(); ++i) {
        if (m_pitchCombo->itemText(i) == m_strPitch) {
            return;
        }
    }
    m_pitchCombo->addItem(m_strPitch);
}
