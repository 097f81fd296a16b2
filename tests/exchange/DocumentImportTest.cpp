#include "common/RecordingNotifier.h"
#include "DxfTestSupport.h"

#include "common/JwwTestSupport.h"
#include "exchange/DocumentImport.h"
#include "exchange/ImportReport.h"
#include "exchange/DxfFile.h"
#include "exchange/JwwFile.h"
#include "model/Document.h"
#include "model/ForeignDrawing.h"
#include "model/EntityBox.h"
#include "model/Notify.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace dxftest;
namespace fs = std::filesystem;

namespace {

// Records the order of what the import asks of the windows.
class RecordingHost : public DocumentHost {
public:
    std::vector<std::string> calls;
    bool RunDrawingInfoDialog(COrvikCadDoc&, DrawingInfo&) override { return false; }
    void RepaintScaleReadout() override { calls.push_back("scale " + std::to_string(ScaleDenominator)); }
    void UpdateAllViews(COrvikCadDoc& doc) override
    {
        calls.push_back("update " + std::to_string(doc.ViewUpdateRequest) + (doc.modified ? " modified" : ""));
    }
};

class DocumentImportTest : public ::testing::Test {
protected:
    fs::path folder;
    RecordingNotifier notifier;
    RecordingHost host;
    std::string savedDataFolder;
    int savedScale = 0;

    void SetUp() override
    {
        folder = TempFolder("orvik-import-" +
                            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder / "data");
        savedDataFolder = DataFolder;
        savedScale = ScaleDenominator;
        DataFolder = (folder / "data").string();
        SetNotifier(&notifier);
        TheDocumentHost = &host;
    }
    void TearDown() override
    {
        TheDocumentHost = nullptr;
        SetNotifier(nullptr);
        DataFolder = savedDataFolder;
        ScaleDenominator = savedScale;
        fs::remove_all(folder);
    }
    fs::path WriteFile(const std::string& name, const std::string& text)
    {
        fs::path p = folder / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    fs::path WriteFile(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        return WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
};

// Opens a file as the shell does: read aside, build the drawing, then tell
// what was passed over. 1 when the drawing opened.
int Import(COrvikCadDoc& doc, bool (*read)(const fs::path&, ForeignDrawing&), const fs::path& file)
{
    ForeignDrawing drawing;
    if (!read(file, drawing)) return 0;
    doc.BuildFromForeign(drawing);
    if (!drawing.report.empty()) ShowMessage(drawing.report);
    return 1;
}

// The first entity after the drawing's grid record.
const CEntity* FirstDrawn(const COrvikCadDoc& doc)
{
    const CEntity* e = doc.list.first;
    while (e && e->type == EntityType::Grid) e = e->next;
    return e;
}

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

TEST_F(DocumentImportTest, MatchPaperSizeTable)
{
    struct Case {
        float scale;
        double w, h;
        int index, orientation;
        double extW, extH;
    };
    const Case cases[] = {
        {1, 841, 594, 1, 0, 841, 594},
        {1, 594, 841, 1, 1, 594, 841},
        {1, 1000, 1000, 1, 7, 841, 594},  // orientation left as it was
        {1, 1189.5, 840.5, 0, 0, 1189.5, 840.5},
        {100, 42000, 29700, 3, 0, 42000, 29700},
        {100, 29700.4, 42000.9, 3, 1, 29700.4, 42000.9},
        {2, 364, 257, 1, 7, 1682, 1188},  // B4 at scale 1 is no match at scale 2
        {1, 364, 257, 7, 0, 364, 257},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h) + " at " + std::to_string(c.scale));
        COrvikCadDoc doc;
        doc.header.scale = c.scale;
        doc.header.orientation = 7;
        doc.ExtentsMax = {c.w, c.h, 0};
        EXPECT_EQ(doc.MatchPaperSize(), c.index);
        EXPECT_EQ(doc.header.orientation, c.orientation);
        EXPECT_EQ(doc.ExtentsMax[0], c.extW);
        EXPECT_EQ(doc.ExtentsMax[1], c.extH);
        EXPECT_EQ(doc.DrawingOrigin[0], c.extW / 2);
        EXPECT_EQ(doc.DrawingOrigin[1], c.extH / 2);
    }
}

TEST_F(DocumentImportTest, ImportLaysTheDrawingOutAndMovesEveryEntityByTheOrigin)
{
    const std::string text = EntitiesFile(
        {{0, "LINE"}, {10, "-10"}, {20, "5"}, {11, "20"}, {21, "-5"},
         {0, "CIRCLE"}, {10, "1"}, {20, "2"}, {40, "3"},
         {0, "ELLIPSE"}, {10, "4"}, {20, "5"}, {11, "10"}, {21, "0"}, {40, "0.5"}, {41, "0"}, {42, "1"},
         {0, "TEXT"}, {10, "6"}, {20, "7"}, {40, "2.5"}, {1, "AB"}},
        {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "42000"}, {20, "29700"},
         {9, "$LIMMIN"}, {10, "-1"}, {20, "-2"}, {9, "$LIMMAX"}, {10, "3"}, {20, "4"}, {9, "$LTSCALE"}, {40, "100"}});
    COrvikCadDoc doc;
    // An entity already in the new drawing (the view's grid record) stays where it is.
    const int16_t gridCodes[] = {10, 20};
    const double gridValues[] = {0, 0};
    doc.list.AddEntity(EntityHeader{EntityType::Grid, 0, 0, 0, 2}, gridCodes, 0, gridValues);

