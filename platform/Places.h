#pragma once
// Where the program keeps its files, the framework's profile (settings and
// the recent-file list), the program's INI file, and the numeric locale.
//
// The folders follow the environment at the time of the call, so a test that
// points HOME / XDG_DATA_HOME / XDG_CONFIG_HOME at a temporary folder gets
// everything there.

#include <QString>
#include <QStringList>

namespace platform {

// $XDG_DATA_HOME/KESTAVA/OrvikCAD (default ~/.local/share/KESTAVA/OrvikCAD),
// without a trailing separator. Not created.
QString dataFolder();
// dataFolder(), created when missing; empty when it cannot be made.
QString ensureDataFolder();
// ~/部品データ
QString partsFolder();
// A file in the data folder.
QString dataFile(const QString& name);

// ---- The framework's profile --------------------------------------------
// An INI file $XDG_CONFIG_HOME/KESTAVA/<application>.conf (default
// ~/.config/...); its entries sit under the profile key, which the
// application sets once at start-up.
void setProfileKey(const QString& key, const QString& application = QStringLiteral("OrvikCAD"));
QString profilePath();

QString profileString(const QString& section, const QString& entry, const QString& defaultValue = QString());
bool writeProfileString(const QString& section, const QString& entry, const QString& value);
int profileInt(const QString& section, const QString& entry, int defaultValue = 0);
bool writeProfileInt(const QString& section, const QString& entry, int value);

// The recent-file list, most recent first, kept in the profile's section
// "Recent File List" as "File1", "File2", ...
class RecentFileList {
public:
    explicit RecentFileList(int size = 4) : size_(size) {}
    int size() const { return size_; }
    // Reads the list from the profile.
    void load();
    // Writes the list to the profile.
    bool save() const;
    // Puts path at the top (moving it when already listed, compared as
    // absolute paths) and drops what falls off the end.
    void add(const QString& path);
    void remove(int index);
    const QStringList& files() const { return files_; }

private:
    int size_;
    QStringList files_;
};

// ---- The program's INI file ----------------------------------------------
// Writes key=value into [section] of an INI file (the program's own one,
// "OrvikCAD.ini" in the data folder, when file is a bare name), keeping every
// other line; creates the file, section or key as needed. An empty value
// writes an empty entry. Returns false when the file cannot be written.
bool writeIniString(const QString& section, const QString& key, const QString& value,
                    const QString& file = QStringLiteral("OrvikCAD.ini"));
// Reads a key back (the program itself only writes; tests read).
QString iniString(const QString& section, const QString& key, const QString& defaultValue = QString(),
                  const QString& file = QStringLiteral("OrvikCAD.ini"));

// ---- Numbers ----------------------------------------------------------------
// Qt sets the process locale from the environment; the application calls this
// right after creating the QApplication so that numbers are read and written
// with a '.' whatever the user's locale.
void restoreNumericLocale();

} // namespace platform
