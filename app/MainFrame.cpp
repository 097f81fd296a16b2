#include "app/MainFrame.h"

#include "app/ChildFrame.h"
#include "platform/Dialog.h"
#include "view/Document.h"
#include "app/OperateMsgBox.h"
#include "app/OrvikCadApp.h"
#include "dialogs/PopLayer.h"
#include "view/RecentFileList.h"
#include "model/Settings.h"
#include "app/SplashWnd.h"
#include "app/ToolWindowPlacement.h"
#include "app/WindowListDlg.h"
#include "view/View.h"
#include "dialogs/GrigBarDlg.h"
#include "dialogs/LayerPropatyDlg.h"
#include "dialogs/SizeInfoDlg.h"
#include "dialogs/PopEntity.h"
#include "dialogs/PopInportDlg.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"
#include "resources/Menus.h"
#include "resources/Resource.h"
#include "resources/Strings.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

CMainFrame* theMainFrame = nullptr;
CMainFrame::PanelFactory panelFactory;

// "新規作成\tCtrl+N(&N)" -> "新規作成(&N)\tCtrl+N": Qt shows everything after
// the tab as the key, so the mnemonic goes in front of it.
QString QtMenuText(const char* text)
{
    QString s = QString::fromUtf8(text);
    int tab = s.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        QString key = s.mid(tab + 1);
        int m = key.indexOf(QStringLiteral("(&"));
        if (m > 0 && key.endsWith(QLatin1Char(')'))) {
            s = s.left(tab) + key.mid(m) + QLatin1Char('\t') + key.left(m);
        }
    }
    return s;
}

// A tool tip made from a menu text: no mnemonic, key or ellipsis.
QString TipFromMenuText(QString s)
{
    int tab = s.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        s = s.left(tab);
    }
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    s.remove(mnemonic);
    s.remove(QLatin1Char('&'));
    s.remove(QStringLiteral("..."));
    return s.trimmed();
}

} // namespace

CMainFrame* AfxGetMainFrame()
{
    return theMainFrame;
}

// ---------------------------------------------------------------------------
// CBitmapClient

CBitmapClient::CBitmapClient(QWidget* parent) : QMdiArea(parent)
{
    m_bitmap.load(QStringLiteral(":/orvik/pictures/client_picture.png"));
    setBackground(QColor(128, 128, 128));
}

void CBitmapClient::OnEraseBkgnd(QPainter& p)
{
    QRect r = viewport()->rect();
    p.fillRect(r, QColor(128, 128, 128));
    if (!m_bitmap.isNull()) {
        int x = r.right() / 2 - m_bitmap.width() / 2;
        int y = r.bottom() / 2 - m_bitmap.height() / 2;
        p.drawPixmap(x, y, m_bitmap);
    }
}

void CBitmapClient::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    OnEraseBkgnd(p);
}

void CBitmapClient::resizeEvent(QResizeEvent* event)
{
    QMdiArea::resizeEvent(event);
    viewport()->update();
}

// ---------------------------------------------------------------------------
// CMainFrame

CMainFrame::CMainFrame()
{
    theMainFrame = this;
    SetFrameHost(this);
    setWindowTitle(QString::fromStdString(LoadStringResource(IDR_MAINFRAME)));
    setWindowIcon(QIcon(QStringLiteral(":/orvik/pictures/app_icon.png")));
    m_wndClient = new CBitmapClient(this);
    m_wndClient->setObjectName(QStringLiteral("mdiClient"));
    setCentralWidget(m_wndClient);
    // Closing the active drawing brings back the one used before it.
    m_wndClient->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    connect(m_wndClient, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        // None is reported while the whole program is inactive (a dialog, a
        // file chooser, another program in front): the drawing shown stays
        // the active one, as it does for the user.
        if (auto* frame = qobject_cast<CChildFrame*>(w)) {
            OnChildActivated(frame);
        }
    });
    RegisterHandlers();
}

