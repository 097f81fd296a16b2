// The settings dialog and its ten pages over a copy of the settings record:
// what each page reads and writes, refusals of wrongly typed values, the
// factory settings and the record given back byte for byte.

#include "dialogs/InitPages.h"
#include "dialogs/InitialSetDlg.h"
#include "dialogs/LineComboBox.h"
#include "dialogs/PropertyDialog.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Places.h"
#include "platform/UiScript.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

enum Tab { Scale, Grid, Dim, Prefix, Text, Hatch, Colour, Pen, Thick, Parts };

template <std::size_t N> void SetField(std::array<char, N>& field, const std::string& text)
{
    field.fill(0);
    std::memcpy(field.data(), text.data(), std::min(text.size(), N - 1));
}

// Writes text and its terminator, leaving the bytes after it as they were.
template <std::size_t N> void PutText(std::array<char, N>& field, const std::string& text)
{
    std::memcpy(field.data(), text.data(), text.size());
    field[text.size()] = 0;
}

template <std::size_t N> std::string FieldString(const std::array<char, N>& field)
{
    return std::string(field.data(), strnlen(field.data(), N));
}

// A dialog shown over record, driven as a user would.
class SettingsDialog {
public:
    explicit SettingsDialog(const CParameterBlock& record)
    {
        dlg.Parameters = record;
        dlg.show();
    }
    ~SettingsDialog() { dlg.hide(); }

    void SelectTab(int tab) { dlg.Tabs()->setCurrentIndex(tab); }
    template <class T> T* Control(int id)
    {
        T* c = platform::control<T>(&dlg, id);
        EXPECT_NE(c, nullptr) << "control " << id;
        return c;
    }
    QLineEdit* Edit(int id) { return Control<QLineEdit>(id); }
    void Type(int id, const QString& text)
    {
        if (QLineEdit* e = Edit(id))
            e->setText(text);
    }
    void Click(int id)
    {
        if (auto* b = Control<QAbstractButton>(id))
            b->click();
    }
    // Presses "設定保存"; true when the dialog closed with IDOK.
    bool Ok()
    {
        Click(IDOK);
        return !dlg.isVisible() && dlg.result() == IDOK;
    }

    CInitialSetDlg dlg;
};

// A record unlike the factory one in every field a page shows, with bytes
// after the texts' terminators.
CParameterBlock OddRecord()
{
    CParameterBlock r;
    r.DrawingScale = 250;
    r.PaperSize = 2;
    r.UnitsMode = 1;
    r.PaperSource = 0;
    r.GridSensitivity = 4;
    r.DefaultGridPitch = 12.345678f;
    r.GridKind = 0;
    r.GridLineType = 3;
    r.TextHeight = 0.1f;
    r.TextWidth = 3.3333333f;
    r.HatchSpacingY = 7.5f;
    r.HatchSpacingX = 12345.678f;
    r.DimTextSize = 2.5f;
    r.DimDecimals = 3;
    r.DimUpperExtension = 1e-7f;
    r.DimLowerExtension = 3.0e20f;
    r.DimArrowScaleMode = 1;
    for (int i = 0; i < 8; ++i) {
        r.ScreenColors[i] = 0x010203u * unsigned(i + 1);
        r.PenColors[i] = 0x102030u * unsigned(i + 1);
        r.PenWidths[i] = 0.11f * float(i + 1);
    }
    r.ThickLineWidths = {0.3f, 0.6f, 0.9f};
    SetField(r.DimFontName, "NoSuchFont");
    r.DimFontName[20] = 'x';  // after the terminator
    for (int i = 0; i < 8; ++i)
        SetField(r.DimPrefixes[i], std::string(1, char('A' + i)));
    r.DimPrefixes[2][3] = 'q';
    SetField(r.PartsFolder, "/home/someone/parts");
    r.PartsFolder[60] = 'z';
    return r;
}

class InitialSetDlgTest : public ::testing::Test {
protected:
    void SetUp() override { keptArgument = CommandArgument; }
    void TearDown() override { CommandArgument = keptArgument; }
    platform::UiScript ui;
    int16_t keptArgument = 0;
};

