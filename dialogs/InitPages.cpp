#include "dialogs/InitPages.h"

#include "dialogs/LineComboBox.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstring>

namespace {

QRadioButton* MakeRadio(QWidget* page, const QString& text, int id)
{
    auto* radio = new QRadioButton(text, page);
    platform::setControlId(radio, id);
    radio->setAutoExclusive(false);
    return radio;
}

// Printed widths in millimetres.
constexpr std::pair<double, double> WidthRange{0.0, 99.0};
// Hatch spacings, as the hatch panel takes them: 0 or less never ends a hatch.
constexpr std::pair<double, double> HatchSpacingRange{0.01, 99999.0};
constexpr std::pair<int, int> ScaleRange{1, 100000};
constexpr std::pair<int, int> SensitivityRange{1, 5};

} // namespace

// ---- scale -------------------------------------------------------------------

CInitScaleDlg::CInitScaleDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    int32_t& scale = Carry(&CParameterBlock::DrawingScale);
    int32_t& paper = Carry(&CParameterBlock::PaperSize);
    Carry(&CParameterBlock::UnitsMode);
    Carry(&CParameterBlock::PaperSource);

    auto* layout = new QGridLayout(this);
    m_editScale = AddEdit(IDC_SCALE);
    m_editScale->setMaxLength(6);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(AddLabel(QStringLiteral("図面縮尺")));
    scaleRow->addWidget(AddLabel(QStringLiteral("１／")));
    scaleRow->addWidget(m_editScale);
    scaleRow->addStretch();
    layout->addLayout(scaleRow, 0, 0, 1, 2);

    m_radioSource[0] = MakeRadio(this, QStringLiteral("用紙サイズを指定"), IDC_SOURCE_PAPER);
    m_radioSource[1] = MakeRadio(this, QStringLiteral("現在のプリンター用紙"), IDC_SOURCE_PRINTER);
    m_labelPaper = AddLabel(QStringLiteral("用紙サイズ"), IDC_PAPER_LABEL);
    m_listPaper = new QListWidget(this);
    platform::setControlId(m_listPaper, IDC_PAPER);
    for (const char* name : {" A０", " Ａ１", " Ａ２ ", " Ａ３", " Ａ４", " Ａ５", " Ａ６"})
        m_listPaper->addItem(QString::fromUtf8(name));
    m_listPaper->setFixedHeight(m_listPaper->sizeHintForRow(0) * 4 + 6);
    auto* paperBox = new QGroupBox(QStringLiteral("用紙"), this);
    auto* paperLayout = new QGridLayout(paperBox);
    paperLayout->addWidget(m_radioSource[0], 0, 0);
    paperLayout->addWidget(m_radioSource[1], 1, 0);
    paperLayout->addWidget(m_labelPaper, 2, 0);
    paperLayout->addWidget(m_listPaper, 3, 0);
    layout->addWidget(paperBox, 1, 0);

    m_radioUnits[0] = MakeRadio(this, QStringLiteral(" ㎜ 実値によるサイズ"), IDC_UNITS_MM);
    m_radioUnits[1] = MakeRadio(this, QStringLiteral(" pt 縮尺に連動したポイント"), IDC_UNITS_PT);
    auto* unitsBox = new QGroupBox(QStringLiteral("サイズの単位"), this);
    auto* unitsLayout = new QVBoxLayout(unitsBox);
    unitsLayout->addWidget(m_radioUnits[0]);
    unitsLayout->addWidget(m_radioUnits[1]);
    unitsLayout->addStretch();
    layout->addWidget(unitsBox, 1, 1);

    Integer(m_editScale, scale, ScaleRange);
    ListRow(m_listPaper, paper);

    for (int source = 0; source < 2; ++source)
        connect(m_radioSource[source], &QRadioButton::clicked, this, [this, source] {
            values.PaperSource = int16_t(source);
            CheckRadio({m_radioSource[0], m_radioSource[1]}, source);
            EnablePaperList(source == 0);
        });
    for (int units = 0; units < 2; ++units)
        connect(m_radioUnits[units], &QRadioButton::clicked, this, [this, units] {
            values.UnitsMode = int16_t(units);
            CommandArgument = int16_t(units);
            CheckRadio({m_radioUnits[0], m_radioUnits[1]}, units);
        });
}

void CInitScaleDlg::OnInitDialog()
{
    ShowChoices();
}

void CInitScaleDlg::Refresh()
{
    CInitPage::Refresh();
    ShowChoices();
}