    ASSERT_EQ(Import(doc, ReadDxfDrawing, WriteFile("plan.dxf", text)), 1);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(doc.header.scale, 100.0f);
    EXPECT_EQ(doc.header.paperIndex, 3);
    EXPECT_EQ(doc.header.orientation, 0);
    EXPECT_EQ(doc.DrawingOrigin[0], 21000.0);
    EXPECT_EQ(doc.DrawingOrigin[1], 14850.0);
    EXPECT_EQ(doc.LimitsMin[0], -1.0);
    EXPECT_EQ(doc.LimitsMax[1], 4.0);
    EXPECT_EQ(ScaleDenominator, 100);
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.ViewUpdateRequest, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"scale 100", "update 1 modified"}));

    auto all = Entities(doc.list);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0]->values, (std::vector<double>{0, 0}));
    EXPECT_EQ(all[1]->values, (std::vector<double>{20990, 14855, 21020, 14845}));
    EXPECT_EQ(all[2]->values, (std::vector<double>{21001, 14852, 3}));
    EXPECT_EQ(all[3]->values[0], 21004.0);
    EXPECT_EQ(all[3]->values[1], 14855.0);
    EXPECT_EQ(all[4]->values[0], 21006.0);
    EXPECT_EQ(all[4]->values[1], 14857.0);

    // Snap points of the imported entities are registered: the line's ends.
    int lineEnds = 0;
    for (const SnapPoint* p : doc.snaps.KeyPoints())
        if (p->entity == all[1]) ++lineEnds;
    EXPECT_GE(lineEnds, 2);
}

TEST_F(DocumentImportTest, BadScalesBecomeOneAndTheReadOutNeverShowsZero)
{
    struct Case {
        const char* ltScale;
        float scale;
        int denominator;
    };
    const Case cases[] = {{"0.5", 0.5f, 1}, {"1e300", 1.0f, 1}, {"inf", 1.0f, 1}, {"2.75", 2.75f, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ltScale);
        COrvikCadDoc doc;
        ASSERT_EQ(Import(doc, ReadDxfDrawing, WriteFile("s.dxf", EntitiesFile({{0, "POINT"}, {10, "1"}, {20, "1"}},
                                                                {{9, "$LTSCALE"}, {40, c.ltScale}}))),
                  1);
        EXPECT_EQ(doc.header.scale, c.scale);
        EXPECT_EQ(ScaleDenominator, c.denominator);
        EXPECT_EQ(doc.header.paperIndex, 1);
        EXPECT_EQ(doc.ExtentsMax[0], 841.0 * c.scale);
    }
}

TEST_F(DocumentImportTest, RefusedFileShowsTheMessageAndAddsNothing)
{
    const fs::path paths[] = {WriteFile("none.dxf", "0\nSECTION\n2\nHEADER\n0\nENDSEC\n"), folder,
                              folder / "missing.dxf"};
    for (const fs::path& p : paths) {
        notifier.messages.clear();
        COrvikCadDoc doc;
        EXPECT_EQ(Import(doc, ReadDxfDrawing, p), 0);
        EXPECT_EQ(notifier.messages, (std::vector<std::string>{DxfReadFailedMessage}));
        EXPECT_EQ(doc.list.first, nullptr);
        EXPECT_EQ(doc.snaps.Size(), 0u);
    }
}

