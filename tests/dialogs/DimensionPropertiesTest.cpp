#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeDimDLg.h"
#include "model/DimensionRecord.h"
#include "model/DimensionText.h"
#include "model/Settings.h"
#include "platform/Encoding.h"

#include <QLabel>

namespace {

class DimensionPropertiesTest : public EntityPropertiesTest {
protected:
    // A distance dimension of 100 from (0, 0) to (100, 0): tolerance type 7,
    // prefix "R", decimals 0, arrows of size 2 (dots of size 1), pen 2.
    CEntity* AddDistance()
    {
        DimensionStyle style;
        style.toleranceType = 7;
        style.tolerance1[6] = 0.2;
        style.tolerance2[6] = 0.1;
        style.prefixes[0] = "R";
        style.prefixLengths[0] = 1;
        style.arrowheadKind = 3;
        style.dotSize = 1;
        style.arrowSize = 2;
        style.textSize = 5;
        DimensionRecord r(DimensionKind::Distance);
        r.SetCommon(FillDimensionCommonValues(0, style));
        r.Set(10, 100);
        r.Set(12, 0);
        r.Set(15, 30);
        r.Set(16, 30);
        r.Set(18, 10);
        r.Set(19, 10);
        r.SetPoint(21, 0, -30);
        r.SetPoint(40, 0, 0);
        r.SetPoint(50, 100, 0);
        CEntityList& list = h.Doc().list;
        CEntity* before = list.last;
        const EntityHeader header{EntityType::Dimension, DimensionKind::Distance, 2, 0,
                                  static_cast<int16_t>(r.values.size())};
        EXPECT_EQ(list.AddEntity(header, r.codes.data(), 0x00102030, r.values.data()), 0);
        CEntity* dim = before->next;
        for (CEntity* e = dim; e; e = e->next)
            h.Doc().snaps.AddEntityPoints(e);
        return dim;
    }
    std::vector<CEntity*> Members(const CEntity* dim)
    {
        std::vector<CEntity*> out;
        for (CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->owner == dim)
                out.push_back(e);
        return out;
    }
    // The value text among the members.
    std::vector<std::string> MemberTexts(const CEntity* dim)
    {
        std::vector<std::string> out;
        for (const CEntity* e : Members(dim))
            if (e->type == EntityType::Text)
                out.push_back(e->text);
        return out;
    }
    double Code(const CEntity* e, int code)
    {
        const int i = FindValueIndex(*e, static_cast<int16_t>(code));
        return i >= 0 ? e->values[i] : -1.0;
    }
    // The dimension the list holds now (its members follow it).
    CEntity* CurrentDimension()
    {
        for (CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->type == EntityType::Dimension)
                return e;
        return nullptr;
    }
};

TEST_F(DimensionPropertiesTest, DecimalsChangeKeepsTheOtherStyleDigitsAndRebuildsTheText)
{
    CEntity* dim = AddDistance();
    const std::vector<CEntity*> oldMembers = Members(dim);
    ASSERT_FALSE(oldMembers.empty());
    EXPECT_EQ(Code(dim, 13), 1100);
    Edit(dim, [](QDialog& d) {
        EXPECT_EQ(Field(d, CChangeDimDLg::IDC_DECIMALS)->text(), "0");
        SetField(d, CChangeDimDLg::IDC_DECIMALS, QStringLiteral("2"));
        Press(d, IDOK);
    });
    CEntity* now = CurrentDimension();
    ASSERT_NE(now, dim);
    EXPECT_EQ(Code(now, 13), 1120);
    EXPECT_EQ(now->codes, dim->codes);
    EXPECT_EQ(now->style, 2);
    EXPECT_EQ(now->colour, 0x00102030u);
    const std::vector<std::string> texts = MemberTexts(now);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "R100.00"), texts.end());
    // One undo brings the old dimension and its members back.
    h.Doc().list.UndoRedo();
    EXPECT_EQ(CurrentDimension(), dim);
    EXPECT_EQ(Members(dim), oldMembers);
    EXPECT_FALSE(h.Doc().list.Holds(now));
}

