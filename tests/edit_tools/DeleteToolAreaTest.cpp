// The delete tool's area delete: the dialog, the inside/outside and
// all/by-kind choices with the owner rules, cancel and undo.

#include "DeleteToolFixture.h"

#include "view/ViewDispatch.h"

#include <QCheckBox>
#include <QRadioButton>

namespace {

using Dlg = CDeleteGroupDlg;

} // namespace

TEST_F(DeleteToolTest, DialogOpensWithAllKindsInsideAndTheKindBoxesOff)
{
    AddLine(10, 10, 20, 10);
    h.View().RedrawNow();
    std::vector<std::pair<int, bool>> enabled;
    h.Ui().dialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("グループ削除"));
        EXPECT_EQ(GetViewCapture(), nullptr);  // the mouse is free while the question is open
        EXPECT_TRUE(platform::control<QRadioButton>(&d, Dlg::IDC_ALL_KINDS)->isChecked());
        EXPECT_TRUE(platform::control<QRadioButton>(&d, Dlg::IDC_INSIDE)->isChecked());
        for (int id = Dlg::IDC_POINT; id <= Dlg::IDC_POLYGON; ++id) {
            auto* box = platform::control<QCheckBox>(&d, id);
            EXPECT_FALSE(box->isChecked()) << id;
            EXPECT_FALSE(box->isEnabled()) << id;
        }
        platform::control<QAbstractButton>(&d, Dlg::IDC_BY_KIND)->click();
        EXPECT_TRUE(platform::control<QCheckBox>(&d, Dlg::IDC_POLYGON)->isEnabled());
        platform::control<QAbstractButton>(&d, Dlg::IDC_ALL_KINDS)->click();
        EXPECT_FALSE(platform::control<QCheckBox>(&d, Dlg::IDC_POLYGON)->isEnabled());
        EXPECT_EQ(platform::control<QAbstractButton>(&d, IDOK)->text(), QString::fromUtf8("実　行"));
        EXPECT_EQ(platform::control<QAbstractButton>(&d, IDCANCEL)->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
        d.reject();
    });
    ToolSubMode = 2;
    h.Click(0, 0);
    EXPECT_EQ(h.Prompt(), QString::fromUtf8("領域の終了位置を指示して下さい。"));
    h.Move(30, 30);
    h.Click(30, 30);
    EXPECT_EQ(h.Ui().calls(platform::UiKind::Dialog).size(), 1u);
    EXPECT_EQ(h.Prompt(), QString::fromUtf8("グループ領域の開始位置を指示して下さい。"));
}

TEST_F(DeleteToolTest, KindFlagsComeInTheMarkingOrder)
{
    // Each box alone, as the marking receives it.
    const struct {
        int id;
        short DeleteKindFlags::*flag;
    } boxes[] = {
        {Dlg::IDC_POINT, &DeleteKindFlags::point},     {Dlg::IDC_LINE, &DeleteKindFlags::line},
        {Dlg::IDC_CIRCLE, &DeleteKindFlags::circle},   {Dlg::IDC_TEXT, &DeleteKindFlags::text},
        {Dlg::IDC_DIMENSION, &DeleteKindFlags::dimension}, {Dlg::IDC_HATCH, &DeleteKindFlags::hatch},
        {Dlg::IDC_CURVE, &DeleteKindFlags::curve},     {Dlg::IDC_IMAGE, &DeleteKindFlags::image},
        {Dlg::IDC_POLYGON, &DeleteKindFlags::polygon},
    };
    for (const auto& b : boxes) {
        Dlg dlg;
        int result = 0;
        h.Ui().dialog([&](QDialog& d) {
            platform::control<QAbstractButton>(&d, Dlg::IDC_BY_KIND)->click();
            platform::control<QAbstractButton>(&d, b.id)->click();
            platform::control<QAbstractButton>(&d, IDOK)->click();
        });
        result = dlg.DoModal();
        ASSERT_EQ(result, IDOK);
        EXPECT_EQ(dlg.mode, 1);
        const DeleteKindFlags f = dlg.Flags();
        for (const auto& other : boxes)
            EXPECT_EQ(f.*other.flag, other.id == b.id ? 1 : 0) << b.id << " " << other.id;
    }
}

