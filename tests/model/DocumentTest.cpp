#include "common/RecordingNotifier.h"
#include "model/Document.h"
#include "model/ForeignDrawing.h"
#include "model/DrawingFile.h"
#include "model/Notify.h"
#include "model/Settings.h"

#include "common/ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FakeHost : public DocumentHost {
public:
    bool answer = true;
    int gridSelection = -1;
    int dialogRuns = 0;
    DrawingInfo lastShown;
    std::string newTitle = "plan";
    bool RunDrawingInfoDialog(COrvikCadDoc&, DrawingInfo& info) override
    {
        ++dialogRuns;
        lastShown = info;
        info.title = newTitle;
        return answer;
    }
    void SetGridBarSelection(int selection) override { gridSelection = selection; }
    std::vector<int> progress;
    void ShowOpenProgress(int percent) override { progress.push_back(percent); }
};

class DocumentTest : public ::testing::Test {
protected:
    ScratchFolder scratch{"orvik-doc"};
    fs::path folder = scratch.path();
    RecordingNotifier notifier;
    FakeHost host;

    void SetUp() override
    {
        DataFolder = (folder / "data").string();
        fs::create_directories(DataFolder);
        PartsFolder.clear();
        SettingsLoaded = 0;
        SetNotifier(&notifier);
        TheDocumentHost = &host;
    }
    void TearDown() override
    {
        TheDocumentHost = nullptr;
        SetNotifier(nullptr);
    }

    static void AddLine(COrvikCadDoc& doc, double x1, double y1, double x2, double y2, int16_t style = 0,
                        COLORREF colour = 0)
    {
        const int16_t codes[] = {10, 20, 11, 22};
        const double values[] = {x1, y1, x2, y2};
        ASSERT_EQ(doc.AddEntity({20, 0, style, 0, 4}, codes, colour, values), 0);
    }
    static void AddGrid(COrvikCadDoc& doc, int16_t style)
    {
        const int16_t codes[] = {10, 20, 30};
        const double values[] = {0, 0, 10};
        ASSERT_EQ(doc.AddEntity({11, 1, style, 0, 3}, codes, 0, values), 0);
    }
    static int Count(const COrvikCadDoc& doc)
    {
        int n = 0;
        for (CEntity* e = doc.list.first; e; e = e->next) ++n;
        return n;
    }
};

} // namespace

TEST_F(DocumentTest, ProtectedDrawingRefusesAddsWithItsMessage)
{
    COrvikCadDoc doc;
    const int16_t codes[] = {10, 20};
    const double values[] = {1, 2};
    struct Case {
        int32_t protection;
        const char* message;
    } cases[] = {
        {1, "この図面は、書きこみ禁止状態になっています。"},
        {2, "この図面は、パスワードによって保護されています。"},
    };
    for (const Case& c : cases) {
        notifier.messages.clear();
        doc.ProtectionState = c.protection;
        EXPECT_EQ(doc.AddEntity({10, 0, 0, 0, 2}, codes, 0, values), 2);
        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0], c.message);
        EXPECT_EQ(doc.list.first, nullptr);
        EXPECT_FALSE(doc.modified);
    }
    doc.ProtectionState = 0;
    EXPECT_EQ(doc.AddEntity({10, 0, 0, 0, 2}, codes, 0, values), 0);
    EXPECT_TRUE(doc.modified);
    EXPECT_TRUE(doc.snaps.HasEntityPoints(doc.list.first));
}

TEST_F(DocumentTest, NewDrawingStoresTodayAndCancelRefusesTheDrawing)
{
    COrvikCadDoc doc;
    EXPECT_EQ(DrawingHeader::FieldText({doc.header.magic.data(), 4}), "ORV");
    EXPECT_EQ(doc.layerNames[0], "Layer01");
    EXPECT_EQ(doc.layerNames[127], "Layer128");
    EXPECT_EQ(doc.layerCount, 10);
    EXPECT_EQ(doc.header.createdDate, doc.header.modifiedDate);

    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(host.dialogRuns, 1);
    EXPECT_TRUE(host.lastShown.newDrawing);
    EXPECT_EQ(doc.title, "plan");

    host.answer = false;
    COrvikCadDoc other;
    EXPECT_FALSE(other.OnNewDocument());

    // A drawing built from another program's file asks nothing.
    COrvikCadDoc imported;
    ForeignDrawing read;
    const int16_t codes[] = {10, 20};
    const double point[] = {1, 2};
    ASSERT_EQ(read.list.AddEntity(EntityHeader{EntityType::Point, 0, 0, 0, 2}, codes, 0, point), 0);
    imported.BuildFromForeign(read);
    EXPECT_EQ(imported.list.Size(), 2u);  // the grid record and the point
    EXPECT_EQ(host.dialogRuns, 2);
}

