#include "view/Document.h"
#include "view/RecentFileList.h"
#include "view/View.h"

#include "model/Notify.h"
#include "platform/Ui.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFileInfo>

CDocument::CDocument()
{
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(QString()); });
}

bool CDocument::SaveModified()
{
    if (!IsModified()) {
        return true;
    }
    QString name = m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    QString text = QStringLiteral("%1 への変更を保存しますか?").arg(name);
    switch (platform::messageBox(text, QStringLiteral("OrvikCAD"), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true;
    }
}

bool CDocument::DoFileSave()
{
    if (m_bPathFromImport && QFileInfo::exists(m_strPathName)) {
        // Someone else's file has the name the import gave the drawing.
        const int answer = platform::messageBox(
            QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(QDir::toNativeSeparators(m_strPathName)),
            QString(), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL)
            return false;
        if (answer == IDNO)
            return DoSave(QString());
    }
    return DoSave(m_strPathName);
}

bool CDocument::DoSave(const QString& path)
{
    QString target = path;
    if (target.isEmpty()) {
        platform::FileRequest request;
        request.filter = QStringLiteral("OrvikCAD Files (*.orv)|*.orv||");
        request.defaultExt = QStringLiteral("orv");
        request.initialName = m_strTitle;
        platform::FileChoice choice = platform::chooseSaveFile(request);
        if (!choice.ok) {
            return false;
        }
        target = choice.path;
    }
    m_bSaveAsInstead = false;
    if (!OnSaveDocument(target)) {
        if (m_bSaveAsInstead) {
            m_bSaveAsInstead = false;
            return DoSave(QString());
        }
        return false;
    }
    SetPathName(target, true);
    return true;
}

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

void CDocument::SetTitle(const QString& title)
{
    m_strTitle = title;
    if (m_pView && m_pView->parentWidget()) {
        m_pView->parentWidget()->setWindowTitle(title);
    }
}

void CDocument::SetImportedPathName(const QString& path)
{
    SetPathName(path, false);
    m_bPathFromImport = true;
}

void CDocument::SetPathName(const QString& path, bool addToMru)
{
    m_strPathName = path;
    m_bPathFromImport = false;
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

