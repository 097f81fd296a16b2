#include "PanelSupport.h"

#include "dialogs/OpeAnnotationBoxes.h"
#include "platform/Encoding.h"

#include <string>
#include <vector>

namespace {

QStringList Items(QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

int Position(QWidget* panel, int id)
{
    auto* list = platform::control<QComboBox>(panel, id);
    return list ? list->currentIndex() : -2;
}

} // namespace

TEST_F(PanelTest, SizeLabelsFollowTheUnits)
{
    struct Case {
        int16_t units;
        const char* text;
    };
    for (Case c : {Case{0, "㎜"}, Case{1, "pt."}}) {
        UnitsMode = c.units;
        const QString want = QString::fromUtf8(c.text);
        auto hat = Open<COpeHatBox>();
        EXPECT_EQ(Ctrl<QLabel>(hat.get(), COpeHatBox::IDC_UNIT_X)->text(), want);
        EXPECT_EQ(Ctrl<QLabel>(hat.get(), COpeHatBox::IDC_UNIT_Y)->text(), want);
        auto dim = Open<COpeDimBox>();
        for (int id : {COpeDimBox::IDC_UNIT_SIZE, COpeDimBox::IDC_UNIT_UPPER, COpeDimBox::IDC_UNIT_LOWER}) {
            EXPECT_EQ(Ctrl<QLabel>(dim.get(), id)->text(), want) << id;
        }
        auto text = Open<COpeTextBox>();
        EXPECT_EQ(Ctrl<QLabel>(text.get(), COpeTextBox::IDC_UNIT)->text(), want);
        auto plus = Open<COpeTextPlusBox>();
        EXPECT_EQ(Ctrl<QLabel>(plus.get(), COpeTextPlusBox::IDC_UNIT)->text(), want);
    }
}

TEST_F(PanelTest, DimensionPanelRemembersOneSizePerArrowheadGroup)
{
    auto p = Open<COpeDimBox>();
    EXPECT_EQ(Items(Ctrl<QComboBox>(p.get(), COpeDimBox::IDC_ARROWHEAD)),
              (QStringList{" な　 し", " 黒　 丸", " 片矢印", " 矢　 印"}));
    EXPECT_EQ(Items(Ctrl<QComboBox>(p.get(), COpeDimBox::IDC_ARROW_SIZE)), (QStringList{" １", " ２", " ３", " ４", " ５"}));

    Choose(p.get(), COpeDimBox::IDC_ARROWHEAD, 1);  // black dot
    EXPECT_EQ(ArrowheadKind, 1);
    Choose(p.get(), COpeDimBox::IDC_ARROW_SIZE, 2);  // size 3
    EXPECT_EQ(DimDotSize, 2);
    EXPECT_EQ(DimArrowSize, 0);
    Choose(p.get(), COpeDimBox::IDC_ARROWHEAD, 3);  // arrow
    EXPECT_EQ(ArrowheadKind, 3);
    EXPECT_EQ(Position(p.get(), COpeDimBox::IDC_ARROW_SIZE), 0);
    Choose(p.get(), COpeDimBox::IDC_ARROW_SIZE, 4);  // size 5
    EXPECT_EQ(DimArrowSize, 4);
    EXPECT_EQ(DimDotSize, 2);
    Choose(p.get(), COpeDimBox::IDC_ARROWHEAD, 1);
    EXPECT_EQ(Position(p.get(), COpeDimBox::IDC_ARROW_SIZE), 2);
    Choose(p.get(), COpeDimBox::IDC_ARROWHEAD, 2);  // half arrow shares the arrows' size
    EXPECT_EQ(Position(p.get(), COpeDimBox::IDC_ARROW_SIZE), 4);

    // Opening shows the size of the current arrowhead's group.
    auto again = Open<COpeDimBox>();
    EXPECT_EQ(Position(again.get(), COpeDimBox::IDC_ARROWHEAD), 2);
    EXPECT_EQ(Position(again.get(), COpeDimBox::IDC_ARROW_SIZE), 4);
    EXPECT_TRUE(ui.calls().empty());
}

TEST_F(PanelTest, DimensionToleranceListExchangesTypesThreeAndSeven)
{
    auto p = Open<COpeDimBox>();
    auto* list = Ctrl<QComboBox>(p.get(), COpeDimBox::IDC_TOLERANCE);
    EXPECT_EQ(Items(list), (QStringList{"公差なし", "±横付け", "±上付け", "上下（+）（+）", "上下（+）（0）",
                                        "上下（0）（-）", "上下（-）（-）", "上下（+）（-）"}));
    const int typeOfPosition[] = {0, 1, 2, 7, 4, 5, 6, 3};
    for (int position = 0; position < 8; ++position) {
        Choose(p.get(), COpeDimBox::IDC_TOLERANCE, position);
        EXPECT_EQ(DimToleranceType, typeOfPosition[position]) << position;
        auto reopened = Open<COpeDimBox>();
        EXPECT_EQ(Position(reopened.get(), COpeDimBox::IDC_TOLERANCE), position);
    }
}

TEST_F(PanelTest, ABadDimensionTextHoldsBackTheLists)
{
    auto p = Open<COpeDimBox>();
    ui.button(IDOK).button(IDOK);
    Type(p.get(), COpeDimBox::IDC_DECIMALS, "two");
    Choose(p.get(), COpeDimBox::IDC_ARROWHEAD, 3);
    EXPECT_EQ(ArrowheadKind, 0);
    EXPECT_EQ(ui.messages(), (QStringList{"整数を入力してください。", "整数を入力してください。"}));
    EXPECT_TRUE(ui.problems().isEmpty());
}

TEST_F(PanelTest, TextSizeSetsHeightAndWidthTogether)
{
    TextHeight = 3;
    TextWidth = 4;
    auto p = Open<COpeTextBox>();
    EXPECT_EQ(Edit(p.get(), COpeTextBox::IDC_SIZE)->text(), "3");
    Type(p.get(), COpeTextBox::IDC_SIZE, "6");
    EXPECT_FLOAT_EQ(TextHeight, 6);
    EXPECT_FLOAT_EQ(TextWidth, 6);

    auto plus = Open<COpeTextPlusBox>();
    EXPECT_EQ(Edit(plus.get(), COpeTextPlusBox::IDC_SIZE)->text(), "6");
    Type(plus.get(), COpeTextPlusBox::IDC_SIZE, "2.5");
    EXPECT_FLOAT_EQ(TextHeight, 2.5f);
    EXPECT_FLOAT_EQ(TextWidth, 2.5f);
}

TEST_F(PanelTest, LeaderTextPanelLists)
{
    ArrowheadKind = 3;
    LeaderShape = 2;
    auto p = Open<COpeTextPlusBox>();
    EXPECT_EQ(Items(Ctrl<QComboBox>(p.get(), COpeTextPlusBox::IDC_ARROWHEAD)),
              (QStringList{" な   し", " 黒   丸", " 片矢印", " 矢   印"}));
    EXPECT_EQ(Items(Ctrl<QComboBox>(p.get(), COpeTextPlusBox::IDC_SHAPE)),
              (QStringList{" 任意直線", " 補助線付き", " 下線付き"}));
    EXPECT_EQ(Position(p.get(), COpeTextPlusBox::IDC_ARROWHEAD), 3);
    EXPECT_EQ(Position(p.get(), COpeTextPlusBox::IDC_SHAPE), 2);
    Choose(p.get(), COpeTextPlusBox::IDC_ARROWHEAD, 1);
    EXPECT_EQ(ArrowheadKind, 1);
    Choose(p.get(), COpeTextPlusBox::IDC_SHAPE, 0);
    EXPECT_EQ(LeaderShape, 0);
    // The dimension panel shares the arrowhead.
    auto dim = Open<COpeDimBox>();
    EXPECT_EQ(Position(dim.get(), COpeDimBox::IDC_ARROWHEAD), 1);
}

TEST_F(PanelTest, TextFontListOffersTheDefaultJapaneseFaceOnce)
{
    // The default face is listed and chosen, so the first change on the panel
    // does not put another (Latin) face into the text settings.
    TextFontName = ToCp932(QStringLiteral("ＭＳゴシック"));
    auto p = Open<COpeTextBox>();
    auto* list = Ctrl<QComboBox>(p.get(), COpeTextBox::IDC_FONT);
    const QStringList items = Items(list);
    EXPECT_EQ(list->currentText(), QStringLiteral("ＭＳゴシック"));
    EXPECT_EQ(items.count(QStringLiteral("ＭＳゴシック")), 1);
    EXPECT_TRUE(items.contains(QStringLiteral("ＭＳ 明朝")));
    EXPECT_EQ(items.filter(QStringLiteral(" [")), QStringList());
    QStringList unique = items;
    unique.removeDuplicates();
    EXPECT_EQ(unique.size(), items.size());
    Type(p.get(), COpeTextBox::IDC_SIZE, "5");
    EXPECT_EQ(FromCp932(TextFontName), QStringLiteral("ＭＳゴシック"));
}

TEST(FontNameList, TheLastNameBeginningWithTheFontIsChosenIgnoringBlanks)
{
    auto cp = [](const char* utf8) { return ToCp932(QString::fromUtf8(utf8)); };
    const std::vector<std::string> table = {cp("Arial"), cp("ＭＳ ゴシック"), cp("ＭＳ 明朝"), cp("ＭＳ　ゴシック体"),
                                            cp("Courier")};
    EXPECT_EQ(CFontNameList::Match(table, cp("ＭＳゴシック")), 3);
    EXPECT_EQ(CFontNameList::Match(table, cp("ＭＳ明朝")), 2);
    EXPECT_EQ(CFontNameList::Match(table, cp("Courier")), 4);
    EXPECT_EQ(CFontNameList::Match(table, cp("Cour ier")), 4);
    EXPECT_EQ(CFontNameList::Match(table, cp("ＭＳ Ｐゴシック")), 0);  // none: the first name
    EXPECT_EQ(CFontNameList::Match({}, cp("Arial")), 0);
    // A blank's trail byte inside a double-byte character is not a blank.
    // "メ@x" is 83 81 40 78: its 81 40 is no ideographic blank, so it does not
    // shrink to 83 78, which is another character.
    EXPECT_EQ(CFontNameList::Match({"Arial", "\x83\x78"}, "\x83\x81\x40\x78"), 0);
}

TEST_F(PanelTest, TextFontListHoldsTheInstalledFamiliesAndWritesTheChoice)
{
    TextFontName = ToCp932(QStringLiteral("ＭＳゴシック"));
    auto p = Open<COpeTextBox>();
    auto* list = Ctrl<QComboBox>(p.get(), COpeTextBox::IDC_FONT);
    ASSERT_NE(list, nullptr);
    const auto& names = p->m_FontNames.Names();
    EXPECT_LE(names.size(), CFontNameList::kMaxNames);
    ASSERT_EQ(list->count(), int(names.size()));
    if (names.empty()) {
        GTEST_SKIP() << "no fonts installed";
    }
    EXPECT_EQ(list->currentIndex(), CFontNameList::Match(names, TextFontName));
    EXPECT_EQ(TextFontName, ToCp932(QStringLiteral("ＭＳゴシック")));  // opening writes nothing
    const int last = list->count() - 1;
    Choose(p.get(), COpeTextBox::IDC_FONT, last);
    EXPECT_EQ(TextFontName, names[std::size_t(last)].substr(0, 47));

    auto plus = Open<COpeTextPlusBox>();
    auto* plusList = Ctrl<QComboBox>(plus.get(), COpeTextPlusBox::IDC_FONT);
    EXPECT_EQ(plusList->currentIndex(), CFontNameList::Match(plus->m_FontNames.Names(), TextFontName));
    Choose(plus.get(), COpeTextPlusBox::IDC_FONT, 0);
    EXPECT_EQ(TextFontName, plus->m_FontNames.Names()[0].substr(0, 47));
}

// Decimals beyond what the record's digit holds, and hatch spacings that
// would never end a hatch, are refused with the range message; the setting
// keeps its value.
TEST_F(PanelTest, DecimalsAndHatchSpacingsOutsideTheirRangeAreRefused)
{
    DimDecimals = 2;
    auto dim = Open<COpeDimBox>();
    ui.button(IDOK);
    Type(dim.get(), COpeDimBox::IDC_DECIMALS, "5");
    EXPECT_EQ(DimDecimals, 2);
    Type(dim.get(), COpeDimBox::IDC_DECIMALS, "4");
    EXPECT_EQ(DimDecimals, 4);

    HatchSpacingX = 7;
    HatchSpacingY = 8;
    auto hat = Open<COpeHatBox>();
    ui.button(IDOK).button(IDOK);
    Type(hat.get(), COpeHatBox::IDC_SPACING_X, "0");
    EXPECT_FLOAT_EQ(HatchSpacingX, 7);
    Type(hat.get(), COpeHatBox::IDC_SPACING_X, "3");
    EXPECT_FLOAT_EQ(HatchSpacingX, 3);
    Type(hat.get(), COpeHatBox::IDC_SPACING_Y, "-3");
    EXPECT_FLOAT_EQ(HatchSpacingY, 8);
    Type(hat.get(), COpeHatBox::IDC_SPACING_Y, "2.5");
    EXPECT_FLOAT_EQ(HatchSpacingY, 2.5f);
    EXPECT_EQ(ui.messages(), (QStringList{"0 から 4 までの整数を入力してください。",
                                          "0.01 から 99999 までの数値を入力してください。",
                                          "0.01 から 99999 までの数値を入力してください。"}));
}
