#include "dialogs/PopInportDlg.h"

#include "dialogs/PartsLoad.h"
#include "dialogs/PartsTree.h"
#include "model/Cp932Text.h"
#include "model/Settings.h"
#include "model/Utilities.h"
#include "platform/Controls.h"
#include "platform/PainterDc.h"
#include "platform/Places.h"
#include "platform/Ui.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPainter>
#include <QScreen>
#include <QTreeWidget>

#include <system_error>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;

int ScreenWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void AddEntries(QTreeWidgetItem* parent, const std::vector<PartsTreeEntry>& entries)
{
    for (const PartsTreeEntry& e : entries) {
        auto* item = new QTreeWidgetItem(parent, QStringList{e.name});
        item->setData(0, kPathRole, QString::fromStdString(e.path.string()));
        item->setData(0, kFolderRole, e.folder);
        if (e.folder) {
            AddEntries(item, e.children);
            parent->setExpanded(true);
        }
    }
}

} // namespace

// The preview pane and the size line: each paints through the drawing
// surface into an image of its own size.
class PartsPane : public QWidget {
public:
    PartsPane(CPopInportDlg* owner, bool sizeLine) : QWidget(owner), owner_(owner), sizeLine_(sizeLine) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(Qt::black);  // the sunken black frame
        {
            platform::PainterDc dc(image);
            const platform::Rect client{0, 0, width(), height()};
            if (sizeLine_) {
                if (owner_->m_message.isEmpty()) {
                    owner_->DrawInfoPane(dc, client, owner_->m_scale);
                } else {
                    dc.FillRect({1, 1, width() - 1, height() - 1},
                                platform::Brush::Solid(platform::PaletteIndex(19)));
                    dc.SetBkMode(platform::BkMode::Transparent);
                    dc.TextOut(5, 5, owner_->m_message);
                }
            } else {
                owner_->PaintPreviewPane(dc, client);
            }
        }
        QPainter(this).drawImage(0, 0, image);
    }

private:
    CPopInportDlg* owner_;
    bool sizeLine_;
};

CPopInportDlg::CPopInportDlg(QWidget* parent) : CDialog(IDD, parent)
{
    setWindowTitle(QStringLiteral("部品データ"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setSizeGripEnabled(false);

    m_pane = new PartsPane(this, false);
    platform::setControlId(m_pane, IDC_PREVIEW);
    m_pane->setFixedSize(102, 102);

    auto* group = new QGroupBox(this);
    auto* fields = new QGridLayout(group);
    fields->addWidget(new QLabel(QStringLiteral("配置基準位置"), group), 0, 0, 1, 3);
    m_baseList = new QComboBox(group);
    platform::setControlId(m_baseList, IDC_BASE);
    m_baseList->addItems({QStringLiteral(" 中心配置"), QStringLiteral(" 左下配置"), QStringLiteral(" 左上配置")});
    fields->addWidget(m_baseList, 1, 0, 1, 3);
    m_scaleEdit = new QLineEdit(group);
    platform::setControlId(m_scaleEdit, IDC_SCALE);
    fields->addWidget(new QLabel(QStringLiteral("倍率"), group), 2, 0);
    fields->addWidget(m_scaleEdit, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("倍"), group), 2, 2);
    m_angleEdit = new QLineEdit(group);
    platform::setControlId(m_angleEdit, IDC_ANGLE);
    fields->addWidget(new QLabel(QStringLiteral("角度"), group), 3, 0);
    fields->addWidget(m_angleEdit, 3, 1);
    fields->addWidget(new QLabel(QStringLiteral("度"), group), 3, 2);

    m_tree = new QTreeWidget(this);
    platform::setControlId(m_tree, IDC_TREE);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);

    m_sizeLine = new PartsPane(this, true);
    platform::setControlId(m_sizeLine, IDC_SIZE_LINE);
    m_sizeLine->setFixedHeight(24);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_pane, 0, 0);
    grid->addWidget(group, 0, 1);
    grid->addWidget(m_tree, 1, 0, 1, 2);
    grid->addWidget(m_sizeLine, 2, 0, 1, 2);

    Exchange().List(m_baseList, m_base, 0);
    Exchange().Real(m_scaleEdit, m_scale);
    Exchange().Real(m_angleEdit, m_angle);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { OnSelchangedTree(); });
    connect(m_baseList, qOverload<int>(&QComboBox::activated), this, [this] { OnSelchangeBase(); });
    connect(m_scaleEdit, &QLineEdit::editingFinished, this, [this] { OnKillfocusScale(); });
    connect(m_angleEdit, &QLineEdit::editingFinished, this, [this] { OnKillfocusAngle(); });
    connect(m_scaleEdit, &QLineEdit::textEdited, this, [this] { OnChangeScale(); });
}

