#include "platform/Files.h"
#include "platform/Places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace platform;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Everything the program keeps goes under the temporary folder.
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            const char* old = std::getenv(name);
            saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        }
        setenv("HOME", path("home").toUtf8().constData(), 1);
        setenv("XDG_DATA_HOME", path("data").toUtf8().constData(), 1);
        setenv("XDG_CONFIG_HOME", path("config").toUtf8().constData(), 1);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
    }
    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    static std::string contents(const QString& p)
    {
        std::string s;
        EXPECT_TRUE(readWholeFile(p, s)) << p.toStdString();
        return s;
    }

    QTemporaryDir dir;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

// Lets writes past `bytes` fail the way a full disk does, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_ {};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST_F(FilesTest, CheckedReadsWritesAndSeeks)
{
    const QString p = path("a.bin");
    {
        BinaryFile f(p, BinaryFile::Mode::Write);
        ASSERT_TRUE(f.isOpen());
        EXPECT_TRUE(f.write("0123456789"));
        EXPECT_EQ(f.size(), 10);
        EXPECT_TRUE(f.close());
    }
    BinaryFile f(p, BinaryFile::Mode::Read);
    char buf[8] = {};
    EXPECT_TRUE(f.seek(6));
    EXPECT_TRUE(f.read(buf, 4));
    EXPECT_EQ(std::string(buf, 4), "6789");
    EXPECT_TRUE(f.atEnd());
    EXPECT_TRUE(f.ok());
    // A short read fails and is remembered.
    EXPECT_TRUE(f.seek(8));
    EXPECT_FALSE(f.read(buf, 4));
    EXPECT_FALSE(f.ok());
    // Seeking past the end of a file being read fails.
    BinaryFile g(p, BinaryFile::Mode::Read);
    EXPECT_TRUE(g.seek(10));
    EXPECT_FALSE(g.seek(11));
    EXPECT_FALSE(g.seek(-1));
    // Writing to a file opened for reading fails instead of doing anything.
    BinaryFile h(p, BinaryFile::Mode::Read);
    EXPECT_FALSE(h.write("x"));
    EXPECT_EQ(contents(p), "0123456789");
    // A missing file does not open, and nothing works on it.
    BinaryFile m(path("missing"), BinaryFile::Mode::Read);
    EXPECT_FALSE(m.isOpen());
    EXPECT_EQ(m.error(), ENOENT);
    EXPECT_FALSE(m.read(buf, 1));
    // Read-write keeps the content and writes in place.
    BinaryFile rw(p, BinaryFile::Mode::ReadWrite);
    EXPECT_TRUE(rw.seek(2));
    EXPECT_TRUE(rw.write("ab"));
    EXPECT_TRUE(rw.close());
    EXPECT_EQ(contents(p), "01ab456789");
}

TEST_F(FilesTest, AtomicSaveReplacesOnlyWhenEveryWriteSucceeded)
{
    const QString target = path("drawing.orv");
    ASSERT_TRUE(saveFileAtomically(target, "old content"));
    EXPECT_EQ(contents(target), "old content");

    // Disk full part-way: the target keeps its old content, no temporary is left.
    {
        FileSizeLimit limit(4096);
        AtomicFile f(target);
        ASSERT_TRUE(f.isOpen());
        f.write(std::string(100000, 'x'));
        EXPECT_FALSE(f.commit());
    }
    EXPECT_EQ(contents(target), "old content");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"drawing.orv"});

    // Abandoned without commit: nothing changes either.
    {
        AtomicFile f(target);
        f.write("half");
    }
    EXPECT_EQ(contents(target), "old content");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"drawing.orv"});

    // A folder that does not exist: fails, creates nothing.
    EXPECT_FALSE(saveFileAtomically(path("no/such/folder/x.orv"), "data"));

    // Success keeps the target's permissions.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(saveFileAtomically(target, "new content"));
    EXPECT_EQ(contents(target), "new content");
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(FilesTest, Places)
{
    EXPECT_EQ(dataFolder(), path("data") + QStringLiteral("/KESTAVA/OrvikCAD"));
    EXPECT_EQ(partsFolder(), path("home") + QStringLiteral("/部品データ"));
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(dataFolder(), path("home") + QStringLiteral("/.local/share/KESTAVA/OrvikCAD"));
    EXPECT_FALSE(QDir(dataFolder()).exists());
    EXPECT_EQ(ensureDataFolder(), dataFolder());
    EXPECT_TRUE(QDir(dataFolder()).exists());
}

