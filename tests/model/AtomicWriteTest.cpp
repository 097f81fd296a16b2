#include "model/AtomicWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AtomicWriteTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "orvik-atomic-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder, ec);
    }

    static std::string Read(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const fs::path& p, const std::string& bytes)
    {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static unsigned Mode(const fs::path& p)
    {
        struct stat st {};
        EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
        return st.st_mode & 07777;
    }
    // Every name in folder, hidden ones included.
    std::vector<std::string> Names(const fs::path& where) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(where)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A process number that no process has (a child that has been reaped).
    static pid_t DeadProcess()
    {
        pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        int status = 0;
        ::waitpid(child, &status, 0);
        return child;
    }
};

// Keeps writes beyond `bytes` from succeeding while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST_F(AtomicWriteTest, ReplacedFileKeepsItsModeAndNewFileTakesTheUmask)
{
    struct Case {
        unsigned before;
        unsigned after;
    };
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const Case cases[] = {
        {0600, 0600}, {0640, 0640}, {0644, 0644}, {0755, 0755}, {0660, 0660}, {0, 0666 & ~mask},
    };
    for (const Case& c : cases) {
        const fs::path target = folder / ("drawing-" + std::to_string(c.before) + ".orv");
        if (c.before != 0) {
            Put(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), c.before), 0);
        }
        EXPECT_EQ(WriteFileAtomically(target, std::string_view("new content")), AtomicWriteResult::Ok);
        EXPECT_EQ(Read(target), "new content");
        EXPECT_EQ(Mode(target), c.after) << std::oct << c.before;
    }
    EXPECT_EQ(Names(folder).size(), std::size(cases)) << "a temporary was left";
}

TEST_F(AtomicWriteTest, LinkIsFollowedAndStaysALink)
{
    struct Case {
        const char* name;
        bool absolute;
        int hops;
    };
    const Case cases[] = {{"relative", false, 1}, {"absolute", true, 1}, {"chain", false, 2}};
    for (const Case& c : cases) {
        const fs::path real = folder / "real" / (std::string(c.name) + ".orv");
        fs::create_directories(real.parent_path());
        Put(real, "old drawing");
        ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
        fs::path linkFolder = folder / "links";
        fs::create_directories(linkFolder);
        fs::path pointsTo = c.absolute ? real : fs::path("..") / "real" / real.filename();
        fs::path link = linkFolder / (std::string(c.name) + "-1.orv");
        fs::create_symlink(pointsTo, link);
        for (int hop = 1; hop < c.hops; ++hop) {
            fs::path next = linkFolder / (std::string(c.name) + "-" + std::to_string(hop + 1) + ".orv");
            fs::create_symlink(link.filename(), next);
            link = next;
        }

        AtomicWrite w(link);
        ASSERT_TRUE(w.IsOpen()) << c.name;
        EXPECT_EQ(fs::weakly_canonical(w.Target()), fs::weakly_canonical(real)) << c.name;
        // The temporary sits beside the real file, so the rename never crosses a file system.
        EXPECT_EQ(fs::weakly_canonical(w.TemporaryPath().parent_path()), fs::weakly_canonical(real.parent_path()));
        w.Write(std::string_view("new drawing"));
        ASSERT_EQ(w.Commit(), AtomicWriteResult::Ok) << c.name;

        EXPECT_TRUE(fs::is_symlink(link)) << c.name;
        EXPECT_EQ(Read(real), "new drawing") << c.name;
        EXPECT_EQ(Read(link), "new drawing") << c.name;
        EXPECT_EQ(Mode(real), 0600u) << c.name;
    }
    EXPECT_EQ(Names(folder / "real").size(), std::size(cases));
}

TEST_F(AtomicWriteTest, FileWithoutWriteBitsIsNotReplaced)
{
    for (unsigned mode : {0444u, 0400u, 0555u, 0u}) {
        const fs::path target = folder / ("protected-" + std::to_string(mode) + ".orv");
        Put(target, "kept");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        EXPECT_TRUE(IsWriteProtectedFile(target));
        AtomicWrite w(target);
        EXPECT_FALSE(w.IsOpen());
        EXPECT_EQ(w.Status(), AtomicWriteResult::WriteProtected);
        EXPECT_FALSE(w.Write(std::string_view("replacement")));
        EXPECT_EQ(w.Commit(), AtomicWriteResult::WriteProtected) << std::oct << mode;
        ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
        EXPECT_EQ(Read(target), "kept");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        EXPECT_EQ(Mode(target), mode);
    }
    EXPECT_EQ(Names(folder).size(), 4u) << "a temporary was left";
    EXPECT_FALSE(IsWriteProtectedFile(folder / "missing.orv"));
}

