// The parts library's tree: which files and folders it lists.

#include "dialogs/PartsTree.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& p)
{
    std::ofstream(p) << "x";
}

// "name" for a file, "name/" for a folder, children indented below it.
void Flatten(const std::vector<PartsTreeEntry>& entries, const std::string& indent, std::vector<std::string>& out)
{
    for (const PartsTreeEntry& e : entries) {
        out.push_back(indent + e.name.toStdString() + (e.folder ? "/" : ""));
        Flatten(e.children, indent + "  ", out);
    }
}

std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> out;
    Flatten(ListPartsFolder(folder), "", out);
    return out;
}

class PartsTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = fs::path(dir.path().toStdString()) / "部品データ";
        outside = fs::path(dir.path().toStdString()) / "outside";
        fs::create_directories(root);
        fs::create_directories(outside);
    }

    QTemporaryDir dir;
    fs::path root, outside;
};

TEST_F(PartsTreeTest, ListsPartFilesAndFoldersOnly)
{
    for (const char* name : {"a.dxf", "b.ORV", "c.jww", "d.jwc", "e.bmp", "f.dxf.bak", "g.old.dxf", "noext", "r.ras"})
        Touch(root / name);
    Touch(outside / "x.dxf");
    fs::create_directory_symlink(outside, root / "linked");
    fs::create_symlink(outside / "x.dxf", root / "l.dxf");
    fs::create_symlink(outside / "gone.dxf", root / "m.dxf");  // dangling
    fs::create_directories(root / "sub" / "deeper");
    Touch(root / "sub" / "h.DXF");
    Touch(root / "sub" / "deeper" / "部品.jww");
    fs::create_directories(root / ".hidden");
    Touch(root / ".hidden" / "i.dxf");
    fs::create_directories(root / "k.dxf");  // a folder, whatever its name

    const std::vector<std::string> expected{
        "a.dxf", "b.ORV", "c.jww", "k.dxf/", "l.dxf", "sub/", "  deeper/", "    部品.jww", "  h.DXF",
    };
    EXPECT_EQ(Listing(root), expected);
}

TEST_F(PartsTreeTest, FolderThatCannotBeEnteredListsNothing)
{
    EXPECT_TRUE(Listing(root / "missing").empty());
    Touch(root / "a.dxf");
    EXPECT_TRUE(Listing(root / "a.dxf").empty());

    fs::create_directories(root / "locked");
    Touch(root / "locked" / "p.dxf");
    fs::permissions(root / "locked", fs::perms::none);
    if (::geteuid() != 0) {
        const std::vector<std::string> expected{"a.dxf", "locked/"};
        EXPECT_EQ(Listing(root), expected);
    }
    fs::permissions(root / "locked", fs::perms::owner_all);
}

TEST_F(PartsTreeTest, LinkLoopsEndInsteadOfRecursing)
{
    fs::create_directories(root / "a");
    fs::create_directory_symlink(root, root / "a" / "back");
    Touch(root / "a" / "z.jww");
    const std::vector<std::string> expected{"a/", "  z.jww"};
    EXPECT_EQ(Listing(root), expected);
}

TEST_F(PartsTreeTest, EntriesKeepTheirFullPaths)
{
    fs::create_directories(root / "sub");
    Touch(root / "sub" / "h.dxf");
    const auto entries = ListPartsFolder(root);
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_EQ(entries[0].children.size(), 1u);
    EXPECT_EQ(entries[0].children[0].path, root / "sub" / "h.dxf");
    EXPECT_TRUE(fs::is_regular_file(entries[0].children[0].path));
}

} // namespace
