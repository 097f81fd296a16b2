#pragma once
// The main window: the drawing windows in an MDI area with a picture behind
// them, five toolbars (three host the size panel, the prompt box and the grid
// bar), the status bar, the bar that hosts one tool option panel, and the
// modeless palettes and layer list. It routes every command id along
// view -> document -> child frame -> main frame -> application.

#include "view/CmdTarget.h"
#include "app/ChildFrame.h"
#include "app/HostToolBar.h"
#include "view/FrameHost.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QPixmap>
#include <QPointer>
#include <QToolBar>

#include <array>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QProgressBar;
class QTimer;
class CGrigBarDlg;
class CSizeInfoDlg;
class CPopLayer;
class COperateMsgBar;
class COperateMsgBox;
struct MenuItem;

// The client area: grey, with our picture in the middle.
class CBitmapClient : public QMdiArea {
    Q_OBJECT
public:
    explicit CBitmapClient(QWidget* parent = nullptr);
    const QPixmap& Picture() const { return m_bitmap; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnEraseBkgnd(QPainter& p);
    QPixmap m_bitmap;
};


class CMainFrame : public QMainWindow, public CCmdTarget, public CFrameHost {
    Q_OBJECT
public:
    static constexpr int kPanelKinds = 25;
    static constexpr int kWindowListSize = 9;  // drawings listed in the window menu

    CMainFrame();
    ~CMainFrame() override;

    // Builds bars and menus; false when a bar could not be made.
    bool OnCreate();

    // --- command routing -------------------------------------------------
    // Runs command id along the route; false when nobody handles it or it is
    // disabled.
    bool SendCommand(unsigned id) override;
    bool RouteCmdMsg(unsigned id, CCmdUI* ui);
    // Refreshes enabled and checked states of every menu item and button.
    void UpdateCommandUI() override;
    QAction* CommandAction(unsigned id) const;
    // Top-level menus now shown (menu 128 with no drawing, 129 with one).
    unsigned CurrentMenuId() const { return m_nMenuId; }
    QList<QMenu*> CurrentMenus() const;

    // --- drawing windows ---------------------------------------------------
    void AddChildFrame(CChildFrame* frame);
    // The drawing window shown and acted on; it stays the active one while the
    // program itself is inactive. Null when no drawing is open.
    CChildFrame* MDIGetActive() const;
    // Brings frame forward (maximised when the shown one is) and makes it active.
    void MDIActivate(CChildFrame* frame);
    QList<CChildFrame*> ChildFrames() const;
    CBitmapClient* Client() const { return m_wndClient; }

    // --- option panels -----------------------------------------------------
    // Makes the panel of kind (1..25) for the option bar; the dialogs provide it.
    using PanelFactory = std::function<QWidget*(int kind, QWidget* parent)>;
    static void SetPanelFactory(PanelFactory factory);
    int SetOperationBox(int kind) override;
    void FocusOperationBox() override;
    void DestroyOperationBoxes();
    int ShownPanelKind() const { return m_nShownKind; }
    QWidget* OperationBox(int kind) const;
    QWidget* OptionBarHost() const { return m_pOptionHost; }

    // --- palettes and layer list -------------------------------------------
    void ShowLayerList() override;
    void RefillLayerList() override;
    void ShowDrawPalette() override;
    void ShowPartsTree() override;
    void CloseDrawPalette() override;
    void ClosePartsPalette() override;
    QWidget* DrawPalette() const override { return m_pDrawPalette; }
    QWidget* PartsPalette() const { return m_pPartsPalette; }
    bool ReleaseDrawPalette(QWidget* palette) override;
    void ShowGridPitch(double pitch) override;
    // Keeps the palette and the layer list inside the drawing area and clear
    // of each other.
    void ArrangeToolWindows();
    CPopLayer* LayerList() const { return m_pLayerList; }
    void DestroyLayerList();

    // --- status bar ------------------------------------------------------
    // Pane 0 is the message pane, 1 and 2 the X and Y read-outs; painted at once.
    void SetPaneText(int pane, const QString& text) override;
    void ShowPrompt(std::string_view utf8, bool warning) override;
    PromptLine CurrentPrompt() const override;
    QString PaneText(int pane) const;
    // A progress bar in the status bar for a slow open: 0..100 shows it and
    // paints it at once, -1 takes it away.
    void ShowOpenProgress(int percent);
    QProgressBar* OpenProgressBar() const { return m_openProgress; }

    void OnLayerAdd();
    void OnLayerProperty();
    void OnViewLayerList();

    // The scale and pen read-out of the size bar: its pen list filled
    // afresh, its pen colours read again, repainted.
    void RefillPenList();
    void ReloadPenColours();
    void RepaintScaleReadout();
    // The grid bar's look list set to selection.
    void SetGridLook(int selection);

    // What the bars hold, for the shell's own checks (tests among them).
    QToolBar* MainToolBar() const { return m_wndToolBar; }
    CGridToolBar* GridBar() const { return m_wndGridBar; }
    CSizeToolBar* SizeBar() const { return m_wndSizeBar; }
    COperateMsgBar* MessageBar() const { return m_wndMsgBar; }
    // The prompt box on the message bar, or null.
    COperateMsgBox* PromptBox() const;
    QStatusBar* StatusBarWidget() const { return m_wndStatusBar; }
    CSizeInfoDlg* SizeInfo() const { return m_pSizeInfoDlg; }
    CGrigBarDlg* GridBarPanel() const { return m_pGridBarDlg; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndViewBar = nullptr;
    CGridToolBar* m_wndGridBar = nullptr;
    CSizeToolBar* m_wndSizeBar = nullptr;
    COperateMsgBar* m_wndMsgBar = nullptr;
    QToolBar* m_wndOptionBar = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QProgressBar* m_openProgress = nullptr;

    CSizeInfoDlg* m_pSizeInfoDlg = nullptr;  // hosted on the size bar
    CGrigBarDlg* m_pGridBarDlg = nullptr;    // hosted on the grid bar
    QWidget* m_pDrawPalette = nullptr;
    QWidget* m_pPartsPalette = nullptr;
    QToolBar* CreateToolBar(unsigned id, Qt::ToolBarArea area, QToolBar* bar = nullptr);
    QAction* ActionFor(unsigned id, const char* text);
    void BuildMenus();
    QMenu* BuildMenu(const MenuItem& popup);
    void BuildAccelerators();
    void SwitchMenus();
    void OnChildActivated(CChildFrame* frame);
    void OnChildClosed();
    void UpdateWindowMenu();
    void OnWindowMore();
    void UpdateRecentFileActions();
    void RegisterHandlers();
    void OnCommandAction(unsigned id);

    CBitmapClient* m_wndClient = nullptr;
    std::map<unsigned, QAction*> m_actions;
    QList<QMenu*> m_menus128, m_menus129;
    unsigned m_nMenuId = 0;
    std::array<QLabel*, 7> m_panes{};
    std::array<QWidget*, kPanelKinds + 1> m_pOperationBoxes{};
    int m_nShownKind = 0;
    QWidget* m_pOptionHost = nullptr;
    CPopLayer* m_pLayerList = nullptr;
    QTimer* m_idleTimer = nullptr;
    QPointer<CChildFrame> m_pActiveFrame;
    QMenu* m_pWindowMenu = nullptr;
    QList<QAction*> m_windowListActions;
};

// The main frame of the running application, or null.
CMainFrame* AfxGetMainFrame();