void CInitScaleDlg::ShowChoices()
{
    if (values.PaperSource < 0 || values.PaperSource > 1)
        values.PaperSource = 0;
    if (values.UnitsMode < 0 || values.UnitsMode > 1)
        values.UnitsMode = 0;
    CheckRadio({m_radioSource[0], m_radioSource[1]}, values.PaperSource);
    CheckRadio({m_radioUnits[0], m_radioUnits[1]}, values.UnitsMode);
    EnablePaperList(values.PaperSource == 0);
}

void CInitScaleDlg::EnablePaperList(bool on)
{
    m_listPaper->setEnabled(on);
    m_labelPaper->setEnabled(on);
}

// ---- grid --------------------------------------------------------------------

CInitGridDlg::CInitGridDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    Carry(&CParameterBlock::GridKind);
    Carry(&CParameterBlock::GridLineType);
    float& pitch = Carry(&CParameterBlock::DefaultGridPitch);
    int16_t& sensitivity = Carry(&CParameterBlock::GridSensitivity, &IsGridSensitivity);

    auto* layout = new QGridLayout(this);
    m_editPitch = AddEdit(IDC_PITCH);
    m_editSensitivity = AddEdit(IDC_SENSITIVITY);
    m_editSensitivity->setMaxLength(1);
    layout->addWidget(AddLabel(QStringLiteral("グリッド間隔")), 0, 0);
    layout->addWidget(m_editPitch, 0, 1);
    layout->addWidget(AddLabel(QStringLiteral("㎜")), 0, 2);
    layout->addWidget(AddLabel(QStringLiteral("感度 (1～5)")), 1, 0);
    layout->addWidget(m_editSensitivity, 1, 1);

    auto* kindBox = new QGroupBox(QStringLiteral("グリッドの種類"), this);
    auto* kindLayout = new QGridLayout(kindBox);
    m_radioKind[0] = MakeRadio(this, QStringLiteral("線グリッド"), IDC_KIND_LINES);
    m_radioKind[1] = MakeRadio(this, QStringLiteral("点グリッド"), IDC_KIND_POINTS);
    m_radioKind[2] = MakeRadio(this, QStringLiteral("クロスグリッド"), IDC_KIND_CROSSES);
    m_labelLineType = AddLabel(QStringLiteral("線属性"), IDC_LINE_TYPE_LABEL);
    m_listLineType = new CLineComboBox(this);
    platform::setControlId(m_listLineType, IDC_LINE_TYPE);
    // Positions are the line types; the data the pen styles that draw them.
    for (long style : {0L, 2L, 1L, 3L, 4L})
        m_listLineType->AddItemData(style);
    kindLayout->addWidget(m_radioKind[0], 0, 0);
    kindLayout->addWidget(m_labelLineType, 0, 1);
    kindLayout->addWidget(m_listLineType, 0, 2);
    kindLayout->addWidget(m_radioKind[1], 1, 0);
    kindLayout->addWidget(m_radioKind[2], 2, 0);
    layout->addWidget(kindBox, 2, 0, 1, 3);

    Real(m_editPitch, pitch, std::nullopt, true);
    Integer(m_editSensitivity, sensitivity, SensitivityRange);

    for (int kind = 0; kind < 3; ++kind)
        connect(m_radioKind[kind], &QRadioButton::clicked, this, [this, kind] { OnKind(kind); });
    connect(m_listLineType, &QComboBox::activated, this, [this](int position) {
        if (position >= 0)
            values.GridLineType = int16_t(position);
    });
}

void CInitGridDlg::OnInitDialog()
{
    ShowChoices();
}

void CInitGridDlg::Refresh()
{
    CInitPage::Refresh();
    ShowChoices();
}

void CInitGridDlg::ShowChoices()
{
    if (values.GridKind < 0 || values.GridKind > 2)
        values.GridKind = 0;
    CheckRadio({m_radioKind[0], m_radioKind[1], m_radioKind[2]}, values.GridKind);
    QSignalBlocker quiet(m_listLineType);
    const int type = values.GridLineType;
    m_listLineType->setCurrentIndex(type >= 0 && type < m_listLineType->count() ? type : -1);
    m_listLineType->setEnabled(values.GridKind == 0);
    m_labelLineType->setEnabled(values.GridKind == 0);
}

void CInitGridDlg::OnKind(int kind)
{
    values.GridKind = int16_t(kind);
    CheckRadio({m_radioKind[0], m_radioKind[1], m_radioKind[2]}, kind);
    m_listLineType->setEnabled(kind == 0);
    m_labelLineType->setEnabled(kind == 0);
}

// ---- dimensions ----------------------------------------------------------------

