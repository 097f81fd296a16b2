#include "view/View.h"

#include "view/Document.h"

CView::CView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

CView::~CView()
{
    if (m_pDocument && m_pDocument->GetView() == this) {
        m_pDocument->SetView(nullptr);
    }
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}

void CView::OnUpdate(CView*, long)
{
    update();
}

void CView::OnActivateView(bool, CView*, CView*) {}