TEST_F(DimensionPropertiesTest, DialogShowsTheRecordAndGivesItBack)
{
    CEntity* dim = AddDistance();
    int tolerancePosition = -1;
    int shownSize = -1;
    int dotSizeAfterSwitch = -1;
    QString prefix;
    Edit(dim, [&](QDialog& d) {
        tolerancePosition = Ctrl<QComboBox>(&d, CChangeDimDLg::IDC_TOLERANCE_TYPE)->currentIndex();
        shownSize = Ctrl<QComboBox>(&d, CChangeDimDLg::IDC_ARROW_SIZE)->currentIndex();
        prefix = Field(d, CChangeDimDLg::IDC_PREFIX)->text();
        EXPECT_EQ(Field(d, CChangeDimDLg::IDC_TEXT_SIZE)->text(), "5");
        EXPECT_EQ(Field(d, CChangeDimDLg::IDC_UPPER)->text(), "30");
        EXPECT_EQ(Field(d, CChangeDimDLg::IDC_LOWER)->text(), "10");
        EXPECT_EQ(Field(d, CChangeDimDLg::IDC_TOLERANCE1)->text(), "0.2");
        // Dots keep their own size: switching shows it, choosing changes it alone.
        Pick(d, CChangeDimDLg::IDC_ARROWHEAD, 1);
        dotSizeAfterSwitch = Ctrl<QComboBox>(&d, CChangeDimDLg::IDC_ARROW_SIZE)->currentIndex();
        Pick(d, CChangeDimDLg::IDC_ARROW_SIZE, 3);
        SetField(d, CChangeDimDLg::IDC_UPPER, QStringLiteral("40"));
        Press(d, IDOK);
    });
    EXPECT_EQ(tolerancePosition, 3) << "record type 7 is list position 3";
    EXPECT_EQ(shownSize, 2);
    EXPECT_EQ(dotSizeAfterSwitch, 1);
    EXPECT_EQ(prefix, "R");
    CEntity* now = CurrentDimension();
    ASSERT_NE(now, dim);
    EXPECT_EQ(Code(now, 14), 1 * 11100 + 3 * 10 + 2);
    EXPECT_EQ(Code(now, 15), 40);
    EXPECT_EQ(Code(now, 16), 40);
    EXPECT_EQ(Code(now, 18), 10);
    const DimensionLabelHead head = UnpackDimensionLabelHead(now->values[0]);
    EXPECT_EQ(head.toleranceType, 7);
    EXPECT_EQ(head.Prefix(), "R");
    EXPECT_EQ(now->values[1], 0.2);
    EXPECT_EQ(now->values[2], 0.1);
}

TEST_F(DimensionPropertiesTest, ToleranceTypeNoneClearsTheValuesAndAPrefixIsReplaced)
{
    CEntity* dim = AddDistance();
    Edit(dim, [&](QDialog& d) {
        Pick(d, CChangeDimDLg::IDC_TOLERANCE_TYPE, 0);
        SetField(d, CChangeDimDLg::IDC_PREFIX, QStringLiteral("φ"));
        Press(d, IDOK);
    });
    CEntity* now = CurrentDimension();
    const DimensionLabelHead head = UnpackDimensionLabelHead(now->values[0]);
    EXPECT_EQ(head.toleranceType, 0);
    EXPECT_EQ(FromCp932(head.Prefix()), QStringLiteral("φ"));
    EXPECT_EQ(now->values[1], 0.0);
    EXPECT_EQ(now->values[2], 0.0);
}

