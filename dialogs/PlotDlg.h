#pragma once
// The plot dialog: paper, scale, paper-based scaling, X and Y correction and
// the layers to plot, with a live preview of the sheet and of the drawing's
// lines, circles, arcs and texts on it.

#include "exchange/PlotRun.h"
#include "platform/Dialog.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;
namespace platform {
class Dc;
}

inline constexpr unsigned IDD_PLOT = 236;
inline constexpr int IDC_PLOT_FRAME = 1323;
inline constexpr int IDC_PLOT_PREVIEW = 1324;
inline constexpr int IDC_PLOT_PAPER = 1325;
inline constexpr int IDC_PLOT_SCALE = 1326;
inline constexpr int IDC_PLOT_PAPER_BASED = 1327;
inline constexpr int IDC_PLOT_OFFSET_X = 1155;
inline constexpr int IDC_PLOT_OFFSET_Y = 1178;
inline constexpr int IDC_PLOT_VISIBLE_ONLY = 1328;
inline constexpr int IDC_PLOT_ALL_LAYERS = 1329;
inline constexpr int IDC_PLOT_REFRESH = 1330;

class CPlotDlg : public CDialog {
    Q_OBJECT
public:
    // Size of the preview area in pixels.
    static constexpr int PreviewWidth = 319;
    static constexpr int PreviewHeight = 322;

    explicit CPlotDlg(QWidget* parent = nullptr);

    // Filled by the caller; the bound ones come back on OK.
    int PaperIndex = 0;
    int ScaleIndex = 0;
    int OffsetXmm = 0;
    int OffsetYmm = 0;
    int PaperBased = 0;
    int AllLayers = 0;
    int32_t PlotOffsetX = 0;  // whole millimetres, the preview's bands only
    int32_t PlotOffsetY = 0;
    float ExtMinX = 0.0f;
    float ExtMinY = 0.0f;
    float ExtMaxX = 0.0f;
    float ExtMaxY = 0.0f;
    float DocumentScale = 1.0f;
    int16_t PlotCurrentLayer = 0;
    std::array<uint8_t, 128> LayerStates{};
    const CEntity* First = nullptr;

    // A value in millimetres to preview pixels on paper kind `kind`.
    static float PaperFactor(int kind, float value);
    // The automatic plot scale of the extents, replaced by the chosen one.
    float ComputeAutoScale() const;

    // Paints the preview on dc (origin at the preview area's corner).
    void DrawPreview(platform::Dc& dc);
    // The factor, scale and offsets of the last preview.
    float PreviewFactor() const { return m_factor; }
    float PreviewScale() const { return m_plotScale; }

    // Handlers of the controls.
    void OnSettingChanged();
    void OnVisibleOnly();
    void OnAllLayers();

protected:
    bool OnInitDialog() override;

private:
    void DrawPreviewEntities(platform::Dc& dc);
    void DrawPreviewLine(platform::Dc& dc, const CEntity& e);
    void DrawPreviewArc(platform::Dc& dc, const CEntity& e);
    void DrawPreviewText(platform::Dc& dc, const CEntity& e);
    int PixelX(double x) const;
    int PixelY(double y) const;
    bool Outside(double x, double y) const;

    QComboBox* m_paper = nullptr;
    QComboBox* m_scale = nullptr;
    QCheckBox* m_paperBased = nullptr;
    QLineEdit* m_offsetX = nullptr;
    QLineEdit* m_offsetY = nullptr;
    QRadioButton* m_visibleOnly = nullptr;
    QRadioButton* m_allLayers = nullptr;
    QWidget* m_preview = nullptr;

    float m_factor = 1.0f;
    float m_plotScale = 1.0f;
    float m_xOffset = 0.0f;
    float m_yOffset = 0.0f;
};
