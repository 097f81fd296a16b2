#include "dialogs/PlanInfoDlg.h"

#include "platform/ByteLimit.h"
#include "dialogs/PassCancelDlg.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kScaleMin = 1;
constexpr int kScaleMax = 100000;

// Radio buttons in the order of CPlanInfoDlg::m_radio.
constexpr int kRadioIds[9] = {
    CPlanInfoDlg::IDC_LANDSCAPE,       CPlanInfoDlg::IDC_PORTRAIT,       CPlanInfoDlg::IDC_PRINT_ACTUAL,
    CPlanInfoDlg::IDC_PRINT_HARDCOPY,  CPlanInfoDlg::IDC_SOURCE_PAPER,   CPlanInfoDlg::IDC_SOURCE_PRINTER,
    CPlanInfoDlg::IDC_PROTECT_NONE,    CPlanInfoDlg::IDC_PROTECT_WRITE,  CPlanInfoDlg::IDC_PROTECT_PASSWORD,
};
constexpr const char* kRadioTexts[9] = {
    "横向き", "縦向き", "実寸印刷", "ハードコピー", "用紙サイズを指定", "現在のプリンター用紙",
    "図面の保護をしない", "図面の書き込み禁止", "パスワード保護",
};
constexpr int kRadioCount = 9;

enum RadioIndex { Landscape, Portrait, PrintActual, PrintHardcopy, SourcePaper, SourcePrinter, ProtNone, ProtWrite, ProtPassword };

const char* const kPaperNames[] = {" A0 ", " Ａ１", " Ａ２ ", " Ａ３", " Ａ４", " Ａ５", " Ａ６", " Ｂ４", " Ｂ５", " Ｂ６"};

} // namespace

