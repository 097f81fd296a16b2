#pragma once
// The drawing view: one per open drawing. It turns model coordinates
// (full-size millimetres, y upwards) into pixels and back, paints the drawing
// through its back buffer, searches snap points and draws grips. Qt events
// arrive as the handler calls (OnLButtonDown, OnMouseMove, ...), which are
// hooks for the tool dispatch.

#include "view/EntityRenderer.h"
#include "model/EntityIndex.h"
#include "model/EntityPicker.h"
#include "view/View.h"
#include "view/ViewMapping.h"
#include "model/Entity.h"
#include "platform/BackBuffer.h"
#include "platform/Dc.h"

#include <QByteArray>

class QPrinter;
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class COrvikCadDoc;
struct ModelBox;
class QLineEdit;
class QScrollBar;

// Mouse flags passed to the handlers (the framework's MK_ values).
namespace MouseFlags {
inline constexpr unsigned LButton = 0x0001;
inline constexpr unsigned RButton = 0x0002;
inline constexpr unsigned Shift = 0x0004;
inline constexpr unsigned Control = 0x0008;
inline constexpr unsigned MButton = 0x0010;
} // namespace MouseFlags

class COrvikCadView;
// The view of the drawing window activated last; null before the first
// activation and after that view closed. The process-wide layer table and
// scale read-out belong to its drawing.
extern COrvikCadView* ActiveView;

class COrvikCadView : public CView {
    Q_OBJECT
public:
    explicit COrvikCadView(QWidget* parent = nullptr);
    ~COrvikCadView() override;

    // The drawing shown: the one attached, else the one the framework
    // document carries; null when there is none.
    COrvikCadDoc* GetDrawing() const;
    // Shows a drawing that no framework document carries (tests, previews).
    void AttachDrawing(COrvikCadDoc* doc);

    // ---- fields ----
    int16_t pickCurrentLayerOnly = 0;
    int16_t resized = 0;
    uint16_t currentLayer = 0;
    std::array<char, 128> layerState{};
    QLineEdit* textEdit = nullptr;
    int16_t lButtonDown = 0, rButtonDown = 0;
    int32_t areaW = 0, areaH = 0;
    std::array<COLORREF, 7> colors{};
    int32_t clientH = 0, clientW = 0;
    double scale = 0;
    int32_t scrollX = 0, scrollY = 0;
    double zoom = 0;
    double windowX0 = 0, windowY0 = 0, windowX1 = 0, windowY1 = 0;
    double paperH = 0, paperW = 0;
    double visibleX0 = 0, visibleY0 = 0, visibleX1 = 0, visibleY1 = 0;
    int32_t downX = 0, downY = 0;
    int16_t handPanDrag = 0;
    int16_t exporting = 0;
    float printerPxPerMm = 0;
    int16_t bandPurpose = 0;
    // The prompt that stood when an image band was armed.
    std::string promptBeforeBand;
    bool promptBeforeBandWarning = false;
    int16_t paperSource = 0;
    int16_t printing = 0;
    int16_t printFit = 0;
    int16_t forceErase = 0;
    int16_t mouseMode = 0;
    int16_t savedRop2 = 0;
    platform::Rect bandRect{};

    // ---- printing (ViewPrint.cpp) ----
    // The page's mapping on a printer whose metrics dc gives (printable
    // pixels, dots per inch): fit to the printable area (printFit), or true
    // scale on the paper (with paperSource, the printer's paper). The screen
    // is not touched.
    struct PrinterSetup {
        ViewMapping mapping;
        float pxPerMm = 0;  // printer pixels per millimetre
    };
    PrinterSetup PrinterMapping(const platform::Dc& dc) const;
    // The print hooks: nothing to prepare; the printer's orientation from
    // the drawing; nothing left to undo at the end.
    bool OnPreparePrinting();
    void OnBeginPrinting(QPrinter& printer);
    void OnEndPrinting();
    // One page of the drawing on printer (the print job and the preview).
    void PrintPage(QPrinter& printer);
    // Commands 57607 (print dialog), 57608 (no dialog), 57609 (preview).
    bool OnFilePrint();
    bool OnFilePrintDirect();
    void OnFilePrintPreview();
    // Command 57606: the page-setup dialog; on OK the paper becomes the
    // printer's printable page and the drawing is laid out on it again.
    bool OnFilePrintSetup();
    void RegisterPrintCommands();

