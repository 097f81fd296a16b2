#pragma once
// The frame of one drawing window inside the main frame. It opens
// maximised, whatever it is asked, and owns its document and view.

#include "view/CmdTarget.h"

#include <QMdiSubWindow>

#include <memory>

class CDocument;
class CView;

class CChildFrame : public QMdiSubWindow, public CCmdTarget {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CDocument> doc, CView* view, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CDocument* GetActiveDocument() const { return m_pDocument.get(); }
    CView* GetActiveView() const { return m_pView; }

    // Shows the frame maximised and makes it the active drawing window.
    void ActivateFrame(int showCommand = -1);

    // In its normal size (behind the active drawing, cascaded) a drawing
    // window takes three quarters of the main frame's client area.
    QSize sizeHint() const override;

    // Routes a command through the view, the document and this frame.
    bool OnCmdMsg(unsigned id, CCmdUI* ui) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CDocument> m_pDocument;
    CView* m_pView;
};
