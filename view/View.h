#pragma once
// The framework view: the widget that shows one document inside a child frame.

#include "view/CmdTarget.h"

#include <QWidget>

class CDocument;

class CView : public QWidget, public CCmdTarget {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* doc) { m_pDocument = doc; }

    // Called once after the view and its document are joined, before it shows.
    virtual void OnInitialUpdate();
    // The document changed; hint as given to CDocument::UpdateAllViews.
    virtual void OnUpdate(CView* sender, long hint);
    // The view's child frame became (activate true) or stopped being active.
    virtual void OnActivateView(bool activate, CView* activated, CView* deactivated);

private:
    CDocument* m_pDocument = nullptr;
};