    // ---- mapping ----
    // The screen's mapping as a value, for output that maps on its own.
    ViewMapping Mapping() const
    {
        return {scale, zoom, scrollX, scrollY, clientW, clientH, areaW, areaH, paperW, paperH};
    }
    // What the screen draws with besides its mapping: display colours,
    // layer states, printed widths, the frame's scroll offset.
    RenderSettings RenderState() const;
    // An entity renderer on dc with the screen's mapping and settings.
    EntityRenderer Renderer(platform::Dc& dc) const;
    // Model to logical pixels.
    int XToDevice(double x) const;
    int YToDevice(double y) const;
    // Logical pixels to model.
    double XToModel(int xd) const;
    double YToModel(int yd) const;
    // The scale and zoom the mapping divides by: `scale` and `zoom`, or 1
    // where that is not a usable divisor.
    double MappingScale() const;
    double MappingZoom() const;
    void ComputeVisibleRect();
    void FitScale();
    // A logical pixel as a pixel of the back buffer (the frame's scroll
    // offset taken off): for invalidating and reading the buffer's image.
    void LogicalToDevice(int& x, int& y) const;
    // A model point as a logical pixel: what every DC the view hands out
    // (paint and client alike) takes.
    platform::Point ToPixel(double x, double y) const;
    void OnInitialUpdate() override;
    // Fits the drawing's extents to the client; true when it has drawn the
    // whole client (a redraw asked for, or no resize since the last paint).
    bool ResetToBaseView(int redraw);

    // ---- snap search, colours, grips ----
    int FindNearestSnapPoint(int xd, int yd, double& x, double& y);
    int FindNearestSnapPointExcept(int xd, int yd, double& x, double& y, const CEntity* except);
    int FindNearestSnapPointFrom(double& x, double& y, double& bound, const CEntity* except, double px, double py);
    CEntity* FindNearestSelectedSnapPoint(int xd, int yd, double& x, double& y, int& kind);
    int GetSnapPoint(const CEntity* entity, int kind, double& x, double& y);
    COLORREF GetStateColor(int state, COLORREF own) const;
    void DrawGrip(platform::Dc& dc, double x, double y);
    void DrawMidpointGrip(const CEntity* entity, platform::Dc& dc);
    void DrawGrips(platform::Dc& dc, const CEntity* entity);

    // ---- rendering ----
    void OnDraw(platform::Dc& dc);
    void DrawAll(platform::Dc& dc, int pass);
    void DrawEntity(platform::Dc& dc, CEntity* entity, int state);
    CEntity* DrawEntityChain(platform::Dc& dc, CEntity* head);
    void StrokePathWithPen(platform::Dc& dc, COLORREF colour, int width);
    // Hook of the display commands: the drawing-range frame and origin mark.
    virtual void DrawRangeAndOrigin(platform::Dc& dc);
    // The entity index DrawAll culls with and picks search must be rebuilt
    // after entity geometry was changed in place (additions and relinks are
    // noticed).
    void InvalidateDrawIndex() { entityIndex.Invalidate(); }
    // The entities the last pass of DrawAll visited, in order.
    const std::vector<CEntity*>& VisitedEntities() const { return visibleScratch; }
    // Lists shorter than this are painted by a plain walk (the default 0
    // culls every list through the index).
    void SetCullThreshold(std::size_t n) { cullThreshold = n; }

    // ---- drawers ----
    void DrawPoint(platform::Dc& dc, const CEntity* e, int state);
    void DrawGrid(platform::Dc& dc, const CEntity* grid, int show);
    void DrawLine(platform::Dc& dc, const CEntity* e, int state);
    void DrawAxisLine(platform::Dc& dc, const CEntity* e, int state);
    void DrawSpline(platform::Dc& dc, const CEntity* e, int state);
    void DrawFreeCurve(platform::Dc& dc, const CEntity* e, int state);
    void DrawCircleOrArc(platform::Dc& dc, const CEntity* e, int state);
    void DrawEllipse(platform::Dc& dc, const CEntity* e, int state);
    void DrawEllipticArc(platform::Dc& dc, const CEntity* e, int state);
    void DrawPolyline(platform::Dc& dc, const CEntity* e, int state);
    // Texts, leader texts, dimensions (DrawText.cpp, DrawDimension.cpp).
    void DrawText(platform::Dc& dc, const CEntity* e, int state);
    void DrawLeaderText(platform::Dc& dc, const CEntity* e, int state);
    void DrawDimension(platform::Dc& dc, const CEntity* e, int state);
    // A dot or barbs at the tip (model), pointing away from `from`: fixed
    // pixel sizes, or sizes linked to the zoom.
    void DrawTerminator(platform::Dc& dc, int kind, int dotIndex, int arrowIndex, int state, COLORREF colour,
                        int penWidth, double tipX, double tipY, double fromX, double fromY);
    void DrawTerminatorScaled(platform::Dc& dc, int kind, int dotIndex, int arrowIndex, int state,
                              COLORREF colour, int penWidth, double tipX, double tipY, double fromX, double fromY);
    // Fills, images, hatches (DrawFill.cpp, DrawImage.cpp, DrawHatch.cpp).
    void DrawFill(platform::Dc& dc, const CEntity* e, int state);
    void DrawImage(platform::Dc& dc, const CEntity* e, int state);
    void DrawHatch(platform::Dc& dc, const CEntity* e, int state);