CMainFrame::~CMainFrame()
{
    delete m_pLayerList;
    m_pLayerList = nullptr;
    delete m_pDrawPalette;
    m_pDrawPalette = nullptr;
    delete m_pPartsPalette;
    m_pPartsPalette = nullptr;
    DestroyOperationBoxes();
    // Drawing windows go before the frame's bars.
    for (CChildFrame* f : ChildFrames()) {
        delete f;
    }
    if (SplashWindow) {
        delete SplashWindow;
    }
    if (theMainFrame == this) {
        theMainFrame = nullptr;
    }
    if (AfxGetFrameHost() == this) {
        SetFrameHost(nullptr);
    }
}

bool CMainFrame::OnCreate()
{
    InitResources();
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    setAcceptDrops(true);

    BuildMenus();
    BuildAccelerators();

    m_wndToolBar = CreateToolBar(IDR_MAINFRAME, Qt::TopToolBarArea);
    m_wndViewBar = CreateToolBar(IDR_VIEWBAR, Qt::TopToolBarArea);
    m_wndGridBar = static_cast<CGridToolBar*>(
        CreateToolBar(IDR_GRIDBAR, Qt::TopToolBarArea, new CGridToolBar(QString(), this)));
    m_wndMsgBar = static_cast<COperateMsgBar*>(
        CreateToolBar(IDR_MSGBAR, Qt::BottomToolBarArea, new COperateMsgBar(QString(), this)));
    m_wndSizeBar = static_cast<CSizeToolBar*>(
        CreateToolBar(IDR_SIZEBAR, Qt::BottomToolBarArea, new CSizeToolBar(QString(), this)));
    if (!m_wndToolBar || !m_wndViewBar || !m_wndGridBar || !m_wndMsgBar || !m_wndSizeBar) {
        return false;
    }

    // Status bar: the message pane, the X and Y read-outs and four indicators.
    m_wndStatusBar = statusBar();
    m_wndStatusBar->setObjectName(QStringLiteral("statusBar"));
    const QStringList paneTexts = {QString(), QString::fromStdString(LoadStringResource(ID_INDICATOR_X)),
                                   QString::fromStdString(LoadStringResource(ID_INDICATOR_Y)),
                                   QStringLiteral("カナ"), QStringLiteral("CAP"), QStringLiteral("NUM"),
                                   QStringLiteral("SCRL")};
    QFontMetrics fm(font());
    for (int i = 0; i < 7; ++i) {
        auto* label = new QLabel(paneTexts[i], m_wndStatusBar);
        label->setObjectName(QStringLiteral("pane%1").arg(i));
        m_panes[i] = label;
        if (i == 0) {
            label->setText(QStringLiteral("レディ"));
            m_wndStatusBar->addWidget(label, 1);
        } else {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setMinimumWidth(fm.horizontalAdvance(i <= 2 ? QStringLiteral("X :0000000 ") : paneTexts[i]) + 8);
            if (i >= 3) {
                label->setEnabled(false); // key states are not tracked
            }
            m_wndStatusBar->addPermanentWidget(label);
        }
    }

    // Hosted panels: the size information, the prompt box and the grid bar.
    const int w = fm.horizontalAdvance(QLatin1Char('W'));
    auto* sizeInfo = new CSizeInfoDlg;
    platform::setControlId(sizeInfo, IDD_SIZEINFO);
    m_wndSizeBar->SetHostedWidget(sizeInfo);
    m_pSizeInfoDlg = sizeInfo;

    auto* msgBox = new COperateMsgBox;
    platform::setControlId(msgBox, IDD_OPERATEMSG);
    msgBox->setFixedWidth(40 * w);
    m_wndMsgBar->SetHostedWidget(msgBox);
    m_wndMsgBar->m_pMsgBox = msgBox;

    auto* gridDlg = new CGrigBarDlg;
    platform::setControlId(gridDlg, IDD_GRIDBAR);
    m_wndGridBar->SetHostedWidget(gridDlg);
    m_pGridBarDlg = gridDlg;

    // The option bar, on a row of its own below the toolbars.
    addToolBarBreak(Qt::TopToolBarArea);
    m_wndOptionBar = new QToolBar(QStringLiteral("オプション"), this);
    m_wndOptionBar->setObjectName(QStringLiteral("optionBar"));
    m_pOptionHost = new QWidget(m_wndOptionBar);
    platform::setControlId(m_pOptionHost, IDD_OPTIONBAR);
    auto* hostLayout = new QHBoxLayout(m_pOptionHost);
    hostLayout->setContentsMargins(2, 0, 2, 0);
    m_pOptionHost->setMinimumHeight(26);
    m_wndOptionBar->addWidget(m_pOptionHost);
    addToolBar(Qt::TopToolBarArea, m_wndOptionBar);

    SwitchMenus();

    if (ShowSplash && !SplashWindow) {
        auto* splash = new CSplashWnd(this);
        if (!splash->Create()) {
            delete splash;
        }
    }

    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(250);
    connect(m_idleTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    m_idleTimer->start();
    UpdateCommandUI();
    return true;
}

QAction* CMainFrame::ActionFor(unsigned id, const char* text)
{
    auto it = m_actions.find(id);
    if (it != m_actions.end()) {
        return it->second;
    }
    auto* a = new QAction(this);
    a->setData(id);
    a->setObjectName(QStringLiteral("cmd%1").arg(id));
    CommandPrompt prompt = LoadCommandPrompt(id);
    QString menuText = text ? QtMenuText(text) : QString();
    a->setText(menuText.isEmpty() ? QString::fromStdString(prompt.tip) : menuText);
    QString tip = prompt.tip.empty() ? TipFromMenuText(a->text()) : QString::fromStdString(prompt.tip);
    a->setToolTip(tip);
    a->setStatusTip(QString::fromStdString(prompt.status));
    a->setIconVisibleInMenu(false);
    QString icon = QStringLiteral(":/orvik/pictures/tb_%1.png").arg(id);
    if (QFileInfo::exists(icon)) {
        a->setIcon(QIcon(icon));
    }
    connect(a, &QAction::triggered, this, [this, id] { OnCommandAction(id); });
    m_actions[id] = a;
    return a;
}

QAction* CMainFrame::CommandAction(unsigned id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::CreateToolBar(unsigned id, Qt::ToolBarArea area, QToolBar* bar)
{
    const ToolbarResource* res = LoadToolbarResource(id);
    if (!res) {
        delete bar;
        return nullptr;
    }
    if (!bar) {
        bar = new QToolBar(this);
    }
    bar->setWindowTitle(QString::fromUtf8(res->title));
    bar->setObjectName(QStringLiteral("toolbar%1").arg(id));
    bar->setIconSize(QSize(24, 24));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bool hosts = id == IDR_SIZEBAR || id == IDR_MSGBAR || id == IDR_GRIDBAR;
    for (std::size_t i = 0; i < res->buttons.size(); ++i) {
        unsigned cmd = res->buttons[i];
        if (hosts && i == 2) {
            break; // the hosted panel takes this place
        }
        if (cmd == 0) {
            bar->addSeparator();
        } else {
            bar->addAction(ActionFor(cmd, nullptr));
        }
    }
    addToolBar(area, bar);
    return bar;
}

QMenu* CMainFrame::BuildMenu(const MenuItem& popup)
{
    auto* menu = new QMenu(QString::fromUtf8(popup.text), this);
    for (const MenuItem& item : popup.items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            menu->addMenu(BuildMenu(item));
        } else if (item.id >= ID_FILE_MRU_FILE1 && item.id < ID_FILE_MRU_FILE1 + 4) {
            menu->addAction(ActionFor(item.id, item.text ? item.text : ""));
        } else {
            menu->addAction(ActionFor(item.id, item.text));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this] {
        UpdateRecentFileActions();
        UpdateCommandUI();
    });
    const bool windowMenu = std::any_of(popup.items.begin(), popup.items.end(),
                                        [](const MenuItem& item) { return item.id == ID_WINDOW_CASCADE; });
    if (windowMenu) {
        // The drawings open, listed after the menu's own items.
        m_pWindowMenu = menu;
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    }
    return menu;
}

void CMainFrame::BuildMenus()
{
    for (const MenuItem& top : LoadMenuResource(IDR_MAINFRAME)->items) {
        m_menus128.append(BuildMenu(top));
    }
    for (const MenuItem& top : LoadMenuResource(IDR_ORVIKCTYPE)->items) {
        m_menus129.append(BuildMenu(top));
    }
}

void CMainFrame::BuildAccelerators()
{
    QList<int> seen;
    for (const Accelerator& acc : AcceleratorTable()) {
        const int combined = acc.key.toCombined();
        if (seen.contains(combined)) {
            continue; // a later entry for the same key never fires
        }
        seen.append(combined);
        auto* a = new QAction(this);
        a->setObjectName(QStringLiteral("accel%1_%2").arg(acc.id).arg(combined));
        a->setShortcut(QKeySequence(acc.key));
        const int plainKey = int(acc.key.key());
        const bool plain = acc.key.keyboardModifiers() == Qt::NoModifier && plainKey < Qt::Key_F1;
        const bool viewKey = plain || plainKey == Qt::Key_PageUp || plainKey == Qt::Key_PageDown;
        unsigned id = acc.id;
        connect(a, &QAction::triggered, this, [this, id] { SendCommand(id); });
        if (viewKey) {
            // Keys that editing fields need act only in the drawing windows.
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_wndClient->addAction(a);
        } else {
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
    }
}

QList<QMenu*> CMainFrame::CurrentMenus() const
{
    return m_nMenuId == IDR_ORVIKCTYPE ? m_menus129 : m_menus128;
}

void CMainFrame::SwitchMenus()
{
    unsigned want = MDIGetActive() ? IDR_ORVIKCTYPE : IDR_MAINFRAME;
    if (want == m_nMenuId) {
        return;
    }
    m_nMenuId = want;
    menuBar()->clear();
    for (QMenu* m : CurrentMenus()) {
        menuBar()->addMenu(m);
    }
}

void CMainFrame::UpdateRecentFileActions()
{
    const CRecentFileList& mru = RecentFiles();
    for (int i = 0; i < 4; ++i) {
        QAction* a = CommandAction(ID_FILE_MRU_FILE1 + i);
        if (!a) {
            continue;
        }
        if (i < mru.GetCount()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(mru[i]));
            a->setVisible(true);
        } else {
            a->setText(QStringLiteral("最近使ったファイル"));
            a->setVisible(i == 0 && mru.GetCount() == 0);
        }
    }
}

bool CMainFrame::RouteCmdMsg(unsigned id, CCmdUI* ui)
{
    if (CChildFrame* child = MDIGetActive()) {
        if (child->OnCmdMsg(id, ui)) {
            return true;
        }
    }
    if (CCmdTarget::OnCmdMsg(id, ui)) {
        return true;
    }
    return AfxGetApp().OnCmdMsg(id, ui);
}

bool CMainFrame::SendCommand(unsigned id)
{
    CCmdUI ui(id);
    if (!RouteCmdMsg(id, &ui) || !ui.m_bEnabled) {
        return false;
    }
    bool handled = RouteCmdMsg(id, nullptr);
    if (theMainFrame == this) {
        QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUI);
    }
    return handled;
}