TEST_F(DocumentImportTest, ExportWritesFromTheOriginAndImportBringsItBack)
{
    COrvikCadDoc doc;
    doc.header.scale = 2;
    doc.ExtentsMax = {1682, 1188, 0};
    doc.DrawingOrigin[0] = 841;
    doc.DrawingOrigin[1] = 594;
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {841, 594, 941.5, 644.25};
    ASSERT_EQ(doc.AddEntity(EntityHeader{EntityType::Line, 0, 102, 0, 4}, codes, 0, values), 0);
    doc.SetModifiedFlag(false);

    const fs::path file = folder / "out.dxf";
    EXPECT_TRUE(ExportDxf(doc, file));
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(notifier.messages.empty());

    CEntityList list;
    CDxfFile dxf;
    ASSERT_EQ(dxf.Read(file, list), DxfReadOk);
    ASSERT_NE(list.first, nullptr);
    EXPECT_EQ(list.first->values, (std::vector<double>{0, 0, 100.5, 50.25}));
    EXPECT_EQ(list.first->style, 100);
    EXPECT_EQ(dxf.LtScale, 2.0);
    EXPECT_EQ(dxf.ExtMax[0], 1682.0);

    COrvikCadDoc again;
    ASSERT_EQ(Import(again, ReadDxfDrawing, file), 1);
    EXPECT_EQ(again.header.paperIndex, 1);
    EXPECT_EQ(again.header.scale, 2.0f);
    ASSERT_NE(FirstDrawn(again), nullptr);
    EXPECT_EQ(FirstDrawn(again)->values, (std::vector<double>{841, 594, 941.5, 644.25}));

    // A file that cannot be written: the message, and what is there stays.
    fs::create_directories(folder / "dir.dxf");
    EXPECT_FALSE(ExportDxf(doc, folder / "dir.dxf"));
    EXPECT_FALSE(ExportDxf(doc, folder / "missing" / "x.dxf"));
    EXPECT_EQ(notifier.messages, (std::vector<std::string>(2, DxfWriteOpenErrorMessage)));
    EXPECT_TRUE(fs::is_directory(folder / "dir.dxf"));
}

TEST_F(DocumentImportTest, JwwExportAndImport)
{
    COrvikCadDoc doc;
    doc.header.scale = 2;
    doc.header.paperIndex = 7;  // B4: JWW has no B sizes, A3 goes out
    doc.DrawingOrigin[0] = 420;
    doc.DrawingOrigin[1] = 297;
    const int16_t codes[] = {10, 20, 11, 22};
    const double values[] = {420, 297, 520, 347};
    ASSERT_EQ(doc.AddEntity(EntityHeader{EntityType::Line, 0, 100, 40, 4}, codes, 0x00FF00, values), 0);
    doc.SetModifiedFlag(false);
    const fs::path file = folder / "plan.jww";
    EXPECT_TRUE(ExportJww(doc, file));
    EXPECT_TRUE(doc.modified);

    COrvikCadDoc again;
    again.layerCount = 10;
    ASSERT_EQ(Import(again, ReadJwwDrawing, file), 1);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(again.header.scale, 2.0f);
    EXPECT_EQ(again.header.paperIndex, 3);
    EXPECT_EQ(again.ExtentsMax[0], 840.0);
    EXPECT_EQ(again.LimitsMax[0], 0.0);
    EXPECT_EQ(again.layerCount, 41);  // raised to hold layer 40
    EXPECT_FALSE(again.modified);
    ASSERT_NE(FirstDrawn(again), nullptr);
    EXPECT_EQ(FirstDrawn(again)->values, (std::vector<double>{420, 297, 520, 347}));
    EXPECT_EQ(FirstDrawn(again)->colour, 0x00FF00u);
    EXPECT_EQ(FirstDrawn(again)->layer, 40);

    EXPECT_FALSE(ExportJww(doc, folder / "missing" / "x.jww"));
    EXPECT_EQ(notifier.messages, (std::vector<std::string>{JwwWriteOpenErrorMessage}));
}

TEST_F(DocumentImportTest, RefusedJwwFilesShowTheirMessage)
{
    struct Case {
        std::string bytes;
        const char* message;
    };
    std::string v200 = "JwwData.";
    v200 += std::string("\xc8\x00\x00\x00", 4);
    const Case cases[] = {{v200, JwwOldVersionMessage},
                          {"not a drawing at all", JwwNotJwwMessage},
                          {std::string("JwwData.\xe6\x00\x00\x00", 12), JwwNotJwwMessage}};  // version 230, header cut
    for (const Case& c : cases) {
        notifier.messages.clear();
        COrvikCadDoc doc;
        EXPECT_EQ(Import(doc, ReadJwwDrawing, WriteFile("x.jww", c.bytes)), 0);
        EXPECT_EQ(notifier.messages, (std::vector<std::string>{c.message}));
        EXPECT_EQ(doc.list.first, nullptr);
    }
    notifier.messages.clear();
    COrvikCadDoc doc;
    EXPECT_EQ(Import(doc, ReadJwwDrawing, folder), 0);
    EXPECT_EQ(notifier.messages, (std::vector<std::string>{JwwOpenErrorMessage}));
}

