#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeLineDlg.h"
#include "model/Settings.h"

#include <QRadioButton>

namespace {

TEST_F(EntityPropertiesTest, ConfirmedLineIsReplacedAtTheEndAndOneUndoBringsItBack)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40, 203);
    CEntity* other = AddLine(EntityType::Line, 0, 0, 5, 5);
    line->colour = 0x0000FF;
    h.Doc().modified = false;
    EXPECT_EQ(Edit(line,
                   [](QDialog& d) {
                       SetField(d, CChangeLineDlg::IDC_END_X, QStringLiteral("200"));
                       Press(d, IDOK);
                   }),
              0);
    const std::vector<CEntity*> after = ListEntities();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], other);
    const CEntity* now = after[1];
    EXPECT_EQ(now->type, EntityType::Line);
    EXPECT_EQ(now->values, (std::vector<double>{10, 20, 200, 40}));
    EXPECT_EQ(now->codes, (std::vector<int16_t>{10, 20, 11, 22}));
    EXPECT_EQ(now->style, 203) << "an untouched line-type list keeps the line type";
    EXPECT_EQ(now->colour, 0x0000FFu);
    EXPECT_TRUE(h.Doc().modified);
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    EXPECT_EQ(h.Doc().list.undoChain, line);

    h.Doc().list.UndoRedo();
    const std::vector<CEntity*> undone = ListEntities();
    ASSERT_EQ(undone.size(), 2u);
    EXPECT_TRUE(std::find(undone.begin(), undone.end(), line) != undone.end());
    EXPECT_EQ(line->values, (std::vector<double>{10, 20, 30, 40}));
}

TEST_F(EntityPropertiesTest, NewLineIsDrawnAtOnce)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 20);
    h.View().RedrawNow();
    Edit(line, [](QDialog& d) {
        SetField(d, CChangeLineDlg::IDC_START_Y, QStringLiteral("120"));
        SetField(d, CChangeLineDlg::IDC_END_Y, QStringLiteral("120"));
        Press(d, IDOK);
    });
    // The caller takes the old line off the screen; the new one is there already.
    h.View().InvalidateEntity(line);
    const QImage fresh = h.FreshRedraw();
    const platform::Point mid = h.Client(20, 120);
    EXPECT_NE(fresh.pixel(mid.x, mid.y), fresh.pixel(mid.x, mid.y + 5));
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(EntityPropertiesTest, GroupMemberKeepsItsOwnerAndGroupNumber)
{
    CEntity* header = Add(EntityType::GroupHeader, 0, 0, {0, 0, 1, 0}, {10, 20, 10, 20});
    CEntity* member = AddLine(EntityType::Line, 1, 2, 3, 4);
    member->owner = header;
    member->group = header->group = 7;
    EXPECT_EQ(Edit(member, [](QDialog& d) { Press(d, IDOK); }), 0);
    const CEntity* now = h.Doc().list.last;
    ASSERT_NE(now, member);
    EXPECT_EQ(now->owner, header);
    EXPECT_EQ(now->group, 7);
}

TEST_F(EntityPropertiesTest, ProtectedDrawingShowsItsMessageOnceAndKeepsTheLine)
{
    const struct {
        int protection;
        const char* message;
    } cases[] = {{1, "この図面は、書きこみ禁止状態になっています。"},
                 {2, "この図面は、パスワードによって保護されています。"}};
    for (const auto& c : cases) {
        CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40);
        h.Doc().ProtectionState = c.protection;
        h.Doc().modified = false;
        h.Ui().clear();
        h.Ui().dialog([](QDialog& d) {
            SetField(d, CChangeLineDlg::IDC_END_X, QStringLiteral("200"));
            Press(d, IDOK);
        });
        h.Ui().button(IDOK);
        EXPECT_EQ(EditEntityProperties(&h.View(), line), 0);
        EXPECT_EQ(h.Ui().messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(h.Doc().list.last, line);
        EXPECT_EQ(line->values, (std::vector<double>{10, 20, 30, 40}));
        EXPECT_FALSE(h.Doc().modified);
        h.Doc().ProtectionState = 0;
    }
}