// Opening the dialog, visiting every page and pressing OK gives the record
// back byte for byte, the bytes after the texts' terminators included.
TEST_F(InitialSetDlgTest, EveryPageVisitedThenOkGivesTheRecordBackUnchanged)
{
    for (const CParameterBlock& record : {CParameterBlock(), OddRecord()}) {
        SettingsDialog d(record);
        for (int tab : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 9})
            d.SelectTab(tab);
        ASSERT_TRUE(d.Ok());
        EXPECT_EQ(d.dlg.Parameters.ToBytes(), record.ToBytes());
    }
    EXPECT_TRUE(ui.messages().isEmpty());
}

// Values the pages cannot show come back as the pages' own choice; values
// of a list the page cannot show are kept rather than lost.
TEST_F(InitialSetDlgTest, ChoicesOutOfRangeComeBackAsThePagesShowThem)
{
    CParameterBlock record;
    record.PaperSource = 5;
    record.UnitsMode = -2;
    record.PaperSize = 99;
    record.GridKind = 7;
    record.GridLineType = 42;
    record.DimArrowScaleMode = 9;
    SettingsDialog d(record);
    EXPECT_EQ(d.Control<QListWidget>(CInitScaleDlg::IDC_PAPER)->currentRow(), -1);
    d.SelectTab(Grid);
    EXPECT_EQ(d.Control<CLineComboBox>(CInitGridDlg::IDC_LINE_TYPE)->currentIndex(), -1);
    d.SelectTab(Dim);
    ASSERT_TRUE(d.Ok());
    CParameterBlock expected = record;
    expected.PaperSource = 0;
    expected.UnitsMode = 0;
    expected.GridKind = 0;
    expected.DimArrowScaleMode = 0;
    EXPECT_EQ(d.dlg.Parameters, expected);
}

// Each edit of each page carries its field into the record, whether the page
// is left for another tab or OK is pressed on it; nothing else changes.
TEST_F(InitialSetDlgTest, EachEditWritesItsFieldAndNothingElse)
{
    struct Case {
        int tab;
        int id;
        const char* typed;
        std::function<void(CParameterBlock&)> expect;
    };
    const Case cases[] = {
        {Scale, CInitScaleDlg::IDC_SCALE, "300", [](CParameterBlock& r) { r.DrawingScale = 300; }},
        {Grid, CInitGridDlg::IDC_PITCH, "5.5", [](CParameterBlock& r) { r.DefaultGridPitch = 5.5f; }},
        {Grid, CInitGridDlg::IDC_SENSITIVITY, "5", [](CParameterBlock& r) { r.GridSensitivity = 5; }},
        {Dim, CInitDimDlg::IDC_SIZE, "3.5", [](CParameterBlock& r) { r.DimTextSize = 3.5f; }},
        {Dim, CInitDimDlg::IDC_UPPER, "4", [](CParameterBlock& r) { r.DimUpperExtension = 4.0f; }},
        {Dim, CInitDimDlg::IDC_LOWER, "-2", [](CParameterBlock& r) { r.DimLowerExtension = -2.0f; }},
        {Dim, CInitDimDlg::IDC_DECIMALS, "2", [](CParameterBlock& r) { r.DimDecimals = 2; }},
        {Prefix, CInitAtamaMojiDlg::IDC_PREFIX[0], "L=", [](CParameterBlock& r) { PutText(r.DimPrefixes[0], "L="); }},
        {Prefix, CInitAtamaMojiDlg::IDC_PREFIX[4], "", [](CParameterBlock& r) { r.DimPrefixes[4][0] = 0; }},
        {Prefix, CInitAtamaMojiDlg::IDC_PREFIX[7], "A", [](CParameterBlock& r) { PutText(r.DimPrefixes[7], "A"); }},
        {Text, CInitTextDlg::IDC_HEIGHT, "2.5", [](CParameterBlock& r) { r.TextHeight = 2.5f; }},
        {Text, CInitTextDlg::IDC_WIDTH, "1.25", [](CParameterBlock& r) { r.TextWidth = 1.25f; }},
        {Hatch, CInitHatDlg::IDC_SPACING_Y, "3", [](CParameterBlock& r) { r.HatchSpacingY = 3.0f; }},
        {Hatch, CInitHatDlg::IDC_SPACING_X, "4", [](CParameterBlock& r) { r.HatchSpacingX = 4.0f; }},
        {Pen, CInitPenDlg::IDC_WIDTH[0], "0.3", [](CParameterBlock& r) { r.PenWidths[0] = 0.3f; }},
        {Pen, CInitPenDlg::IDC_WIDTH[7], "2", [](CParameterBlock& r) { r.PenWidths[7] = 2.0f; }},
        {Thick, CInitHutosenDlg::IDC_WIDTH[0], "0.15", [](CParameterBlock& r) { r.ThickLineWidths[0] = 0.15f; }},
        {Thick, CInitHutosenDlg::IDC_WIDTH[2], "1", [](CParameterBlock& r) { r.ThickLineWidths[2] = 1.0f; }},
        {Parts, CInitBuhinDlg::IDC_FOLDER, "/srv/部品", [](CParameterBlock& r) {
             PutText(r.PartsFolder, ToCp932(QStringLiteral("/srv/部品")));
         }},
    };
    const CParameterBlock record = OddRecord();
    for (const Case& c : cases) {
        for (bool leaveByTab : {true, false}) {
            SCOPED_TRACE(testing::Message() << "control " << c.id << (leaveByTab ? " by tab" : " by OK"));
            SettingsDialog d(record);
            d.SelectTab(c.tab);
            d.Type(c.id, QString::fromUtf8(c.typed));
            if (leaveByTab)
                d.SelectTab(c.tab == Scale ? Grid : Scale);
            ASSERT_TRUE(d.Ok());
            CParameterBlock expected = record;
            c.expect(expected);
            EXPECT_EQ(d.dlg.Parameters.ToBytes(), expected.ToBytes());
        }
    }
    EXPECT_TRUE(ui.messages().isEmpty());
}

