#include "model/Document.h"
#include "model/Notify.h"
#include "model/Settings.h"
#include "view/DrawTool.h"
#include "tools/DrawingEdit.h"

#include "common/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class Recorder : public Notifier {
public:
    std::vector<std::string> messages;
    int beeps = 0;
    int MessageBox(std::string_view text, std::string_view, unsigned) override
    {
        messages.emplace_back(text);
        return IDOK;
    }
    void MessageBeep(unsigned) override { ++beeps; }
};

class DrawingEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder.string();
        previous = SetNotifier(&notes);
        doc = std::make_unique<COrvikCadDoc>();
        // A drawing starts with its grid record.
        const int16_t codes[3] = {10, 20, 30};
        const double values[3] = {0, 0, 20};
        doc->list.AddEntity({EntityType::Grid, 1, 0, 0, 3}, codes, 0, values);
        doc->snaps.AddEntityPoints(doc->list.last);
    }
    void TearDown() override
    {
        doc.reset();
        SetNotifier(previous);
    }

    CEntity* AddLine(DrawingEdit& edit, double x1, double y1, double x2, double y2)
    {
        const int16_t codes[4] = {10, 20, 11, 22};
        const double values[4] = {x1, y1, x2, y2};
        return edit.Add(NewEntityHeader(EntityType::Line, 0, 4, 0), codes, values);
    }
    int Count() const
    {
        int n = 0;
        for (const CEntity* e = doc->list.first; e; e = e->next)
            n += e->type != EntityType::Grid;
        return n;
    }
    void Undo()
    {
        UndoDrawing(
            *doc, [this](CEntity* e) { erased.push_back(e); }, [this](CEntity* e) { drawn.push_back(e); });
    }

    ScratchFolder scratch{"orvik-drawing-edit"};
    fs::path folder = scratch.path();
    Recorder notes;
    Notifier* previous = nullptr;
    std::unique_ptr<COrvikCadDoc> doc;
    std::vector<CEntity*> erased, drawn;
};

} // namespace

TEST_F(DrawingEditTest, AddDrawsMarksModifiedAndRegistersSnapPoints)
{
    CurrentPen = 3;
    CurrentLineType = 2;
    CurrentColor = 0x123456;
    std::vector<CEntity*> shown;
    DrawingEdit edit(*doc, [&](CEntity* e) { shown.push_back(e); });
    CEntity* e = AddLine(edit, 0, 0, 10, 5);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->style, 203);
    EXPECT_EQ(e->colour, 0x123456u);
    EXPECT_TRUE(doc->modified);
    EXPECT_TRUE(doc->snaps.HasEntityPoints(e));
    EXPECT_EQ(shown, std::vector<CEntity*>{e});
    CurrentPen = 0;
    CurrentLineType = 0;
    CurrentColor = 0;
}

TEST_F(DrawingEditTest, ProtectedDrawingRefusesEveryAdd)
{
    struct Case {
        int protection;
        const char* message;
    };
    for (const Case c : {Case{1, "この図面は、書きこみ禁止状態になっています。"},
                         Case{2, "この図面は、パスワードによって保護されています。"}}) {
        notes.messages.clear();
        doc->ProtectionState = c.protection;
        DrawingEdit edit(*doc, {});
        EXPECT_EQ(AddLine(edit, 5, 5, 6, 6), nullptr);
        EXPECT_EQ(AddLine(edit, 7, 7, 8, 8), nullptr);
        // The test comes before each entity.
        EXPECT_EQ(notes.messages, (std::vector<std::string>{c.message, c.message}));
        EXPECT_EQ(Count(), 0);
        EXPECT_FALSE(edit.CloseRun());
        EXPECT_FALSE(doc->modified);
    }
    // Nothing to undo afterwards.
    doc->ProtectionState = 0;
    Undo();
    EXPECT_EQ(doc->list.first, doc->list.last);
    EXPECT_TRUE(erased.empty());
}