TEST_F(DocumentImportTest, JwcImport)
{
    // Scale 2 on A3, one point at (5, 6): moved by the origin, the middle of the area.
    std::string bytes(200, ' ');
    std::string block;
    for (int i = 0; i < 32; ++i) block += (i == 3 ? "1" : i == 9 ? "2" : i == 11 ? "3" : i == 30 ? "420" : "0") + std::string(",");
    block.resize(200, '\0');
    bytes += block;
    bytes.resize(2389, '\0');
    const float xy[2] = {5, 6};
    bytes.append(reinterpret_cast<const char*>(xy), 8);
    bytes += std::string("\x04\x00\x00\x00", 4);
    COrvikCadDoc doc;
    ASSERT_EQ(Import(doc, ReadJwcDrawing, WriteFile("a.jwc", bytes)), 1);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(doc.header.scale, 2.0f);
    EXPECT_EQ(doc.header.paperIndex, 3);
    EXPECT_EQ(doc.ExtentsMax[0], 840.0);
    ASSERT_NE(FirstDrawn(doc), nullptr);
    EXPECT_EQ(FirstDrawn(doc)->values, (std::vector<double>{420 + 10, 297 + 12}));
    EXPECT_EQ(FirstDrawn(doc)->layer, 4);

    COrvikCadDoc refused;
    EXPECT_EQ(Import(refused, ReadJwcDrawing, WriteFile("b.jwc", bytes.substr(0, 1810))), 0);
    EXPECT_EQ(refused.list.first, nullptr);
    EXPECT_EQ(Import(refused, ReadJwcDrawing, folder), 0);
    EXPECT_EQ(notifier.messages, (std::vector<std::string>{"ERROR:READ (08) レイヤグループのスケール",
                                                           JwcReadFailedMessage}));
}

TEST_F(DocumentImportTest, AFileWithNothingReadIsRefusedAndSaysWhatItHeld)
{
    const std::string file = EntitiesFile({{0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {0, "MTEXT"}, {1, "a"},
                                           {0, "LWPOLYLINE"}, {10, "1"}, {20, "1"}});
    COrvikCadDoc doc;
    AddGrid(doc);
    EXPECT_EQ(Import(doc, ReadDxfDrawing, WriteFile("only.dxf", file)), 0);
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
    EXPECT_EQ(Import(jww, ReadJwwDrawing, WriteFile("blocks.jww", e.bytes)), 0);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].find(JwwBlockLabel), std::string::npos);
    EXPECT_EQ(jww.list.Size(), 1u);
}

TEST_F(DocumentImportTest, WhatWasPassedOverIsToldInOneMessageAfterOpening)
{
    std::vector<Group> g = {{0, "LINE"}, {67, "1"}, {10, "0"}, {20, "0"}, {11, "297"}, {21, "0"},
                            {0, "INSERT"},  {2, "TITLE"}, {10, "0"}, {20, "0"},
                            {0, "INSERT"},  {2, "TITLE"}, {10, "5"}, {20, "0"}};
    const std::vector<Group> line = {{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"}};
    g.insert(g.end(), line.begin(), line.end());
    COrvikCadDoc doc;
    AddGrid(doc);
    ASSERT_EQ(Import(doc, ReadDxfDrawing, WriteFile("mixed.dxf", EntitiesFile(g))), 1);
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
    ASSERT_EQ(Import(jww, ReadJwwDrawing, WriteFile("solids.jww", e.bytes)), 1);
    ASSERT_EQ(notifier.messages.size(), 1u);
    ImportReport jwwExpected;
    jwwExpected.Count(JwwMergedGroupsLabel);
    jwwExpected.Count(JwwSolidLabel, 2);
    jwwExpected.Count(JwwBlockLabel);
    EXPECT_EQ(notifier.messages[0], ImportReportMessage(jwwExpected));
    EXPECT_EQ(jww.list.Size(), 3u);
}

TEST_F(DocumentImportTest, TheDrawingOpensOnItsSheetWhateverTheHeaderExtentsSay)
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
        ASSERT_EQ(Import(doc, ReadDxfDrawing, WriteFile("far.dxf", EntitiesFile(c.entities, c.header))), 1);
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

// A JWW file whose ellipse overflows opens without it, says so, and the
// drawing it gives can be saved.
TEST_F(DocumentImportTest, JwwObjectsThatOverflowAreLeftOutAndReported)
{
    const std::vector<uint8_t> bytes = jwwtest::OverflowingEllipsesFile();
    const fs::path file = WriteFile("overflow.jww", std::string(bytes.begin(), bytes.end()));
    COrvikCadDoc doc;
    AddGrid(doc);
    ASSERT_EQ(Import(doc, ReadJwwDrawing, file), 1);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].find(" 2 個は読み込みませんでした"), std::string::npos) << notifier.messages[0];
    std::vector<int16_t> types;
    for (const CEntity* e = doc.list.first; e; e = e->next) {
        if (e->type == EntityType::Grid)
            continue;
        types.push_back(e->type);
        for (double v : e->values) EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_EQ(types, (std::vector<int16_t>{EntityType::Line, EntityType::Circle}));
    EXPECT_TRUE(doc.OnSaveDocument(folder / "overflow.orv"));
}