CPlanInfoDlg::CPlanInfoDlg(QWidget* parent) : CDialog(IDD_PLANINFO, parent)
{
    setWindowTitle(QStringLiteral("図面情報"));
    auto* layout = new QVBoxLayout(this);

    auto* names = new QGridLayout;
    auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    m_editFileName = AddEdit(IDC_FILE_NAME, 60);
    m_editPlanName = AddEdit(IDC_PLAN_NAME, 60);
    m_editAuthor = AddEdit(IDC_AUTHOR, 40);
    m_editUpdater = AddEdit(IDC_UPDATER, 40);
    names->addWidget(label("ファイル名"), 0, 0);
    names->addWidget(m_editFileName, 0, 1, 1, 3);
    names->addWidget(label("図面名称"), 1, 0);
    names->addWidget(m_editPlanName, 1, 1, 1, 3);
    names->addWidget(label("作者名"), 2, 0);
    names->addWidget(m_editAuthor, 2, 1);
    names->addWidget(label("更新者"), 2, 2);
    names->addWidget(m_editUpdater, 2, 3);
    layout->addLayout(names);

    for (int i = 0; i < kRadioCount; ++i) {
        m_radio[i] = new QRadioButton(QString::fromUtf8(kRadioTexts[i]), this);
        platform::setControlId(m_radio[i], kRadioIds[i]);
        m_radio[i]->setAutoExclusive(false);
    }

    // Paper: scale, size, orientation and source.
    auto* paperBox = new QGroupBox(QStringLiteral("用紙"), this);
    auto* paper = new QGridLayout(paperBox);
    m_editScale = new QLineEdit(this);
    platform::setControlId(m_editScale, IDC_SCALE);
    m_editScale->setMaxLength(10);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(label("１／"));
    scaleRow->addWidget(m_editScale);
    paper->addWidget(label("図面縮尺"), 0, 0);
    paper->addLayout(scaleRow, 0, 1);
    m_labelPaper = label("用紙サイズ");
    platform::setControlId(m_labelPaper, IDC_PAPER_LABEL);
    m_listPaper = new QListWidget(this);
    platform::setControlId(m_listPaper, IDC_PAPER);
    for (const char* name : kPaperNames) {
        m_listPaper->addItem(QString::fromUtf8(name));
    }
    m_listPaper->setFixedHeight(m_listPaper->sizeHintForRow(0) * 4 + 6);
    paper->addWidget(m_labelPaper, 1, 0, Qt::AlignTop);
    paper->addWidget(m_listPaper, 1, 1);
    auto* orient = new QVBoxLayout;
    orient->addWidget(m_radio[Landscape]);
    orient->addWidget(m_radio[Portrait]);
    paper->addLayout(orient, 0, 2, 2, 1);
    auto* source = new QVBoxLayout;
    source->addWidget(m_radio[SourcePaper]);
    source->addWidget(m_radio[SourcePrinter]);
    paper->addLayout(source, 0, 3, 2, 1);
    layout->addWidget(paperBox);

    // Dates.
    auto* dates = new QGridLayout;
    const int dateIds[2][3] = {{IDC_MAKE_YEAR, IDC_MAKE_MONTH, IDC_MAKE_DAY},
                               {IDC_UPDATE_YEAR, IDC_UPDATE_MONTH, IDC_UPDATE_DAY}};
    const char* units[3] = {"年", "月", "日"};
    const char* rows[2] = {"作成日付", "更新日付"};
    for (int r = 0; r < 2; ++r) {
        dates->addWidget(label(rows[r]), r, 0);
        for (int c = 0; c < 3; ++c) {
            QLineEdit* e = AddEdit(dateIds[r][c], c == 0 ? 4 : 2);
            e->setMaximumWidth(c == 0 ? 60 : 36);
            (r == 0 ? m_editMake : m_editUpdate)[c] = e;
            dates->addWidget(e, r, 1 + 2 * c);
            dates->addWidget(label(units[c]), r, 2 + 2 * c);
        }
    }
    auto* print = new QGroupBox(QStringLiteral("印刷"), this);
    auto* printLayout = new QVBoxLayout(print);
    printLayout->addWidget(m_radio[PrintActual]);
    printLayout->addWidget(m_radio[PrintHardcopy]);
    auto* dateRow = new QHBoxLayout;
    dateRow->addLayout(dates);
    dateRow->addWidget(print);
    layout->addLayout(dateRow);

    // Protection.
    auto* protBox = new QGroupBox(QStringLiteral("図面の保護"), this);
    auto* prot = new QGridLayout(protBox);
    prot->addWidget(m_radio[ProtNone], 0, 0);
    prot->addWidget(m_radio[ProtWrite], 0, 1);
    prot->addWidget(m_radio[ProtPassword], 0, 2);
    m_editPassword = AddEdit(IDC_PASSWORD, 8);
    m_editPassword->setEchoMode(QLineEdit::Password);
    prot->addWidget(label("パスワード"), 1, 0);
    prot->addWidget(m_editPassword, 1, 1);
    prot->addWidget(label("（8文字以内）"), 1, 2);
    layout->addWidget(protBox);

    layout->addLayout(MakeOkCancelRow(QStringLiteral("実　行"), QStringLiteral("ｷｬﾝｾﾙ")));

    // Texts are limited in code page 932 bytes; the scale is a whole number
    // in its range. A refusal selects the field's text.
    struct Text {
        QLineEdit* edit;
        std::string* member;
        int maxBytes;
    };
    const Text texts[] = {
        {m_editFileName, &m_strFileName, 60},    {m_editPlanName, &m_strPlanName, 60},
        {m_editAuthor, &m_strAuthor, 40},        {m_editUpdater, &m_strUpdater, 40},
        {m_editMake[0], &m_strMakeYear, 4},      {m_editMake[1], &m_strMakeMonth, 2},
        {m_editMake[2], &m_strMakeDay, 2},       {m_editUpdate[0], &m_strUpdateYear, 4},
        {m_editUpdate[1], &m_strUpdateMonth, 2}, {m_editUpdate[2], &m_strUpdateDay, 2},
        {m_editPassword, &m_strPassword, 8},
    };
    for (const Text& t : texts)
        Exchange().Cp932Text(t.edit, *t.member, t.maxBytes).Exclaiming();
    Exchange().Integer(m_editScale, m_nScale, std::pair{kScaleMin, kScaleMax}).Exclaiming();
    Exchange().ListRow(m_listPaper, m_nPaper);

    connect(m_radio[Landscape], &QRadioButton::clicked, this, [this] { m_nOrientation = 0; CheckRadios(); });
    connect(m_radio[Portrait], &QRadioButton::clicked, this, [this] { m_nOrientation = 1; CheckRadios(); });
    connect(m_radio[PrintActual], &QRadioButton::clicked, this, [this] { m_nPrintType = 0; CheckRadios(); });
    connect(m_radio[PrintHardcopy], &QRadioButton::clicked, this, [this] { m_nPrintType = 1; CheckRadios(); });
    connect(m_radio[SourcePaper], &QRadioButton::clicked, this, [this] {
        m_nPaperSource = 0;
        EnablePaperList(true);
        CheckRadios();
    });
    connect(m_radio[SourcePrinter], &QRadioButton::clicked, this, [this] {
        m_nPaperSource = 1;
        EnablePaperList(false);
        CheckRadios();
    });
    connect(m_radio[ProtNone], &QRadioButton::clicked, this, [this] { OnProtectionClicked(0); });
    connect(m_radio[ProtWrite], &QRadioButton::clicked, this, [this] { OnProtectionClicked(1); });
    connect(m_radio[ProtPassword], &QRadioButton::clicked, this, [this] { OnProtectionClicked(2); });
}

