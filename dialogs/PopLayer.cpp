#include "dialogs/PopLayer.h"

#include "view/FrameHost.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Fonts.h"
#include "platform/TitleBar.h"
#include "resources/Menus.h"
#include "resources/Resource.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMoveEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr int kMinWidth = 149, kMinHeight = 250;
constexpr int kMaxWidth = 800, kMaxHeight = 700;
// The layer name travels with its line as its original bytes.
constexpr int kNameRole = Qt::UserRole;

int ScreenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

// The buttons' pictures: a filled square, a hollow square, an underscore.
QIcon StateIcon(int state)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    if (state == 2)
        p.fillRect(2, 3, 10, 10, Qt::black);
    else if (state == 1)
        p.drawRect(2, 3, 9, 9);
    else
        p.drawLine(2, 13, 12, 13);
    p.setBrush(state == 2 ? QColor(255, 230, 0) : QColor(160, 160, 160));
    p.drawEllipse(11, 1, 4, 4);
    return QIcon(pixmap);
}

QString LineFor(int state, const std::string& nameCp932)
{
    return CPopLayer::StateMark(state) + FromCp932(nameCp932);
}

} // namespace

CPopLayer::CPopLayer(QWidget* parent) : CDialog(IDD, parent)
{
    setWindowTitle(QStringLiteral("レイヤーリスト"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setSizeGripEnabled(false);

    QFont font(platform::substituteFamily(QStringLiteral("ＭＳ Ｐゴシック")));
    font.setPointSize(11);
    setFont(font);
    // Never so narrow that the title bar cuts the title.
    setMinimumSize(std::max(kMinWidth, platform::titleBarWidth(windowTitle())), kMinHeight);
    setMaximumSize(kMaxWidth, kMaxHeight);

    m_wndLayerList = new QListWidget(this);
    platform::setControlId(m_wndLayerList, IDC_LAYER_LIST);
    m_wndLayerList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_wndLayerList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_wndLayerList, &QListWidget::currentRowChanged, this, [this] { OnSelchangeLayerList(); });
    connect(m_wndLayerList, &QListWidget::itemDoubleClicked, this, [this] { OnDblclkLayerList(); });

    auto makeButton = [this](int id, void (CPopLayer::*handler)()) {
        auto* button = new QPushButton(this);
        platform::setControlId(button, id);
        button->setAutoDefault(false);
        button->setIconSize(QSize(16, 16));
        connect(button, &QPushButton::clicked, this, handler);
        return button;
    };
    m_btnNormal = makeButton(IDC_ALL_NORMAL, &CPopLayer::OnAllNormal);
    m_btnOffColor = makeButton(IDC_ALL_OFFCOLOR, &CPopLayer::OnAllOffColor);
    m_btnHidden = makeButton(IDC_ALL_HIDDEN, &CPopLayer::OnAllHidden);

    m_grip = new QLabel(this);
    platform::setControlId(m_grip, IDC_SIZE_GRIP);
    m_grip->setGeometry(0, 0, 16, 16);

    resize(LayerListWidth, LayerListHeight);
}

CPopLayer::~CPopLayer() = default;

bool CPopLayer::OnInitDialog()
{
    const int left = LayerListLeft > ScreenWidth() ? 100 : LayerListLeft;
    setGeometry(left, LayerListTop, LayerListWidth, LayerListHeight);
    m_bPlaced = true;
    LayOut(width(), height());

    m_btnNormal->setIcon(StateIcon(2));
    m_btnOffColor->setIcon(StateIcon(1));
    m_btnHidden->setIcon(StateIcon(0));
    FillLayerList();
    return true;
}

QString CPopLayer::StateMark(int state)
{
    switch (state) {
    case 0:
        return QStringLiteral(" ＿ ");
    case 2:
        return QStringLiteral(" ■ ");
    default:
        return QStringLiteral(" □ ");
    }
}

void CPopLayer::FillLayerList()
{
    const QSignalBlocker block(m_wndLayerList);
    m_wndLayerList->clear();
    for (int i = 0; i < LayerCount && i < MaxLayers; ++i) {
        auto* item = new QListWidgetItem(LineFor(LayerStates[i], LayerNames[i]));
        item->setData(kNameRole, QByteArray::fromStdString(LayerNames[i]));
        m_wndLayerList->addItem(item);
    }
    m_wndLayerList->setCurrentRow(CurrentLayer);
}

void CPopLayer::SetCurrentLayerState(int index)
{
    if (CurrentLayer < 0 || CurrentLayer >= MaxLayers || index < 0 || index > 2)
        return;
    const int state = 2 - index;
    LayerStates[CurrentLayer] = static_cast<uint8_t>(state);
    QListWidgetItem* item = m_wndLayerList->item(CurrentLayer);
    const std::string name = item ? item->data(kNameRole).toByteArray().toStdString() : LayerNames[CurrentLayer];
    SetLine(CurrentLayer, StateMark(state), name);
}

void CPopLayer::SetAllStates(uint8_t state)
{
    for (int i = 0; i < LayerCount && i < MaxLayers; ++i)
        LayerStates[i] = state;
    FillLayerList();
    SendUpdateLayers();
}

void CPopLayer::OnAllNormal()
{
    SetAllStates(2);
}

void CPopLayer::OnAllOffColor()
{
    SetAllStates(1);
}

void CPopLayer::OnAllHidden()
{
    SetAllStates(0);
}

void CPopLayer::OnDblclkLayerList()
{
    const int row = m_wndLayerList->currentRow();
    if (row < 0 || row >= MaxLayers)
        return;
    int state = LayerStates[row];
    state = state == 0 ? 2 : state == 2 ? 1 : 0;
    LayerStates[row] = static_cast<uint8_t>(state);
    const std::string name = m_wndLayerList->item(row)->data(kNameRole).toByteArray().toStdString();
    SetLine(row, StateMark(state), name);
}

void CPopLayer::OnSelchangeLayerList()
{
    const int row = m_wndLayerList->currentRow();
    if (row < 0 || row == CurrentLayer)
        return;
    CurrentLayer = static_cast<int16_t>(row);
    SendUpdateLayers();
}

void CPopLayer::SendUpdateLayers()
{
    CommandArgument = 1;
    if (CFrameHost* frame = AfxGetFrameHost())
        frame->SendCommand(ID_UPDATE_LAYERS);
}

QString CPopLayer::LineText(int row) const
{
    const QListWidgetItem* item = m_wndLayerList->item(row);
    return item ? item->text() : QString();
}

QString CPopLayer::LineMark(int row) const
{
    return LineText(row).left(3);
}

int CPopLayer::LineCount() const
{
    return m_wndLayerList->count();
}

void CPopLayer::SetLine(int row, const QString& mark, const std::string& nameCp932)
{
    const QSignalBlocker block(m_wndLayerList);
    auto* item = new QListWidgetItem(mark + FromCp932(nameCp932));
    item->setData(kNameRole, QByteArray::fromStdString(nameCp932));
    if (row >= 0 && row < m_wndLayerList->count()) {
        delete m_wndLayerList->takeItem(row);
        m_wndLayerList->insertItem(row, item);
    } else {
        m_wndLayerList->addItem(item);
        row = m_wndLayerList->count() - 1;
    }
    m_wndLayerList->setCurrentRow(row);
}

void CPopLayer::LayOut(int cx, int cy)
{
    m_wndLayerList->setGeometry(5, 5, cx - 10, cy - 41);
    m_btnNormal->setGeometry(5, cy - 29, 30, 24);
    m_btnOffColor->setGeometry(35, cy - 29, 30, 24);
    m_btnHidden->setGeometry(65, cy - 29, 30, 24);
}

void CPopLayer::moveEvent(QMoveEvent* event)
{
    CDialog::moveEvent(event);
    if (!m_bPlaced)
        return;
    const QPoint client = geometry().topLeft();
    LayerListLeft = static_cast<int16_t>(client.x());
    LayerListTop = static_cast<int16_t>(client.y());
}

void CPopLayer::resizeEvent(QResizeEvent* event)
{
    CDialog::resizeEvent(event);
    LayOut(width(), height());
    if (!m_bPlaced)
        return;
    const QSize outer = frameGeometry().size();
    LayerListWidth = static_cast<int16_t>(outer.width());
    LayerListHeight = static_cast<int16_t>(outer.height());
}

void CPopLayer::contextMenuEvent(QContextMenuEvent* event)
{
    const MenuItem* bar = LoadMenuResource(IDR_LAYER_MENU);
    CFrameHost* frame = AfxGetFrameHost();
    if (!bar || bar->items.empty() || !frame)
        return;
    QMenu menu(this);
    for (const MenuItem& item : bar->items.front().items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (!item.IsPopup()) {
            const unsigned id = item.id;
            menu.addAction(QString::fromUtf8(item.text), this, [frame, id] { frame->SendCommand(id); });
        }
    }
    menu.exec(event->globalPos());
}

void CPopLayer::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}