// A value typed wrongly gets its message; the change of tab or OK goes on,
// and the field keeps what it held.
TEST_F(InitialSetDlgTest, WronglyTypedValuesAreRefusedWithTheirMessages)
{
    struct Case {
        int tab;
        int id;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {Scale, CInitScaleDlg::IDC_SCALE, "0", "1 から 100000 までの整数を入力してください。"},
        {Scale, CInitScaleDlg::IDC_SCALE, "100001", "1 から 100000 までの整数を入力してください。"},
        {Scale, CInitScaleDlg::IDC_SCALE, "1/50", "整数を入力してください。"},
        {Grid, CInitGridDlg::IDC_SENSITIVITY, "0", "1 から 5 までの整数を入力してください。"},
        {Grid, CInitGridDlg::IDC_SENSITIVITY, "9", "1 から 5 までの整数を入力してください。"},
        {Grid, CInitGridDlg::IDC_PITCH, "abc", "数値を入力してください。"},
        {Grid, CInitGridDlg::IDC_PITCH, "0", "0 より大きい数値を入力してください。"},
        {Dim, CInitDimDlg::IDC_DECIMALS, "1.5", "整数を入力してください。"},
        {Text, CInitTextDlg::IDC_HEIGHT, "", "数値を入力してください。"},
        {Hatch, CInitHatDlg::IDC_SPACING_X, "0", "0.01 から 99999 までの数値を入力してください。"},
        {Pen, CInitPenDlg::IDC_WIDTH[3], "150", "0 から 99 までの数値を入力してください。"},
        {Thick, CInitHutosenDlg::IDC_WIDTH[1], "-1", "0 から 99 までの数値を入力してください。"},
    };
    const CParameterBlock record = OddRecord();
    for (const Case& c : cases) {
        for (bool leaveByTab : {true, false}) {
            SCOPED_TRACE(testing::Message() << "control " << c.id << " typed " << c.typed);
            platform::UiScript script;
            script.button(IDOK);
            SettingsDialog d(record);
            d.SelectTab(c.tab);
            d.Type(c.id, QString::fromUtf8(c.typed));
            if (leaveByTab) {
                d.SelectTab(c.tab == Scale ? Grid : Scale);
                EXPECT_EQ(d.dlg.CurrentTab(), c.tab == Scale ? Grid : Scale);
            }
            EXPECT_TRUE(d.Ok());
            EXPECT_EQ(script.messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(d.dlg.Parameters.ToBytes(), record.ToBytes());
        }
    }
}

// A refused value stops the reading back there: the fields listed before it
// are taken, the ones after it keep their values.
TEST_F(InitialSetDlgTest, FieldsBeforeARefusedOneAreTaken)
{
    platform::UiScript script;
    script.button(IDOK);
    const CParameterBlock record = OddRecord();
    SettingsDialog d(record);
    d.SelectTab(Pen);
    d.Type(CInitPenDlg::IDC_WIDTH[0], QStringLiteral("0.5"));
    d.Type(CInitPenDlg::IDC_WIDTH[1], QStringLiteral("x"));
    d.Type(CInitPenDlg::IDC_WIDTH[2], QStringLiteral("0.7"));
    ASSERT_TRUE(d.Ok());
    EXPECT_EQ(d.dlg.Parameters.PenWidths[0], 0.5f);
    EXPECT_EQ(d.dlg.Parameters.PenWidths[1], record.PenWidths[1]);
    EXPECT_EQ(d.dlg.Parameters.PenWidths[2], record.PenWidths[2]);
    EXPECT_EQ(script.messages().size(), 1);
}

// A prefix keeps at most four bytes, never half a double-byte character.
TEST_F(InitialSetDlgTest, PrefixesAreCutToFourBytesOnACharacterBoundary)
{
    struct Case {
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {QStringLiteral("ABCDE"), QStringLiteral("ABCD")},
        {QStringLiteral("φφφ"), QStringLiteral("φφ")},
        {QStringLiteral("AφφB"), QStringLiteral("Aφ")},
        {QStringLiteral("ｱｲｳｴｵ"), QStringLiteral("ｱｲｳｴ")},
        {QStringLiteral("R"), QStringLiteral("R")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        SettingsDialog d{CParameterBlock()};
        d.SelectTab(Prefix);
        d.Type(CInitAtamaMojiDlg::IDC_PREFIX[3], c.typed);
        ASSERT_TRUE(d.Ok());
        EXPECT_EQ(FromCp932(FieldString(d.dlg.Parameters.DimPrefixes[3])), c.kept);
    }
}

// The scale page's radio buttons: the paper source enables the paper list,
// the units choice reaches the unit labels of pages made afterwards.
TEST_F(InitialSetDlgTest, ScalePageChoicesAndUnitLabels)
{
    CParameterBlock record;
    record.PaperSource = 1;
    record.UnitsMode = 0;
    SettingsDialog d(record);
    auto* paper = d.Control<QListWidget>(CInitScaleDlg::IDC_PAPER);
    EXPECT_FALSE(paper->isEnabled());
    EXPECT_FALSE(d.Control<QLabel>(CInitScaleDlg::IDC_PAPER_LABEL)->isEnabled());
    d.Click(CInitScaleDlg::IDC_SOURCE_PAPER);
    EXPECT_TRUE(paper->isEnabled());
    paper->setCurrentRow(6);
    EXPECT_EQ(CommandArgument, 0);
    d.SelectTab(Text);
    EXPECT_EQ(d.Control<QLabel>(CInitTextDlg::IDC_UNIT_HEIGHT)->text(), QStringLiteral("㎜"));
    d.SelectTab(Scale);
    d.Click(CInitScaleDlg::IDC_UNITS_PT);
    EXPECT_EQ(CommandArgument, 1);
    for (int tab : {Dim, Text, Hatch}) {
        d.SelectTab(tab);
        const int label = tab == Dim ? int(CInitDimDlg::IDC_UNIT_SIZE)
                          : tab == Text ? int(CInitTextDlg::IDC_UNIT_WIDTH)
                                        : int(CInitHatDlg::IDC_UNIT_X);
        EXPECT_EQ(d.Control<QLabel>(label)->text(), QStringLiteral("pt.")) << tab;
    }
    ASSERT_TRUE(d.Ok());
    EXPECT_EQ(d.dlg.Parameters.PaperSource, 0);
    EXPECT_EQ(d.dlg.Parameters.PaperSize, 6);
    EXPECT_EQ(d.dlg.Parameters.UnitsMode, 1);
}

// The dialog takes the units of its record for the labels when it opens.
TEST_F(InitialSetDlgTest, UnitLabelsFollowTheRecordsUnits)
{
    for (int16_t units : {int16_t(0), int16_t(1)}) {
        CParameterBlock record;
        record.UnitsMode = units;
        SettingsDialog d(record);
        EXPECT_EQ(CommandArgument, units);
        d.SelectTab(Hatch);
        EXPECT_EQ(d.Control<QLabel>(CInitHatDlg::IDC_UNIT_Y)->text(),
                  units ? QStringLiteral("pt.") : QStringLiteral("㎜"));
    }
}

// Grid kinds: the line-type list is there for line grids only, and its
// positions are the line types.
TEST_F(InitialSetDlgTest, GridKindsAndLineTypes)
{
    SettingsDialog d{CParameterBlock()};
    d.SelectTab(Grid);
    auto* list = d.Control<CLineComboBox>(CInitGridDlg::IDC_LINE_TYPE);
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->ItemData(1), 2);  // line type 1, dotted, is drawn with the dot style
    EXPECT_EQ(list->ItemData(2), 1);
    EXPECT_TRUE(list->isEnabled());
    d.Click(CInitGridDlg::IDC_KIND_POINTS);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(d.Control<QLabel>(CInitGridDlg::IDC_LINE_TYPE_LABEL)->isEnabled());
    d.Click(CInitGridDlg::IDC_KIND_CROSSES);
    EXPECT_FALSE(list->isEnabled());
    d.Click(CInitGridDlg::IDC_KIND_LINES);
    EXPECT_TRUE(list->isEnabled());
    list->setCurrentIndex(4);
    emit list->activated(4);
    d.Click(CInitGridDlg::IDC_KIND_CROSSES);
    ASSERT_TRUE(d.Ok());
    EXPECT_EQ(d.dlg.Parameters.GridKind, 2);
    EXPECT_EQ(d.dlg.Parameters.GridLineType, 4);
}

// A refused sensitivity leaves the record's own, on a tab change and on OK.
TEST_F(InitialSetDlgTest, SensitivityOutsideItsRangeKeepsThePreviousOne)
{
    for (bool leaveByTab : {true, false}) {
        platform::UiScript script;
        script.button(IDOK).button(IDOK);
        CParameterBlock record;
        record.GridSensitivity = 3;
        SettingsDialog d(record);
        d.SelectTab(Grid);
        d.Type(CInitGridDlg::IDC_SENSITIVITY, QStringLiteral("9"));
        if (leaveByTab) {
            d.SelectTab(Hatch);
            d.SelectTab(Grid);
            EXPECT_EQ(d.Edit(CInitGridDlg::IDC_SENSITIVITY)->text(), QStringLiteral("3"));
        }
        ASSERT_TRUE(d.Ok());
        EXPECT_EQ(d.dlg.Parameters.GridSensitivity, 3);
    }
}

// Clicking the tab already shown keeps the page and what was typed on it.
TEST_F(InitialSetDlgTest, TheTabAlreadyShownDoesNothing)
{
    SettingsDialog d{CParameterBlock()};
    d.SelectTab(Hatch);
    CInitPage* page = d.dlg.CurrentPage();
    d.Type(CInitHatDlg::IDC_SPACING_Y, QStringLiteral("8"));
    d.dlg.OnSelchangeTab(Hatch);
    d.dlg.OnSelchangeTab(-1);
    EXPECT_EQ(d.dlg.CurrentPage(), page);
    EXPECT_EQ(d.Edit(CInitHatDlg::IDC_SPACING_Y)->text(), QStringLiteral("8"));
    for (int tab = 0; tab < CInitialSetDlg::PageCount; ++tab)
        EXPECT_EQ(d.dlg.Page(tab) != nullptr, tab == Hatch) << tab;
}

// Colour buttons: a colour chosen goes to the button's own slot only, and
// the button shows it; a cancelled chooser changes nothing.
TEST_F(InitialSetDlgTest, ColourButtonsChooseTheirOwnSlot)
{
    struct Case {
        int tab;
        int button;
        int slot;
    };
    const Case cases[] = {
        {Colour, CInitColorDlg::IDC_COLOUR[5], 5},  // zoom-range line
        {Colour, CInitColorDlg::IDC_COLOUR[6], 6},  // output-range line
        {Colour, CInitColorDlg::IDC_COLOUR[0], 0},
        {Pen, CInitPenDlg::IDC_COLOUR[0], 0},
        {Pen, CInitPenDlg::IDC_COLOUR[7], 7},
    };
    const CParameterBlock record = OddRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        platform::UiScript script;
        script.color(0x00336699).cancel();
        SettingsDialog d(record);
        d.SelectTab(c.tab);
        auto* page = static_cast<CColorButtonPage*>(d.dlg.CurrentPage());
        const auto& colours = c.tab == Colour ? record.ScreenColors : record.PenColors;
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(page->ButtonColour(k), colours[std::size_t(k)]) << k;
        d.Click(c.button);
        EXPECT_EQ(page->ButtonColour(c.slot), 0x00336699u);
        d.Click(c.button);  // cancelled
        ASSERT_TRUE(d.Ok());
        CParameterBlock expected = record;
        (c.tab == Colour ? expected.ScreenColors : expected.PenColors)[std::size_t(c.slot)] = 0x00336699;
        EXPECT_EQ(d.dlg.Parameters, expected);
        EXPECT_EQ(script.calls(platform::UiKind::Color).size(), 2u);
    }
}

