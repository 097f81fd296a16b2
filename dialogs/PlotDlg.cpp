#include "dialogs/PlotDlg.h"

#include "model/DefaultPalette.h"
#include "platform/Controls.h"
#include "platform/Dc.h"
#include "platform/Encoding.h"
#include "platform/PainterDc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double PreviewPi = 3.14159265358979;

// The preview area: paints what the dialog draws.
class PlotPreview : public QWidget {
public:
    PlotPreview(CPlotDlg* dlg, QWidget* parent) : QWidget(parent), dlg_(dlg)
    {
        setFixedSize(CPlotDlg::PreviewWidth, CPlotDlg::PreviewHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image(width(), height(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            platform::PainterDc dc(image);
            dlg_->DrawPreview(dc);
        }
        QPainter(this).drawImage(0, 0, image);
    }

private:
    CPlotDlg* dlg_;
};

int Truncated(double v)
{
    return std::isfinite(v) ? static_cast<int>(std::clamp(v, -1e9, 1e9)) : 0;
}

double Value(const CEntity& e, std::size_t i)
{
    return i < e.values.size() ? e.values[i] : 0.0;
}

} // namespace

CPlotDlg::CPlotDlg(QWidget* parent) : CDialog(IDD_PLOT, parent)
{
    setWindowTitle(QStringLiteral("プロッター出力処理"));
    auto* layout = new QHBoxLayout(this);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    platform::setControlId(frame, IDC_PLOT_FRAME);
    auto* frameLayout = new QVBoxLayout(frame);
    m_preview = new PlotPreview(this, frame);
    platform::setControlId(m_preview, IDC_PLOT_PREVIEW);
    frameLayout->addWidget(m_preview);
    layout->addWidget(frame);

    auto* side = new QVBoxLayout;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("用紙サイズ"), this), 0, 0);
    m_paper = new QComboBox(this);
    for (const char* item : {"Ａ０", "Ａ１", "Ａ２", "Ａ３", "Ａ４", "Ａ５", "Ａ６"}) m_paper->addItem(QString::fromUtf8(item));
    platform::setControlId(m_paper, IDC_PLOT_PAPER);
    grid->addWidget(m_paper, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("図面縮尺"), this), 1, 0);
    m_scale = new QComboBox(this);
    for (const char* item : {"設定値使用", "１／１００", "１／５０", "１／３０", "１／２０", "１／１０", "１／１"})
        m_scale->addItem(QString::fromUtf8(item));
    platform::setControlId(m_scale, IDC_PLOT_SCALE);
    grid->addWidget(m_scale, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("用紙基準縮尺"), this), 2, 0);
    m_paperBased = new QCheckBox(QStringLiteral("考慮する"), this);
    platform::setControlId(m_paperBased, IDC_PLOT_PAPER_BASED);
    grid->addWidget(m_paperBased, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ｘ方向補正値"), this), 3, 0);
    m_offsetX = new QLineEdit(this);
    platform::setControlId(m_offsetX, IDC_PLOT_OFFSET_X);
    grid->addWidget(m_offsetX, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("㎜"), this), 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Ｙ方向補正値"), this), 4, 0);
    m_offsetY = new QLineEdit(this);
    platform::setControlId(m_offsetY, IDC_PLOT_OFFSET_Y);
    grid->addWidget(m_offsetY, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("㎜"), this), 4, 2);
    side->addLayout(grid);

    auto* layers = new QGroupBox(QStringLiteral("出力レイヤー"), this);
    auto* layersLayout = new QVBoxLayout(layers);
    m_visibleOnly = new QRadioButton(QStringLiteral("表示要素のみ"), layers);
    platform::setControlId(m_visibleOnly, IDC_PLOT_VISIBLE_ONLY);
    m_allLayers = new QRadioButton(QStringLiteral("すべてを出力"), layers);
    platform::setControlId(m_allLayers, IDC_PLOT_ALL_LAYERS);
    layersLayout->addWidget(m_visibleOnly);
    layersLayout->addWidget(m_allLayers);
    side->addWidget(layers);

    auto* refresh = new QPushButton(QStringLiteral("現設定値で表示"), this);
    platform::setControlId(refresh, IDC_PLOT_REFRESH);
    side->addWidget(refresh);
    side->addStretch();
    side->addLayout(MakeOkCancelRow(QStringLiteral("プロッター出力"), QStringLiteral("閉　じ　る")));
    layout->addLayout(side);

    Exchange().List(m_paper, PaperIndex, 0);
    Exchange().List(m_scale, ScaleIndex, 0);
    Exchange().Check(m_paperBased, PaperBased);
    Exchange().Integer(m_offsetX, OffsetXmm, std::make_pair(-300, 300));
    Exchange().Integer(m_offsetY, OffsetYmm, std::make_pair(-300, 300));

    connect(refresh, &QPushButton::clicked, this, [this] { OnSettingChanged(); });
    connect(m_paperBased, &QCheckBox::clicked, this, [this] { OnSettingChanged(); });
    connect(m_paper, &QComboBox::currentIndexChanged, this, [this] { OnSettingChanged(); });
    connect(m_scale, &QComboBox::currentIndexChanged, this, [this] { OnSettingChanged(); });
    connect(m_visibleOnly, &QRadioButton::clicked, this, [this] { OnVisibleOnly(); });
    connect(m_allLayers, &QRadioButton::clicked, this, [this] { OnAllLayers(); });
}

