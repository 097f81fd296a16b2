#include "annotation_tools/DevelopTool.h"
#include "annotation_tools/DimensionTool.h"
#include "annotation_tools/HatchiTool.h"
#include "annotation_tools/ImageTool.h"
#include "annotation_tools/InportTool.h"
#include "edit_tools/CornerTool.h"
#include "edit_tools/DeleteTool.h"
#include "edit_tools/ExpansionTool.h"
#include "edit_tools/MoveTool.h"
#include "edit_tools/SelectTool.h"
#include "edit_tools/TransformTool.h"
#include "tools/CircleTool.h"
#include "tools/CurveTool.h"
#include "view/DrawTool.h"
#include "tools/LineTool.h"
#include "tools/PointTool.h"
#include "tools/PolyTool.h"
#include "tools/TextTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

namespace {

class ToolListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateTools();
        CurrentToolId = 0;
        ToolSubMode = 0;
    }
    void TearDown() override { CurrentToolId = 0; }
};

template <class T>
bool Is(const CDrawTool* t)
{
    return dynamic_cast<const T*>(t) != nullptr;
}

} // namespace

TEST_F(ToolListTest, SeventeenToolsInBuildOrder)
{
    ASSERT_GE(ToolList.GetCount(), 17u);
    const std::vector<int> ids = {0, 1, 2, 3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13, 15, 16, 14};
    for (std::size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(ToolList.GetAt(i)->toolId, ids[i]) << "position " << i;

    EXPECT_TRUE(Is<CSelectTool>(ToolList.GetAt(0)));
    EXPECT_TRUE(Is<CPointTool>(ToolList.GetAt(1)));
    EXPECT_TRUE(Is<CLineTool>(ToolList.GetAt(2)));
    EXPECT_TRUE(Is<CCurveTool>(ToolList.GetAt(3)));
    EXPECT_TRUE(Is<CCircleTool>(ToolList.GetAt(4)));
    EXPECT_TRUE(Is<CPolyTool>(ToolList.GetAt(5)));
    EXPECT_TRUE(Is<CTextTool>(ToolList.GetAt(6)));
    EXPECT_TRUE(Is<CDeleteTool>(ToolList.GetAt(7)));
    EXPECT_TRUE(Is<CDimensionTool>(ToolList.GetAt(8)));
    EXPECT_TRUE(Is<CExpansionTool>(ToolList.GetAt(9)));
    EXPECT_TRUE(Is<CCornerTool>(ToolList.GetAt(10)));
    EXPECT_TRUE(Is<CMoveTool>(ToolList.GetAt(11)));
    EXPECT_TRUE(Is<CHatchiTool>(ToolList.GetAt(12)));
    EXPECT_TRUE(Is<CImageTool>(ToolList.GetAt(13)));
    EXPECT_TRUE(Is<CDevelopTool>(ToolList.GetAt(14)));
    EXPECT_TRUE(Is<CInportTool>(ToolList.GetAt(15)));
    EXPECT_TRUE(Is<CTransformTool>(ToolList.GetAt(16)));

    // Building again adds nothing.
    const std::size_t n = ToolList.GetCount();
    CreateTools();
    EXPECT_EQ(ToolList.GetCount(), n);
}

TEST_F(ToolListTest, ConstructionDefaults)
{
    for (CDrawTool* t : ToolList) {
        EXPECT_EQ(t->vertexCount, 3);
        EXPECT_EQ(t->magnetKind, 0);
    }
    // The line, circle and box tools start without a read-out; the others at 1.
    EXPECT_EQ(ToolList.Find(ToolId::Line)->readoutKind, 0);
    EXPECT_EQ(ToolList.Find(ToolId::Circle)->readoutKind, 0);
    EXPECT_EQ(ToolList.Find(ToolId::Poly)->readoutKind, 0);
    EXPECT_EQ(ToolList.Find(ToolId::Image)->readoutKind, 1);
    EXPECT_EQ(ToolList.Find(ToolId::Point)->readoutKind, 1);
}

TEST_F(ToolListTest, ResetPutsEveryToolBackToItsConstructorState)
{
    const std::vector<CDrawTool*> before(ToolList.begin(), ToolList.end());
    CDrawTool* poly = ToolList.Find(ToolId::Poly);
    CDrawTool* line = ToolList.Find(ToolId::Line);
    poly->vertexCount = 4;
    poly->magnetKind = 2;
    line->readoutKind = 1;
    line->X[0] = 123.0;
    {
        CPolyTool extra;  // a tool entered after the seventeen keeps its place
        const std::vector<CDrawTool*> withExtra(ToolList.begin(), ToolList.end());
        ResetToolsToDefaults();
        EXPECT_EQ(std::vector<CDrawTool*>(ToolList.begin(), ToolList.end()), withExtra);
    }
    EXPECT_EQ(std::vector<CDrawTool*>(ToolList.begin(), ToolList.end()), before);
    EXPECT_EQ(poly->vertexCount, 3);
    EXPECT_EQ(poly->magnetKind, 0);
    EXPECT_EQ(line->readoutKind, 0);
    EXPECT_EQ(line->X[0], 0.0);
    EXPECT_TRUE(Is<CPolyTool>(ToolList.Find(ToolId::Poly)));
}

TEST_F(ToolListTest, FirstToolWithTheIdReceivesTheCalls)
{
    CDrawTool* original = ToolList.Find(ToolId::Poly);
    {
        CPolyTool second;  // appended at the tail
        CurrentToolId = ToolId::Poly;
        EXPECT_EQ(FindCurrentTool(), original);
        EXPECT_NE(FindCurrentTool(), &second);
    }
    // A tool that goes away leaves the list.
    EXPECT_EQ(ToolList.GetCount(), 17u);
    CurrentToolId = 99;
    EXPECT_EQ(FindCurrentTool(), nullptr);
}

TEST_F(ToolListTest, SelectDefaultToolMakesTheSelectionToolCurrent)
{
    CurrentToolId = ToolId::Circle;
    ToolList.Find(ToolId::Circle)->SelectDefaultTool();
    EXPECT_EQ(CurrentToolId, ToolId::Select);
}

TEST(SetCurrentTool, GroupsMapToToolIdsAndCountersClear)
{
    struct Case {
        int group, tool;
    };
    const Case cases[] = {{0, 0},  {1, 1},  {2, 2},  {3, 3},  {4, 4},   {5, 5},   {6, 6},   {7, 7},  {8, 8},
                          {9, 9},  {10, 10}, {11, 14}, {12, 11}, {13, 12}, {14, 13}, {15, 15}, {16, 16}};
    for (const Case& c : cases) {
        CurrentToolId = -5;
        InputPointCount = 3;
        XorPreviewShown = 1;
        OperationRestarted = 1;
        SetCurrentTool(c.group, 2);
        EXPECT_EQ(CurrentToolId, c.tool) << "group " << c.group;
        EXPECT_EQ(ToolSubMode, 2);
        EXPECT_EQ(InputPointCount, 0);
        EXPECT_EQ(XorPreviewShown, 0);
        EXPECT_EQ(OperationRestarted, 0);
    }
    // A group outside 0..16 keeps the tool and still takes the item.
    CurrentToolId = ToolId::Line;
    SetCurrentTool(17, 4);
    EXPECT_EQ(CurrentToolId, ToolId::Line);
    EXPECT_EQ(ToolSubMode, 4);
    SetCurrentTool(-1, 1);
    EXPECT_EQ(CurrentToolId, ToolId::Line);
    CurrentToolId = 0;
    ToolSubMode = 0;
}
