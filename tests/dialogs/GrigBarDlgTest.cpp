#include "PanelSupport.h"

#include "dialogs/GrigBarDlg.h"
#include "resources/Resource.h"

#include <vector>

namespace {

class GrigBarDlgTest : public PanelTest {
protected:
    std::unique_ptr<CGrigBarDlg> OpenBar()
    {
        auto bar = Open<CGrigBarDlg>();
        bar->m_sendCommand = [this](unsigned id) {
            sent.push_back({id, GridChangeKind, GridKind, GridLineType, GridPitch});
        };
        return bar;
    }
    // Types text into the pitch box and leaves it.
    static void TypePitch(CGrigBarDlg& bar, const QString& text)
    {
        bar.PitchCombo()->setEditText(text);
        Leave(bar.PitchCombo()->lineEdit());
    }
    static QStringList Pitches(CGrigBarDlg& bar)
    {
        QStringList items;
        for (int i = 0; i < bar.PitchCombo()->count(); ++i) items << bar.PitchCombo()->itemText(i);
        return items;
    }

    struct Sent {
        unsigned id;
        int16_t changeKind, kind, lineType;
        float pitch;
    };
    std::vector<Sent> sent;
};

TEST_F(GrigBarDlgTest, EachLookSetsTheGridGlobalsAndSendsTheGridCommand)
{
    auto bar = OpenBar();
    struct Row { int code; int16_t kind, lineType; };
    const Row rows[7] = {{0, 0, 0}, {2, 0, 1}, {1, 0, 2}, {3, 0, 3}, {4, 0, 4}, {50001, 1, 0}, {50002, 2, 0}};
    ASSERT_EQ(bar->LookCombo()->count(), 7);
    for (int position = 6; position >= 0; --position) {
        sent.clear();
        EXPECT_EQ(bar->LookCombo()->itemData(position).toInt(), rows[position].code);
        bar->LookCombo()->setCurrentIndex(position);
        emit bar->LookCombo()->activated(position);
        ASSERT_EQ(sent.size(), 1u) << position;
        EXPECT_EQ(sent[0].id, ID_APPLY_GRID);
        EXPECT_EQ(sent[0].changeKind, 1);
        EXPECT_EQ(sent[0].kind, rows[position].kind) << position;
        EXPECT_EQ(sent[0].lineType, rows[position].lineType) << position;
    }
}

TEST_F(GrigBarDlgTest, PitchTextHasNoTrailingZerosOrPoint)
{
    EXPECT_EQ(CGrigBarDlg::FormatPitch(20), QStringLiteral("20"));
    EXPECT_EQ(CGrigBarDlg::FormatPitch(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(CGrigBarDlg::FormatPitch(0.125), QStringLiteral("0.125"));
    EXPECT_EQ(CGrigBarDlg::FormatPitch(100), QStringLiteral("100"));
    EXPECT_EQ(CGrigBarDlg::FormatPitch(0), QStringLiteral("0"));
}

TEST_F(GrigBarDlgTest, APitchAppliesOnlyWhenItDiffersByAtLeastAFiftieth)
{
    auto bar = OpenBar();
    GridPitch = 20;
    TypePitch(*bar, QStringLiteral("20.04"));
    TypePitch(*bar, QStringLiteral("20.05"));  // single precision: just below the step
    EXPECT_TRUE(sent.empty());
    TypePitch(*bar, QStringLiteral("20.1"));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].changeKind, 0);
    EXPECT_FLOAT_EQ(sent[0].pitch, 20.1f);
    EXPECT_EQ(Pitches(*bar), QStringList{QStringLiteral("20.1")});
}

TEST_F(GrigBarDlgTest, ATextThatIsNoPitchShowsThePitchAgain)
{
    auto bar = OpenBar();
    GridPitch = 2.5f;
    for (const char* text : {"abc", "1,5", "", " 3"}) {
        TypePitch(*bar, QString::fromLatin1(text));
        EXPECT_EQ(bar->PitchCombo()->currentText(), QStringLiteral("2.5")) << text;
    }
    EXPECT_TRUE(sent.empty());
    EXPECT_FLOAT_EQ(GridPitch, 2.5f);
}

TEST_F(GrigBarDlgTest, UsedPitchesAreListedOnceInTheOrderFirstApplied)
{
    auto bar = OpenBar();
    GridPitch = 20;
    for (const char* text : {"10", "5", "10"}) TypePitch(*bar, QString::fromLatin1(text));
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_EQ(Pitches(*bar), (QStringList{QStringLiteral("10"), QStringLiteral("5")}));

    bar->m_strPitch = QStringLiteral("5");
    bar->AddPitchToList();
    bar->m_strPitch.clear();
    bar->AddPitchToList();
    EXPECT_EQ(Pitches(*bar), (QStringList{QStringLiteral("10"), QStringLiteral("5")}));

    // Picking a listed pitch applies it.
    sent.clear();
    bar->PitchCombo()->setCurrentIndex(1);
    emit bar->PitchCombo()->activated(1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_FLOAT_EQ(GridPitch, 5.0f);
    EXPECT_EQ(bar->PitchCombo()->currentText(), QStringLiteral("5"));
}

} // namespace
