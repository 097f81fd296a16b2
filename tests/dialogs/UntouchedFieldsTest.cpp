// A field shows its number rounded to two decimals; confirming a dialog
// without editing the field must give the entity its full value back, while
// a field the user typed into takes what was typed.

#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeArcDlg.h"
#include "dialogs/ChangeEllipDLg.h"
#include "dialogs/ChangeLineDlg.h"
#include "dialogs/ChangePointDlg.h"

namespace {

struct Figure {
    const char* name;
    int16_t type;
    int16_t subtype;
    std::vector<double> values;
    std::vector<int16_t> codes;
};

const Figure Figures[] = {
    {"point", EntityType::Point, 0, {10.123456, 1137.9888268}, {10, 20}},
    {"line", EntityType::Line, 0, {10.0049, 20.33333, 512.1249, 1137.9888268}, {10, 20, 11, 22}},
    {"circle", EntityType::Circle, 0, {50.555555, 60.004, 20.0066666}, {10, 20, 40}},
    {"arc", EntityType::Arc, 1, {50.555555, 60.004, 20.0066666, 33.33333, 271.9999}, {10, 20, 40, 50, 51}},
    {"ellipse", EntityType::Ellipse, 0, {1.23456, 7.891011, 30.0001, 10.98765, 12.3456}, {10, 20, 60, 61, 62}},
    {"elliptic arc", EntityType::EllipticArc, 0, {1.23456, 7.891011, 30.0001, 10.98765, 12.3456, 1.11111, 2.22222},
     {10, 20, 60, 61, 62, 50, 51}},
};

TEST_F(EntityPropertiesTest, ConfirmingUntouchedFieldsKeepsEveryValueWhole)
{
    h.Doc().DrawingOrigin[0] = 0.1234567;
    h.Doc().DrawingOrigin[1] = -3.3333333;
    for (const Figure& f : Figures) {
        CEntity* e = Add(f.type, f.subtype, 0, f.values, f.codes);
        EXPECT_EQ(Edit(e, [](QDialog& d) { Press(d, IDOK); }), 0) << f.name;
        const CEntity* now = h.Doc().list.last;
        ASSERT_NE(now, e) << f.name;
        ASSERT_EQ(now->values.size(), f.values.size()) << f.name;
        // Off the origin and back again: equal but for the last bits.
        for (std::size_t i = 0; i < f.values.size(); ++i)
            EXPECT_NEAR(now->values[i], f.values[i], 1e-9) << f.name << " value " << i;
    }
}

TEST_F(EntityPropertiesTest, ATypedFieldTakesItsTextWhileTheOthersStayWhole)
{
    CEntity* line = AddLine(EntityType::Line, 10.0049, 20.33333, 512.1249, 1137.9888268);
    Edit(line, [](QDialog& d) {
        EXPECT_EQ(Field(d, CChangeLineDlg::IDC_END_Y)->text(), "1137.99");
        SetField(d, CChangeLineDlg::IDC_START_X, QStringLiteral("10.5"));
        // The same rounded text typed back is the value shown.
        SetField(d, CChangeLineDlg::IDC_END_X, QStringLiteral("1"));
        SetField(d, CChangeLineDlg::IDC_END_X, QStringLiteral("512.12"));
        Press(d, IDOK);
    });
    EXPECT_EQ(h.Doc().list.last->values.ToVector(), (std::vector<double>{10.5, 20.33333, 512.1249, 1137.9888268}));
}

} // namespace