void CMainFrame::OnCommandAction(unsigned id)
{
    SendCommand(id);
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI()
{
    for (auto& [id, action] : m_actions) {
        CCmdUI ui(id);
        if (!RouteCmdMsg(id, &ui)) {
            ui.m_bEnabled = false;
        }
        action->setEnabled(ui.m_bEnabled);
        if (ui.m_nCheck >= 0) {
            action->setCheckable(true);
            action->setChecked(ui.m_nCheck != 0);
        } else if (action->isCheckable()) {
            action->setChecked(false);
        }
        if (ui.m_bTextSet) {
            action->setText(QString::fromStdString(ui.m_text));
        }
    }
}

void CMainFrame::AddChildFrame(CChildFrame* frame)
{
    m_wndClient->addSubWindow(frame);
    connect(frame, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] { OnChildClosed(); });
    });
    SwitchMenus();
}

void CMainFrame::MDIActivate(CChildFrame* frame)
{
    if (!frame) {
        return;
    }
    m_wndClient->setActiveSubWindow(frame);
    // Offscreen, or with the program inactive, Qt may not report it.
    OnChildActivated(frame);
}

void CMainFrame::OnChildActivated(CChildFrame* frame)
{
    if (frame == m_pActiveFrame) {
        return;
    }
    CChildFrame* old = m_pActiveFrame;
    m_pActiveFrame = frame;
    if (frame && m_pDrawPalette) {
        m_pDrawPalette->setEnabled(true);
    }
    CView* now = frame ? frame->GetActiveView() : nullptr;
    CView* before = old ? old->GetActiveView() : nullptr;
    if (before) {
        before->OnActivateView(false, now, before);
    }
    if (now) {
        now->OnActivateView(true, now, before);
    }
    SwitchMenus();
    UpdateCommandUI();
}