TEST_F(DocumentTest, SaveAndReopenKeepsEntitiesGroupsAndLayers)
{
    fs::path file = folder / "a.orv";
    {
        COrvikCadDoc doc;
        AddGrid(doc, 102);
        AddLine(doc, 0, 0, 100, 0, 3, 0x0000FF);
        AddLine(doc, 0, 0, 0, 100, 3, 0xFF0000);
        // A group header with two members.
        const int16_t hcodes[] = {10, 20, 10, 20};
        const double hvalues[] = {0, 0, 1, 0};
        ASSERT_EQ(doc.list.AddEntity({60, 0, 0, 0, 4}, hcodes, 0, hvalues), 0);
        CEntity* group = doc.list.last;
        const int16_t lcodes[] = {10, 20, 11, 22};
        const double lvalues[] = {5, 5, 6, 6};
        ASSERT_EQ(doc.list.AddChildEntity({20, 0, 1, 2, 4}, lcodes, 0, lvalues, {}, {}, group), 0);
        ASSERT_EQ(doc.list.AddChildEntity({20, 0, 1, 2, 4}, lcodes, 0, lvalues, {}, {}, group), 0);
        const int16_t tcodes[] = {10, 20, 30, 40, 50};
        const double tvalues[] = {1, 2, 3, 3, 0};
        // "図面" in code page 932.
        ASSERT_EQ(doc.AddEntity({40, 0, 0, 0, 5}, tcodes, 0, tvalues, "\x90\x7d\x96\xca"), 0);
        doc.layerNames[2] = "walls";
        doc.layerStates[2] = 2;
        doc.currentLayer = 2;
        ASSERT_TRUE(doc.OnSaveDocument(file));
        EXPECT_FALSE(doc.modified);
        EXPECT_EQ(group->group, 1) << "saving never changes the entities in memory";
    }
    COrvikCadDoc doc;
    ASSERT_EQ(doc.OnOpenDocument(file), OpenResult::Ok);
    EXPECT_EQ(notifier.messages.size(), 0u);
    EXPECT_EQ(Count(doc), 7);
    EXPECT_EQ(doc.layerNames[2], "walls");
    EXPECT_EQ(doc.layerStates[2], 2);
    EXPECT_EQ(doc.currentLayer, 2);
    EXPECT_EQ(doc.loaded, 1);
    // Grid style 102: line type 1, kind 2 (crosses), the grid bar's choice 6.
    EXPECT_EQ(GridLineType, 1);
    EXPECT_EQ(GridKind, 2);
    EXPECT_EQ(host.gridSelection, 6);
    // Two lines of pen 3: the later one's colour wins.
    EXPECT_EQ(PenColors[3], 0xFF0000u);

    CEntity* header = nullptr;
    int members = 0;
    for (CEntity* e = doc.list.first; e; e = e->next) {
        if (e->type == 60) header = e;
        if (e->owner && e->owner == header) ++members;
        if (e->type == 40) {
            EXPECT_EQ(e->text, "\x90\x7d\x96\xca");
        }
    }
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(members, 2);
}

TEST_F(DocumentTest, FailedSaveKeepsTargetAndModifiedFlag)
{
    fs::path file = folder / "keep.orv";
    {
        std::ofstream(file) << "old contents";
    }
    COrvikCadDoc doc;
    AddLine(doc, 0, 0, 10, 10);
    // A drawing without entities writes nothing and says so.
    COrvikCadDoc empty;
    EXPECT_FALSE(empty.OnSaveDocument(file));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0], "ファイルの書き込みに失敗しました。");
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(doc.OnSaveDocument(folder / "missing" / "x.orv"));
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(notifier.messages.size(), 2u);
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "old contents");
}

