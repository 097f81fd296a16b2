// The drawing palette with the real main frame and a drawing: the first
// drawing brings it up, drawing-menu commands move it, and its choices
// cancel the step running in the view.

#include "AppFixture.h"

#include "app/ChildFrame.h"
#include "view/DrawingDocument.h"
#include "app/MainFrame.h"
#include "app/OperateMsgBox.h"
#include "view/OrvikCadView.h"
#include "dialogs/PopEntity.h"
#include "dialogs/PopInportDlg.h"
#include "model/EntityKinds.h"
#include "model/EntityTransform.h"
#include "model/Settings.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QPointer>

#include <algorithm>

namespace {

class DrawPaletteTest : public AppTest {
protected:
    void SetUp() override
    {
        savedShown = PaletteShown;
        PaletteShown = -1;  // as at the start of a run
        PaletteCategory = 0;
        PaletteSubCommand = 0;
        std::fill(std::begin(PaletteLastSubCommand), std::end(PaletteLastSubCommand), int16_t(0));
        CurrentToolId = 0;
        ToolSubMode = 0;
        SelectionArmed = 0;
        Start();
    }
    void TearDown() override
    {
        AppTest::TearDown();
        PaletteShown = savedShown;
        PaletteCategory = 0;
        PaletteSubCommand = 0;
        CurrentToolId = 0;
        ToolSubMode = 0;
        SelectionArmed = 0;
    }

    // Makes a new drawing through the menu, confirming its information dialog.
    CChildFrame* NewDrawing()
    {
        ui.dialog(IDOK);
        frame->SendCommand(ID_FILE_NEW);
        QApplication::processEvents();
        return frame->ChildFrames().isEmpty() ? nullptr : frame->ChildFrames().last();
    }
    CPopEntity* Palette() const { return qobject_cast<CPopEntity*>(frame->DrawPalette()); }
    QString Prompt() const { return frame->PromptBox()->PromptText(); }

    platform::UiScript ui;
    int16_t savedShown = 0;
};

} // namespace

TEST_F(DrawPaletteTest, TheFirstDrawingOpensThePaletteOnTheSelectionTool)
{
    EXPECT_EQ(frame->DrawPalette(), nullptr);
    ASSERT_NE(NewDrawing(), nullptr);
    CPopEntity* palette = Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisible());
    EXPECT_TRUE(palette->isWindow());
    EXPECT_EQ(PaletteShown, 0);
    EXPECT_EQ(palette->Category(), 0);
    EXPECT_TRUE(palette->CategoryButton(0)->isChecked());
    EXPECT_EQ(palette->CommandList()->currentRow(), 0);
    EXPECT_EQ(frame->ShownPanelKind(), 25);
    EXPECT_EQ(Prompt(), QStringLiteral("図形を選んで移動・変形を行います。（Ｗクリックで属性変更）"));
    EXPECT_EQ(CurrentToolId, ToolId::Select);

    // A second drawing leaves the one palette alone.
    ASSERT_NE(NewDrawing(), nullptr);
    EXPECT_EQ(Palette(), palette);
    EXPECT_EQ(frame->findChildren<CPopEntity*>().size(), 1);
}

TEST_F(DrawPaletteTest, AMenuCommandMovesThePaletteButNotTheRowItRemembers)
{
    ASSERT_NE(NewDrawing(), nullptr);
    CPopEntity* palette = Palette();
    ASSERT_NE(palette, nullptr);

    ASSERT_TRUE(frame->SendCommand(32835));  // "水平寸法"
    EXPECT_EQ(palette->Category(), 7);
    for (int k = 0; k < CPopEntity::kCategories; ++k)
        EXPECT_EQ(palette->CategoryButton(k)->isChecked(), k == 7) << k;
    EXPECT_EQ(palette->CommandList()->count(), 8);
    EXPECT_EQ(palette->CommandList()->currentRow(), 1);
    EXPECT_EQ(frame->ShownPanelKind(), 12);
    EXPECT_EQ(Prompt(), QStringLiteral("水平寸法の開始位置を指示して下さい。"));
    EXPECT_EQ(CurrentToolId, ToolId::Dimension);
    EXPECT_EQ(ToolSubMode, 1);
    EXPECT_EQ(PaletteLastSubCommand[7], 0);

    ASSERT_TRUE(frame->SendCommand(32819));  // "円（直径指定）": a row without a panel
    EXPECT_EQ(palette->Category(), 4);
    EXPECT_EQ(palette->CommandList()->currentRow(), 1);
    EXPECT_EQ(frame->ShownPanelKind(), 0);
    EXPECT_EQ(Prompt(), QStringLiteral("円を作図します。直径の始端を指示して下さい。"));

    // The dimension button brings back the row last chosen in the palette.
    palette->CategoryButton(7)->click();
    EXPECT_EQ(palette->CommandList()->currentRow(), 0);
    EXPECT_EQ(ToolSubMode, 0);
    EXPECT_EQ(Prompt(), QStringLiteral("距離寸法の開始位置を指示して下さい。"));
}

