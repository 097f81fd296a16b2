#include "app/DocTemplate.h"

#include "app/ChildFrame.h"
#include "view/Document.h"
#include "app/MainFrame.h"
#include "view/View.h"

#include <QCoreApplication>
#include <QEvent>

CMultiDocTemplate::CMultiDocTemplate(unsigned resourceId, DocumentFactory doc, ViewFactory view)
    : m_nIDResource(resourceId), m_createDocument(std::move(doc)), m_createView(std::move(view))
{
}

QString CMultiDocTemplate::DefaultTitle() const
{
    return QStringLiteral("名称未設定%1").arg(m_nUntitledCount + 1);
}

CChildFrame* CMultiDocTemplate::OpenDocumentFile(const QString& path)
{
    std::unique_ptr<CDocument> doc = m_createDocument();
    if (!doc) {
        return nullptr;
    }
    doc->SetDocTemplate(this);
    if (path.isEmpty()) {
        doc->SetTitle(DefaultTitle());
        if (!doc->OnNewDocument()) {
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(path)) {
            return nullptr;
        }
        doc->SetPathName(path, true);
    }
    return OpenWindow(std::move(doc));
}

CChildFrame* CMultiDocTemplate::OpenBuiltDocument(const std::function<bool(CDocument&)>& build)
{
    std::unique_ptr<CDocument> doc = m_createDocument();
    if (!doc) {
        return nullptr;
    }
    doc->SetDocTemplate(this);
    doc->SetTitle(DefaultTitle());
    if (!build(*doc)) {
        return nullptr;
    }
    ++m_nUntitledCount;
    return OpenWindow(std::move(doc));
}

CChildFrame* CMultiDocTemplate::OpenWindow(std::unique_ptr<CDocument> doc)
{
    CMainFrame* main = AfxGetMainFrame();
    if (!main) {
        return nullptr;
    }
    CView* view = m_createView();
    CChildFrame* frame = new CChildFrame(std::move(doc), view);
    main->AddChildFrame(frame);
    // The drawing window is maximised before its first update, so that the
    // view fits the paper to the size it really has.
    frame->ActivateFrame();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    view->OnInitialUpdate();
    view->setFocus();
    return frame;
}