CInitDimDlg::CInitDimDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    Carry(&CParameterBlock::DimFontName);
    float& size = Carry(&CParameterBlock::DimTextSize);
    float& upper = Carry(&CParameterBlock::DimUpperExtension);
    float& lower = Carry(&CParameterBlock::DimLowerExtension);
    int32_t& decimals = Carry(&CParameterBlock::DimDecimals);
    Carry(&CParameterBlock::DimArrowScaleMode);

    auto* layout = new QGridLayout(this);
    m_listFont = new QComboBox(this);
    platform::setControlId(m_listFont, IDC_FONT);
    layout->addWidget(AddLabel(QStringLiteral("フォント")), 0, 0);
    layout->addWidget(m_listFont, 0, 1, 1, 2);
    struct Row {
        const char* label;
        int id;
        int unitId;
    };
    const Row rows[] = {{"文字サイズ", IDC_SIZE, IDC_UNIT_SIZE},
                        {"補助線 上側", IDC_UPPER, IDC_UNIT_UPPER},
                        {"補助線 下側", IDC_LOWER, IDC_UNIT_LOWER},
                        {"小数点以下桁数", IDC_DECIMALS, -1}};
    QLineEdit* edits[4];
    int r = 1;
    for (const Row& row : rows) {
        edits[r - 1] = AddEdit(row.id);
        layout->addWidget(AddLabel(QString::fromUtf8(row.label)), r, 0);
        layout->addWidget(edits[r - 1], r, 1);
        if (row.unitId >= 0)
            layout->addWidget(AddLabel(UnitLabel(), row.unitId), r, 2);
        ++r;
    }
    auto* arrowBox = new QGroupBox(QStringLiteral("矢印サイズ"), this);
    auto* arrowLayout = new QHBoxLayout(arrowBox);
    m_radioArrow[0] = MakeRadio(this, QStringLiteral("旧タイプ"), IDC_ARROW_FIXED);
    m_radioArrow[1] = MakeRadio(this, QStringLiteral("縮尺連動"), IDC_ARROW_SCALED);
    arrowLayout->addWidget(m_radioArrow[0]);
    arrowLayout->addWidget(m_radioArrow[1]);
    layout->addWidget(arrowBox, r, 0, 1, 3);

    Real(edits[0], size);
    Real(edits[1], upper);
    Real(edits[2], lower);
    Integer(edits[3], decimals);

    connect(m_listFont, &QComboBox::activated, this, &CInitDimDlg::OnSelchangeFont);
    for (int mode = 0; mode < 2; ++mode)
        connect(m_radioArrow[mode], &QRadioButton::clicked, this, [this, mode] {
            values.DimArrowScaleMode = int16_t(mode);
            CheckRadio({m_radioArrow[0], m_radioArrow[1]}, mode);
        });
}

void CInitDimDlg::OnInitDialog()
{
    FillFontList();
    if (values.DimArrowScaleMode < 0 || values.DimArrowScaleMode > 1)
        values.DimArrowScaleMode = 0;
    CheckRadio({m_radioArrow[0], m_radioArrow[1]}, values.DimArrowScaleMode);
}

void CInitDimDlg::Refresh()
{
    CInitPage::Refresh();
    OnInitDialog();
}

void CInitDimDlg::FillFontList()
{
    m_fontNames.Fill(m_listFont);
    const char* name = values.DimFontName.data();
    const std::string current(name, strnlen(name, values.DimFontName.size()));
    QSignalBlocker quiet(m_listFont);
    m_listFont->setCurrentIndex(m_listFont->count() ? CFontNameList::Match(m_fontNames.Names(), current) : -1);
}

void CInitDimDlg::OnSelchangeFont(int position)
{
    if (!UpdateData(true) || position < 0 || std::size_t(position) >= m_fontNames.Names().size())
        return;
    StoreText(values.DimFontName, m_fontNames.Names()[std::size_t(position)], MaxFontNameBytes);
}

// ---- dimension prefixes ----------------------------------------------------------

CInitAtamaMojiDlg::CInitAtamaMojiDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    auto& prefixes = Carry(&CParameterBlock::DimPrefixes);
    auto* layout = new QGridLayout(this);
    const char* names[8] = {"距離寸法", "水平寸法", "垂直寸法", "周長寸法", "半径寸法", "直径寸法", "角度寸法", "面積寸法"};
    for (int k = 0; k < 8; ++k) {
        QLineEdit* edit = AddEdit(IDC_PREFIX[std::size_t(k)]);
        edit->setMaximumWidth(80);
        layout->addWidget(AddLabel(QString::fromUtf8(names[k])), k % 4, (k / 4) * 2);
        layout->addWidget(edit, k % 4, (k / 4) * 2 + 1);
        Text(edit, prefixes[std::size_t(k)], MaxDimPrefixBytes);
    }
    layout->addWidget(AddLabel(QStringLiteral("全角２文字（半角４文字）までです。")), 4, 0, 1, 4);
}