TEST_F(DrawPaletteTest, ChoosingInThePaletteCancelsTheViewsRunningStep)
{
    CChildFrame* child = NewDrawing();
    ASSERT_NE(child, nullptr);
    auto* doc = dynamic_cast<CDrawingDocument*>(child->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    const int16_t codes[] = {10, 20, 11, 21};
    const double values[] = {0, 0, 100, 50};
    ASSERT_EQ(doc->Drawing().AddEntity({20, 0, 0, 0, 0}, codes, 0, values), 0);
    CEntity* line = doc->Drawing().list.last;
    ASSERT_NE(line, nullptr);
    CPopEntity* palette = Palette();
    ASSERT_NE(palette, nullptr);

    // Marked for a command, the line goes back to normal on a button ...
    line->state = EntityState::Selected;
    SelectionArmed = 1;
    palette->CategoryButton(2)->click();
    EXPECT_EQ(line->state, EntityState::Normal);

    // ... and on a row of the list.
    line->state = EntityState::Selected;
    SelectionArmed = 1;
    palette->CommandList()->setCurrentRow(4);
    EXPECT_EQ(line->state, EntityState::Normal);
    EXPECT_EQ(ToolSubMode, 4);
}

TEST_F(DrawPaletteTest, ThePaletteAndThePartsPaletteTakeTurns)
{
    CChildFrame* child = NewDrawing();
    ASSERT_NE(child, nullptr);
    QPointer<CPopEntity> first = Palette();
    ASSERT_FALSE(first.isNull());
    first->CategoryButton(5)->click();

    // "部品データ" lets the palette go without the close box's doings twice.
    ASSERT_TRUE(frame->SendCommand(ID_VIEW_PARTS_TREE));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(frame->DrawPalette(), nullptr);
    EXPECT_EQ(PaletteShown, 1);
    EXPECT_EQ(CurrentToolId, ToolId::Inport);

    // A drawing command brings it back on that command.
    ASSERT_TRUE(frame->SendCommand(32862));  // "ハッチング"
    CPopEntity* second = Palette();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(PaletteShown, 0);
    EXPECT_EQ(second->Category(), 13);
    EXPECT_EQ(second->CommandList()->currentRow(), 0);
    EXPECT_EQ(frame->ShownPanelKind(), 11);
    EXPECT_EQ(CurrentToolId, ToolId::Hatch);

    // The close box hands over to the parts palette; "作図パレット(&D)"
    // brings the palette back on the pair chosen last.
    second->close();
    QApplication::processEvents();
    EXPECT_EQ(frame->DrawPalette(), nullptr);
    EXPECT_EQ(PaletteShown, 1);
    EXPECT_EQ(CurrentToolId, ToolId::Inport);
    ASSERT_TRUE(frame->SendCommand(ID_VIEW_DRAW_PALETTE));
    ASSERT_NE(Palette(), nullptr);
    EXPECT_EQ(PaletteShown, 0);
    EXPECT_EQ(Palette()->Category(), 13);
    EXPECT_EQ(CurrentToolId, ToolId::Hatch);
}

namespace {

int BufferCount()
{
    int n = 0;
    for (const CEntity* e = EntityBuffer.first; e; e = e->next)
        ++n;
    return n;
}

} // namespace

TEST_F(DrawPaletteTest, ThePartsPaletteGoesWithItsBuffer)
{
    ASSERT_NE(NewDrawing(), nullptr);
    ASSERT_NE(Palette(), nullptr);

    ASSERT_TRUE(frame->SendCommand(ID_VIEW_PARTS_TREE));
    QPointer<CPopInportDlg> parts = qobject_cast<CPopInportDlg*>(frame->PartsPalette());
    ASSERT_FALSE(parts.isNull());
    AddEntityCopy(EntityBuffer, *MakeRecord(EntityType::Line, {0, 0, 10, 10}));

    // "作図パレット(&D)" lets the parts palette go and empties the buffer.
    ASSERT_TRUE(frame->SendCommand(ID_VIEW_DRAW_PALETTE));
    QApplication::processEvents();
    EXPECT_TRUE(parts.isNull());
    EXPECT_EQ(frame->PartsPalette(), nullptr);
    EXPECT_EQ(BufferCount(), 0);
    ASSERT_NE(Palette(), nullptr);

    // Its close box brings the drawing palette back.
    ASSERT_TRUE(frame->SendCommand(ID_VIEW_PARTS_TREE));
    parts = qobject_cast<CPopInportDlg*>(frame->PartsPalette());
    ASSERT_FALSE(parts.isNull());
    EXPECT_EQ(frame->DrawPalette(), nullptr);
    AddEntityCopy(EntityBuffer, *MakeRecord(EntityType::Line, {0, 0, 10, 10}));
    parts->close();
    QApplication::processEvents();
    EXPECT_TRUE(parts.isNull());
    EXPECT_EQ(BufferCount(), 0);
    EXPECT_NE(Palette(), nullptr);
    EXPECT_EQ(PaletteShown, 0);
}
