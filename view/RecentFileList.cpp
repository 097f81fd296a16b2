#include "view/RecentFileList.h"

#include "platform/Places.h"

#include <QFileInfo>

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty()) {
        return;
    }
    QString full = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > m_nSize) {
        m_files.removeLast();
    }
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_files.size()) {
        m_files.removeAt(index);
    }
}

void CRecentFileList::SetSize(int size)
{
    m_nSize = size < 0 ? 0 : size;
    while (m_files.size() > m_nSize) {
        m_files.removeLast();
    }
}

void CRecentFileList::Load()
{
    platform::RecentFileList stored(m_nSize);
    stored.load();
    m_files = stored.files();
    while (m_files.size() > m_nSize) {
        m_files.removeLast();
    }
}

void CRecentFileList::Save() const
{
    platform::RecentFileList stored(m_nSize);
    for (auto it = m_files.crbegin(); it != m_files.crend(); ++it) {
        stored.add(*it);
    }
    stored.save();
}

CRecentFileList& RecentFiles()
{
    static CRecentFileList list(4);
    return list;
}
