#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeArcDlg.h"
#include "dialogs/ChangeEllipDLg.h"

#include <QRadioButton>

namespace {

// An entity as the tables give it: type, values and their codes.
struct Figure {
    int16_t type;
    std::vector<double> values;
    std::vector<int16_t> codes;
};

TEST_F(EntityPropertiesTest, CircleSwitchedToArcBecomesAClockwiseArc)
{
    CEntity* circle = Add(EntityType::Circle, 0, 0, {50, 60, 20}, {10, 20, 40});
    Edit(circle, [](QDialog& d) {
        EXPECT_FALSE(Field(d, CChangeArcDlg::IDC_START_ANGLE)->isEnabled());
        EXPECT_EQ(Field(d, CChangeArcDlg::IDC_START_ANGLE)->text(), "0");
        Press(d, CChangeArcDlg::IDC_ARC);
        EXPECT_TRUE(platform::control<QRadioButton>(&d, CChangeArcDlg::IDC_CLOCKWISE)->isChecked());
        EXPECT_TRUE(Field(d, CChangeArcDlg::IDC_START_ANGLE)->isEnabled());
        SetField(d, CChangeArcDlg::IDC_END_ANGLE, QStringLiteral("90"));
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->type, EntityType::Arc);
    EXPECT_EQ(now->subtype, -1);
    EXPECT_EQ(now->codes, (std::vector<int16_t>{10, 20, 40, 50, 51}));
    EXPECT_EQ(now->values, (std::vector<double>{50, 60, 20, 0, 90}));
}

TEST_F(EntityPropertiesTest, ArcSwitchedToCircleKeepsItsDirectionAsSubtype)
{
    h.Doc().DrawingOrigin[0] = 100;
    h.Doc().DrawingOrigin[1] = 50;
    CEntity* arc = Add(EntityType::Arc, 1, 0, {150, 80, 20, 10, 200}, {10, 20, 40, 50, 51});
    Edit(arc, [](QDialog& d) {
        EXPECT_EQ(Field(d, CChangeArcDlg::IDC_CENTER_X)->text(), "50");
        EXPECT_EQ(Field(d, CChangeArcDlg::IDC_CENTER_Y)->text(), "30");
        EXPECT_EQ(Field(d, CChangeArcDlg::IDC_RADIUS)->text(), "20");
        EXPECT_EQ(Field(d, CChangeArcDlg::IDC_END_ANGLE)->text(), "200");
        EXPECT_TRUE(platform::control<QRadioButton>(&d, CChangeArcDlg::IDC_COUNTERCLOCKWISE)->isChecked());
        Press(d, CChangeArcDlg::IDC_CIRCLE);
        SetField(d, CChangeArcDlg::IDC_START_ANGLE, QString());  // not tested for a circle
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->type, EntityType::Circle);
    EXPECT_EQ(now->subtype, 1);
    EXPECT_EQ(now->values, (std::vector<double>{150, 80, 20}));
}

TEST_F(EntityPropertiesTest, RadiusAndAxesMustBePositive)
{
    const Figure circle{EntityType::Circle, {50, 60, 20}, {10, 20, 40}};
    const Figure ellipse{EntityType::Ellipse, {50, 60, 20, 10, 0}, {10, 20, 60, 61, 62}};
    const struct {
        const Figure& figure;
        int field;
        const char* text;
        const char* message;
    } cases[] = {
        {circle, CChangeArcDlg::IDC_RADIUS, "-5", "半径の入力に誤りがあります！"},
        {circle, CChangeArcDlg::IDC_RADIUS, "0", "半径の入力に誤りがあります！"},
        {circle, CChangeArcDlg::IDC_RADIUS, "", "半径値が入力されていません！"},
        {ellipse, CChangeEllipDLg::IDC_MAJOR, "-1", "主軸の入力に誤りがあります！"},
        {ellipse, CChangeEllipDLg::IDC_MINOR, "0", "副軸の入力に誤りがあります！"},
        {ellipse, CChangeEllipDLg::IDC_TILT, "", "傾き角度の値が入力されていません！"},
    };
    for (const auto& c : cases) {
        CEntity* e = Add(c.figure.type, 0, 0, c.figure.values, c.figure.codes);
        h.Ui().clear();
        int focused = -1;
        h.Ui().dialog([&](QDialog& d) {
            SetField(d, c.field, QString::fromLatin1(c.text));
            Press(d, IDOK);
            focused = FocusId(d);
            Press(d, IDCANCEL);
        });
        h.Ui().button(IDOK);
        EXPECT_EQ(EditEntityProperties(&h.View(), e), 1);
        EXPECT_EQ(h.Ui().messages(), QStringList{QString::fromUtf8(c.message)}) << c.text;
        EXPECT_EQ(focused, c.field) << c.text;
        EXPECT_EQ(h.Doc().list.last, e);
    }
}

// An arc's angles are looked at only once the fields above them passed:
// an empty angle is found after a wrong radius or axis, not before it.
TEST_F(EntityPropertiesTest, ArcAnglesAreCheckedAfterTheRestPassed)
{
    const struct {
        Figure figure;
        int size;
        int startAngle;
        const char* sizeMessage;
    } cases[] = {
        {{EntityType::Arc, {50, 60, 20, 10, 200}, {10, 20, 40, 50, 51}}, CChangeArcDlg::IDC_RADIUS,
         CChangeArcDlg::IDC_START_ANGLE, "半径の入力に誤りがあります！"},
        {{EntityType::EllipticArc, {50, 60, 20, 10, 30, 45, 90}, {10, 20, 60, 61, 62, 50, 51}},
         CChangeEllipDLg::IDC_MAJOR, CChangeEllipDLg::IDC_START_ANGLE, "主軸の入力に誤りがあります！"},
    };
    for (const auto& c : cases) {
        CEntity* e = Add(c.figure.type, 1, 0, c.figure.values, c.figure.codes);
        const std::vector<double> before = e->values.ToVector();
        h.Ui().clear();
        int focused[2] = {-1, -1};
        h.Ui().dialog([&](QDialog& d) {
            SetField(d, c.size, QStringLiteral("1e3"));
            SetField(d, c.startAngle, QString());
            Press(d, IDOK);
            focused[0] = FocusId(d);
            SetField(d, c.size, QStringLiteral("7"));
            Press(d, IDOK);
            focused[1] = FocusId(d);
            Press(d, IDCANCEL);
        });
        h.Ui().button(IDOK).button(IDOK);
        EXPECT_EQ(EditEntityProperties(&h.View(), e), 1);
        EXPECT_EQ(h.Ui().messages(),
                  (QStringList{QString::fromUtf8(c.sizeMessage), QStringLiteral("開始角度値が入力されていません！")}));
        EXPECT_EQ(focused[0], c.size);
        EXPECT_EQ(focused[1], c.startAngle);
        EXPECT_EQ(h.Doc().list.last, e);
        EXPECT_EQ(e->values, before);
    }
}

TEST_F(EntityPropertiesTest, EllipseAndEllipticArcSwitchTheirValues)
{
    CEntity* arc = Add(EntityType::EllipticArc, 3, 0, {50, 60, 20, 10, 30, 45, 90}, {10, 20, 60, 61, 62, 50, 51});
    Edit(arc, [](QDialog& d) {
        EXPECT_TRUE(platform::control<QRadioButton>(&d, CChangeEllipDLg::IDC_ELLIPTIC_ARC)->isChecked());
        EXPECT_EQ(Field(d, CChangeEllipDLg::IDC_TILT)->text(), "30");
        EXPECT_EQ(Field(d, CChangeEllipDLg::IDC_START_ANGLE)->text(), "45");
        Press(d, CChangeEllipDLg::IDC_ELLIPSE);
        EXPECT_FALSE(Field(d, CChangeEllipDLg::IDC_END_ANGLE)->isEnabled());
        Press(d, IDOK);
    });
    CEntity* ellipse = h.Doc().list.last;
    EXPECT_EQ(ellipse->type, EntityType::Ellipse);
    EXPECT_EQ(ellipse->subtype, 3);
    EXPECT_EQ(ellipse->codes, (std::vector<int16_t>{10, 20, 60, 61, 62}));
    EXPECT_EQ(ellipse->values, (std::vector<double>{50, 60, 20, 10, 30}));

    Edit(ellipse, [](QDialog& d) {
        Press(d, CChangeEllipDLg::IDC_ELLIPTIC_ARC);
        SetField(d, CChangeEllipDLg::IDC_END_ANGLE, QStringLiteral("270"));
        Press(d, IDOK);
    });
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->type, EntityType::EllipticArc);
    EXPECT_EQ(now->values, (std::vector<double>{50, 60, 20, 10, 30, 0, 270}));
}

TEST_F(EntityPropertiesTest, EllipseFieldsHaveTheirOwnLengths)
{
    CEntity* e = Add(EntityType::Ellipse, 0, 0, {50, 60, 20, 10, 0}, {10, 20, 60, 61, 62});
    Edit(e, [](QDialog& d) {
        EXPECT_EQ(Field(d, CChangeEllipDLg::IDC_CENTER_X)->maxLength(), 14);
        EXPECT_GT(Field(d, CChangeEllipDLg::IDC_CENTER_Y)->maxLength(), 1000);
        EXPECT_EQ(Field(d, CChangeEllipDLg::IDC_END_ANGLE)->maxLength(), 12);
        Press(d, IDCANCEL);
    });
}

} // namespace
