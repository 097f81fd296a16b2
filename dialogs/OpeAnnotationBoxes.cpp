#include "dialogs/OpeAnnotationBoxes.h"

#include "model/Cp932Text.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Fonts.h"

#include <QComboBox>
#include <QLabel>

namespace {

// Sizes of texts, hatching and dimensions are millimetres, or points linked
// to the drawing scale.
QString UnitsLabel()
{
    return UnitsMode == 0 ? QStringLiteral("㎜") : QStringLiteral("pt.");
}

void ShowLabel(QWidget* panel, int id, const QString& text)
{
    if (auto* label = platform::control<QLabel>(panel, id)) {
        label->setText(text);
    }
}

} // namespace

// ---------------------------------------------------------------------------

namespace {

// Hatch spacings in millimetres (or points) a drawing can use.
constexpr COperationBox::Range HatchSpacingRange{0.01, 99999.0};

} // namespace

COpeHatBox::COpeHatBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　ハッチング "), parent),
      m_fSpacingX(HatchSpacingX),
      m_fSpacingY(HatchSpacingY),
      m_fAngle(HatchAngle),
      m_strUnitX(UnitsLabel()),
      m_strUnitY(UnitsLabel())
{
    AddRadios({{IDC_VERTICAL, QStringLiteral("縦線")},
               {IDC_HORIZONTAL, QStringLiteral("横線")},
               {IDC_GRID, QStringLiteral("格子")},
               {IDC_BRICK, QStringLiteral("レンガ")}},
              HatchPattern);
    AddLabel(QStringLiteral("横間隔"));
    // A spacing of 0 or less would never end a hatch: refused.
    AddRealEdit(IDC_SPACING_X, m_fSpacingX, [this] { HatchSpacingX = m_fSpacingX; }, HatchSpacingRange);
    AddLabel(QString(), IDC_UNIT_X);
    AddLabel(QStringLiteral("縦間隔"));
    AddRealEdit(IDC_SPACING_Y, m_fSpacingY, [this] { HatchSpacingY = m_fSpacingY; }, HatchSpacingRange);
    AddLabel(QString(), IDC_UNIT_Y);
    AddLabel(QStringLiteral("角度"));
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { HatchAngle = m_fAngle; });
    AddStretch();
}

bool COpeHatBox::OnInitDialog()
{
    COperationBox::OnInitDialog();
    ShowLabel(this, IDC_UNIT_X, m_strUnitX);
    ShowLabel(this, IDC_UNIT_Y, m_strUnitY);
    return true;
}

// ---------------------------------------------------------------------------

COpeDimBox::COpeDimBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　寸法線 "), parent),
      m_fTextSize(DimTextSize),
      m_nDecimals(DimDecimals),
      m_fUpper(DimUpperExtension),
      m_fLower(DimLowerExtension),
      m_nArrowhead(ArrowheadKind),
      m_nArrowSize(ArrowheadKind >= 2 ? DimArrowSize : DimDotSize),
      m_nTolerance(ExchangeToleranceType(DimToleranceType)),
      m_strUnitSize(UnitsLabel()),
      m_strUnitUpper(UnitsLabel()),
      m_strUnitLower(UnitsLabel())
{
    AddLabel(QStringLiteral("寸法サイズ"));
    AddRealEdit(IDC_TEXT_SIZE, m_fTextSize, [this] { DimTextSize = m_fTextSize; });
    AddLabel(QString(), IDC_UNIT_SIZE);
    AddLabel(QStringLiteral("少数桁数"));
    // The record keeps the decimals in one digit, and values are printed
    // with at most four.
    AddIntegerEdit(IDC_DECIMALS, m_nDecimals, [this] { DimDecimals = int16_t(m_nDecimals); }, Range{0, 4});
    AddLabel(QStringLiteral("引出線 上"));
    AddRealEdit(IDC_UPPER, m_fUpper, [this] { DimUpperExtension = m_fUpper; });
    AddLabel(QString(), IDC_UNIT_UPPER);
    AddLabel(QStringLiteral("下"));
    AddRealEdit(IDC_LOWER, m_fLower, [this] { DimLowerExtension = m_fLower; });
    AddLabel(QString(), IDC_UNIT_LOWER);

    AddLabel(QStringLiteral("矢頭"));
    AddList(IDC_ARROWHEAD,
            {QStringLiteral(" な　 し"), QStringLiteral(" 黒　 丸"), QStringLiteral(" 片矢印"), QStringLiteral(" 矢　 印")},
            m_nArrowhead, [this] {
                if (m_nArrowhead < 0) {
                    return;
                }
                ArrowheadKind = int16_t(m_nArrowhead);
                // Show the size remembered for the new arrowhead's group.
                m_nArrowSize = ArrowheadKind >= 2 ? DimArrowSize : DimDotSize;
                UpdateData(false);
            });
    AddLabel(QStringLiteral("サイズ"));
    AddList(IDC_ARROW_SIZE,
            {QStringLiteral(" １"), QStringLiteral(" ２"), QStringLiteral(" ３"), QStringLiteral(" ４"),
             QStringLiteral(" ５")},
            m_nArrowSize, [this] {
                if (m_nArrowSize < 0) {
                    return;
                }
                (ArrowheadKind >= 2 ? DimArrowSize : DimDotSize) = int16_t(m_nArrowSize);
            });
    AddLabel(QStringLiteral("公差"));
    AddList(IDC_TOLERANCE,
            {QStringLiteral("公差なし"), QStringLiteral("±横付け"), QStringLiteral("±上付け"),
             QStringLiteral("上下（+）（+）"), QStringLiteral("上下（+）（0）"), QStringLiteral("上下（0）（-）"),
             QStringLiteral("上下（-）（-）"), QStringLiteral("上下（+）（-）")},
            m_nTolerance, [this] {
                if (m_nTolerance >= 0) {
                    DimToleranceType = ExchangeToleranceType(int16_t(m_nTolerance));
                }
            });
    AddStretch();
}