TEST_F(FilesTest, ProfileAndRecentFiles)
{
    const QString key = QStringLiteral("アプリケーション ウィザードで生成されたローカル アプリケーション");
    setProfileKey(key);
    EXPECT_EQ(profilePath(), path("config") + QStringLiteral("/KESTAVA/OrvikCAD.conf"));
    EXPECT_EQ(profileString(QStringLiteral("Develop"), QStringLiteral("Edit01")), QString());
    EXPECT_TRUE(writeProfileString(QStringLiteral("Develop"), QStringLiteral("Edit01"), QStringLiteral("12.5")));
    EXPECT_TRUE(writeProfileInt(QStringLiteral("Settings"), QStringLiteral("Count"), 7));
    EXPECT_EQ(profileString(QStringLiteral("Develop"), QStringLiteral("Edit01")), QStringLiteral("12.5"));
    EXPECT_EQ(profileInt(QStringLiteral("Settings"), QStringLiteral("Count")), 7);
    EXPECT_EQ(profileInt(QStringLiteral("Develop"), QStringLiteral("Missing"), -3), -3);

    RecentFileList recent(4);
    for (const char* f : {"/d/a.orv", "/d/b.orv", "/d/図面.orv", "/d/c.orv", "/d/e.orv", "/d/b.orv"}) {
        recent.add(QString::fromUtf8(f));
    }
    const QStringList expected{"/d/b.orv", "/d/e.orv", "/d/c.orv", QStringLiteral("/d/図面.orv")};
    EXPECT_EQ(recent.files(), expected);
    EXPECT_TRUE(recent.save());
    RecentFileList again(4);
    again.load();
    EXPECT_EQ(again.files(), expected);
    again.remove(0);
    again.save();
    RecentFileList third(4);
    third.load();
    EXPECT_EQ(third.files().size(), 3);

    // The key names the settings inside the one file; nothing is made in a
    // folder named after it.
    EXPECT_FALSE(QFileInfo::exists(path("config") + u'/' + key));
    QSettings raw(profilePath(), QSettings::IniFormat);
    EXPECT_EQ(raw.childGroups(), QStringList{key});
    setProfileKey(QStringLiteral("OrvikCAD"));
    EXPECT_EQ(profileString(QStringLiteral("Develop"), QStringLiteral("Edit01")), QString());
}

TEST_F(FilesTest, IniFileWritesKeepOtherLines)
{
    const QString folder = QStringLiteral("/home/user/画像");
    EXPECT_TRUE(writeIniString(QStringLiteral("OrvikCAD"), QStringLiteral("OpenDir"), QStringLiteral("/tmp")));
    EXPECT_TRUE(writeIniString(QStringLiteral("Other"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_TRUE(writeIniString(QStringLiteral("OrvikCAD"), QStringLiteral("Second"), QStringLiteral("x=y")));
    EXPECT_TRUE(writeIniString(QStringLiteral("OrvikCAD"), QStringLiteral("OpenDir"), folder));
    EXPECT_EQ(contents(dataFile(QStringLiteral("OrvikCAD.ini"))),
              "[OrvikCAD]\r\nOpenDir=/home/user/画像\r\nSecond=x=y\r\n[Other]\r\nA=1\r\n");
    EXPECT_EQ(iniString(QStringLiteral("OrvikCAD"), QStringLiteral("OpenDir")), folder);
    EXPECT_EQ(iniString(QStringLiteral("orvikcad"), QStringLiteral("second")), QStringLiteral("x=y"));
    EXPECT_EQ(iniString(QStringLiteral("Other"), QStringLiteral("OpenDir"), QStringLiteral("-")), QStringLiteral("-"));
}

TEST_F(FilesTest, NumericLocaleIsC)
{
    restoreNumericLocale();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", 1.5);
    EXPECT_STREQ(buf, "1.50");
}
