#include "platform/Places.h"

#include "platform/Files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <clocale>
#include <cstdlib>

namespace platform {

namespace {

QString environmentFolder(const char* name)
{
    const char* v = std::getenv(name);
    if (v && *v == '/') {
        return QFile::decodeName(v);
    }
    return QString();
}

QString homeFolder()
{
    QString home = environmentFolder("HOME");
    return home.isEmpty() ? QDir::homePath() : home;
}

QString profileKey = QStringLiteral("OrvikCAD");
QString profileApplication = QStringLiteral("OrvikCAD");

QString stripSlash(QString p)
{
    while (p.size() > 1 && p.endsWith(u'/')) {
        p.chop(1);
    }
    return p;
}

} // namespace

QString dataFolder()
{
    QString base = environmentFolder("XDG_DATA_HOME");
    if (base.isEmpty()) {
        base = homeFolder() + QStringLiteral("/.local/share");
    }
    return stripSlash(base) + QStringLiteral("/KESTAVA/OrvikCAD");
}

QString ensureDataFolder()
{
    QString folder = dataFolder();
    if (!QDir().mkpath(folder)) {
        return QString();
    }
    return folder;
}

QString partsFolder()
{
    return stripSlash(homeFolder()) + QStringLiteral("/部品データ");
}

QString dataFile(const QString& name)
{
    return dataFolder() + u'/' + name;
}

// ---- Profile ----------------------------------------------------------------

void setProfileKey(const QString& key, const QString& application)
{
    profileKey = key;
    profileApplication = application;
}

QString profilePath()
{
    QString base = environmentFolder("XDG_CONFIG_HOME");
    if (base.isEmpty()) {
        base = homeFolder() + QStringLiteral("/.config");
    }
    return stripSlash(base) + QStringLiteral("/KESTAVA/") + profileApplication + QStringLiteral(".conf");
}

namespace {

// Every entry lives under the profile key, so the key stays the one name that
// holds the program's settings, as the application set it.
QString settingsKey(const QString& section, const QString& entry)
{
    return profileKey + u'/' + section + u'/' + entry;
}

} // namespace

QString profileString(const QString& section, const QString& entry, const QString& defaultValue)
{
    QSettings s(profilePath(), QSettings::IniFormat);
    return s.value(settingsKey(section, entry), defaultValue).toString();
}

bool writeProfileString(const QString& section, const QString& entry, const QString& value)
{
    QDir().mkpath(QFileInfo(profilePath()).absolutePath());
    QSettings s(profilePath(), QSettings::IniFormat);
    s.setValue(settingsKey(section, entry), value);
    s.sync();
    return s.status() == QSettings::NoError;
}

int profileInt(const QString& section, const QString& entry, int defaultValue)
{
    QSettings s(profilePath(), QSettings::IniFormat);
    bool ok = false;
    int v = s.value(settingsKey(section, entry)).toString().trimmed().toInt(&ok);
    return ok ? v : defaultValue;
}

bool writeProfileInt(const QString& section, const QString& entry, int value)
{
    return writeProfileString(section, entry, QString::number(value));
}

void RecentFileList::load()
{
    files_.clear();
    for (int i = 0; i < size_; ++i) {
        QString f = profileString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i + 1));
        if (!f.isEmpty()) {
            files_ << f;
        }
    }
}

bool RecentFileList::save() const
{
    QDir().mkpath(QFileInfo(profilePath()).absolutePath());
    QSettings s(profilePath(), QSettings::IniFormat);
    s.beginGroup(profileKey + QStringLiteral("/Recent File List"));
    s.remove(QString());
    for (int i = 0; i < files_.size(); ++i) {
        s.setValue(QStringLiteral("File%1").arg(i + 1), files_[i]);
    }
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

void RecentFileList::add(const QString& path)
{
    QString full = QFileInfo(path).absoluteFilePath();
    files_.removeIf([&](const QString& f) { return QFileInfo(f).absoluteFilePath() == full; });
    files_.prepend(full);
    while (files_.size() > size_) {
        files_.removeLast();
    }
}

void RecentFileList::remove(int index)
{
    if (index >= 0 && index < files_.size()) {
        files_.removeAt(index);
    }
}

// ---- INI file -----------------------------------------------------------------

namespace {

QString iniPath(const QString& file)
{
    return file.contains(u'/') ? file : dataFile(file);
}

QString sectionName(const QString& line)
{
    QString t = line.trimmed();
    if (t.startsWith(u'[') && t.endsWith(u']')) {
        return t.mid(1, t.size() - 2).trimmed();
    }
    return QString();
}

bool isKeyLine(const QString& line, const QString& key)
{
    qsizetype eq = line.indexOf(u'=');
    return eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

} // namespace

bool writeIniString(const QString& section, const QString& key, const QString& value, const QString& file)
{
    QString path = iniPath(file);
    if (!file.contains(u'/') && ensureDataFolder().isEmpty()) {
        return false;
    }
    std::string old;
    readWholeFile(path, old);
    QStringList lines = QString::fromUtf8(old.data(), static_cast<qsizetype>(old.size())).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& l : lines) {
        if (l.endsWith(u'\r')) {
            l.chop(1);
        }
    }
    const QString entry = key + u'=' + value;
    qsizetype sectionStart = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (sectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0 && !sectionName(lines[i]).isEmpty()) {
            sectionStart = i;
            break;
        }
    }
    if (sectionStart < 0) {
        lines << u'[' + section + u']' << entry;
    } else {
        qsizetype end = sectionStart + 1;
        qsizetype lastEntry = sectionStart;
        bool replaced = false;
        for (; end < lines.size() && sectionName(lines[end]).isEmpty(); ++end) {
            if (isKeyLine(lines[end], key)) {
                lines[end] = entry;
                replaced = true;
                break;
            }
            if (!lines[end].trimmed().isEmpty()) {
                lastEntry = end;
            }
        }
        if (!replaced) {
            lines.insert(lastEntry + 1, entry);
        }
    }
    QByteArray text = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return saveFileAtomically(path, std::string_view(text.constData(), static_cast<size_t>(text.size())));
}

QString iniString(const QString& section, const QString& key, const QString& defaultValue, const QString& file)
{
    std::string text;
    if (!readWholeFile(iniPath(file), text)) {
        return defaultValue;
    }
    bool inSection = false;
    for (QString line : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        QString name = sectionName(line);
        if (!name.isEmpty()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && isKeyLine(line, key)) {
            return line.mid(line.indexOf(u'=') + 1);
        }
    }
    return defaultValue;
}

void restoreNumericLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace platform
