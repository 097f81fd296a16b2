#pragma once
// The list of recently used files shown in the file menu (most recent first).
// Load and Save keep it in the profile.

#include <QString>
#include <QStringList>

class CRecentFileList {
public:
    explicit CRecentFileList(int size = 4) : m_nSize(size) {}

    int GetSize() const { return m_nSize; }
    int GetCount() const { return int(m_files.size()); }
    QString operator[](int i) const { return i >= 0 && i < m_files.size() ? m_files[i] : QString(); }
    const QStringList& Files() const { return m_files; }

    // Puts path first; an equal entry moves up; the oldest falls off.
    void Add(const QString& path);
    void Remove(int index);
    void Clear() { m_files.clear(); }
    void SetSize(int size);

    void Load();
    void Save() const;

private:
    int m_nSize;
    QStringList m_files;
};

// The application's list.
CRecentFileList& RecentFiles();
