#pragma once
// The framework document: one open drawing, shown by one view in one child
// frame. The drawing's own document class derives from this.

#include "view/CmdTarget.h"

#include <QString>

class CView;
class CMultiDocTemplate;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override = default;

    // A new, empty drawing; false cancels its creation.
    virtual bool OnNewDocument();
    // Reads path; false: the document is not opened.
    virtual bool OnOpenDocument(const QString& path);
    // Writes path; false: not saved.
    virtual bool OnSaveDocument(const QString& path);

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    // Sets the path and the title from its file name; addToMru puts it on
    // the recent-file list.
    virtual void SetPathName(const QString& path, bool addToMru = true);
    // An imported drawing's native name beside its source: the plain save
    // writes there, but asks first when a file of that name is already there
    // (the document has not written it yet).
    void SetImportedPathName(const QString& path);
    bool PathNameFromImport() const { return m_bPathFromImport; }

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // Before a modified drawing closes: asks whether to save it. False keeps
    // the drawing open (cancel, or the save failed).
    virtual bool SaveModified();
    // The file menu's save: to the drawing's path, or asking for one.
    bool DoFileSave();
    // Saves to path, or asks for a path when it is empty; true when saved.
    bool DoSave(const QString& path);

    CView* GetView() const { return m_pView; }
    void SetView(CView* view) { m_pView = view; }
    void UpdateAllViews(CView* sender, long hint = 0);
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void SetDocTemplate(CMultiDocTemplate* t) { m_pDocTemplate = t; }

protected:
    // Set by OnSaveDocument when the file may not be replaced and the user
    // asked to save under another name: the save then asks for one.
    bool m_bSaveAsInstead = false;

private:
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    bool m_bPathFromImport = false;
    CView* m_pView = nullptr;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
};
