#include "EntityPropertiesFixture.h"

#include "dialogs/ChangeTextDlg.h"
#include "model/Settings.h"
#include "platform/Encoding.h"

#include <QRadioButton>

namespace {

class TextPropertiesTest : public EntityPropertiesTest {
protected:
    CEntity* AddText(const std::string& text, int16_t style = 0, const std::string& font = DefaultTextFont)
    {
        const EntityHeader header{EntityType::Text, 0, style, 0, 5};
        const int16_t codes[] = {10, 20, 30, 40, 50};
        const double values[] = {110, 60, 5, 4, 30};
        EXPECT_EQ(h.Doc().list.AddEntity(header, codes, 0x00FF00, values, text, font), 0);
        return h.Doc().list.last;
    }
    // A text with a leader from start to the knee, of the shape; a shape
    // other than 0 keeps a shoulder end.
    CEntity* AddLeader(const std::string& text, int shape, double startX, int16_t style = 0)
    {
        const EntityHeader header{EntityType::LeaderText, static_cast<int16_t>(shape * 10 + 3), style, 0,
                                  static_cast<int16_t>(shape == 0 ? 9 : 11)};
        const int16_t codes[] = {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81};
        const double values[] = {999, 999, 10, 1, 0, startX, 0, 50, 50, 77, 50};
        EXPECT_EQ(h.Doc().list.AddEntity(header, codes, 0, values, text, DefaultTextFont), 0);
        return h.Doc().list.last;
    }
};

TEST_F(TextPropertiesTest, TextFieldsAreSeededAndTheTextIsRebuiltFromThem)
{
    h.Doc().DrawingOrigin[0] = 100;
    h.Doc().DrawingOrigin[1] = 50;
    CEntity* text = AddText(platform::ToCp932(QStringLiteral("図面")), 203);
    QStringList shown;
    Edit(text, [&](QDialog& d) {
        for (int id : {CChangeTextDlg::IDC_STRING, CChangeTextDlg::IDC_HEIGHT, CChangeTextDlg::IDC_WIDTH,
                       CChangeTextDlg::IDC_ANGLE, CChangeTextDlg::IDC_X, CChangeTextDlg::IDC_Y})
            shown << Field(d, id)->text();
        SetField(d, CChangeTextDlg::IDC_Y, QStringLiteral("-2.5"));
        SetField(d, CChangeTextDlg::IDC_HEIGHT, QStringLiteral("12.5"));
        Pick(d, CChangeTextDlg::IDC_PEN, 4);
        Press(d, IDOK);
    });
    EXPECT_EQ(shown, (QStringList{"図面", "5", "4", "30", "10", "10"}));
    const CEntity* now = h.Doc().list.last;
    ASSERT_NE(now, text);
    EXPECT_EQ(now->type, EntityType::Text);
    EXPECT_EQ(now->codes, (std::vector<int16_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(now->values, (std::vector<double>{110, 47.5, 12.5, 4, 30}));
    EXPECT_EQ(now->style, 204) << "the line type stays, the pen is chosen";
    EXPECT_EQ(now->colour, PenColors[4]);
    EXPECT_EQ(std::string(now->font), std::string(DefaultTextFont)) << "an untouched font list keeps the font";
    EXPECT_EQ(FromCp932(now->text), QStringLiteral("図面"));
    h.Doc().list.UndoRedo();
    EXPECT_EQ(h.Doc().list.last, text);
}

TEST_F(TextPropertiesTest, StoredTextIsOneLineCutOnACharacterBoundary)
{
    const QString sixty = QString(60, QChar(0x3042));  // 120 bytes
    const struct {
        QString typed;
        QString stored;
    } cases[] = {
        {QStringLiteral("AB\r\nCD\n"), QStringLiteral("ABCD")},
        {sixty + QStringLiteral("x"), sixty},
        {QStringLiteral("a") + sixty, QStringLiteral("a") + QString(59, QChar(0x3042))},
        {QString(130, QLatin1Char('z')), QString(120, QLatin1Char('z'))},
    };
    for (const auto& c : cases) {
        CEntity* text = AddText("old");
        Edit(text, [&](QDialog& d) {
            Ctrl<QLineEdit>(&d, CChangeTextDlg::IDC_STRING)->setText(c.typed);
            Press(d, IDOK);
        });
        EXPECT_EQ(FromCp932(h.Doc().list.last->text), c.stored) << c.typed.toStdString();
    }
}

TEST_F(TextPropertiesTest, TextFieldsAreTestedInTheirOrder)
{
    const struct {
        std::vector<std::pair<int, const char*>> typed;
        const char* message;
        int focus;
    } cases[] = {
        {{{CChangeTextDlg::IDC_STRING, ""}, {CChangeTextDlg::IDC_HEIGHT, ""}}, "文字列の入力がありません！",
         CChangeTextDlg::IDC_STRING},
        {{{CChangeTextDlg::IDC_HEIGHT, "1e3"}, {CChangeTextDlg::IDC_ANGLE, ""}}, "回転角の入力がありません！",
         CChangeTextDlg::IDC_ANGLE},
        {{{CChangeTextDlg::IDC_HEIGHT, "1e3"}, {CChangeTextDlg::IDC_X, ""}}, "文字高さの入力に誤りがあります！",
         CChangeTextDlg::IDC_HEIGHT},
        {{{CChangeTextDlg::IDC_WIDTH, "+5"}}, "文字幅の入力に誤りがあります！", CChangeTextDlg::IDC_WIDTH},
        {{{CChangeTextDlg::IDC_Y, "a"}, {CChangeTextDlg::IDC_X, ""}}, "Ｘ座標値の入力がありません！",
         CChangeTextDlg::IDC_X},
        {{{CChangeTextDlg::IDC_Y, "1..2"}}, "Ｙ座標値の入力に誤りがあります！", CChangeTextDlg::IDC_Y},
    };
    for (const auto& c : cases) {
        CEntity* text = AddText("old");
        const Refusal r = TypeAndConfirm(text, c.typed);
        EXPECT_EQ(r.result, 1);
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(r.focus, c.focus) << c.message;
        EXPECT_EQ(h.Doc().list.last, text);
    }
}

TEST_F(TextPropertiesTest, FontChoiceIsStoredAndAMissingFontIsKept)
{
    CEntity* text = AddText("A", 0, "NoSuchFace");
    QString chosen;
    Edit(text, [&](QDialog& d) {
        auto* fonts = Ctrl<QComboBox>(&d, CChangeTextDlg::IDC_FONT);
        ASSERT_GT(fonts->count(), 1);
        EXPECT_EQ(fonts->currentIndex(), 0);
        Press(d, IDOK);
    });
    EXPECT_EQ(std::string(h.Doc().list.last->font), "NoSuchFace");
    Edit(h.Doc().list.last, [&](QDialog& d) {
        auto* fonts = Ctrl<QComboBox>(&d, CChangeTextDlg::IDC_FONT);
        fonts->setCurrentIndex(1);
        chosen = fonts->currentText();
        Press(d, IDOK);
    });
    EXPECT_EQ(FromCp932(h.Doc().list.last->font), chosen);
}

// Text "Aあ": 3 bytes, 2 characters, height 10. The leader runs from (startX, 0)
// to the knee (50, 50).
TEST_F(TextPropertiesTest, LeaderTextIsPlacedAnewByShapeAndSide)
{
    const struct {
        int oldShape;
        int button;
        int shape;
        double startX;
        std::vector<double> place;  // text x, y, then the shoulder's end when kept
    } cases[] = {
        {0, CChangeLineTextDlg::IDC_FREE_LINE, 0, 100, {25, 45}},
        {1, CChangeLineTextDlg::IDC_FREE_LINE, 0, 0, {55, 45}},
        {0, CChangeLineTextDlg::IDC_GUIDE_LINE, 1, 100, {20, 45, 40, 50}},
        {2, CChangeLineTextDlg::IDC_GUIDE_LINE, 1, 0, {65, 45, 60, 50}},
        {1, CChangeLineTextDlg::IDC_UNDERLINE, 2, 100, {30, 52.5, 30, 50}},
        {0, CChangeLineTextDlg::IDC_UNDERLINE, 2, 0, {55, 52.5, 70, 50}},
    };
    for (const auto& c : cases) {
        CEntity* leader = AddLeader(platform::ToCp932(QStringLiteral("Aあ")), c.oldShape, c.startX, 203);
        Edit(leader, [&](QDialog& d) {
            Press(d, c.button);
            Press(d, IDOK);
        });
        const CEntity* now = h.Doc().list.last;
        ASSERT_NE(now, leader);
        std::vector<double> expected{c.place[0], c.place[1], 10, 1, 0, c.startX, 0, 50, 50};
        if (c.place.size() == 4) {
            expected.push_back(c.place[2]);
            expected.push_back(c.place[3]);
        }
        EXPECT_EQ(now->values.ToVector(), expected) << c.oldShape << " -> " << c.button;
        EXPECT_EQ(now->codes.size(), expected.size());
        EXPECT_EQ(now->subtype, c.shape * 10 + 3);
        EXPECT_EQ(now->style, 203);
    }
}

TEST_F(TextPropertiesTest, LeaderTextChoicesAndAnUnknownShape)
{
    CEntity* leader = AddLeader("AB", 7, 0);
    leader->subtype = 71;
    bool freeChecked = false;
    int arrowShown = -1;
    Edit(leader, [&](QDialog& d) {
        freeChecked = platform::control<QRadioButton>(&d, CChangeLineTextDlg::IDC_FREE_LINE)->isChecked();
        arrowShown = Ctrl<QComboBox>(&d, CChangeLineTextDlg::IDC_ARROWHEAD)->currentIndex();
        Pick(d, CChangeLineTextDlg::IDC_ARROWHEAD, 2);
        Pick(d, CChangeLineTextDlg::IDC_PEN, 6);
        SetField(d, CChangeLineTextDlg::IDC_X_SCALE, QStringLiteral("0.8"));
        Press(d, IDOK);
    });
    EXPECT_TRUE(freeChecked);
    EXPECT_EQ(arrowShown, 1);
    const CEntity* now = h.Doc().list.last;
    EXPECT_EQ(now->subtype, 2);
    EXPECT_EQ(now->style, 6);
    EXPECT_EQ(now->colour, PenColors[6]);
    EXPECT_EQ(now->values.size(), 9u);
    EXPECT_EQ(now->values[3], 0.8);
}

TEST_F(TextPropertiesTest, LeaderTextMessages)
{
    const struct {
        int id;
        const char* typed;
        const char* message;
    } cases[] = {
        {CChangeLineTextDlg::IDC_STRING, "", "文字列が入力されていません！"},
        {CChangeLineTextDlg::IDC_HEIGHT, "", "文字高さが入力されていません！"},
        {CChangeLineTextDlg::IDC_X_SCALE, "", "Ｘ方向相対尺度が入力されていません！"},
        {CChangeLineTextDlg::IDC_ANGLE, "", "文字の回転角度が入力されていません！"},
        {CChangeLineTextDlg::IDC_HEIGHT, "x", "文字高さの入力に誤りがあります！"},
        {CChangeLineTextDlg::IDC_X_SCALE, "1e3", "Ｘ方向相対尺度の入力に誤りがあります！"},
        {CChangeLineTextDlg::IDC_ANGLE, "+1", "文字の回転角度の入力に誤りがあります！"},
    };
    for (const auto& c : cases) {
        const Refusal r = TypeAndConfirm(AddLeader("AB", 1, 0), {{c.id, c.typed}});
        EXPECT_EQ(r.result, 1);
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(r.focus, c.id);
    }
}

} // namespace
