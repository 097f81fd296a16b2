#include "dialogs/PopEntity.h"

#include "view/FrameHost.h"
#include "view/ToolSelection.h"
#include "dialogs/PaletteCommands.h"
#include "dialogs/PaletteIcons.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "platform/TitleBar.h"
#include "resources/Resource.h"
#include "view/ToolState.h"

#include <QButtonGroup>

#include <algorithm>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

int16_t PaletteLastSubCommand[16] = {};

namespace {

// The window's layout in dialog units: 66 x 162, buttons of 14 x 16 in four
// rows of four, the list below them.
constexpr int kWidthDu = 66, kHeightDu = 162;
constexpr int kButtonXDu[4] = {5, 19, 33, 47};
constexpr int kButtonYDu[4] = {4, 20, 36, 52};
constexpr int kButtonWDu = 14, kButtonHDu = 16;
constexpr int kListXDu = 5, kListYDu = 72, kListWDu = 56, kListHDu = 84;

// Dialog units to pixels in the palette's font: a horizontal unit is a
// quarter of the average character width, a vertical one an eighth of the
// character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font)
    {
        const QFontMetrics fm(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_x = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
        m_y = fm.height();
        if (m_x <= 0)
            m_x = 6;
        if (m_y <= 0)
            m_y = 13;
    }
    int X(int du) const { return du * m_x / 4; }
    int Y(int du) const { return du * m_y / 8; }
    QRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }

private:
    int m_x, m_y;
};

int ScreenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

// Sends the command that cancels the running step to the main window (it
// reaches the active drawing view, if there is one).
void CancelRunningStep()
{
    if (CFrameHost* frame = AfxGetFrameHost())
        frame->SendCommand(ID_CANCEL_INPUT);
}

} // namespace

CPopEntity::CPopEntity(QWidget* parent) : CDialog(IDD, parent)
{
    setWindowTitle(QStringLiteral("作図パレット"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);

    QFont font(platform::substituteFamily(QStringLiteral("ＭＳ Ｐゴシック")));
    font.setPointSize(11);
    setFont(font);
    const DialogUnits du(font);
    // Wide enough for the title bar to show the whole title; the buttons
    // and the list keep their places in the middle.
    const int width = std::max(du.X(kWidthDu), platform::titleBarWidth(windowTitle()));
    const int shift = (width - du.X(kWidthDu)) / 2;
    setFixedSize(width, du.Y(kHeightDu));

    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    for (int k = 0; k < kCategories; ++k) {
        auto* button = new QPushButton(this);
        platform::setControlId(button, CategoryButtonIds[k]);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        button->setGeometry(du.Rect(kButtonXDu[k % 4], kButtonYDu[k / 4], kButtonWDu, kButtonHDu).translated(shift, 0));
        button->setIconSize(QSize(16, 16));
        m_buttons->addButton(button, k);
        connect(button, &QPushButton::clicked, this, [this, k] { OnCategoryButton(k); });
    }

    m_wndCommandList = new QListWidget(this);
    platform::setControlId(m_wndCommandList, IDC_COMMAND_LIST);
    m_wndCommandList->setGeometry(du.Rect(kListXDu, kListYDu, kListWDu, kListHDu).adjusted(0, 0, 2 * shift, 0));
    m_wndCommandList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_wndCommandList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_wndCommandList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_wndCommandList, &QListWidget::currentRowChanged, this, [this] { OnSelchangeCommandList(); });

    // A drawing-menu selection moves whichever palette is up.
    SyncDrawPalette = [](int group, int item) {
        if (CFrameHost* frame = AfxGetFrameHost()) {
            if (auto* palette = qobject_cast<CPopEntity*>(frame->DrawPalette()))
                palette->FollowMenuSelection(group, item);
        }
    };
}

CPopEntity::~CPopEntity() = default;

QAbstractButton* CPopEntity::CategoryButton(int category) const
{
    return m_buttons->button(category);
}

bool CPopEntity::OnInitDialog()
{
    // The client area goes where it was last; a left edge beyond the screen
    // (after a move to a smaller screen) is replaced by 100.
    const int left = PaletteLeft > ScreenWidth() ? 100 : PaletteLeft;
    setGeometry(left, PaletteTop, width(), height());
    m_bPlaced = true;

    for (int k = 0; k < kCategories; ++k)
        CategoryButton(k)->setIcon(PaletteIcon(k));
    CheckCategoryButton(PaletteCategory);

    m_nCategory = PaletteCategory;
    FillCommandList(m_nCategory);
    SetCurrentTool(PaletteCategory, PaletteSubCommand);
    SelectSubCommand(PaletteSubCommand);
    return true;
}