TEST_F(DeleteToolTest, InsideOrOutsideWithAllKinds)
{
    // A line wholly inside (0..100 square), one half inside, an infinite
    // line, a group with one member inside and one outside, a line on
    // layer 1 inside.
    struct Case {
        const char* what;
        std::vector<int> press;
        std::vector<bool> kept;  // whole, half, infinite, member in, member out, header, other layer
    };
    const Case cases[] = {
        {"inside", {}, {false, true, true, false, false, false, true}},
        {"outside", {Dlg::IDC_OUTSIDE}, {true, false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        h.Doc().list.RemoveAll();
        h.Doc().RebuildSnapPoints();
        Add(EntityType::Grid, {0, 0, 10}, {10, 20, 30});
        std::vector<CEntity*> e;
        e.push_back(AddLine(10, 10, 50, 10));
        e.push_back(AddLine(10, 20, 150, 20));
        e.push_back(Add(EntityType::HorizontalInfiniteLine, {0, 30, 10, 30}, {10, 20, 11, 22}));
        e.push_back(AddLine(10, 40, 50, 40));
        e.push_back(AddLine(10, 200, 50, 200));
        e.push_back(AddGroup({e[3], e[4]}));
        e.push_back(AddLine(10, 60, 50, 60, 1));
        h.View().RedrawNow();
        h.Ui().clear();

        Area(0, 0, 100, 100, c.press);
        for (std::size_t i = 0; i < e.size(); ++i)
            EXPECT_EQ(Holds(e[i]), c.kept[i]) << c.what << " " << i;
        EXPECT_EQ(h.Doc().list.first->type, EntityType::Grid) << c.what;
        for (const CEntity* x : Live()) {
            EXPECT_TRUE(!x->owner || Holds(x->owner)) << c.what;
            EXPECT_EQ(x->state, 0) << c.what;
        }
        EXPECT_TRUE(h.Doc().modified) << c.what;
        EXPECT_TRUE(h.ScreenIsFreshRedraw()) << c.what;

        Undo();
        for (CEntity* x : e)
            EXPECT_TRUE(Holds(x)) << c.what;
    }
}

TEST_F(DeleteToolTest, ByKindFollowsTheKindAndOwnerRules)
{
    struct Case {
        const char* what;
        std::vector<int> press;
        std::vector<bool> kept;  // point, line, dimension (and its parts), circle, grouped line, its header
    };
    const Case cases[] = {
        {"no box inside", {}, {true, true, true, true, true, true}},
        {"point inside", {Dlg::IDC_POINT}, {false, true, true, true, true, true}},
        {"dimension inside takes its parts", {Dlg::IDC_DIMENSION}, {true, true, false, true, true, true}},
        {"line inside takes its group", {Dlg::IDC_LINE}, {true, false, true, true, false, false}},
        {"circle outside", {Dlg::IDC_OUTSIDE, Dlg::IDC_CIRCLE}, {true, true, true, false, true, true}},
        {"no box outside: grouped lines go", {Dlg::IDC_OUTSIDE}, {true, true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        h.Doc().list.RemoveAll();
        h.Doc().RebuildSnapPoints();
        CEntity* point = Add(EntityType::Point, {10, 10}, {10, 20});
        CEntity* line = AddLine(10, 20, 50, 20);
        CEntity* dim = AddDimension(10, 30, 40);
        CEntity* circle = Add(EntityType::Circle, {300, 300, 10}, {10, 20, 40});
        CEntity* grouped = AddLine(10, 80, 50, 80);
        CEntity* header = AddGroup({grouped});
        h.View().RedrawNow();
        h.Ui().clear();

        std::vector<int> press{Dlg::IDC_BY_KIND};
        press.insert(press.end(), c.press.begin(), c.press.end());
        Area(0, 0, 100, 100, press);
        const CEntity* all[] = {point, line, dim, circle, grouped, header};
        for (std::size_t i = 0; i < std::size(all); ++i)
            EXPECT_EQ(Holds(all[i]), c.kept[i]) << c.what << " " << i;
        for (const CEntity* x : Live()) {
            EXPECT_TRUE(!x->owner || Holds(x->owner)) << c.what;
            EXPECT_EQ(x->state, 0) << c.what;
        }
        EXPECT_TRUE(h.ScreenIsFreshRedraw()) << c.what;
    }
}

TEST_F(DeleteToolTest, CancelOrAnEmptyRectangleDeletesNothing)
{
    CEntity* line = AddLine(10, 10, 50, 10);
    CEntity* dim = AddDimension(10, 30, 40);
    h.View().RedrawNow();
    Area(0, 0, 100, 35, {Dlg::IDC_OUTSIDE}, false);
    EXPECT_TRUE(Holds(line) && Holds(dim));
    for (const CEntity* x : Live())
        EXPECT_EQ(x->state, 0);
    EXPECT_FALSE(h.Doc().modified);
    EXPECT_EQ(h.Beeps(), 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());

    h.Ui().clear();
    ToolSubMode = 2;
    h.Click(200, 200);
    h.Move(300, 300);
    h.Click(300, 300);
    EXPECT_EQ(h.Beeps(), 1);
    EXPECT_TRUE(h.Ui().calls(platform::UiKind::Dialog).empty());
    EXPECT_EQ(Live().size(), 4u);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}

TEST_F(DeleteToolTest, RightButtonErasesTheRectangle)
{
    AddLine(10, 10, 50, 10);
    h.View().RedrawNow();
    ToolSubMode = 2;
    h.Click(0, 0);
    h.Move(60, 60);
    EXPECT_FALSE(h.ScreenIsFreshRedraw());
    h.RightClick(60, 60);
    EXPECT_EQ(InputPointCount, 0);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
    EXPECT_TRUE(h.Ui().calls(platform::UiKind::Dialog).empty());
}

TEST_F(DeleteToolTest, MalformedRecordsAreTestedWithoutHarm)
{
    auto shortened = [&](CEntity* e, int16_t count) { e->count = count; };
    shortened(Add(EntityType::Text, {10, 10, 5, 4, 0}, {10, 20, 30, 40, 50}, 0, nullptr, "abc"), 3);
    shortened(Add(EntityType::LeaderText, {10, 10, 5, 4, 0, 1, 1, 2, 2}, {10, 20, 30, 40, 50, 60, 61, 70, 71}), 7);
    Add(EntityType::Arc, {50, 50, 10}, {10, 20, 40});
    CEntity* hatch =
        Add(EntityType::Hatch, {5, 5, 0, 0, 0, 10, 10, 0, 0, 10, 0}, {3, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20});
    hatch->codes[0] = 30000;
    Add(EntityType::Fill, {0, 0, 1, 1}, {0, 0, 99, 98});
    Add(EntityType::Curve, {60, 60}, {10, 20});
    h.View().RedrawNow();
    const std::size_t all = Live().size();

    CrossLine(-10, 30, 100, 30);
    Area(-20, -20, 200, 200, {Dlg::IDC_OUTSIDE}, true);
    Area(-20, -20, 200, 200, {}, true);
    for (const CEntity* x : Live())
        EXPECT_EQ(x->state, 0);
    EXPECT_LE(Live().size(), all);
    EXPECT_TRUE(h.ScreenIsFreshRedraw());
}