void CMainFrame::OnChildClosed()
{
    if (!m_pActiveFrame) {
        // The active drawing went: the one used last before it takes its place.
        QList<QMdiSubWindow*> stack = m_wndClient->subWindowList(QMdiArea::ActivationHistoryOrder);
        CChildFrame* next = nullptr;
        for (QMdiSubWindow* w : stack) {
            if (auto* f = qobject_cast<CChildFrame*>(w); f && f->isVisible()) {
                next = f;
            }
        }
        if (next) {
            MDIActivate(next);
        }
    }
    if (!m_pActiveFrame) {
        // The last drawing went: nothing is left for a drawing prompt to ask
        // about, nor for a tool to draw on.
        ShowPrompt("", false);
        if (m_pDrawPalette) {
            m_pDrawPalette->setEnabled(false);
        }
    }
    SwitchMenus();
    UpdateCommandUI();
}

CChildFrame* CMainFrame::MDIGetActive() const
{
    return m_pActiveFrame;
}

QList<CChildFrame*> CMainFrame::ChildFrames() const
{
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* w : m_wndClient->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* f = qobject_cast<CChildFrame*>(w)) {
            frames.append(f);
        }
    }
    return frames;
}

void CMainFrame::UpdateWindowMenu()
{
    if (!m_pWindowMenu) {
        return;
    }
    for (QAction* a : m_windowListActions) {
        m_pWindowMenu->removeAction(a);
        delete a;
    }
    m_windowListActions.clear();
    const QList<CChildFrame*> frames = ChildFrames();
    if (frames.isEmpty()) {
        return;
    }
    m_windowListActions.append(m_pWindowMenu->addSeparator());
    for (int i = 0; i < frames.size() && i < kWindowListSize; ++i) {
        const unsigned id = ID_WINDOW_FIRST_CHILD + unsigned(i);
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(frames[i]->windowTitle()), m_pWindowMenu);
        a->setObjectName(QStringLiteral("cmd%1").arg(id));
        a->setCheckable(true);
        a->setChecked(frames[i] == m_pActiveFrame);
        connect(a, &QAction::triggered, this, [this, id] { OnCommandAction(id); });
        m_pWindowMenu->addAction(a);
        m_windowListActions.append(a);
    }
    if (frames.size() > kWindowListSize) {
        // The rest are reached through the list of them all.
        auto* more = new QAction(QStringLiteral("その他のウィンドウ(&M)..."), m_pWindowMenu);
        more->setObjectName(QStringLiteral("cmd%1").arg(ID_WINDOW_MORE));
        connect(more, &QAction::triggered, this, [this] { OnCommandAction(ID_WINDOW_MORE); });
        m_pWindowMenu->addAction(more);
        m_windowListActions.append(more);
    }
}

