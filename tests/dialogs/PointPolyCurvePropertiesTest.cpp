#include "EntityPropertiesFixture.h"

#include "dialogs/ChangePointDlg.h"
#include "dialogs/ChangePolyDlg.h"
#include "dialogs/ChangeSplineDlg.h"
#include "model/Settings.h"

namespace {

TEST_F(EntityPropertiesTest, PointWeightMapsToTheThickLineTypes)
{
    const struct {
        int16_t lineType;
        int pick;      // -1: leave the weight list alone
        int shown;
        int16_t stored;
    } cases[] = {{6, -1, 2, 6}, {2, -1, 0, 0}, {0, 3, 0, 7}, {5, 0, 1, 0}, {7, -1, 3, 7}};
    for (const auto& c : cases) {
        CEntity* point = Add(EntityType::Point, 1, static_cast<int16_t>(c.lineType * 100 + 3), {10, 20}, {10, 20});
        int shown = -1;
        Edit(point, [&](QDialog& d) {
            shown = platform::control<QComboBox>(&d, CChangePointDlg::IDC_WEIGHT)->currentIndex();
            if (c.pick >= 0)
                Pick(d, CChangePointDlg::IDC_WEIGHT, c.pick);
            Press(d, IDOK);
        });
        EXPECT_EQ(shown, c.shown) << c.lineType;
        const CEntity* now = h.Doc().list.last;
        EXPECT_EQ(now->style, c.stored * 100 + 3) << c.lineType;
        EXPECT_EQ(now->subtype, 1) << c.lineType;
    }
}

TEST_F(EntityPropertiesTest, PointTakesItsShapeAndPositionFromTheDialog)
{
    h.Doc().DrawingOrigin[0] = 100;
    h.Doc().DrawingOrigin[1] = 50;
    CEntity* point = Add(EntityType::Point, 0, 0, {110, 70}, {10, 20});
    QString shownX;
    h.Ui().dialog([&](QDialog& d) {
        shownX = Field(d, CChangePointDlg::IDC_X)->text();
        Pick(d, CChangePointDlg::IDC_SHAPE, 2);
        SetField(d, CChangePointDlg::IDC_Y, QStringLiteral("y"));
        Press(d, IDOK);
        SetField(d, CChangePointDlg::IDC_Y, QStringLiteral("-5"));
        Press(d, IDOK);
    });
    h.Ui().button(IDOK);
    EditEntityProperties(&h.View(), point);
    EXPECT_EQ(shownX, "10");
    EXPECT_EQ(h.Ui().messages(), QStringList{QStringLiteral("Ｙ座標値に誤りがあります！")});
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->subtype, 2);
    EXPECT_EQ(now->values, (std::vector<double>{110, 45}));
}

