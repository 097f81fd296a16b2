// Reading part files of each kind into the parts buffer.

#include "dialogs/PartsLoad.h"

#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/JwwArchive.h"
#include "exchange/JwwFile.h"
#include "model/DrawingFile.h"
#include "model/EntityKinds.h"
#include "model/EntityTransform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

int Count(const CEntityList& list)
{
    int n = 0;
    for (const CEntity* e = list.first; e; e = e->next)
        ++n;
    return n;
}

class PartsLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path().toStdString();
        for (double y : {0.0, 10.0})
            AddEntityCopy(source, *MakeRecord(EntityType::Line, {0, y, 100, y}));
    }

    QTemporaryDir dir;
    fs::path folder;
    CEntityList source;
};

TEST_F(PartsLoadTest, EachKindFillsTheList)
{
    const fs::path dxf = folder / "a.dxf", orv = folder / "b.ORV", jww = folder / "c.jww";
    CDxfFile writer;
    ASSERT_EQ(writer.Write(dxf, source.first), DxfWriteOk);
    std::vector<uint8_t> native;
    CDrawingFile file;
    ASSERT_EQ(file.WriteDrawing(native, source.first), DrawingFileOk);
    WriteBytes(orv, native);
    ArchiveWriter archive;
    CJwwWriter jwwWriter;
    jwwWriter.WriteJwwFile(archive, source.first);
    WriteBytes(jww, archive.out);

    struct Case {
        fs::path path;
        int kind;
    };
    for (const Case& c : {Case{dxf, 1}, Case{orv, 2}, Case{jww, 3}}) {
        CEntityList list;
        const PartLoadResult r = LoadPartFile(c.path, c.kind, list);
        EXPECT_TRUE(r.loaded) << c.path;
        EXPECT_TRUE(r.message.empty()) << c.path << ": " << r.message;
        int lines = 0;
        for (const CEntity* e = list.first; e; e = e->next)
            lines += e->type == EntityType::Line;
        EXPECT_EQ(lines, 2) << c.path;
    }
}

TEST_F(PartsLoadTest, FailedReadLeavesTheListEmptyWithItsMessage)
{
    struct Case {
        const char* name;
        int kind;
        std::vector<uint8_t> bytes;
        std::string message;
        bool box;
    };
    std::vector<uint8_t> oldJww{'J', 'w', 'w', 'D', 'a', 't', 'a', '.'};
    for (uint8_t b : {uint8_t(200), uint8_t(0), uint8_t(0), uint8_t(0)})
        oldJww.push_back(b);
    const Case cases[] = {
        {"bad.dxf", 1, {'0', '\n', 'X', '\n'}, DxfReadFailedMessage, false},
        {"bad.orv", 2, {'n', 'o', 'p', 'e'}, PartsReadFailedMessage, false},
        {"bad.jww", 3, {'n', 'o', 'p', 'e'}, JwwNotJwwMessage, false},
        {"old.jww", 3, oldJww, PartsOldJwwMessage, true},
        {"empty.jww", 3, {}, JwwNotJwwMessage, false},
    };
    for (const Case& c : cases) {
        const fs::path p = folder / c.name;
        WriteBytes(p, c.bytes);
        CEntityList list;
        AddEntityCopy(list, *MakeRecord(EntityType::Line, {0, 0, 1, 1}));
        const PartLoadResult r = LoadPartFile(p, c.kind, list);
        EXPECT_FALSE(r.loaded) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
        EXPECT_EQ(r.messageBox, c.box) << c.name;
        EXPECT_EQ(Count(list), 0) << c.name;
    }
}

TEST_F(PartsLoadTest, MissingOrFolderPathLoadsNothing)
{
    fs::create_directory(folder / "dir.dxf");
    for (int kind : {1, 2, 3}) {
        for (const fs::path& p : {folder / "missing.dxf", folder / "dir.dxf"}) {
            CEntityList list;
            const PartLoadResult r = LoadPartFile(p, kind, list);
            EXPECT_FALSE(r.loaded) << p << " kind " << kind;
            EXPECT_FALSE(r.message.empty());
            EXPECT_EQ(Count(list), 0);
        }
    }
}

} // namespace