TEST_F(DocumentTest, AnImagePathTooLongForItsFieldStopsTheSave)
{
    const fs::path file = folder / "keep.orv";
    struct Case {
        std::size_t length;
        bool saved;
    } cases[] = {{CDrawingFile::MaxPathBytes, true}, {CDrawingFile::MaxPathBytes + 1, false}, {300, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::ofstream(file, std::ios::trunc) << "old contents";
        notifier.messages.clear();
        COrvikCadDoc doc;
        AddLine(doc, 0, 0, 10, 10);
        const std::string path = "/" + std::string(c.length - 1, 'p');
        const int16_t codes[] = {10, 20, 11, 22};
        const double values[] = {0, 0, 40, 30};
        ASSERT_EQ(doc.list.AddEntity({EntityType::Image, 0, 0, 0, 4}, codes, 0, values, path), 0);
        doc.SetModifiedFlag(true);
        EXPECT_EQ(doc.OnSaveDocument(file), c.saved);
        EXPECT_EQ(doc.modified, !c.saved);
        if (c.saved) {
            EXPECT_TRUE(notifier.messages.empty());
            COrvikCadDoc back;
            ASSERT_EQ(back.OnOpenDocument(file), OpenResult::Ok);
            const CEntity* image = nullptr;
            for (const CEntity* e = back.list.first; e; e = e->next)
                if (e->type == EntityType::Image) image = e;
            ASSERT_TRUE(image);
            EXPECT_EQ(image->text, path);
        } else {
            EXPECT_EQ(notifier.messages,
                      std::vector<std::string>{path + "\n画像ファイルのパスが長すぎるため、図面を保存できません。\n"
                                                      "パスが 251 バイト以内の場所に画像を置いて、貼り付け直して下さい。"});
            std::ifstream in(file);
            std::string text;
            std::getline(in, text);
            EXPECT_EQ(text, "old contents");
        }
    }
}

// A drawing file the user protected is never replaced: the save says why
// and offers to save under another name; the drawing stays modified.
TEST_F(DocumentTest, WriteProtectedFileIsNotOverwrittenAndSaveAsIsOffered)
{
    const fs::path file = folder / "protected.orv";
    {
        std::ofstream(file) << "old contents";
    }
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    COrvikCadDoc doc;
    AddLine(doc, 0, 0, 10, 10);
    struct Case {
        int answer;
        SaveResult result;
    };
    for (const Case c : {Case{IDYES, SaveResult::SaveAs}, Case{IDNO, SaveResult::Failed}}) {
        notifier.messages.clear();
        notifier.flags.clear();
        notifier.answer = c.answer;
        EXPECT_EQ(doc.SaveDocument(file), c.result);
        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_NE(notifier.messages[0].find("protected.orv"), std::string::npos);
        EXPECT_NE(notifier.messages[0].find("書き込みが禁止されている"), std::string::npos);
        EXPECT_NE(notifier.messages[0].find("名前を付けて保存しますか"), std::string::npos);
        EXPECT_EQ(notifier.flags[0] & 0x0F, static_cast<unsigned>(MB_YESNO));
        EXPECT_TRUE(doc.modified);
        EXPECT_TRUE(doc.path.empty());
    }
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2) << "a temporary was left";
}

// A private drawing stays private, and a drawing opened through a link is
// saved into the file the link names.
TEST_F(DocumentTest, SaveKeepsModeAndLink)
{
    COrvikCadDoc doc;
    AddLine(doc, 0, 0, 10, 10);
    const fs::path real = folder / "real.orv";
    ASSERT_TRUE(doc.OnSaveDocument(real));
    ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
    const fs::path link = folder / "link.orv";
    fs::create_symlink("real.orv", link);
    AddLine(doc, 0, 0, 20, 20);
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    COrvikCadDoc back;
    ASSERT_EQ(back.OnOpenDocument(real), OpenResult::Ok);
    EXPECT_EQ(Count(back), Count(doc));
}

// A value that is not finite is never written: the save refuses with its
// own message and the file keeps its old contents.
TEST_F(DocumentTest, NonFiniteValueIsNotSaved)
{
    const fs::path file = folder / "finite.orv";
    COrvikCadDoc doc;
    AddLine(doc, 0, 0, 10, 10);
    ASSERT_TRUE(doc.OnSaveDocument(file));
    const auto before = fs::file_size(file);
    doc.list.last->values[2] = std::numeric_limits<double>::infinity();
    doc.SetModifiedFlag(true);
    EXPECT_EQ(doc.SaveDocument(file), SaveResult::Failed);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].find("無限大または非数"), std::string::npos);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(fs::file_size(file), before);
}