// The factory settings keep the window positions, display switches,
// tolerance entries 4-7 and the tail of the parts folder; everything else
// is the factory record, with the user's own parts folder.
TEST_F(InitialSetDlgTest, FactorySettingsKeepWhatTheyMustKeep)
{
    CParameterBlock record = OddRecord();
    record.PaletteLeft = 11;
    record.PaletteTop = 12;
    record.LayerListLeft = 13;
    record.LayerListTop = 14;
    record.LayerListWidth = 15;
    record.LayerListHeight = 16;
    record.ShowDrawingRange = 0;
    record.ShowOriginMark = 0;
    record.MagnetEnabled = 0;
    record.LengthReadoutEnabled = 1;
    record.GridShown = 0;
    record.PlotterPort = 5;
    record.DimToleranceType = 6;
    record.Reserved228 = 77;
    record.RectWidth = 3.0f;
    for (int i = 0; i < 8; ++i) {
        record.ToleranceValue1[i] = 0.1 * i;
        record.ToleranceValue2[i] = 0.2 * i;
    }
    SetField(record.TextFontName, "Other");
    std::memset(record.PartsFolder.data(), 'p', record.PartsFolder.size());

    CParameterBlock factory = record;
    CInitialSetDlg::ApplyFactorySettings(factory, "/home/u/parts");
    const CParameterBlock::Image before = record.ToBytes(), after = factory.ToBytes(),
                                 fresh = CParameterBlock().ToBytes();
    for (std::size_t offset = 0; offset < CParameterBlock::Size; ++offset) {
        const bool kept = (offset >= 36 && offset < 48) || (offset >= 210 && offset < 220) ||
                          (offset >= 376 + 32 && offset < 440) || (offset >= 440 + 32 && offset < 504) ||
                          offset >= 640 + 14;
        if (offset >= 640 && offset < 640 + 14)
            EXPECT_EQ(after[offset], offset == 653 ? 0 : uint8_t("/home/u/parts"[offset - 640])) << offset;
        else
            EXPECT_EQ(after[offset], kept ? before[offset] : fresh[offset]) << "offset " << offset;
    }
}