TEST_F(DimensionPropertiesTest, FontGoesToTheMembersAndTheSettingStays)
{
    DimFontName = DefaultTextFont;
    CEntity* dim = AddDistance();
    QString chosen;
    Edit(dim, [&](QDialog& d) {
        auto* fonts = Ctrl<QComboBox>(&d, CChangeDimDLg::IDC_FONT);
        ASSERT_GT(fonts->count(), 1);
        const int other = fonts->currentIndex() == 0 ? 1 : 0;
        fonts->setCurrentIndex(other);
        chosen = fonts->currentText();
        Press(d, IDOK);
    });
    EXPECT_EQ(DimFontName, std::string(DefaultTextFont));
    CEntity* now = CurrentDimension();
    bool anyText = false;
    for (const CEntity* e : Members(now))
        if (e->type == EntityType::Text) {
            anyText = true;
            EXPECT_EQ(FromCp932(e->font), chosen);
        }
    EXPECT_TRUE(anyText);
}

TEST_F(DimensionPropertiesTest, RefusedRebuildLeavesTheDimensionAndTheUndoStep)
{
    CEntity* line = AddLine(EntityType::Line, 0, 0, 10, 10);
    Edit(line, [](QDialog& d) { Press(d, IDOK); });
    CEntity* lineNow = h.Doc().list.last;
    CEntity* dim = AddDistance();
    const std::vector<CEntity*> members = Members(dim);
    const std::vector<CEntity*> before = ListEntities();
    Edit(dim, [](QDialog& d) {
        // Beyond what the list accepts as the upper tolerance.
        SetField(d, CChangeDimDLg::IDC_TOLERANCE1, QStringLiteral("999999999999999"));
        Press(d, IDOK);
    });
    EXPECT_EQ(ListEntities(), before);
    EXPECT_EQ(dim->state, EntityState::Normal);
    for (const CEntity* m : members)
        EXPECT_EQ(m->state, EntityState::Normal);
    EXPECT_EQ(h.Doc().list.undoState, UndoState::Replaced);
    EXPECT_EQ(h.Doc().list.undoChain, line);
    EXPECT_EQ(h.Doc().list.mark, lineNow);
}

TEST_F(DimensionPropertiesTest, SizesAreTestedAfterTheOtherFields)
{
    const struct {
        int id;
        const char* typed;
        const char* message;
    } cases[] = {
        {CChangeDimDLg::IDC_TEXT_SIZE, "", "文字サイズ値が入力されていません！"},
        {CChangeDimDLg::IDC_UPPER, "", "上部引出し線長さが入力されていません！"},
        {CChangeDimDLg::IDC_LOWER, "", "下部引出し線長さが入力されていません！"},
        {CChangeDimDLg::IDC_TEXT_SIZE, "1e3", "文字サイズの入力に誤りがあります！"},
        {CChangeDimDLg::IDC_UPPER, "x", "上部引出し線長さの入力に誤りがあります！"},
        {CChangeDimDLg::IDC_LOWER, "12a", "下部引出し線長さの入力に誤りがあります！"},
        {CChangeDimDLg::IDC_DECIMALS, "5", "0 から 4 までの整数を入力してください。"},
    };
    for (const auto& c : cases) {
        CEntity* dim = AddDistance();
        const Refusal r = TypeAndConfirm(dim, {{c.id, c.typed}});
        EXPECT_EQ(r.result, 1);
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(r.focus, c.id);
        EXPECT_TRUE(h.Doc().list.Holds(dim));
        EXPECT_EQ(dim->state, EntityState::Normal);
    }
}

TEST_F(DimensionPropertiesTest, GroupedDimensionStaysInItsGroup)
{
    CEntity* header = Add(EntityType::GroupHeader, 0, 0, {0, 0, 1, 0}, {10, 20, 10, 20});
    CEntity* dim = AddDistance();
    dim->owner = header;
    dim->group = header->group = 9;
    Edit(dim, [](QDialog& d) { Press(d, IDOK); });
    CEntity* now = CurrentDimension();
    ASSERT_NE(now, dim);
    EXPECT_EQ(now->owner, header);
    EXPECT_EQ(now->group, 9);
    EXPECT_FALSE(Members(now).empty());
}

} // namespace