void CMainFrame::OnWindowMore()
{
    const QList<CChildFrame*> frames = ChildFrames();
    CWindowListDlg dlg(this);
    for (CChildFrame* f : frames)
        dlg.titles.append(f->windowTitle());
    dlg.selected = int(frames.indexOf(m_pActiveFrame.data()));
    if (dlg.DoModal() != IDOK)
        return;
    // The drawings may have changed while the list was open.
    const QList<CChildFrame*> now = ChildFrames();
    if (dlg.selected >= 0 && dlg.selected < frames.size() && now.contains(frames[dlg.selected]))
        MDIActivate(frames[dlg.selected]);
}

// ---------------------------------------------------------------------------
// Option panels

void CMainFrame::SetPanelFactory(PanelFactory factory)
{
    panelFactory = std::move(factory);
}

QWidget* CMainFrame::OperationBox(int kind) const
{
    return kind >= 1 && kind <= kPanelKinds ? m_pOperationBoxes[kind] : nullptr;
}

int CMainFrame::SetOperationBox(int kind)
{
    if (kind == m_nShownKind) {
        return 0;
    }
    if (kind >= 1 && kind <= kPanelKinds && panelFactory) {
        QWidget* panel = panelFactory(kind, m_pOptionHost);
        if (panel) {
            panel->setParent(m_pOptionHost);
            m_pOptionHost->layout()->addWidget(panel);
            panel->show();
            if (auto* dlg = qobject_cast<CDialog*>(panel)) {
                dlg->UpdateData(false);
            }
        }
        m_pOperationBoxes[kind] = panel;
    }
    if (m_nShownKind >= 1 && m_nShownKind <= kPanelKinds) {
        if (QWidget* old = m_pOperationBoxes[m_nShownKind]) {
            if (auto* dlg = qobject_cast<CDialog*>(old)) {
                dlg->UpdateData(true);
            }
            delete old;
            m_pOperationBoxes[m_nShownKind] = nullptr;
        }
    }
    m_nShownKind = kind;
    return 1;
}