    // ---- picking (Picking.cpp) ----
    // The pickable entity nearest the click (logical pixels) that the filter
    // admits, with the model point it means; null and (0, 0) for none.
    CEntity* PickEntity(int filter, int xd, int yd, double& x, double& y);
    int PickGridPoint(const CEntity* grid, double& x, double& y, double mx, double my, double ap);
    int SnapToGrid(double& x, double& y, double& distance, double mx, double my);
    // The same with the drawing's grid record already found (GridRecord),
    // for callers that snap many points at once.
    int SnapToGrid(const CEntity* grid, double& x, double& y, double& distance, double mx, double my);
    // The drawing's grid record (type 11), null when it has none.
    const CEntity* GridRecord();
    EntityPicker& Picker() { return picker; }

    // ---- the back buffer ----
    platform::BackBuffer& Buffer() { return backBuffer; }
    // A DC drawing straight into the back buffer, in logical pixels (the
    // frame's scroll offset is its viewport origin).
    std::unique_ptr<platform::ClientDc> GetClientDc();
    // Paints the whole client now into the back buffer (a full OnDraw).
    void RedrawNow();
    // The framework's scroll position (non-zero only while the client is
    // smaller than the scroll size).
    int FrameScrollX() const;
    int FrameScrollY() const;
    void SetScrollSizes(int width, int height);

    // ---- mouse and key dispatch to the current tool (ViewDispatch.cpp) ----
    virtual void OnLButtonDown(unsigned flags, platform::Point point);
    virtual void OnLButtonUp(unsigned flags, platform::Point point);
    virtual void OnLButtonDblClk(unsigned flags, platform::Point point);
    virtual void OnRButtonDown(unsigned flags, platform::Point point);
    virtual void OnRButtonUp(unsigned flags, platform::Point point);
    virtual void OnMouseMove(unsigned flags, platform::Point point);
    virtual void OnKeyDown(unsigned key, unsigned repeat, unsigned flags);
    virtual void OnSize(int cx, int cy);
    // Sets the cursor of the view's mouse mode; false leaves the class cursor.
    bool OnSetCursor();
    // Scrolls by the drag from the press (downX, downY) to (x, y).
    void PanByDrag(platform::Dc& dc, int x, int y);
    // Commands forwarded to the current tool.
    void OnEditUndo();
    void OnEnterKey();
    void OnFocusOptionBox();
    void OnToolReset();
    void OnEndSelection();
    // Ctrl+A: the current tool's SelectAll (its menu item is enabled for
    // the selection and move tools only).
    void OnSelectAll();
    // Command 32900: the selection panel's operation CommandArgument (1 to
    // the front, 2 to the back, 3 and 4 flips, 5 and 6 quarter turns) on
    // the selected entities.
    void OnSelectionOperation();
    // The right button's menu (after the button went up) at a screen point:
    // the menu of the current tool and its step, if any, and its command
    // sent to the view. ContextMenuFor: that menu's id, 0 for none.
    void OnContextMenu(int screenX, int screenY);
    unsigned ContextMenuFor() const;
    // Commands on the marked entities: they become members of a new group
    // header, or leave their groups.
    void OnGroupRegister();
    void OnGroupRelease();
    // After a repaint of part of the client: the current tool's marker, if
    // it is shown in this view, is put back where the repaint wiped it, so
    // that erasing it later leaves nothing behind.
    void RestoreToolFigures(platform::Dc& dc);
    // Numeric input (ViewNumericInput.cpp): the Space key opens it in the
    // steps that offer it; the context command in any step; the scale
    // factor for the transform tool.
    void OnSpaceKey();
    void OnNumericInput();
    void OnScaleByNumber();
    // Leaving a view ends the step drawn in it (copying between drawings
    // goes on) and takes the tool's marker away.
    void OnActivateView(bool activate, CView* activated, CView* deactivated) override;