TEST_F(DrawingEditTest, RefusedOperationStillDropsThePendingStep)
{
    {
        DrawingEdit edit(*doc, {});
        CEntity* a = AddLine(edit, 0, 0, 1, 1);
        AddLine(edit, 2, 2, 3, 3);
        doc->list.mark = nullptr;
        ASSERT_TRUE(edit.CloseRun());
        ASSERT_EQ(doc->list.mark, a);
    }
    doc->ProtectionState = 1;
    DrawingEdit refused(*doc, {});
    EXPECT_EQ(AddLine(refused, 5, 5, 6, 6), nullptr);
    // The run's mark went with the discarded step.
    EXPECT_EQ(doc->list.mark, nullptr);
    EXPECT_EQ(doc->list.undoState, UndoState::Normal);
}

TEST_F(DrawingEditTest, NonFiniteValuesAreRefusedSilently)
{
    DrawingEdit edit(*doc, {});
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    for (double v : bad) {
        EXPECT_EQ(AddLine(edit, 0, 0, v, 1), nullptr);
        EXPECT_EQ(AddLine(edit, v, 0, 1, 1), nullptr);
    }
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(notes.messages.empty());
    EXPECT_FALSE(doc->modified);
}

TEST_F(DrawingEditTest, RunOfAddsIsOneUndoStepAndComesBackOnRedo)
{
    std::vector<CEntity*> added;
    {
        DrawingEdit edit(*doc, {});
        for (int i = 0; i < 3; ++i)
            added.push_back(AddLine(edit, i, 0, i, 10));
        EXPECT_TRUE(edit.CloseRun());
        EXPECT_EQ(doc->list.mark, added[0]);
    }
    Undo();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(erased, added);
    for (CEntity* e : added)
        EXPECT_EQ(doc->snaps.FindNearest(e->values[2], e->values[3], 0.01), nullptr) << "snap point left live";
    Undo();
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(drawn, added);
    EXPECT_NE(doc->snaps.FindNearest(added[1]->values[2], added[1]->values[3], 0.01), nullptr);
}

TEST_F(DrawingEditTest, MarkAlreadySetBeepsAndShowsTheExchangeError)
{
    DrawingEdit edit(*doc, {});
    CEntity* a = AddLine(edit, 0, 0, 1, 1);
    AddLine(edit, 2, 2, 3, 3);
    doc->list.mark = a;  // someone took the mark in between
    EXPECT_FALSE(edit.CloseRun());
    EXPECT_EQ(notes.beeps, 1);
    EXPECT_EQ(notes.messages, std::vector<std::string>{"011:入換えエラー！"});
    EXPECT_EQ(Count(), 2);
}

TEST_F(DrawingEditTest, UndoWithOnlyTheGridDoesNothing)
{
    Undo();
    ASSERT_NE(doc->list.first, nullptr);
    EXPECT_EQ(doc->list.first->type, EntityType::Grid);
    EXPECT_EQ(doc->list.undoState, UndoState::Normal);
    EXPECT_TRUE(erased.empty());
    EXPECT_TRUE(notes.messages.empty());
}

TEST_F(DrawingEditTest, HeldEntityIsDroppedOnceUndoTakesItOut)
{
    CEntity* line = nullptr;
    {
        DrawingEdit edit(*doc, {});
        line = AddLine(edit, 0, 0, 5, 5);
    }
    HeldEntity held;
    held.Hold(doc.get(), line);
    EXPECT_EQ(held.Get(doc.get()), line);

    Undo();  // the line leaves the list
    EXPECT_EQ(held.Get(doc.get()), nullptr);
    Undo();  // and comes back
    EXPECT_EQ(held.Get(doc.get()), line);

    // A new edit frees the undone line; the held pointer is never followed.
    Undo();
    {
        DrawingEdit edit(*doc, {});
        AddLine(edit, 1, 1, 2, 2);
    }
    EXPECT_EQ(held.Get(doc.get()), nullptr);

    // Another drawing never answers with it.
    COrvikCadDoc other;
    HeldEntity grid;
    grid.Hold(doc.get(), doc->list.first);
    EXPECT_EQ(grid.Get(&other), nullptr);
    EXPECT_EQ(grid.Get(doc.get()), doc->list.first);
}