void CMainFrame::FocusOperationBox()
{
    if (QWidget* panel = OperationBox(m_nShownKind)) {
        panel->setFocus();
        if (QWidget* first = panel->nextInFocusChain(); first && panel->isAncestorOf(first)) {
            first->setFocus();
        }
    }
}

void CMainFrame::DestroyOperationBoxes()
{
    for (QWidget*& panel : m_pOperationBoxes) {
        delete panel;
        panel = nullptr;
    }
}

// ---------------------------------------------------------------------------
// Palettes and layer list

void CMainFrame::ShowLayerList()
{
    if (m_pLayerList) {
        return;
    }
    m_pLayerList = new CPopLayer(this);
    connect(m_pLayerList, &CPopLayer::closed, this, [this] {
        if (CPopLayer* list = m_pLayerList) {
            m_pLayerList = nullptr;
            list->deleteLater();
            UpdateCommandUI();
        }
    });
    m_pLayerList->show();
}

void CMainFrame::DestroyLayerList()
{
    delete m_pLayerList;
    m_pLayerList = nullptr;
}

void CMainFrame::ShowDrawPalette()
{
    if (m_pDrawPalette) {
        return;
    }
    // Kept before it shows: its first selection already speaks to the frame.
    m_pDrawPalette = new CPopEntity(this);
    m_pDrawPalette->show();
    ArrangeToolWindows();
}

void CMainFrame::ArrangeToolWindows()
{
    ::ArrangeToolWindows(m_wndClient, m_pDrawPalette, m_pLayerList);
}

void CMainFrame::ShowPartsTree()
{
    if (m_pPartsPalette) {
        return;
    }
    auto* palette = new CPopInportDlg(this);
    m_pPartsPalette = palette;
    // Its close box hands back to the drawing palette; a palette the frame
    // closes itself has left its slot before it closes.
    connect(palette, &CPopInportDlg::closed, this, [this, palette] {
        if (m_pPartsPalette != palette) {
            return;
        }
        m_pPartsPalette = nullptr;
        palette->deleteLater();
        ShowDrawPalette();
        PaletteShown = 0;
        UpdateCommandUI();
    });
    palette->show();
}

namespace {

void ClosePalette(QWidget*& slot)
{
    if (QWidget* palette = slot) {
        slot = nullptr;
        palette->close();
        delete palette;
    }
}

} // namespace

void CMainFrame::CloseDrawPalette()
{
    ClosePalette(m_pDrawPalette);
}

void CMainFrame::ClosePartsPalette()
{
    ClosePalette(m_pPartsPalette);
}

bool CMainFrame::ReleaseDrawPalette(QWidget* palette)
{
    if (!palette || m_pDrawPalette != palette) {
        return false;
    }
    m_pDrawPalette = nullptr;
    return true;
}

void CMainFrame::RefillLayerList()
{
    if (m_pLayerList) {
        m_pLayerList->FillLayerList();
    }
}

void CMainFrame::ShowGridPitch(double pitch)
{
    if (m_pGridBarDlg) {
        m_pGridBarDlg->m_strPitch = CGrigBarDlg::FormatPitch(pitch);
        m_pGridBarDlg->UpdateData(false);
        m_pGridBarDlg->AddPitchToList();
    }
}