bool CPlotDlg::OnInitDialog()
{
    static constexpr int scales[7] = {9999999, 100, 50, 30, 20, 10, 1};
    ScaleIndex = 0;
    const double whole = std::trunc(static_cast<double>(DocumentScale));
    for (int i = 0; i < 7; ++i)
        if (whole == scales[i]) ScaleIndex = i;
    UpdateData(false);
    m_visibleOnly->setChecked(AllLayers == 0);
    m_allLayers->setChecked(AllLayers != 0);
    return true;
}

void CPlotDlg::OnSettingChanged()
{
    UpdateData(true);
    m_preview->update();
}

void CPlotDlg::OnVisibleOnly()
{
    AllLayers = 0;
    OnSettingChanged();
}

void CPlotDlg::OnAllLayers()
{
    AllLayers = 1;
    OnSettingChanged();
}

float CPlotDlg::PaperFactor(int kind, float value)
{
    const float s = std::sqrt(2.0f);
    const float factors[10] = {0.25f, 0.5f / s, 0.5f, 1.0f / s, 1.0f, s, 2.0f, 2.0f * s, 4.0f, 1.64f};
    return kind >= 0 && kind < 10 ? value * factors[kind] : value;
}

float CPlotDlg::ComputeAutoScale() const
{
    return HpglPlotScale(ExtMinX, ExtMinY, ExtMaxX, ExtMaxY, ScaleIndex, DocumentScale);
}

void CPlotDlg::DrawPreview(platform::Dc& dc)
{
    using platform::Brush;
    using platform::Pen;
    using platform::PenStyle;
    const COLORREF black = DefaultPalette[0], band = DefaultPalette[9], sheet = DefaultPalette[19];

    const int saved = dc.SaveDc();
    Pen oldPen = dc.SelectPen(Pen::Make(PenStyle::Solid, 1, black));
    Brush oldBrush = dc.SelectBrush(Brush::Solid(MakeColour(235, 235, 235)));
    dc.Rectangle(-1, -1, PreviewWidth, PreviewHeight);

    dc.SelectPen(Pen::Make(PenStyle::Solid, 1, band));
    dc.SelectBrush(Brush::Solid(band));
    const int my = PlotOffsetY > 0 ? Truncated(PaperFactor(PaperIndex, static_cast<float>(PlotOffsetY))) : 0;
    const int mx = PlotOffsetX > 0 ? Truncated(PaperFactor(PaperIndex, static_cast<float>(PlotOffsetX))) : 0;
    if (PlotOffsetY > 0) dc.Rectangle(0, PreviewHeight - my - 1, PreviewWidth - 1, PreviewHeight - 1);
    if (PlotOffsetX > 0) dc.Rectangle(0, 0, mx, PreviewHeight - 1);

    dc.IntersectClipRect(0, 0, PreviewWidth, PreviewHeight);
    dc.SelectPen(Pen::Make(PenStyle::Solid, 1, black));
    dc.SelectBrush(Brush::Solid(sheet));
    dc.Rectangle(mx, 112 - my, mx + 297, PreviewHeight - my);

    m_xOffset = PaperFactor(PaperIndex, static_cast<float>(OffsetXmm + PlotOffsetX));
    m_yOffset = PaperFactor(PaperIndex, static_cast<float>(OffsetYmm + PlotOffsetY));
    const float s = std::sqrt(2.0f);
    const float factors[10] = {4.0f, 2.0f * s, 2.0f, s, 1.0f, 1.0f / s, 0.5f, 1.2195122f, 1.2195122f / s, 0.6097561f};
    if (PaperBased)
        m_factor = 2.0f;
    else if (PaperIndex >= 0 && PaperIndex < 10)
        m_factor = factors[PaperIndex];
    m_plotScale = ComputeAutoScale();

    DrawPreviewEntities(dc);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    dc.RestoreDc(saved);
}