TEST_F(AtomicWriteTest, FileWeMayNotWriteIsNotReplaced)
{
    if (::geteuid() == 0) GTEST_SKIP() << "runs as root, who may write every file; run as an ordinary user";
    // Writable by the group only: we own it but may not write it.
    const fs::path target = folder / "group-only.orv";
    Put(target, "kept");
    ASSERT_EQ(::chmod(target.c_str(), 0464), 0);
    EXPECT_EQ(WriteFileAtomically(target, std::string_view("replacement")), AtomicWriteResult::WriteProtected);
    EXPECT_EQ(Mode(target), 0464u);
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    EXPECT_EQ(Read(target), "kept");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"group-only.orv"});

    // A folder we may not write: the save fails, the file stays.
    const fs::path locked = folder / "locked";
    fs::create_directories(locked);
    Put(locked / "a.orv", "kept");
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    EXPECT_EQ(WriteFileAtomically(locked / "a.orv", std::string_view("replacement")), AtomicWriteResult::Failed);
    EXPECT_EQ(Read(locked / "a.orv"), "kept");
    ASSERT_EQ(::chmod(locked.c_str(), 0755), 0);
}

TEST_F(AtomicWriteTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const fs::path target = folder / "drawing.orv";
    std::string old;
    for (int i = 0; i < 3000; ++i) old += static_cast<char>(i * 7 + 3);
    Put(target, old);
    {
        FileSizeLimit limit(8192);
        AtomicWrite w(target);
        ASSERT_TRUE(w.IsOpen());
        EXPECT_FALSE(w.Write(std::string(200000, 'x')));
        EXPECT_NE(w.Error(), 0);
        EXPECT_EQ(w.Commit(), AtomicWriteResult::Failed);
    }
    EXPECT_EQ(Read(target), old);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"drawing.orv"});

    // Abandoned without a commit, and a target that is a folder or lies in no folder.
    {
        AtomicWrite w(target);
        w.Write(std::string_view("half"));
    }
    EXPECT_EQ(Read(target), old);
    EXPECT_EQ(WriteFileAtomically(folder, std::string_view("x")), AtomicWriteResult::Failed);
    EXPECT_EQ(WriteFileAtomically(folder / "no" / "such" / "x.orv", std::string_view("x")), AtomicWriteResult::Failed);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"drawing.orv"});
}

TEST_F(AtomicWriteTest, TemporariesAreUniqueHiddenAndNamedAfterTheTarget)
{
    const fs::path target = folder / "plan.orv";
    AtomicWrite first(target);
    AtomicWrite second(target);
    ASSERT_TRUE(first.IsOpen());
    ASSERT_TRUE(second.IsOpen());
    EXPECT_NE(first.TemporaryPath(), second.TemporaryPath());
    const std::string prefix = AtomicWriteTemporaryPrefix(target);
    EXPECT_EQ(prefix.front(), '.');
    for (const AtomicWrite* w : {&first, &second}) {
        const std::string name = w->TemporaryPath().filename().string();
        EXPECT_EQ(name.rfind(prefix, 0), 0u) << name;
        EXPECT_EQ(w->TemporaryPath().parent_path(), folder);
    }
    first.Write(std::string_view("first"));
    second.Write(std::string_view("second"));
    EXPECT_EQ(first.Commit(), AtomicWriteResult::Ok);
    EXPECT_EQ(second.Commit(), AtomicWriteResult::Ok);
    EXPECT_EQ(Read(target), "second");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"plan.orv"});

    // A name as long as a file name may be still saves.
    const fs::path longName = folder / (std::string(250, 'n') + ".orv");
    EXPECT_EQ(WriteFileAtomically(longName, std::string_view("long")), AtomicWriteResult::Ok);
    EXPECT_EQ(Read(longName), "long");
}

TEST_F(AtomicWriteTest, TemporaryOfAKilledSaveGoesAtTheNextSave)
{
    const fs::path target = folder / "plan.orv";
    Put(target, "old");
    const std::string prefix = AtomicWriteTemporaryPrefix(target);

    // A save killed half-way leaves its partial temporary behind.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicWrite w(target);
        w.Write(std::string(100000, 'p'));
        ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(Names(folder).size(), 2u);
    EXPECT_EQ(Read(target), "old");

    // What is left alone: another drawing's temporary, a temporary of a
    // process still running, and files of the user that merely look alike.
    const std::string dead = std::to_string(DeadProcess());
    const std::vector<std::string> kept = {
        AtomicWriteTemporaryPrefix(folder / "other.orv") + dead + "-ABCDEF",
        prefix + std::to_string(::getppid()) + "-ABCDEF",
        prefix + dead + "-ABC",
        prefix + "x" + dead + "-ABCDEF",
        "plan.orv.orvtmp",
        "plan.orv.tmp",
    };
    for (const std::string& name : kept) Put(folder / name, "keep");
    Put(folder / (prefix + dead + "-QWERTY"), "stale");

    EXPECT_EQ(WriteFileAtomically(target, std::string_view("new")), AtomicWriteResult::Ok);
    EXPECT_EQ(Read(target), "new");
    std::vector<std::string> expected = kept;
    expected.push_back("plan.orv");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder), expected);
}