void CPopEntity::CheckCategoryButton(int category)
{
    m_buttons->setExclusive(false);
    for (int k = 0; k < kCategories; ++k)
        CategoryButton(k)->setChecked(k == category);
    m_buttons->setExclusive(true);
}

void CPopEntity::SelectRow(int row)
{
    const QSignalBlocker quiet(m_wndCommandList);
    m_wndCommandList->setCurrentRow(row >= 0 && row < m_wndCommandList->count() ? row : -1);
}

void CPopEntity::FillCommandList(int category)
{
    const int rows = PaletteRowCount(category);
    if (rows == 0)
        return;
    const QSignalBlocker quiet(m_wndCommandList);
    m_wndCommandList->clear();
    for (int row = 0; row < rows; ++row)
        m_wndCommandList->addItem(QString::fromUtf8(PaletteCommandAt(category, row)->text));
    m_wndCommandList->setCurrentRow(0);
}

void CPopEntity::OnCategoryButton(int category)
{
    if (category < 0 || category >= kCategories)
        return;
    const int16_t row = PaletteLastSubCommand[category];
    PaletteCategory = static_cast<int16_t>(category);
    PaletteSubCommand = row;
    m_nCategory = category;
    // The running step ends while its tool is still the current one.
    CancelRunningStep();
    FillCommandList(category);
    SetCurrentTool(category, row);
    SelectSubCommand(row);
}

void CPopEntity::OnSelchangeCommandList()
{
    const int row = m_wndCommandList->currentRow();
    if (row < 0)
        return;
    PaletteSubCommand = static_cast<int16_t>(row);
    if (m_nCategory >= 0 && m_nCategory < kCategories)
        PaletteLastSubCommand[m_nCategory] = static_cast<int16_t>(row);
    CancelRunningStep();
    SetCurrentTool(m_nCategory, row);
    SelectSubCommand(row);
}

void CPopEntity::SelectSubCommand(int row)
{
    CFrameHost* frame = AfxGetFrameHost();
    if (frame) {
        frame->SetOperationBox(PalettePanelKind(m_nCategory, row));
        const PaletteCommand* command = PaletteCommandAt(m_nCategory, row);
        if (command)
            frame->ShowPrompt(command->prompt, false);
    }
    SelectRow(row);
}

void CPopEntity::FollowMenuSelection(int group, int item)
{
    for (int k = 0; k < kCategories; ++k)
        CategoryButton(k)->setIcon(PaletteIcon(k));
    CheckCategoryButton(group);
    m_nCategory = group;
    FillCommandList(group);
    SelectRow(item);
    SelectSubCommand(item);
}

void CPopEntity::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        CDialog::keyPressEvent(event);
    }
}

void CPopEntity::moveEvent(QMoveEvent* event)
{
    CDialog::moveEvent(event);
    const QPoint client = geometry().topLeft();
    OnMove(client.x(), client.y());
}

void CPopEntity::OnMove(int x, int y)
{
    if (!m_bPlaced)
        return;
    PaletteLeft = static_cast<int16_t>(x);
    PaletteTop = static_cast<int16_t>(y);
}

void CPopEntity::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Closed by the close box while it is the frame's palette; a palette the
    // frame has already let go of is simply going away.
    CFrameHost* frame = AfxGetFrameHost();
    if (frame && frame->DrawPalette() != this)
        return;
    OnClose();
}

void CPopEntity::OnClose()
{
    CFrameHost* frame = AfxGetFrameHost();
    if (frame && frame->ReleaseDrawPalette(this))
        deleteLater();
    // The parts palette takes its place and its tool becomes current; the
    // option panel and the prompt stay as they were.
    if (frame)
        frame->ShowPartsTree();
    PaletteShown = 1;
    CurrentToolId = ToolId::Inport;
    ToolSubMode = 0;
    OperationRestarted = 0;
    InputPointCount = 0;
    XorPreviewShown = 0;
    if (frame)
        frame->UpdateCommandUI();
}