    // ---- display commands (ViewDisplayCommands.cpp, ViewInvalidate.cpp) ----
    void ZoomIn();
    void ZoomOut(double f);
    void ZoomToBand(platform::Dc& dc);
    void OnZoomBox();
    void OnViewFitAll();
    void OnRedisplay();
    // Command 108: takes the process-wide layer table into the drawing and
    // the view; repaints when CommandArgument is 1.
    void OnUpdateLayers();
    void OnCenterMove();
    void OnHandMove();
    void OnViewGrid();
    void OnMagnet();
    void OnViewDrawingRange();
    void OnViewOriginMark();
    void OnLengthReadout();
    void OnScrollUp();
    void OnScrollDown();
    void OnScrollLeft();
    void OnScrollRight();
    void OnApplyGridPitch();
    void OnCancelInput();
    void ApplyPaperSettings();
    // Lays the drawing out again on the view's paper: the range becomes the
    // paper times the scale and the origin moves, with every entity, to the
    // paper's centre.
    void RelayoutPaper();
    // Command 32894: the drawing information of this drawing.
    void OnDrawingInfo();
    void OnUpdate(CView* sender, long hint) override;

    // ---- pictures of the drawing (ViewImageOutput.cpp) ----
    void RegisterImageOutputCommands();
    // Command 32797: arms an image band; its end saves the boxed region.
    void OnSaveImage();
    // Ends an image band, armed or done: the mouse mode, the cursor and the
    // prompt go back to what they were before command 32797.
    void EndImageBand();
    // The end of an image band (logical pixels): asks for a file and saves
    // the region; 0 saved, cancelled or too small, -1 not saved.
    int CaptureRegionToImage(const platform::Rect& band);
    int SaveBitmapToImageFile(const QImage& image);
    // The drawing without grid, range frame and origin mark.
    QByteArray DrawingAsEmf();
    QImage DrawingAsImage();
    // Command 32796: the drawing as a metafile file; true when written.
    bool OnSaveEmf();
    // Command 57634: the drawing on the clipboard as a metafile.
    bool OnEditCopy();
    // Marks the screen area of an entity for redrawing (with erase).
    void InvalidateEntity(const CEntity* entity);
    // The same for a model box (as EntityScreenBox gives it).
    void InvalidateModelBox(const ModelBox& box);
    // Clears the client and draws the whole view on a client DC.
    void RedrawOnClientDc();

    // ---- tool selection (ToolSelection.cpp) ----
    void SelectDrawCommand(int group, int item);
    void OnViewDrawPalette();
    void OnViewPartsTree();
    // Enters the handlers of the view's commands in its command map.
    void RegisterViewCommands();

    // Any command the user gives the view ends the fit that follows the
    // window's first size change.
    bool OnCmdMsg(unsigned id, CCmdUI* ui) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The drawing window may still be settling into its final size (the
    // window manager maximises asynchronously) when the first update fits
    // the paper; until the user acts, a size change fits it again.
    bool fitOnResize = false;
    bool fitScheduled = false;

    // The drawer of the entity's type, on the screen's renderer.
    void Dispatch(platform::Dc& dc, CEntity* e, int state);
    // The entities a mapping can show, from the entity index (all of a
    // short list).
    void VisibleEntities(const ViewMapping& mapping, std::vector<CEntity*>& out);
    int NearestWithin(int xd, int yd, double& x, double& y, const CEntity* except);
    bool WithinSnapPixels(double x, double y, int xd, int yd) const;
    void PrepareDc(platform::Dc& dc) const;
    void SetupWidget();
    void ApplyPrinterPaper(COrvikCadDoc& doc);
    void PaintRoutine(platform::Dc& dc, bool erase);
    void LayoutScrollBars();
    platform::Point EventPoint(const QPointF& p) const;
    static unsigned EventFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);

    COrvikCadDoc* drawing = nullptr;
    platform::BackBuffer backBuffer;
    QScrollBar* hBar = nullptr;
    QScrollBar* vBar = nullptr;
    int scrollW = 0, scrollH = 0;  // the framework's scroll sizes
    EntityIndex entityIndex;
    EntityPicker picker{entityIndex};
    std::size_t cullThreshold = 0;
    bool awaitingBaseView = false;  // between the start of OnInitialUpdate and its base view
    std::vector<CEntity*> visibleScratch;
};