// The button writes the factory settings into the dialog's record and shows
// them on the page in view; the parts folder is the user's own.
TEST_F(InitialSetDlgTest, FactoryButtonShowsTheFactoryValues)
{
    const CParameterBlock record = OddRecord();
    SettingsDialog d(record);
    d.SelectTab(Pen);
    auto* page = static_cast<CColorButtonPage*>(d.dlg.CurrentPage());
    d.Click(CInitialSetDlg::IDC_FACTORY);
    const CParameterBlock factory;
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(page->ButtonColour(k), factory.PenColors[std::size_t(k)]) << k;
        EXPECT_EQ(d.Edit(CInitPenDlg::IDC_WIDTH[std::size_t(k)])->text(),
                  CInitPage::FormatFloat(factory.PenWidths[std::size_t(k)]));
    }
    d.SelectTab(Scale);
    EXPECT_EQ(d.Edit(CInitScaleDlg::IDC_SCALE)->text(), QStringLiteral("1"));
    d.SelectTab(Parts);
    EXPECT_EQ(d.Edit(CInitBuhinDlg::IDC_FOLDER)->text(), platform::partsFolder());
    EXPECT_FALSE(platform::partsFolder().startsWith(QStringLiteral("c:"), Qt::CaseInsensitive));
    ASSERT_TRUE(d.Ok());
    CParameterBlock expected = record;
    CInitialSetDlg::ApplyFactorySettings(expected, ToCp932(platform::partsFolder()));
    EXPECT_EQ(d.dlg.Parameters, expected);
}