void CMainFrame::ShowPrompt(std::string_view utf8, bool warning)
{
    if (m_wndMsgBar && m_wndMsgBar->m_pMsgBox) {
        m_wndMsgBar->m_pMsgBox->SetPromptUtf8(utf8, warning);
    }
}

COperateMsgBox* CMainFrame::PromptBox() const
{
    return m_wndMsgBar ? m_wndMsgBar->m_pMsgBox : nullptr;
}

void CMainFrame::RefillPenList()
{
    if (m_pSizeInfoDlg)
        m_pSizeInfoDlg->FillPenCombo();
}

void CMainFrame::ReloadPenColours()
{
    if (m_pSizeInfoDlg)
        m_pSizeInfoDlg->ReloadPenColors();
}

void CMainFrame::RepaintScaleReadout()
{
    if (m_pSizeInfoDlg)
        m_pSizeInfoDlg->OnPaint();
}

void CMainFrame::SetGridLook(int selection)
{
    if (m_pGridBarDlg)
        m_pGridBarDlg->SetSelection(selection);
}

PromptLine CMainFrame::CurrentPrompt() const
{
    PromptLine line;
    if (m_wndMsgBar && m_wndMsgBar->m_pMsgBox) {
        line.utf8 = m_wndMsgBar->m_pMsgBox->PromptText().toStdString();
        line.warning = m_wndMsgBar->m_pMsgBox->m_bWarning != 0;
    }
    return line;
}

// ---------------------------------------------------------------------------
// Status bar

void CMainFrame::SetPaneText(int pane, const QString& text)
{
    if (pane < 0 || pane >= int(m_panes.size()) || !m_panes[pane]) {
        return;
    }
    m_panes[pane]->setText(text);
    m_panes[pane]->repaint();
}

QString CMainFrame::PaneText(int pane) const
{
    return pane >= 0 && pane < int(m_panes.size()) && m_panes[pane] ? m_panes[pane]->text() : QString();
}

// ---------------------------------------------------------------------------
// Commands of the frame

