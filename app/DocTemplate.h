#pragma once
// The multiple-document template: how a drawing window is made (its document
// and view classes; the frame is always a CChildFrame).

#include <QString>

#include <functional>
#include <memory>

class CDocument;
class CView;
class CChildFrame;
class QWidget;

class CMultiDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using ViewFactory = std::function<CView*()>;

    CMultiDocTemplate(unsigned resourceId, DocumentFactory doc, ViewFactory view);

    unsigned ResourceId() const { return m_nIDResource; }

    // A new drawing (path empty) or the drawing in path, in a new maximised
    // child window of the main frame; null when the document refused (the
    // new-drawing dialog was cancelled, the file could not be read).
    CChildFrame* OpenDocumentFile(const QString& path);

    // A new drawing that build(document) fills instead of the new-drawing
    // dialog (a drawing read from another program's file), in a new window;
    // null when build refused: no window is made.
    CChildFrame* OpenBuiltDocument(const std::function<bool(CDocument&)>& build);

    // The title a new drawing starts with: "名称未設定" and its number.
    QString DefaultTitle() const;

private:
    // The window of a document made and read or built.
    CChildFrame* OpenWindow(std::unique_ptr<CDocument> doc);

    unsigned m_nIDResource;
    int m_nUntitledCount = 0;  // new drawings made so far
    DocumentFactory m_createDocument;
    ViewFactory m_createView;
};
