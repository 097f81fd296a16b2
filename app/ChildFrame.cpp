#include "app/ChildFrame.h"

#include "app/MainFrame.h"
#include "view/Document.h"
#include "view/View.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>

CChildFrame::CChildFrame(std::unique_ptr<CDocument> doc, CView* view, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(std::move(doc)), m_pView(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/orvik/pictures/app_icon.png")));
    setWidget(view);
    view->SetDocument(m_pDocument.get());
    m_pDocument->SetView(view);
    setWindowTitle(m_pDocument->GetTitle());
}

CChildFrame::~CChildFrame()
{
    // The view goes before the document it shows.
    if (m_pView) {
        CView* view = m_pView;
        m_pView = nullptr;
        setWidget(nullptr);
        delete view;
    }
    m_pDocument.reset();
}

QSize CChildFrame::sizeHint() const
{
    if (const QMdiArea* area = mdiArea()) {
        return area->viewport()->size() * 3 / 4;
    }
    return QMdiSubWindow::sizeHint();
}

void CChildFrame::ActivateFrame(int)
{
    if (!isVisible() && !isMaximized()) {
        resize(sizeHint());  // its normal size, for when it is not maximised
    }
    showMaximized();
    if (CMainFrame* main = AfxGetMainFrame(); main && mdiArea() == main->Client()) {
        main->MDIActivate(this);
    } else if (QMdiArea* area = mdiArea()) {
        area->setActiveSubWindow(this);
    }
}

bool CChildFrame::OnCmdMsg(unsigned id, CCmdUI* ui)
{
    if (m_pView && m_pView->OnCmdMsg(id, ui)) {
        return true;
    }
    if (m_pDocument && m_pDocument->OnCmdMsg(id, ui)) {
        return true;
    }
    return CCmdTarget::OnCmdMsg(id, ui);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_pDocument && !m_pDocument->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