void CMainFrame::RegisterHandlers()
{
    OnCommand(ID_LAYER_ADD, [this] { OnLayerAdd(); });
    OnCommand(ID_LAYER_PROPERTY, [this] { OnLayerProperty(); });
    OnCommand(ID_LAYER_NORMAL, [this] {
        if (m_pLayerList) {
            m_pLayerList->SetCurrentLayerState(0);
        }
    });
    OnCommand(ID_LAYER_OFFCOLOR, [this] {
        if (m_pLayerList) {
            m_pLayerList->SetCurrentLayerState(1);
        }
    });
    OnCommand(ID_LAYER_HIDDEN, [this] {
        if (m_pLayerList) {
            m_pLayerList->SetCurrentLayerState(2);
        }
    });
    OnCommand(ID_VIEW_LAYER_LIST, [this] { OnViewLayerList(); });
    OnUpdateCommandUI(ID_VIEW_LAYER_LIST, [this](CCmdUI& ui) { ui.SetCheck(m_pLayerList != nullptr); });

    OnCommand(ID_VIEW_TOOLBAR, [this] { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); });
    OnUpdateCommandUI(ID_VIEW_TOOLBAR, [this](CCmdUI& ui) { ui.SetCheck(m_wndToolBar && !m_wndToolBar->isHidden()); });
    OnCommand(ID_VIEW_STATUS_BAR, [this] { m_wndStatusBar->setVisible(!m_wndStatusBar->isVisible()); });
    OnUpdateCommandUI(ID_VIEW_STATUS_BAR,
                      [this](CCmdUI& ui) { ui.SetCheck(m_wndStatusBar && !m_wndStatusBar->isHidden()); });

    OnCommand(ID_WINDOW_CASCADE, [this] { m_wndClient->cascadeSubWindows(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { m_wndClient->tileSubWindows(); });
    OnCommand(ID_WINDOW_ARRANGE, [this] {
        if (CChildFrame* f = MDIGetActive()) {
            f->ActivateFrame();
        }
    });
    OnCommandRange(ID_WINDOW_FIRST_CHILD, ID_WINDOW_FIRST_CHILD + kWindowListSize - 1, [this](unsigned id) {
        const QList<CChildFrame*> frames = ChildFrames();
        const int index = int(id - ID_WINDOW_FIRST_CHILD);
        if (index < frames.size()) {
            MDIActivate(frames[index]);
        }
    });
    OnCommand(ID_WINDOW_MORE, [this] { OnWindowMore(); });
    OnCommand(ID_FILE_CLOSE, [this] {
        if (CChildFrame* f = MDIGetActive()) {
            f->close();
        }
    });
    OnUpdateCommandUI(ID_FILE_CLOSE, [this](CCmdUI& ui) { ui.Enable(MDIGetActive() != nullptr); });
    OnCommand(ID_APP_EXIT, [this] { close(); });
}

void CMainFrame::OnViewLayerList()
{
    if (m_pLayerList) {
        DestroyLayerList();
    } else {
        ShowLayerList();
    }
}

void CMainFrame::OnLayerAdd()
{
    if (!m_pLayerList) {
        return;
    }
    if (LayerCount >= MaxLayers) {
        // The table holds 128 layers; a 129th has nowhere to go.
        platform::messageBox(QStringLiteral("これ以上レイヤーを追加できません。（最大%1）").arg(MaxLayers), QString(),
                             MB_OK | MB_ICONEXCLAMATION, this);
        return;
    }
    CLayerPropatyDlg dlg(this);
    dlg.m_strLayerName = DefaultLayerName(LayerCount);
    dlg.m_nMode = 0;
    if (dlg.DoModal() != IDOK) {
        return;
    }
    CurrentLayer = LayerCount;
    LayerCount = int16_t(LayerCount + 1);
    LayerStates[CurrentLayer] = 1;
    LayerNames[CurrentLayer] = platform::Cp932Truncate(dlg.m_strLayerName, MaxLayerNameBytes);
    m_pLayerList->SetLine(CurrentLayer, CPopLayer::StateMark(1), LayerNames[CurrentLayer]);
    CommandArgument = 0;
    SendCommand(ID_UPDATE_LAYERS);
}

void CMainFrame::OnLayerProperty()
{
    if (!m_pLayerList || CurrentLayer < 0 || CurrentLayer >= MaxLayers) {
        return;
    }
    QString line = m_pLayerList->LineText(CurrentLayer);
    QString mark = m_pLayerList->LineMark(CurrentLayer);
    CLayerPropatyDlg dlg(this);
    dlg.m_strLayerName = platform::Cp932Truncate(ToCp932(line.mid(mark.size())), MaxLayerNameBytes);
    dlg.m_nMode = 1;
    if (dlg.DoModal() != IDOK) {
        return;
    }
    LayerNames[CurrentLayer] = platform::Cp932Truncate(dlg.m_strLayerName, MaxLayerNameBytes);
    m_pLayerList->SetLine(CurrentLayer, mark, LayerNames[CurrentLayer]);
    CommandArgument = 0;
    SendCommand(ID_UPDATE_LAYERS);
}

// ---------------------------------------------------------------------------
// Window events

void CMainFrame::closeEvent(QCloseEvent* event)
{
    for (CChildFrame* f : ChildFrames()) {
        if (!f->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
    activateWindow();
    for (const QString& p : paths) {
        AfxGetApp().OpenDocumentFile(p);
    }
}

void CMainFrame::ShowOpenProgress(int percent)
{
    if (!m_wndStatusBar)
        return;
    if (percent < 0) {
        if (m_openProgress)
            m_openProgress->hide();
        return;
    }
    if (!m_openProgress) {
        m_openProgress = new QProgressBar(m_wndStatusBar);
        m_openProgress->setObjectName(QStringLiteral("openProgress"));
        m_openProgress->setRange(0, 100);
        m_openProgress->setMaximumWidth(200);
        m_wndStatusBar->addPermanentWidget(m_openProgress);
    }
    m_openProgress->setValue(percent);
    if (m_openProgress->isHidden())
        m_openProgress->show();
    // The open runs on the event loop's thread: paint now, not after it.
    m_openProgress->repaint();
    m_wndStatusBar->repaint();
}