TEST_F(EntityPropertiesTest, RefusedAddLeavesTheListAndThePendingUndoStep)
{
    CEntity* first = AddLine(EntityType::Line, 10, 20, 30, 40);
    Edit(first, [](QDialog& d) { Press(d, IDOK); });
    CEntity* replacement = h.Doc().list.last;
    ASSERT_NE(replacement, first);
    const std::vector<CEntity*> before = ListEntities();
    EXPECT_EQ(Edit(replacement,
                   [](QDialog& d) {
                       SetField(d, CChangeLineDlg::IDC_START_X, QStringLiteral("99999999999999"));
                       Press(d, IDOK);
                   }),
              0);
    EXPECT_EQ(ListEntities(), before);
    EXPECT_EQ(replacement->values, (std::vector<double>{10, 20, 30, 40}));
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    EXPECT_EQ(h.Doc().list.undoChain, first);
    EXPECT_EQ(h.Doc().list.mark, replacement);
    h.Doc().list.UndoRedo();
    EXPECT_EQ(h.Doc().list.last, first);
}

TEST_F(EntityPropertiesTest, CancelChangesNothing)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40);
    EXPECT_EQ(Edit(line,
                   [](QDialog& d) {
                       SetField(d, CChangeLineDlg::IDC_END_X, QStringLiteral("200"));
                       Press(d, IDCANCEL);
                   }),
              1);
    EXPECT_EQ(ListEntities(), std::vector<CEntity*>{line});
    EXPECT_EQ(line->values[2], 30);
}

TEST_F(EntityPropertiesTest, LineFieldsAreShownFromTheOriginAndStoredWithIt)
{
    h.Doc().DrawingOrigin[0] = 100;
    h.Doc().DrawingOrigin[1] = 50;
    CEntity* line = AddLine(EntityType::Line, 110, 60, 130, 60);
    QStringList shown;
    Edit(line, [&](QDialog& d) {
        for (int id : {CChangeLineDlg::IDC_START_X, CChangeLineDlg::IDC_START_Y, CChangeLineDlg::IDC_END_X,
                       CChangeLineDlg::IDC_END_Y})
            shown << Field(d, id)->text();
        SetField(d, CChangeLineDlg::IDC_END_Y, QStringLiteral("2.5"));
        Press(d, IDOK);
    });
    EXPECT_EQ(shown, (QStringList{"10", "10", "30", "10"}));
    EXPECT_EQ(h.Doc().list.last->values, (std::vector<double>{110, 60, 130, 52.5}));
}