int CPlotDlg::PixelX(double x) const
{
    return Truncated((static_cast<float>(x) - ExtMinX) / m_factor / m_plotScale + m_xOffset);
}

int CPlotDlg::PixelY(double y) const
{
    return Truncated(PreviewHeight - ((static_cast<float>(y) - ExtMinY) / m_factor / m_plotScale + m_yOffset));
}

bool CPlotDlg::Outside(double x, double y) const
{
    return (x < ExtMinX || x > ExtMaxX) && (y < ExtMinY || y > ExtMaxY);
}

void CPlotDlg::DrawPreviewEntities(platform::Dc& dc)
{
    if (!(m_factor > 0.0f) || !(m_plotScale > 0.0f)) return;
    PlotJob filter;
    filter.AllLayers = AllLayers;
    filter.PlotCurrentLayer = PlotCurrentLayer;
    filter.LayerStates = LayerStates;
    static constexpr platform::PenStyle styles[5] = {platform::PenStyle::Solid, platform::PenStyle::Dot,
                                                     platform::PenStyle::Dash, platform::PenStyle::DashDot,
                                                     platform::PenStyle::DashDotDot};
    for (const CEntity* e = First; e; e = e->next) {
        if (e->state == EntityState::Deleted || !PlotTakesLayer(filter, e->type, e->layer)) continue;
        const int lineType = e->style / 100;
        dc.SelectPen(platform::Pen::Make(lineType >= 0 && lineType <= 4 ? styles[lineType] : styles[0], 1,
                                         DefaultPalette[0]));
        switch (e->type) {
        case EntityType::Line: DrawPreviewLine(dc, *e); break;
        case EntityType::Circle:
        case EntityType::Arc: DrawPreviewArc(dc, *e); break;
        case EntityType::Text: DrawPreviewText(dc, *e); break;
        default: break;
        }
    }
}

void CPlotDlg::DrawPreviewLine(platform::Dc& dc, const CEntity& e)
{
    if (e.values.size() < 4) return;
    const auto& v = e.values;
    if (Outside(v[0], v[1]) && Outside(v[2], v[3])) return;
    dc.MoveTo(PixelX(v[0]), PixelY(v[1]));
    dc.LineTo(PixelX(v[2]), PixelY(v[3]));
}

void CPlotDlg::DrawPreviewArc(platform::Dc& dc, const CEntity& e)
{
    if (e.values.size() < 3) return;
    const double cx = e.values[0], cy = e.values[1], r = e.values[2];
    if (Outside(cx, cy)) return;
    const int left = PixelX(cx - r), top = PixelY(cy + r), right = PixelX(cx + r), bottom = PixelY(cy - r);
    if (e.type == EntityType::Arc && e.values.size() >= 5) {
        double a0 = Value(e, 3), a1 = Value(e, 4);
        if (e.subtype != 1) std::swap(a0, a1);
        const long long s = Truncated(a0), t = Truncated(a1);
        const bool same = s == t || (s == 0 && t == 360) || (s == 360 && t == 0);
        if (!same) {
            const double r0 = a0 * PreviewPi / 180.0, r1 = a1 * PreviewPi / 180.0;
            dc.Arc(left, top, right, bottom, PixelX(cx + r * std::cos(r0)), PixelY(cy + r * std::sin(r0)),
                   PixelX(cx + r * std::cos(r1)), PixelY(cy + r * std::sin(r1)));
            return;
        }
    }
    dc.Arc(left, top, right, bottom, right, (top + bottom) / 2, right, (top + bottom) / 2);
}

void CPlotDlg::DrawPreviewText(platform::Dc& dc, const CEntity& e)
{
    if (e.values.size() < 5) return;
    if (Outside(e.values[0], e.values[1])) return;
    int h = Truncated(e.values[2] / m_factor / m_plotScale);
    h = std::clamp(h, 1, 3);
    platform::Font font;
    font.height = h;
    font.width = h / 2;
    font.escapement = Truncated((e.values[4] + (e.subtype != 0 ? 90.0 : 0.0)) * 10.0);
    font.charSet = 128;
    font.face = QStringLiteral("ＭＳゴシック");
    const platform::Font old = dc.SelectFont(font);
    dc.TextOut(PixelX(e.values[0]), PixelY(e.values[1]), FromCp932(std::string_view(e.text)));
    dc.SelectFont(old);
}
