// Opening foreign drawings as a user would meet them: files with nothing we
// read are refused, what was passed over is told in one message after the
// drawing opened, and the drawing always opens on its sheet.

#include "DxfTestSupport.h"
#include "common/JwwTestSupport.h"

#include "exchange/DocumentImport.h"
#include "exchange/ImportReport.h"
#include "model/Document.h"
#include "model/EntityBox.h"
#include "model/Notify.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace dxftest;
namespace fs = std::filesystem;

namespace {

class RecordingNotifier : public Notifier {
public:
    std::vector<std::string> messages;
    int MessageBox(std::string_view text, std::string_view, unsigned) override
    {
        messages.emplace_back(text);
        return IDOK;
    }
    void MessageBeep(unsigned) override {}
};

class ImportReportTest : public ::testing::Test {
protected:
    fs::path folder;
    RecordingNotifier notifier;
    std::string savedDataFolder;
    int savedScale = 0;

    void SetUp() override
    {
        folder = TempFolder("orvik-import-report-" +
                            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder / "data");
        savedDataFolder = DataFolder;
        savedScale = ScaleDenominator;
        DataFolder = (folder / "data").string();
        SetNotifier(&notifier);
    }
    void TearDown() override
    {
        SetNotifier(nullptr);
        DataFolder = savedDataFolder;
        ScaleDenominator = savedScale;
        fs::remove_all(folder);
    }
    fs::path WriteFile(const std::string& name, const std::string& bytes)
    {
        fs::path p = folder / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    fs::path WriteFile(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        return WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
};

// A new drawing as the view leaves it before an import: its grid record.
void AddGrid(COrvikCadDoc& doc)
{
    const int16_t codes[] = {10, 20, 30};
    const double values[] = {0, 0, 10};
    doc.list.AddEntity(EntityHeader{EntityType::Grid, 0, 0, 0, 3}, codes, 0, values);
}

std::vector<Group> Lines(double x, double y, double size, int count)
{
    std::vector<Group> g;
    for (int i = 0; i < count; ++i) {
        g.insert(g.end(), {{0, "LINE"},
                           {10, std::to_string(x)},
                           {20, std::to_string(y + i * size / count)},
                           {11, std::to_string(x + size)},
                           {21, std::to_string(y + size / 2)}});
    }
    return g;
}

} // namespace

TEST_F(ImportReportTest, AFileWithNothingReadIsRefusedAndSaysWhatItHeld)
{
    const std::string file = EntitiesFile({{0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {0, "MTEXT"}, {1, "a"},
                                           {0, "LWPOLYLINE"}, {10, "1"}, {20, "1"}});
    COrvikCadDoc doc;
    AddGrid(doc);
    EXPECT_EQ(doc.ImportDxf(WriteFile("only.dxf", file)), 0);
    ASSERT_EQ(notifier.messages.size(), 1u);
    ImportReport expected;
    expected.Count("LWPOLYLINE", 2);
    expected.Count("MTEXT", 1);
    EXPECT_EQ(notifier.messages[0], ImportNothingReadMessage(expected));
    EXPECT_NE(notifier.messages[0].find("LWPOLYLINE : 2"), std::string::npos);
    EXPECT_EQ(doc.list.Size(), 1u);  // the grid alone
    EXPECT_EQ(doc.snaps.Size(), 0u);

    // A JWW file whose objects are all dropped: refused too.
    jwwtest::Encoder e;
    e.Header(600, 3, 1.0, jwwtest::kColours).Count(1).Declare("CDataBlock");
    e.Prefix(600, 1, 1).Zeros(5 * 8 + 4);
    notifier.messages.clear();
    COrvikCadDoc jww;
    AddGrid(jww);
    EXPECT_EQ(jww.ImportJww(WriteFile("blocks.jww", e.bytes)), 0);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].find(JwwBlockLabel), std::string::npos);
    EXPECT_EQ(jww.list.Size(), 1u);
}

TEST_F(ImportReportTest, WhatWasPassedOverIsToldInOneMessageAfterOpening)
{
    std::vector<Group> g = {{0, "LINE"}, {67, "1"}, {10, "0"}, {20, "0"}, {11, "297"}, {21, "0"},
                            {0, "INSERT"},  {2, "TITLE"}, {10, "0"}, {20, "0"},
                            {0, "INSERT"},  {2, "TITLE"}, {10, "5"}, {20, "0"}};
    const std::vector<Group> line = {{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"}};
    g.insert(g.end(), line.begin(), line.end());
    COrvikCadDoc doc;
    AddGrid(doc);
    ASSERT_EQ(doc.ImportDxf(WriteFile("mixed.dxf", EntitiesFile(g))), 1);
    ASSERT_EQ(notifier.messages.size(), 1u);
    ImportReport expected;
    expected.Count(PaperSpaceLabel);
    expected.Count("INSERT", 2);
    EXPECT_EQ(notifier.messages[0], ImportReportMessage(expected));
    EXPECT_EQ(doc.list.Size(), 2u);

    // JWW: solids, blocks and entities of layer groups beyond the eighth.
    jwwtest::Encoder e;
    e.Header(600, 3, 1.0, jwwtest::kColours).Count(5).Declare("CDataSen").Line(600, 0, 0, 10, 10);
    e.ClassRef(1).Line(600, 0, 0, 5, 5, 1, 3, 9);
    e.Declare("CDataSolid").Prefix(600, 1, 1).Zeros(8 * 8);
    e.ClassRef(4).Prefix(600, 1, 1).Zeros(8 * 8);
    e.Declare("CDataBlock").Prefix(600, 1, 1).Zeros(5 * 8 + 4);
    notifier.messages.clear();
    COrvikCadDoc jww;
    AddGrid(jww);
    ASSERT_EQ(jww.ImportJww(WriteFile("solids.jww", e.bytes)), 1);
    ASSERT_EQ(notifier.messages.size(), 1u);
    ImportReport jwwExpected;
    jwwExpected.Count(JwwMergedGroupsLabel);
    jwwExpected.Count(JwwSolidLabel, 2);
    jwwExpected.Count(JwwBlockLabel);
    EXPECT_EQ(notifier.messages[0], ImportReportMessage(jwwExpected));
    EXPECT_EQ(jww.list.Size(), 3u);
}

TEST_F(ImportReportTest, TheDrawingOpensOnItsSheetWhateverTheHeaderExtentsSay)
{
    struct Case {
        const char* what;
        std::vector<Group> header;
        std::vector<Group> entities;
    };
    const std::vector<Group> far = Lines(80000, 80000, 500, 20);
    const Case cases[] = {
        {"unset extents over lines at 80 m",
         {{9, "$EXTMIN"}, {10, "1e+20"}, {20, "1e+20"}, {9, "$EXTMAX"}, {10, "-1e+20"}, {20, "-1e+20"},
          {9, "$LTSCALE"}, {40, "1"}},
         far},
        {"inverted extents", {{9, "$EXTMIN"}, {10, "900"}, {20, "900"}, {9, "$EXTMAX"}, {10, "0"}, {20, "0"}},
         Lines(100, 100, 300, 3)},
        {"no extents at all", {}, Lines(-5000, 2000, 100000, 4)},
        {"extents that hold the entities from their corner",
         {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "420"}, {20, "297"}, {9, "$LTSCALE"}, {40, "1"}},
         Lines(0, 0, 290, 5)},
        {"extents far from the entities",
         {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "42000"}, {20, "29700"}},
         far},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        COrvikCadDoc doc;
        AddGrid(doc);
        ASSERT_EQ(doc.ImportDxf(WriteFile("far.dxf", EntitiesFile(c.entities, c.header))), 1);
        EXPECT_TRUE(notifier.messages.empty());
        ASSERT_LT(doc.ExtentsMin[0], doc.ExtentsMax[0]);
        ASSERT_LT(doc.ExtentsMin[1], doc.ExtentsMax[1]);
        int lines = 0;
        for (const CEntity* e = doc.list.first; e; e = e->next) {
            if (e->type != EntityType::Line) continue;
            ++lines;
            const ModelBox b = EntityExtentBox(*e);
            EXPECT_GE(b.minX, doc.ExtentsMin[0]);
            EXPECT_LE(b.maxX, doc.ExtentsMax[0]);
            EXPECT_GE(b.minY, doc.ExtentsMin[1]);
            EXPECT_LE(b.maxY, doc.ExtentsMax[1]);
        }
        EXPECT_GT(lines, 0);
        // The sheet is not needlessly large: the drawing covers a good part of it.
        ModelBox all;
        for (const CEntity* e = doc.list.first; e; e = e->next)
            if (e->type == EntityType::Line) all.Add(EntityExtentBox(*e));
        EXPECT_GT((all.maxX - all.minX) * 5, doc.ExtentsMax[0] - doc.ExtentsMin[0]);
        notifier.messages.clear();
    }
}