// A settings file of 0xFF bytes or of random bytes: the run starts with pens
// that show on the sheet and windows in reach, and what the closing drawing
// writes back is the repaired record, not the damage.
TEST_F(DocumentTest, DamagedSettingsFileIsRepairedAndNotWrittenBack)
{
    std::vector<std::vector<uint8_t>> files{std::vector<uint8_t>(CParameterBlock::Size, 0xFF)};
    uint32_t seed = 777;
    for (int n = 0; n < 8; ++n) {
        std::vector<uint8_t> bytes(CParameterBlock::Size);
        for (auto& byte : bytes) {
            seed = seed * 1103515245u + 12345u;
            byte = static_cast<uint8_t>(seed >> 16);
        }
        files.push_back(bytes);
    }
    const fs::path file = fs::path(DataFolder) / CParameterBlock::FileName;
    for (std::size_t n = 0; n < files.size(); ++n) {
        {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(files[n].data()), static_cast<std::streamsize>(files[n].size()));
        }
        SettingsLoaded = 0;
        CParameterBlock sheet;
        {
            COrvikCadDoc doc;
            sheet = doc.parameters;
            for (int i = 0; i < 8; ++i) {
                const uint32_t pen = PenColors[i], background = doc.parameters.ScreenColors[0];
                EXPECT_EQ(pen >> 24, 0u) << n;
                EXPECT_NE(pen, background) << "file " << n << " pen " << i;
            }
            for (int16_t place : {PaletteLeft, PaletteTop, LayerListLeft, LayerListTop})
                EXPECT_LE(std::abs(int(place)), 16000) << n;
            EXPECT_GE(LayerListWidth, 40) << n;
            EXPECT_GE(LayerListHeight, 40) << n;
        }
        // Written at close: a record with nothing left to repair.
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_EQ(written.size(), CParameterBlock::Size) << n;
        EXPECT_NE(written, files[n]) << n;
        CParameterBlock back;
        back.FromBytes(written.data(), written.size());
        EXPECT_FALSE(back.Repair()) << n;
        EXPECT_EQ(back.PenColors, sheet.PenColors) << n;
    }
}

// The document made for an open that is refused was never the user's
// drawing: it goes without writing the settings file; one that opened
// writes it when it closes.
TEST_F(DocumentTest, RefusedOpenLeavesTheSettingsFileAlone)
{
    const fs::path settings = fs::path(DataFolder) / CParameterBlock::FileName;
    { COrvikCadDoc first; }
    ASSERT_TRUE(fs::exists(settings));
    const fs::path drawing = folder / "good.orv";
    {
        COrvikCadDoc doc;
        AddLine(doc, 0, 0, 1, 1);
        ASSERT_TRUE(doc.OnSaveDocument(drawing));
    }
    const fs::path bad = folder / "bad.orv";
    std::ofstream(bad) << "not a drawing";
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
    struct Case {
        fs::path file;
        bool written;
    };
    for (const Case& c : {Case{bad, false}, Case{folder / "missing.orv", false}, Case{drawing, true}}) {
        fs::last_write_time(settings, old);
        {
            COrvikCadDoc doc;
            EXPECT_EQ(doc.OnOpenDocument(c.file), c.written ? OpenResult::Ok : OpenResult::Failed);
        }
        EXPECT_EQ(fs::last_write_time(settings) != old, c.written) << c.file;
    }
}