TEST_F(EntityPropertiesTest, PolygonComesBackWithAllItsVerticesAndOneUndoRestoresIt)
{
    std::vector<double> vertices;
    for (int i = 0; i < 40; ++i) {  // more vertices than a fixed working array would hold
        vertices.push_back(i * 2.0);
        vertices.push_back(i % 3);
    }
    vertices.push_back(0);
    vertices.push_back(0);
    CEntity* polygon = Add(EntityType::Polygon, 4, 103, vertices);
    AddLine(EntityType::Line, 0, 0, 1, 1);
    Edit(polygon, [](QDialog& d) {
        Pick(d, CChangePolyDlg::IDC_PEN, 6);
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->type, EntityType::Polygon);
    EXPECT_EQ(now->subtype, 4);
    EXPECT_EQ(now->style, 106);
    EXPECT_EQ(now->values, vertices);
    EXPECT_TRUE(now->codes.empty());
    h.Doc().list.UndoRedo();
    const std::vector<CEntity*> back = ListEntities();
    EXPECT_TRUE(std::find(back.begin(), back.end(), polygon) != back.end());
    EXPECT_EQ(back.size(), 2u);
}

TEST_F(EntityPropertiesTest, CurveChangesInPlaceWithoutAnUndoStep)
{
    for (int16_t type : {EntityType::Curve, EntityType::FreehandCurve}) {
        const std::vector<double> points{0, 0, 10, 20, 30, 5, 40, 40};
        CEntity* curve = Add(type, 0, 203, points, type == EntityType::Curve ? std::vector<int16_t>{10, 20, 10, 20, 10, 20, 10, 20} : std::vector<int16_t>{});
        CEntity* after = AddLine(EntityType::Line, 0, 0, 1, 1);
        // A pending undo step that the change must leave alone.
        Edit(after, [](QDialog& d) { Press(d, IDOK); });
        CEntity* mark = h.Doc().list.mark;
        CEntity* chain = h.Doc().list.undoChain;
        const std::vector<CEntity*> before = ListEntities();
        h.Doc().modified = false;
        EXPECT_EQ(Edit(curve,
                       [](QDialog& d) {
                           Pick(d, CChangeSplineDlg::IDC_LINE_TYPE, 1);
                           Pick(d, CChangeSplineDlg::IDC_PEN, 4);
                           Press(d, IDOK);
                       }),
                  0);
        EXPECT_EQ(ListEntities(), before);
        EXPECT_EQ(curve->style, 104);
        EXPECT_EQ(curve->colour, PenColors[4]);
        EXPECT_EQ(curve->values, points);
        EXPECT_TRUE(h.Doc().modified);
        EXPECT_EQ(h.Doc().list.mark, mark);
        EXPECT_EQ(h.Doc().list.undoChain, chain);
        EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    }
}

TEST_F(EntityPropertiesTest, CurveOnAProtectedDrawingIsRefused)
{
    CEntity* curve = Add(EntityType::FreehandCurve, 0, 203, {0, 0, 10, 10, 20, 0});
    h.Doc().ProtectionState = 1;
    h.Ui().dialog([](QDialog& d) {
        Pick(d, CChangeSplineDlg::IDC_LINE_TYPE, 1);
        Press(d, IDOK);
    });
    h.Ui().button(IDOK);
    EXPECT_EQ(EditEntityProperties(&h.View(), curve), 0);
    EXPECT_EQ(h.Ui().messages(), QStringList{QStringLiteral("この図面は、書きこみ禁止状態になっています。")});
    EXPECT_EQ(curve->style, 203);
}

TEST_F(EntityPropertiesTest, TypesWithoutADialogOpenNothing)
{
    const struct {
        int16_t type;
        std::vector<double> values;
    } cases[] = {{EntityType::Grid, {0, 0, 10}},         {EntityType::GroupHeader, {0, 0, 1, 0}},
                 {EntityType::CurveVariant25, {0, 0, 1, 1}}, {EntityType::CurveVariant27, {0, 0, 1, 1}}};
    for (const auto& c : cases) {
        CEntity* e = Add(c.type, 0, 0, c.values);
        h.Ui().clear();
        EXPECT_EQ(EditEntityProperties(&h.View(), e), 0) << c.type;
        EXPECT_TRUE(h.Ui().calls().empty()) << c.type;
        EXPECT_EQ(h.Doc().list.last, e) << c.type;
    }
}

TEST_F(EntityPropertiesTest, EachDialogCarriesItsCaption)
{
    const struct {
        int16_t type;
        std::vector<double> values;
        std::vector<int16_t> codes;
        const char* caption;
    } cases[] = {
        {EntityType::Point, {1, 2}, {10, 20}, "点作図属性変更"},
        {EntityType::Line, {1, 2, 3, 4}, {10, 20, 11, 22}, "直線作図属性変更"},
        {EntityType::FreehandCurve, {1, 2, 3, 4}, {}, "曲線作図属性変更"},
        {EntityType::Arc, {1, 2, 3, 0, 90}, {10, 20, 40, 50, 51}, "円作図属性変更"},
        {EntityType::Ellipse, {1, 2, 3, 2, 0}, {10, 20, 60, 61, 62}, "楕円作図属性変更"},
        {EntityType::Polygon, {0, 0, 1, 0, 1, 1, 0, 0}, {}, "多角形作図属性変更"},
    };
    for (const auto& c : cases) {
        CEntity* e = Add(c.type, 0, 0, c.values, c.codes);
        h.Ui().clear();
        EXPECT_EQ(Edit(e, [](QDialog& d) { Press(d, IDCANCEL); }), 1) << c.caption;
        ASSERT_EQ(h.Ui().calls().size(), 1u);
        EXPECT_EQ(h.Ui().calls()[0].caption, QString::fromUtf8(c.caption));
    }
}

} // namespace