TEST_F(EntityPropertiesTest, HorizontalInfiniteLineOpensWithOnlyStartYAndStaysHorizontal)
{
    h.Doc().DrawingOrigin[0] = 100;
    h.Doc().DrawingOrigin[1] = 50;
    CEntity* line = AddLine(EntityType::HorizontalInfiniteLine, -999999.9, 80, 9999999.9, 80);
    Edit(line, [&](QDialog& d) {
        EXPECT_TRUE(platform::control<QRadioButton>(&d, CChangeLineDlg::IDC_HORIZONTAL)->isChecked());
        EXPECT_FALSE(Field(d, CChangeLineDlg::IDC_START_X)->isEnabled());
        EXPECT_TRUE(Field(d, CChangeLineDlg::IDC_START_Y)->isEnabled());
        EXPECT_FALSE(Field(d, CChangeLineDlg::IDC_END_X)->isEnabled());
        EXPECT_FALSE(Field(d, CChangeLineDlg::IDC_END_Y)->isEnabled());
        EXPECT_EQ(Field(d, CChangeLineDlg::IDC_START_X)->text(), "-999999.9");
        EXPECT_EQ(Field(d, CChangeLineDlg::IDC_START_Y)->text(), "30");
        SetField(d, CChangeLineDlg::IDC_START_Y, QStringLiteral("40"));
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->type, EntityType::HorizontalInfiniteLine);
    EXPECT_EQ(now->values, (std::vector<double>{-999999.9, 90, 9999999.9, 90}));
}

TEST_F(EntityPropertiesTest, LineKindsChooseTheType)
{
    const struct {
        int16_t type;
        int button;
        int16_t result;
        std::vector<double> values;
    } cases[] = {
        {EntityType::Line, CChangeLineDlg::IDC_VERTICAL, EntityType::VerticalInfiniteLine,
         {10, -999999.9, 10, 9999999.9}},
        {EntityType::Line, CChangeLineDlg::IDC_HORIZONTAL, EntityType::HorizontalInfiniteLine,
         {-999999.9, 20, 9999999.9, 20}},
        {EntityType::InfiniteLine, CChangeLineDlg::IDC_FREE, EntityType::InfiniteLine, {10, 20, 30, 40}},
        {EntityType::Line, CChangeLineDlg::IDC_FREE, EntityType::Line, {10, 20, 30, 40}},
    };
    for (const auto& c : cases) {
        CEntity* line = AddLine(c.type, 10, 20, 30, 40);
        Edit(line, [&](QDialog& d) {
            Press(d, c.button);
            Press(d, IDOK);
        });
        EXPECT_EQ(h.Doc().list.last->type, c.result) << c.type << " " << c.button;
        EXPECT_EQ(h.Doc().list.last->values, c.values) << c.type << " " << c.button;
    }
}

TEST_F(EntityPropertiesTest, PenChoiceTakesThePenColourAndTheColourButtonOverridesIt)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40, 101);
    CustomColors[3] = 0x00ABCDEF;
    h.Ui().dialog([](QDialog& d) {
        Pick(d, CChangeLineDlg::IDC_PEN, 2);
        Pick(d, CChangeLineDlg::IDC_LINE_TYPE, 4);
        Press(d, IDOK);
    });
    EditEntityProperties(&h.View(), line);
    EXPECT_EQ(h.Doc().list.last->style, 402);
    EXPECT_EQ(h.Doc().list.last->colour, PenColors[2]);

    CEntity* again = h.Doc().list.last;
    h.Ui().dialog([](QDialog& d) {
        Pick(d, CChangeLineDlg::IDC_PEN, 5);
        Press(d, CChangeLineDlg::IDC_COLOR);
        Press(d, IDOK);
    });
    h.Ui().color(0x00123456);
    EditEntityProperties(&h.View(), again);
    EXPECT_EQ(h.Doc().list.last->style, 405);
    EXPECT_EQ(h.Doc().list.last->colour, 0x00123456u);
    EXPECT_EQ(h.Ui().calls(platform::UiKind::Color).size(), 1u);
}

} // namespace

namespace {

TEST_F(EntityPropertiesTest, PreviewFollowsTheLineKind)
{
    CEntity* line = AddLine(EntityType::Line, 10, 20, 30, 40);
    std::vector<QImage> shots;
    Edit(line, [&](QDialog& d) {
        QWidget* preview = platform::control<QWidget>(&d, CChangeLineDlg::IDC_PREVIEW);
        ASSERT_NE(preview, nullptr);
        for (int kind : {CChangeLineDlg::IDC_HORIZONTAL, CChangeLineDlg::IDC_VERTICAL, CChangeLineDlg::IDC_FREE}) {
            Press(d, kind);
            shots.push_back(preview->grab().toImage());
        }
        Press(d, IDCANCEL);
    });
    ASSERT_EQ(shots.size(), 3u);
    const QImage& horizontal = shots[0];
    const QImage& vertical = shots[1];
    const QImage& free = shots[2];
    const int w = horizontal.width(), hgt = horizontal.height();
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    // r is the client rectangle less one pixel: (1, 1, w - 1, h - 1).
    EXPECT_EQ(horizontal.pixel(w / 4, (hgt - 1) / 2), black);
    EXPECT_EQ(horizontal.pixel(w / 2 - 1, hgt / 4), white);
    EXPECT_EQ(vertical.pixel((w - 1) / 2, hgt / 4), black);
    EXPECT_EQ(vertical.pixel(w / 4, (hgt - 1) / 2), white);
    EXPECT_EQ(free.pixel(w / 4, (hgt - 1) / 2), white);
    EXPECT_EQ(free.pixel(11, hgt - 1 - 10), black);
}

} // namespace