TEST_F(DocumentTest, RefusedFileFailsWithMessageAndChangesNothing)
{
    const std::string readFailed = "ファイルの読み込みに失敗しました。";
    // A version-5 header followed by its block, announcing `layers` layer
    // records and a directory of `records` entity records.
    auto announcing = [](int32_t layers, uint32_t records) {
        std::string bytes(192 + 136, '\0');
        bytes.replace(0, 4, std::string("ORV\0", 4));
        bytes[158] = 5;
        std::memcpy(bytes.data() + 192 + 132, &layers, 4);
        if (layers >= 0 && layers < 4) {
            bytes.append(std::string(40 * std::size_t(layers), '\0'));
            const uint32_t directory[3] = {0x00010001u, uint32_t(bytes.size() + 12), records};
            bytes.append(reinterpret_cast<const char*>(directory), 12);
        }
        return bytes;
    };
    struct Case {
        const char* name;
        std::function<fs::path(const fs::path& folder)> make;
        bool named;  // the message names the file
    } cases[] = {
        {"empty", [](const fs::path& f) { std::ofstream(f / "a.orv"); return f / "a.orv"; }, false},
        {"not ours",
         [](const fs::path& f) { std::ofstream(f / "a.orv", std::ios::binary) << std::string(400, 'x'); return f / "a.orv"; },
         false},
        {"short header",
         [](const fs::path& f) { std::ofstream(f / "a.orv", std::ios::binary) << std::string("ORV\0", 4); return f / "a.orv"; },
         false},
        {"100 MB of zeros",
         [](const fs::path& f) {
             std::ofstream(f / "zeros.orv");
             fs::resize_file(f / "zeros.orv", 100u << 20);
             return f / "zeros.orv";
         },
         false},
        {"a drawing header before 100 MB of zeros",
         [&](const fs::path& f) {
             std::ofstream(f / "big.orv", std::ios::binary) << announcing(0, 0xFFFFFFFFu);
             fs::resize_file(f / "big.orv", 100u << 20);
             return f / "big.orv";
         },
         false},
        {"more layer records than the file holds",
         [&](const fs::path& f) { std::ofstream(f / "a.orv", std::ios::binary) << announcing(0x7FFFFFFF, 0); return f / "a.orv"; },
         false},
        {"more entity records than the file holds",
         [&](const fs::path& f) { std::ofstream(f / "a.orv", std::ios::binary) << announcing(2, 1000); return f / "a.orv"; },
         false},
        {"folder", [](const fs::path& f) { fs::create_directory(f / "dir.orv"); return f / "dir.orv"; }, true},
        {"FIFO",
         [](const fs::path& f) {
             EXPECT_EQ(mkfifo((f / "fifo.orv").c_str(), 0600), 0);
             return f / "fifo.orv";
         },
         true},
        {"endless device", [](const fs::path&) { return fs::path("/dev/zero"); }, true},
        {"missing", [](const fs::path& f) { return f / "nothing-here.orv"; }, true},
    };
    for (const Case& c : cases) {
        const fs::path place = folder / "case";
        fs::remove_all(place);
        fs::create_directories(place);
        const fs::path file = c.make(place);
        notifier.messages.clear();
        COrvikCadDoc doc;
        AddLine(doc, 0, 0, 10, 10);
        doc.ClientSizeRecord[0] = 1000;
        doc.ClientSizeRecord[1] = 700;
        doc.header.scale = 50;
        doc.title = "keep";
        doc.SetModifiedFlag(true);
        EXPECT_EQ(doc.OnOpenDocument(file), OpenResult::Failed) << c.name;
        ASSERT_EQ(notifier.messages.size(), 1u) << c.name;
        if (c.named) {
            EXPECT_NE(notifier.messages[0].find(file.string()), std::string::npos) << c.name << ": " << notifier.messages[0];
        } else {
            EXPECT_EQ(notifier.messages[0], readFailed) << c.name;
        }
        EXPECT_EQ(Count(doc), 1) << c.name;
        EXPECT_TRUE(doc.path.empty()) << c.name;
        EXPECT_EQ(doc.ClientSizeRecord[0], 1000) << c.name;
        EXPECT_EQ(doc.ClientSizeRecord[1], 700) << c.name;
        EXPECT_EQ(doc.header.scale, 50.0f) << c.name;
        EXPECT_EQ(doc.title, "keep") << c.name;
        EXPECT_TRUE(doc.modified) << c.name;

        // Part files are read the same way.
        CEntityList parts;
        CDrawingFile reader;
        EXPECT_NE(reader.LoadParts(file, parts), DrawingFileOk) << c.name;
        EXPECT_EQ(parts.first, nullptr) << c.name;
    }
}

TEST_F(DocumentTest, SettingsFileIsCreatedAndFirstDocumentCopiesIt)
{
    fs::path prm = fs::path(DataFolder) / "ORVPRM.DAT";
    ASSERT_FALSE(fs::exists(prm));
    {
        COrvikCadDoc doc;
        EXPECT_TRUE(fs::exists(prm));
        EXPECT_EQ(fs::file_size(prm), 728u);
        EXPECT_EQ(SettingsLoaded, 1);
    }
    // A stored tolerance kind 3 is the process-wide 7.
    CParameterBlock block;
    ReadParameterFile(DataFolder, block, false);
    block.DimToleranceType = 3;
    ASSERT_TRUE(WriteParameterFile(DataFolder, block));
    SettingsLoaded = 0;
    COrvikCadDoc doc;
    EXPECT_EQ(DimToleranceType, 7);
}