CPopInportDlg::~CPopInportDlg()
{
    EntityBuffer.RemoveAll();
}

bool CPopInportDlg::OnInitDialog()
{
    m_base = PartsBase;
    m_scale = static_cast<float>(PartsScale);
    m_angle = static_cast<float>(PartsAngle);
    UpdateData(false);

    const QRect frame = frameGeometry();
    int left = PaletteLeft;
    m_shift = 0;
    const int screen = ScreenWidth();
    if (screen > 0 && left + frame.width() > screen) {
        m_shift = left + frame.width() - (screen - 20);
        left -= m_shift;
    }
    move(left, PaletteTop);
    m_bPlaced = true;

    FillPartsTree();
    PartsBaseX = 0.0;
    PartsBaseY = 0.0;
    EntityBuffer.RemoveAll();
    return true;
}

void CPopInportDlg::FillPartsTree()
{
    m_tree->clear();
    std::filesystem::path root = NativePathFromCp932(PartsFolder);
    if (PartsFolder.empty())
        root = std::filesystem::path(platform::partsFolder().toStdString());
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    const std::filesystem::path absolute = std::filesystem::absolute(root, ec);
    auto* top = new QTreeWidgetItem(m_tree, QStringList{QString::fromStdString((ec ? root : absolute).string())});
    top->setData(0, kPathRole, QString::fromStdString((ec ? root : absolute).string()));
    top->setData(0, kFolderRole, true);
    AddEntries(top, ListPartsFolder(root));
    top->setExpanded(true);
}

std::filesystem::path CPopInportDlg::ItemPath(const QTreeWidgetItem* item)
{
    if (!item)
        return {};
    return std::filesystem::path(item->data(0, kPathRole).toString().toStdString());
}

void CPopInportDlg::OnSelchangedTree()
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;
    const std::string name = item->text(0).toStdString();
    const int kind = GetFileTypeFromExtension(name);
    if (kind < 0 || item->data(0, kFolderRole).toBool()) {
        RepaintPreview();
        return;
    }
    const std::filesystem::path path = ItemPath(item);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        RepaintPreview();
        return;
    }
    m_scale = 1.0f;
    m_angle = 0.0f;
    minX = minY = maxX = maxY = 0.0;
    UpdateData(false);
    PartsBaseX = 0.0;
    PartsBaseY = 0.0;
    EntityBuffer.RemoveAll();
    m_message.clear();
    const PartLoadResult result = LoadPartFile(path, kind, EntityBuffer);
    if (!result.message.empty()) {
        if (result.messageBox)
            platform::messageBox(QString::fromStdString(result.message));
        else
            m_message = QString::fromStdString(result.message);
    }
    RepaintPreview();
}

void CPopInportDlg::RepaintPreview()
{
    if (!EntityBuffer.first)
        minX = minY = maxX = maxY = 0.0;
    else
        CalcPartsExtents();
    m_pane->update();
    m_sizeLine->update();
}

QString CPopInportDlg::SizeLine() const
{
    return m_message.isEmpty() ? SizeLineText(m_scale) : m_message;
}

void CPopInportDlg::OnSelchangeBase()
{
    if (!UpdateData(true))
        return;
    if (m_base == PartsBase)
        return;
    PartsBase = static_cast<int16_t>(m_base);
    SetPartsBasePoint();
}

void CPopInportDlg::OnKillfocusScale()
{
    if (!UpdateData(true))
        return;
    if (m_scale < 0.001f || m_scale > 1000.0f) {
        m_scale = static_cast<float>(PartsScale);
        UpdateData(false);
    } else {
        PartsScale = m_scale;
    }
    m_sizeLine->update();
}

void CPopInportDlg::OnKillfocusAngle()
{
    if (!UpdateData(true))
        return;
    if (m_angle < -360.0f || m_angle > 360.0f) {
        m_angle = static_cast<float>(PartsAngle);
        UpdateData(false);
    } else {
        PartsAngle = m_angle;
    }
}

void CPopInportDlg::OnChangeScale()
{
    if (UpdateData(true))
        m_sizeLine->update();
}

void CPopInportDlg::closeEvent(QCloseEvent* event)
{
    EntityBuffer.RemoveAll();
    event->accept();
    emit closed();
}

void CPopInportDlg::moveEvent(QMoveEvent* event)
{
    CDialog::moveEvent(event);
    if (!m_bPlaced)
        return;
    // The stored place is the one asked for, not the one kept on screen.
    PaletteLeft = static_cast<int16_t>(event->pos().x() + m_shift);
    PaletteTop = static_cast<int16_t>(event->pos().y());
}