QLineEdit* CPlanInfoDlg::AddEdit(int id, int maxBytes)
{
    auto* e = new QLineEdit(this);
    platform::setControlId(e, id);
    LimitTextBytes(e, maxBytes);
    return e;
}

bool CPlanInfoDlg::OnInitDialog()
{
    if (m_bExisting) {
        m_editFileName->setEnabled(false);
        m_editAuthor->setEnabled(false);
        for (QLineEdit* e : m_editMake) {
            e->setEnabled(false);
        }
        if (m_nProtection == 2) {
            m_editPassword->setEnabled(false);
        }
    }
    m_nProtectionAtOpen = m_nProtection;
    m_strPasswordAtOpen = m_strPassword;
    UpdateData(false);
    if (m_nPaperSource != 0 && m_nPaperSource != 1) {
        m_nPaperSource = 0;
    }
    CheckRadios();
    EnablePaperList(m_nPaperSource == 0);
    return true;
}

void CPlanInfoDlg::CheckRadios()
{
    m_radio[Landscape]->setChecked(m_nOrientation == 0);
    m_radio[Portrait]->setChecked(m_nOrientation == 1);
    m_radio[PrintActual]->setChecked(m_nPrintType == 0);
    m_radio[PrintHardcopy]->setChecked(m_nPrintType == 1);
    m_radio[SourcePaper]->setChecked(m_nPaperSource == 0);
    m_radio[SourcePrinter]->setChecked(m_nPaperSource == 1);
    m_radio[ProtNone]->setChecked(m_nProtection == 0);
    m_radio[ProtWrite]->setChecked(m_nProtection == 1);
    m_radio[ProtPassword]->setChecked(m_nProtection == 2);
}

void CPlanInfoDlg::EnablePaperList(bool on)
{
    m_listPaper->setEnabled(on);
    m_labelPaper->setEnabled(on);
}

bool CPlanInfoDlg::ReleaseProtection()
{
    if (!m_bExisting || m_nProtectionAtOpen != 2 || m_nProtection != 2) {
        return true;
    }
    CPassCancelDlg dlg(this);
    dlg.m_strPassword = m_strPasswordAtOpen;
    return dlg.DoModal() == IDOK;
}

void CPlanInfoDlg::OnProtectionClicked(int protection)
{
    // Leaving password protection on a drawing that had it asks for the
    // password, whether the drawing then goes unprotected or write-protected.
    if (protection != 2 && !ReleaseProtection()) {
        CheckRadios(); // stays password-protected
        return;
    }
    m_nProtection = protection;
    if (protection != 2) {
        m_editPassword->setEnabled(true);
    }
    CheckRadios();
}
