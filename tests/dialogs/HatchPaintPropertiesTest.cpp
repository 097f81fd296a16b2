#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeHatDlg.h"
#include "model/Settings.h"

#include <QRadioButton>

#include <cstring>

namespace {

double FromBits(uint64_t bits)
{
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

uint64_t Bits(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// A fill of one circle: the two first entries, the circle.
std::vector<double> FillValues(uint64_t outlineBits)
{
    return {FromBits(outlineBits), 0, 50, 60, 10};
}
const std::vector<int16_t> FillCodes{0, 0, 50, 51, 52};

TEST_F(EntityPropertiesTest, FillOutlineColourChangesOnlyTheLowBytesOfItsEntry)
{
    const uint64_t outline = 0xABCD000100FF8040u;  // upper bytes that mean something else
    CEntity* fill = Add(EntityType::Fill, 1, 203, FillValues(outline), FillCodes, 0x00112233);
    COLORREF shownOutline = 1;
    bool solidChecked = false;
    h.Ui().dialog([&](QDialog& d) {
        shownOutline = static_cast<CChangePaintDlg&>(d).OutlineButtonColour();
        solidChecked = platform::control<QRadioButton>(&d, CChangePaintDlg::IDC_SOLID + 2)->isChecked();
        Press(d, CChangePaintDlg::IDC_OUTLINE_COLOR);
        Press(d, CChangePaintDlg::IDC_SOLID + 5);
        Press(d, IDOK);
    });
    h.Ui().color(0x00654321);
    EditEntityProperties(&h.View(), fill);
    EXPECT_EQ(shownOutline, 0x00FF8040u);
    EXPECT_TRUE(solidChecked);
    const CEntity* now = h.Doc().list.last;
    ASSERT_NE(now, fill);
    EXPECT_EQ(Bits(now->values[0]), 0xABCD000100654321u);
    EXPECT_EQ(std::vector<double>(now->values.begin() + 1, now->values.end()),
              (std::vector<double>{0, 50, 60, 10}));
    EXPECT_EQ(now->codes, FillCodes);
    EXPECT_EQ(now->subtype, 1);
    EXPECT_EQ(now->style, 503);
    EXPECT_EQ(now->colour, 0x00112233u) << "the fill colour stays";
}

TEST_F(EntityPropertiesTest, FillPenChoiceChangesTheFillColourAlone)
{
    CEntity* fill = Add(EntityType::Fill, 1, 0, FillValues(0x000000FF), FillCodes, 0x00112233);
    QImage preview;
    Edit(fill, [&](QDialog& d) {
        Pick(d, CChangePaintDlg::IDC_PEN, 3);
        auto* box = platform::control<QWidget>(&d, CChangePaintDlg::IDC_PREVIEW);
        preview = box->grab().toImage();
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->style, 3);
    EXPECT_EQ(now->colour, PenColors[3]);
    EXPECT_EQ(Bits(now->values[0]), 0x000000FFu);
    const COLORREF c = PenColors[3];
    EXPECT_EQ(preview.pixel(preview.width() / 2, preview.height() / 2),
              qRgb(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c)));
}

// A hatch's first seven entries (spacing y, spacing x, angle, box) and one
// circle.
const std::vector<int16_t> HatchCodes{0, 0, 0, 60, 61, 62, 63, 50, 51, 52};
std::vector<double> HatchValues()
{
    return {5, 7, 45, 40, 50, 60, 70, 50, 60, 10};
}

TEST_F(EntityPropertiesTest, HatchTakesSpacingsAngleAndPatternAndKeepsItsItems)
{
    CEntity* hatch = Add(EntityType::Hatch, 9, 2, HatchValues(), HatchCodes, 0x00445566);
    QStringList shown;
    bool verticalChecked = false;
    Edit(hatch, [&](QDialog& d) {
        for (int id : {CChangeHatDlg::IDC_SPACING_Y, CChangeHatDlg::IDC_SPACING_X, CChangeHatDlg::IDC_ANGLE})
            shown << Field(d, id)->text();
        verticalChecked = platform::control<QRadioButton>(&d, CChangeHatDlg::IDC_VERTICAL)->isChecked();
        SetField(d, CChangeHatDlg::IDC_SPACING_Y, QStringLiteral("2.5"));
        SetField(d, CChangeHatDlg::IDC_ANGLE, QStringLiteral("-30"));
        Press(d, CChangeHatDlg::IDC_VERTICAL + 3);
        Pick(d, CChangeHatDlg::IDC_PEN, 6);
        Press(d, IDOK);
    });
    EXPECT_EQ(shown, (QStringList{"5", "7", "45"}));
    EXPECT_TRUE(verticalChecked) << "an unknown pattern opens as vertical lines";
    const CEntity* now = h.Doc().list.last;
    ASSERT_NE(now, hatch);
    EXPECT_EQ(now->values, (std::vector<double>{2.5, 7, -30, 40, 50, 60, 70, 50, 60, 10}));
    EXPECT_EQ(now->codes, HatchCodes);
    EXPECT_EQ(now->subtype, 3);
    EXPECT_EQ(now->style, 6);
    EXPECT_EQ(now->colour, PenColors[6]);
    h.Doc().list.UndoRedo();
    EXPECT_EQ(h.Doc().list.last, hatch);
}

TEST_F(EntityPropertiesTest, HatchSpacingMustBeAPositiveNumber)
{
    const struct {
        int id;
        const char* typed;
        const char* message;
    } cases[] = {
        {CChangeHatDlg::IDC_SPACING_Y, "", "縦間隔が入力されていません！"},
        {CChangeHatDlg::IDC_SPACING_Y, "0", "縦間隔の入力に誤りがあります！"},
        {CChangeHatDlg::IDC_SPACING_X, "-1", "横間隔の入力に誤りがあります！"},
        {CChangeHatDlg::IDC_SPACING_X, "", "横間隔が入力されていません！"},
        {CChangeHatDlg::IDC_ANGLE, "1e3", "角度の入力に誤りがあります！"},
    };
    for (const auto& c : cases) {
        CEntity* hatch = Add(EntityType::Hatch, 0, 0, HatchValues(), HatchCodes);
        const Refusal r = TypeAndConfirm(hatch, {{c.id, c.typed}});
        EXPECT_EQ(r.result, 1);
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(r.focus, c.id);
        EXPECT_EQ(h.Doc().list.last, hatch);
    }
}

TEST_F(EntityPropertiesTest, HatchPreviewDrawsThePattern)
{
    CEntity* hatch = Add(EntityType::Hatch, 0, 0, HatchValues(), HatchCodes);
    std::vector<QImage> shots;
    Edit(hatch, [&](QDialog& d) {
        auto* box = platform::control<QWidget>(&d, CChangeHatDlg::IDC_PREVIEW);
        for (int i = 0; i < 4; ++i) {
            Press(d, CChangeHatDlg::IDC_VERTICAL + i);
            shots.push_back(box->grab().toImage());
        }
        Press(d, IDCANCEL);
    });
    ASSERT_EQ(shots.size(), 4u);
    const QRgb black = qRgb(0, 0, 0);
    // (x, y) on a vertical line only, on a horizontal line only, on brick's short upright.
    const struct {
        bool vertical, horizontal, brick;
    } expected[] = {{true, false, false}, {false, true, false}, {true, true, true}, {false, true, true}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shots[i].pixel(33, 20) == black, expected[i].vertical) << i;
        EXPECT_EQ(shots[i].pixel(25, 48) == black, expected[i].horizontal) << i;
        EXPECT_EQ(shots[i].pixel(51, 20) == black, expected[i].brick || expected[i].vertical) << i;
    }
}

} // namespace
