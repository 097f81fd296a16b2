#include "PanelSupport.h"

#include "dialogs/SizeInfoDlg.h"

#include <QTemporaryDir>

namespace {

class SizeInfoDlgTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        savedFolder = DataFolder;
        DataFolder = dir.path().toStdString();
        CParameterBlock block;
        block.SetFactoryDefaults();
        block.PenColors = stored;
        ASSERT_TRUE(WriteParameterFile(DataFolder, block));
        CurrentPen = 0;
        CurrentLineType = 0;
    }
    void TearDown() override { DataFolder = savedFolder; }

    static void Pick(QWidget* panel, int id, int index)
    {
        auto* list = Ctrl<QComboBox>(panel, id);
        ASSERT_NE(list, nullptr);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    static uint32_t ItemColour(QWidget* panel, int index)
    {
        return Ctrl<QComboBox>(panel, 1402)->itemData(index).toUInt();
    }

    QTemporaryDir dir;
    std::string savedFolder;
    std::array<uint32_t, 8> stored{0x000001, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x808080};
};

TEST_F(SizeInfoDlgTest, OpensWithThePenColoursOfTheSettingsFileAndPenOne)
{
    PenColors.fill(0x123456);
    auto panel = Open<CSizeInfoDlg>();
    auto* pens = Ctrl<QComboBox>(panel.get(), 1402);
    ASSERT_EQ(pens->count(), 8);
    EXPECT_EQ(pens->currentIndex(), 0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ItemColour(panel.get(), i), stored[i]) << i;
    }
    EXPECT_EQ(CurrentColor, stored[0]);
    EXPECT_EQ(panel->SwatchColor(), stored[0]);
    EXPECT_EQ(Ctrl<QComboBox>(panel.get(), 1118)->count(), 8);
}

TEST_F(SizeInfoDlgTest, AMissingSettingsFileLeavesThePenColours)
{
    DataFolder = (dir.path() + QStringLiteral("/nowhere")).toStdString();
    PenColors.fill(0x123456);
    EXPECT_FALSE(CSizeInfoDlg::LoadPenColors());
    EXPECT_EQ(PenColors[3], 0x123456u);
}

TEST_F(SizeInfoDlgTest, ChoosingPensAndLineTypesSetsWhatNewEntitiesGet)
{
    auto panel = Open<CSizeInfoDlg>();
    Pick(panel.get(), 1402, 2);
    EXPECT_EQ(CurrentPen, 2);
    EXPECT_EQ(CurrentColor, stored[2]);
    EXPECT_EQ(panel->SwatchColor(), stored[2]);

    const int codes[8] = {0, 2, 1, 3, 4, 30001, 30002, 30003};
    for (int position = 0; position < 8; ++position) {
        EXPECT_EQ(Ctrl<QComboBox>(panel.get(), 1118)->itemData(position).toInt(), codes[position]);
        Pick(panel.get(), 1118, position);
        EXPECT_EQ(CurrentLineType, position);
    }
}

TEST_F(SizeInfoDlgTest, ANewColourChangesTheCurrentPenUntilTheSettingsAreReadAgain)
{
    auto panel = Open<CSizeInfoDlg>();
    Pick(panel.get(), 1402, 2);
    ui.cancel();
    Click(panel.get(), 1222);
    EXPECT_EQ(CurrentColor, stored[2]);
    EXPECT_EQ(PenColors[2], stored[2]);

    ui.color(0x336699);
    Click(panel.get(), 1222);
    EXPECT_EQ(CurrentColor, 0x336699u);
    EXPECT_EQ(PenColors[2], 0x336699u);
    EXPECT_EQ(ItemColour(panel.get(), 2), 0x336699u);
    EXPECT_EQ(Ctrl<QComboBox>(panel.get(), 1402)->currentIndex(), 2);
    EXPECT_EQ(panel->SwatchColor(), 0x336699u);

    panel->ReloadPenColors();
    EXPECT_EQ(PenColors[2], stored[2]);
    EXPECT_EQ(CurrentPen, 0);
    EXPECT_EQ(CurrentColor, stored[0]);
    EXPECT_EQ(Ctrl<QComboBox>(panel.get(), 1402)->currentIndex(), 0);
}

TEST_F(SizeInfoDlgTest, FillPenComboKeepsTheCurrentPenAndTakesItsColour)
{
    auto panel = Open<CSizeInfoDlg>();
    CurrentPen = 5;
    PenColors[5] = 0x010203;
    panel->FillPenCombo();
    EXPECT_EQ(Ctrl<QComboBox>(panel.get(), 1402)->currentIndex(), 5);
    EXPECT_EQ(ItemColour(panel.get(), 5), 0x010203u);
    EXPECT_EQ(CurrentColor, 0x010203u);
    EXPECT_EQ(panel->SwatchColor(), 0x010203u);
}

TEST_F(SizeInfoDlgTest, ScaleReadoutFollowsTheActiveDrawing)
{
    auto panel = Open<CSizeInfoDlg>();
    ScaleDenominator = 50;
    panel->OnPaint();
    EXPECT_EQ(Ctrl<QLabel>(panel.get(), 1031)->text(), QStringLiteral("1/50"));
    ScaleDenominator = 100;
    panel->OnPaint();
    EXPECT_EQ(panel->ScaleText(), QStringLiteral("1/100"));
    ScaleDenominator = 1;
}

} // namespace