bool COpeDimBox::OnInitDialog()
{
    COperationBox::OnInitDialog();
    ShowLabel(this, IDC_UNIT_SIZE, m_strUnitSize);
    ShowLabel(this, IDC_UNIT_UPPER, m_strUnitUpper);
    ShowLabel(this, IDC_UNIT_LOWER, m_strUnitLower);
    return true;
}

// ---------------------------------------------------------------------------

namespace {

// The name without ASCII blanks and ideographic blanks (0x81 0x40).
std::string WithoutBlanks(const std::string& name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsCp932LeadByte(c) && i + 1 < name.size()) {
            if (!(c == 0x81 && static_cast<unsigned char>(name[i + 1]) == 0x40)) {
                out += name[i];
                out += name[i + 1];
            }
            ++i;
        } else if (c != 0x20) {
            out += name[i];
        }
    }
    return out;
}

} // namespace

int CFontNameList::Match(const std::vector<std::string>& table, const std::string& current)
{
    const std::string wanted = WithoutBlanks(current);
    int found = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (WithoutBlanks(table[i]).compare(0, wanted.size(), wanted) == 0) {
            found = int(i);
        }
    }
    return found < 0 ? 0 : found;
}

int CFontNameList::Fill(QComboBox* list)
{
    return Fill(list, TextFontName);
}

int CFontNameList::Fill(QComboBox* list, const std::string& current)
{
    m_FontNameTable.clear();
    for (const QString& family : platform::fontFamilies()) {
        if (m_FontNameTable.size() >= kMaxNames) {
            break;
        }
        m_FontNameTable.push_back(ToCp932(family));
    }
    QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& name : m_FontNameTable) {
        list->addItem(FromCp932(name));
    }
    return Match(m_FontNameTable, current);
}

std::string CFontNameList::Name(int position) const
{
    if (position < 0 || std::size_t(position) >= m_FontNameTable.size())
        return {};
    return std::string(Cp932Fit(m_FontNameTable[std::size_t(position)], MaxFontNameBytes));
}

void CFontNameList::Choose(int position) const
{
    if (position >= 0 && std::size_t(position) < m_FontNameTable.size()) {
        TextFontName = Name(position);
    }
}

// ---------------------------------------------------------------------------

COpeTextBox::COpeTextBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　文字列 "), parent),
      m_fSize(TextHeight),
      m_fAngle(TextAngle),
      m_nFont(0),
      m_strUnit(UnitsLabel())
{
    AddLabel(QStringLiteral("文字サイズ"));
    AddRealEdit(IDC_SIZE, m_fSize, [this] { TextHeight = TextWidth = m_fSize; });
    AddLabel(QString(), IDC_UNIT);
    AddLabel(QStringLiteral("角度"));
    AddRealEdit(IDC_ANGLE, m_fAngle, [this] { TextAngle = m_fAngle; });
    AddLabel(QStringLiteral("フォント"));
    AddList(IDC_FONT, {}, m_nFont, [this] { m_FontNames.Choose(m_nFont); });
    AddStretch();
}

bool COpeTextBox::OnInitDialog()
{
    m_nFont = m_FontNames.Fill(platform::control<QComboBox>(this, IDC_FONT));
    COperationBox::OnInitDialog();
    ShowLabel(this, IDC_UNIT, m_strUnit);
    return true;
}

COpeTextPlusBox::COpeTextPlusBox(QWidget* parent)
    : COperationBox(IDD, QStringLiteral("　指示線文字 "), parent),
      m_fSize(TextHeight),
      m_nArrowhead(ArrowheadKind),
      m_nShape(LeaderShape),
      m_nFont(0),
      m_strUnit(UnitsLabel())
{
    AddLabel(QStringLiteral("文字サイズ"));
    AddRealEdit(IDC_SIZE, m_fSize, [this] { TextHeight = TextWidth = m_fSize; });
    AddLabel(QString(), IDC_UNIT);
    AddLabel(QStringLiteral("矢頭"));
    AddList(IDC_ARROWHEAD,
            {QStringLiteral(" な   し"), QStringLiteral(" 黒   丸"), QStringLiteral(" 片矢印"), QStringLiteral(" 矢   印")},
            m_nArrowhead, [this] {
                if (m_nArrowhead >= 0) {
                    ArrowheadKind = int16_t(m_nArrowhead);
                }
            });
    AddLabel(QStringLiteral("形状"));
    AddList(IDC_SHAPE, {QStringLiteral(" 任意直線"), QStringLiteral(" 補助線付き"), QStringLiteral(" 下線付き")}, m_nShape,
            [this] {
                if (m_nShape >= 0) {
                    LeaderShape = int16_t(m_nShape);
                }
            });
    AddLabel(QStringLiteral("フォント"));
    AddList(IDC_FONT, {}, m_nFont, [this] { m_FontNames.Choose(m_nFont); });
    AddStretch();
}

bool COpeTextPlusBox::OnInitDialog()
{
    m_nFont = m_FontNames.Fill(platform::control<QComboBox>(this, IDC_FONT));
    COperationBox::OnInitDialog();
    ShowLabel(this, IDC_UNIT, m_strUnit);
    return true;
}