// The dimension page's font list: a stored name that differs from a listed
// one only by blanks selects it; a choice stores the listed name; factory
// settings refill the list without doubling it.
TEST_F(InitialSetDlgTest, DimensionFontList)
{
    CParameterBlock record;
    SettingsDialog d(record);
    d.SelectTab(Dim);
    auto* page = static_cast<CInitDimDlg*>(d.dlg.CurrentPage());
    auto* list = d.Control<QComboBox>(CInitDimDlg::IDC_FONT);
    const std::vector<std::string> names = page->FontNames();
    ASSERT_GE(names.size(), 2u);
    ASSERT_EQ(list->count(), int(names.size()));
    const std::string gothic = FieldString(record.DimFontName);
    auto listed = std::find(names.begin(), names.end(), gothic);
    if (listed != names.end()) {
        EXPECT_EQ(list->currentIndex(), int(listed - names.begin()));
    }

    list->setCurrentIndex(1);
    emit list->activated(1);
    d.Click(CInitialSetDlg::IDC_FACTORY);
    EXPECT_EQ(list->count(), int(names.size()));
    if (listed != names.end()) {
        EXPECT_EQ(list->currentIndex(), int(listed - names.begin()));
    }
    list->setCurrentIndex(1);
    emit list->activated(1);
    ASSERT_TRUE(d.Ok());
    EXPECT_EQ(FieldString(d.dlg.Parameters.DimFontName), names[1].substr(0, MaxFontNameBytes));
}