TEST_F(DocumentTest, ClosingDocumentKeepsSettingsStoredMeanwhile)
{
    auto first = std::make_unique<COrvikCadDoc>();
    // The settings command stores another grid pitch and scale in the file
    // while the drawing is open.
    CParameterBlock block;
    ReadParameterFile(DataFolder, block, false);
    block.DefaultGridPitch = 5.0f;
    block.DrawingScale = 50;
    ASSERT_TRUE(WriteParameterFile(DataFolder, block));
    LineLength = 77.0f;  // a tool option changed in the session
    first.reset();

    CParameterBlock after;
    ReadParameterFile(DataFolder, after, false);
    EXPECT_EQ(after.DefaultGridPitch, 5.0f);
    EXPECT_EQ(after.DrawingScale, 50);
    EXPECT_EQ(after.LineLength, 77.0f);
}

TEST_F(DocumentTest, SlowOpensShowTheirProgressQuickOnesNothing)
{
    std::vector<uint8_t> bytes;
    {
        COrvikCadDoc source;
        for (int i = 0; i < 40000; ++i)
            AddLine(source, i, 0, i, 1);
        ASSERT_TRUE(source.StoreDrawing(bytes));
    }
    const double savedDelay = OpenProgressDelay;
    struct Case {
        double delay;
        bool shown;
    };
    for (const Case c : {Case{1e9, false}, Case{0.0, true}}) {
        OpenProgressDelay = c.delay;
        host.progress.clear();
        COrvikCadDoc doc;
        ASSERT_EQ(doc.LoadDrawing(bytes), 0);
        EXPECT_EQ(Count(doc), 40000);
        if (!c.shown) {
            EXPECT_TRUE(host.progress.empty());
            continue;
        }
        // Rising from 0 to 100, then taken down.
        ASSERT_GE(host.progress.size(), 3u);
        EXPECT_EQ(host.progress.front(), 0);
        EXPECT_TRUE(std::is_sorted(host.progress.begin(), host.progress.end() - 1));
        EXPECT_EQ(host.progress[host.progress.size() - 2], 100);
        EXPECT_EQ(host.progress.back(), -1);
    }
    OpenProgressDelay = savedDelay;
}

TEST_F(DocumentTest, ChangeEntityRegistersSnapPointsAfreshAndMarksTheDrawing)
{
    COrvikCadDoc doc;
    AddLine(doc, 0, 0, 10, 0);
    AddLine(doc, 5, -5, 5, 5);  // crosses the first at (5, 0)
    CEntity* second = doc.list.last;
    doc.SetModifiedFlag(false);
    const uint64_t generation = doc.list.generation;
    auto kindsOf = [&doc](const CEntity* e) {
        std::vector<std::pair<int, double>> kinds;
        for (const SnapPoint& p : doc.snaps.EntityPoints(e))
            kinds.push_back({p.kind, p.x});
        for (const SnapPoint& p : doc.snaps.EntityCrossings(e))
            kinds.push_back({p.kind, p.x});
        std::sort(kinds.begin(), kinds.end());
        return kinds;
    };
    using Kinds = std::vector<std::pair<int, double>>;
    ASSERT_EQ(kindsOf(second), (Kinds{{SnapKind::LineStart, 5}, {SnapKind::LineEnd, 5}, {SnapKind::LineMidpoint, 5},
                                      {SnapKind::Intersection, 5}}));

    // Moved clear of the first line: its points follow and the crossing goes.
    ASSERT_TRUE(doc.ChangeEntity(second, [](CEntity& e) { e.values[0] = e.values[2] = 20; }));
    EXPECT_TRUE(doc.modified);
    EXPECT_GT(doc.list.generation, generation);
    EXPECT_EQ(kindsOf(second), (Kinds{{SnapKind::LineStart, 20}, {SnapKind::LineEnd, 20}, {SnapKind::LineMidpoint, 20}}));

    // Moved across it again: the crossing is found through the index again.
    ASSERT_TRUE(doc.ChangeEntity(second, [](CEntity& e) { e.values[0] = e.values[2] = 7; }));
    EXPECT_EQ(kindsOf(second), (Kinds{{SnapKind::LineStart, 7}, {SnapKind::LineEnd, 7}, {SnapKind::LineMidpoint, 7},
                                      {SnapKind::Intersection, 7}}));

    // Nothing changes on a record that is not in the drawing.
    CEntityList other;
    const int16_t codes[] = {10, 20};
    const double values[] = {1, 1};
    other.AddEntity({10, 0, 0, 0, 2}, codes, 0, values);
    EXPECT_FALSE(doc.ChangeEntity(other.first, [](CEntity& e) { e.values[0] = 99; }));
    EXPECT_EQ(other.first->values[0], 1);
}