// ---- texts and hatching --------------------------------------------------------------

namespace {

// Two size fields with their unit labels, one row each.
void SizeRows(QGridLayout* layout, QLabel* const labels[2], QLineEdit* const edits[2], QLabel* const units[2])
{
    for (int r = 0; r < 2; ++r) {
        layout->addWidget(labels[r], r, 0);
        layout->addWidget(edits[r], r, 1);
        layout->addWidget(units[r], r, 2);
    }
    layout->setRowStretch(2, 1);
}

} // namespace

CInitTextDlg::CInitTextDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    float& height = Carry(&CParameterBlock::TextHeight);
    float& width = Carry(&CParameterBlock::TextWidth);
    QLabel* const labels[2] = {AddLabel(QStringLiteral("文字高さ")), AddLabel(QStringLiteral("文字幅"))};
    QLineEdit* const edits[2] = {AddEdit(IDC_HEIGHT), AddEdit(IDC_WIDTH)};
    QLabel* const units[2] = {AddLabel(UnitLabel(), IDC_UNIT_HEIGHT), AddLabel(UnitLabel(), IDC_UNIT_WIDTH)};
    SizeRows(new QGridLayout(this), labels, edits, units);
    Real(edits[0], height);
    Real(edits[1], width);
}

CInitHatDlg::CInitHatDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    float& spacingY = Carry(&CParameterBlock::HatchSpacingY);
    float& spacingX = Carry(&CParameterBlock::HatchSpacingX);
    QLabel* const labels[2] = {AddLabel(QStringLiteral("縦間隔")), AddLabel(QStringLiteral("横間隔"))};
    QLineEdit* const edits[2] = {AddEdit(IDC_SPACING_Y), AddEdit(IDC_SPACING_X)};
    QLabel* const units[2] = {AddLabel(UnitLabel(), IDC_UNIT_Y), AddLabel(UnitLabel(), IDC_UNIT_X)};
    SizeRows(new QGridLayout(this), labels, edits, units);
    Real(edits[0], spacingY, HatchSpacingRange);
    Real(edits[1], spacingX, HatchSpacingRange);
}

// ---- thick lines ------------------------------------------------------------------------

CInitHutosenDlg::CInitHutosenDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    auto& widths = Carry(&CParameterBlock::ThickLineWidths);
    auto* layout = new QGridLayout(this);
    const char* names[3] = {"太線", "中太線", "極太線"};
    for (int k = 0; k < 3; ++k) {
        QLineEdit* edit = AddEdit(IDC_WIDTH[std::size_t(k)]);
        layout->addWidget(AddLabel(QString::fromUtf8(names[k])), k, 0);
        layout->addWidget(edit, k, 1);
        layout->addWidget(AddLabel(QStringLiteral("㎜")), k, 2);
        Real(edit, widths[std::size_t(k)], WidthRange);
    }
    layout->setRowStretch(3, 1);
}

// ---- parts folder ---------------------------------------------------------------------------

CInitBuhinDlg::CInitBuhinDlg(QWidget* parent) : CInitPage(IDD, parent)
{
    auto& folder = Carry(&CParameterBlock::PartsFolder);
    auto* layout = new QGridLayout(this);
    m_editFolder = AddEdit(IDC_FOLDER);
    m_editFolder->setMinimumWidth(280);
    QPushButton* browse = AddButton(QStringLiteral("参　照"), IDC_BROWSE);
    layout->addWidget(AddLabel(QStringLiteral("部品データのフォルダー")), 0, 0, 1, 2);
    layout->addWidget(m_editFolder, 1, 0);
    layout->addWidget(browse, 1, 1);
    layout->setRowStretch(2, 1);
    Text(m_editFolder, folder, MaxPartsFolderBytes);
    connect(browse, &QPushButton::clicked, this, &CInitBuhinDlg::OnBrowse);
}

void CInitBuhinDlg::OnBrowse()
{
    UpdateData(true);
    const std::optional<QString> chosen =
        platform::chooseFolder(QStringLiteral("フォルダーを選択してください"), m_editFolder->text(), window());
    if (!chosen)
        return;
    // A path cut to fit would name another folder: refused instead.
    if (ToCp932(*chosen).size() > MaxPartsFolderBytes) {
        platform::messageBox(QStringLiteral("フォルダー名が長すぎます。%1 バイト以内のフォルダーを選んでください。")
                                 .arg(MaxPartsFolderBytes),
                             QString(), MB_OK | MB_ICONEXCLAMATION, this);
        return;
    }
    m_editFolder->setText(*chosen);
    UpdateData(true);
}
