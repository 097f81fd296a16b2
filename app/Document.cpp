#include "app/Document.h"
#include "app/RecentFileList.h"
#include "app/View.h"

#include <QFileInfo>

bool CDocument::OnNewDocument()
{
    m_bModified = false;
    return true;
}

bool CDocument::OnOpenDocument(const QString&)
{
    return false;
}

bool CDocument::OnSaveDocument(const QString&)
{
    return false;
}

bool CDocument::ImportDxf(const QString&)
{
    return false;
}

bool CDocument::ImportJwc(const QString&)
{
    return false;
}

bool CDocument::ImportJww(const QString&)
{
    return false;
}

void CDocument::SetTitle(const QString& title)
{
    m_strTitle = title;
    if (m_pView && m_pView->parentWidget()) {
        m_pView->parentWidget()->setWindowTitle(title);
    }
}

void CDocument::SetPathName(const QString& path, bool addToMru)
{
    m_strPathName = path;
    SetTitle(QFileInfo(path).fileName());
    if (addToMru) {
        RecentFiles().Add(path);
    }
}

void CDocument::UpdateAllViews(CView* sender, long hint)
{
    if (m_pView && m_pView != sender) {
        m_pView->OnUpdate(sender, hint);
    }
}