TEST_F(InitialSetDlgTest, FontNameWithBlanksSelectsTheListedName)
{
    SettingsDialog probe{CParameterBlock()};
    probe.SelectTab(Dim);
    const std::vector<std::string> names = static_cast<CInitDimDlg*>(probe.dlg.CurrentPage())->FontNames();
    auto shortName = std::find_if(names.begin(), names.end(), [](const std::string& n) { return n.size() <= 40; });
    ASSERT_NE(shortName, names.end());
    const std::string& name = *shortName;
    // The listed name with an ideographic blank and a space put in front.
    CParameterBlock record;
    SetField(record.DimFontName, std::string("\x81\x40 ") + name);
    SettingsDialog d(record);
    d.SelectTab(Dim);
    const int expected = CFontNameList::Match(names, name);
    EXPECT_EQ(d.Control<QComboBox>(CInitDimDlg::IDC_FONT)->currentIndex(), expected);
}

// The parts folder through the folder chooser: the chosen folder is shown
// and kept; one too long for the record is refused; Cancel changes nothing.
TEST_F(InitialSetDlgTest, PartsFolderBrowse)
{
    const QString longFolder = QStringLiteral("/") + QString(90, QLatin1Char('d'));
    platform::UiScript script;
    script.path(QStringLiteral("/data/部品")).cancel().path(longFolder).button(IDOK);
    SettingsDialog d{OddRecord()};
    d.SelectTab(Parts);
    d.Click(CInitBuhinDlg::IDC_BROWSE);
    EXPECT_EQ(d.Edit(CInitBuhinDlg::IDC_FOLDER)->text(), QStringLiteral("/data/部品"));
    d.Click(CInitBuhinDlg::IDC_BROWSE);
    d.Click(CInitBuhinDlg::IDC_BROWSE);
    EXPECT_EQ(d.Edit(CInitBuhinDlg::IDC_FOLDER)->text(), QStringLiteral("/data/部品"));
    ASSERT_EQ(script.calls(platform::UiKind::Folder).size(), 3u);
    EXPECT_EQ(script.calls(platform::UiKind::Folder)[0].caption, QStringLiteral("フォルダーを選択してください"));
    EXPECT_EQ(script.messages().size(), 1);
    ASSERT_TRUE(d.Ok());
    EXPECT_EQ(FromCp932(FieldString(d.dlg.Parameters.PartsFolder)), QStringLiteral("/data/部品"));
}

} // namespace
