#pragma once
// Draws entities on a DC through a mapping, without a widget: the screen's
// paint, the printed page and its preview, metafile and picture output each
// make one with their own mapping and settings. Model points become the
// DC's logical pixels by the mapping; the layer states, display colours and
// printed widths come in as values, and the drawing only for its snap
// points (grips) and origin (grid).
//
// The drawers live in Draw*.cpp, one file per kind of entity.

#include "view/DashPainter.h"
#include "view/ViewMapping.h"
#include "model/Entity.h"
#include "platform/Dc.h"

#include <array>
#include <cstdint>
#include <vector>

class COrvikCadDoc;

// Screen pen style of each line type (0 solid ... 4 dash-dot-dot).
extern const platform::PenStyle PenStyleByLineType[5];

// The visible part of the segment (x1, y1)-(x2, y2) within the rectangle:
// 1 when nothing of it shows, else 0 with the end points cut to the
// rectangle when they lie outside it.
int SegmentOutsideRect(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                       double ymax);

// What the drawers read besides the mapping.
struct RenderSettings {
    // The display colours: 0 background, 1 grid, 2 highlighted, 3 figures
    // of the tools, 6 entities of the other layers shown greyed.
    std::array<COLORREF, 7> colors{};
    // Per layer: 1 and 2 shown among the other layers (1 greyed, in colour 6).
    std::array<char, 128> layerState{};
    uint16_t currentLayer = 0;
    // Printer pixels per millimetre: printed pen widths and dashes.
    float printerPxPerMm = 0;
    // A page: no grid.
    bool printing = false;
    // A metafile or picture: no grid, and texts keep the DC's background.
    bool exporting = false;
    // The logical pixel at the client's top-left corner (the frame's scroll
    // offset): the grid is drawn where the client can show it.
    int frameScrollX = 0, frameScrollY = 0;
};

class EntityRenderer {
public:
    // doc may be null (no grips of snap points, no grid).
    EntityRenderer(platform::Dc& dc, const ViewMapping& mapping, const RenderSettings& settings,
                   const COrvikCadDoc* doc);
    // It keeps references into itself: made in place, never copied.
    EntityRenderer(const EntityRenderer&) = delete;
    EntityRenderer& operator=(const EntityRenderer&) = delete;

    const ViewMapping& Mapping() const { return map; }
    const RenderSettings& Settings() const { return settings; }

    // One pass over entities in order: pass 0 draws the grid and the
    // entities of the shown layers other than the current one, pass 1 those
    // of the current layer.
    void DrawPass(const std::vector<CEntity*>& entities, int pass);
    // One entity in a state (the grid record draws the grid).
    void DrawEntity(CEntity* entity, int state);
    // A header and its members as drawn normally, when its layer shows.
    CEntity* DrawChain(CEntity* head);
    // The drawer of the entity's type.
    void Dispatch(const CEntity* e, int state);

    // ---- drawers ----
    void DrawPoint(const CEntity* e, int state);
    void DrawGrid(const CEntity* grid);
    void DrawLine(const CEntity* e, int state);
    void DrawAxisLine(const CEntity* e, int state);
    void DrawSpline(const CEntity* e, int state);
    void DrawFreeCurve(const CEntity* e, int state);
    void DrawCircleOrArc(const CEntity* e, int state);
    void DrawEllipse(const CEntity* e, int state);
    void DrawEllipticArc(const CEntity* e, int state);
    void DrawPolyline(const CEntity* e, int state);
    // Texts, leader texts, dimensions (DrawText.cpp, DrawDimension.cpp).
    void DrawText(const CEntity* e, int state);
    void DrawLeaderText(const CEntity* e, int state);
    void DrawDimension(const CEntity* e, int state);
    // A dot or barbs at the tip (model), pointing away from `from`: fixed
    // pixel sizes, or sizes linked to the zoom.
    void DrawTerminator(int kind, int dotIndex, int arrowIndex, int state, COLORREF colour, int penWidth,
                        double tipX, double tipY, double fromX, double fromY);
    void DrawTerminatorScaled(int kind, int dotIndex, int arrowIndex, int state, COLORREF colour, int penWidth,
                              double tipX, double tipY, double fromX, double fromY);
    // Fills, images, hatches (DrawFill.cpp, DrawImage.cpp, DrawHatch.cpp).
    void DrawFill(const CEntity* e, int state);
    void DrawImage(const CEntity* e, int state);
    void DrawHatch(const CEntity* e, int state);
    // Grips of a selected entity.
    void DrawGrip(double x, double y);
    void DrawMidpointGrip(const CEntity* entity);
    void DrawGrips(const CEntity* entity);

    // ---- colours, printed widths and patterns ----
    COLORREF GetStateColor(int state, COLORREF own) const { return StateColour(colors, state, own); }
    // The colour of an entity in a state, from the display colours.
    static COLORREF StateColour(const std::array<COLORREF, 7>& colors, int state, COLORREF own);
    int PrintedPenWidth(int style) const;
    int PrintedWidth(int style) const;  // pen width, or the thick width of line types 5..7
    int DashPattern(int lineType, int* runs) const;
    void StrokePathWithPen(COLORREF colour, int width);

    // The first live snap point of a kind the drawing keeps for an entity:
    // 0 and its point, or 1 when there is none.
    static int SnapPointOf(const COrvikCadDoc* doc, const CEntity* entity, int kind, double& x, double& y);

private:
    // How an entity is drawn: state after the layer rule, colour, pen.
    struct Look {
        int state = 0;
        COLORREF colour = 0;
        int lineType = 0;
        platform::PenStyle style = platform::PenStyle::Solid;      // the pen's style (solid when erasing)
        platform::PenStyle lineStyle = platform::PenStyle::Solid;  // the line type's style
        int width = 0;     // screen width, or the printed width on a printer
        bool printing = false;
    };
    // Printed widths and the dash unit, resolved once per renderer.
    struct ResolvedPenSet {
        int penWidth[8] = {};
        int thickWidth[3] = {};
        int dashUnit = 1;
    };
    // The common way of printing an outline: a path through the dash
    // painter, stroked with a wide pen of the printed width.
    class PrintedOutline {
    public:
        PrintedOutline(EntityRenderer& renderer, platform::Dc& dc, const Look& look);
        void Start(platform::Point p);
        void LineTo(platform::Point p);
        void BezierTo(platform::Point p1, platform::Point p2, platform::Point p3);
        void Finish();

    private:
        EntityRenderer& renderer;
        platform::Dc& dc;
        CDashPainter painter;
        COLORREF colour;
        int width;
        platform::Pen keptPen;
    };

public:
    // The mapping's conversions, under the names the drawers use.
    int XToDevice(double x) const { return map.XToDevice(x); }
    int YToDevice(double y) const { return map.YToDevice(y); }
    double XToModel(int xd) const { return map.XToModel(xd); }
    double YToModel(int yd) const { return map.YToModel(yd); }
    double MappingScale() const { return mapScale; }
    double MappingZoom() const { return mapZoom; }
    platform::Point ToPixel(double x, double y) const { return {map.XToDevice(x), map.YToDevice(y)}; }

private:
    const COrvikCadDoc* GetDrawing() const { return doc; }
    int FrameScrollX() const { return settings.frameScrollX; }
    int FrameScrollY() const { return settings.frameScrollY; }
    int EffectiveState(const CEntity* e, int state) const;
    int TextPixelSize(double size) const;
    platform::Font TextFont(const CEntity* e, int height, int width) const;
    void PaintTextBody(const CEntity* e, int state, int height, int width);
    Look LookOf(const CEntity* e, int state) const;
    void DrawEllipseSamples(const CEntity* e, const Look& look, const std::vector<platform::Point>& pts);
    void GripSquare(double x, double y, COLORREF fill);
    // Draws through the points with the selected pen; pieces reaching far
    // off-screen are cut first.
    void ScreenPolyline(const std::vector<platform::Point>& pts);
    static const double NearPixels;
    // Selects a screen pen (and the transparent background) for a drawer;
    // returns the pen it replaced.
    platform::Pen SelectScreenPen(const Look& look, platform::PenStyle style);

    platform::Dc& dc;
    const ViewMapping map;
    const RenderSettings settings;
    const COrvikCadDoc* doc;
    const double mapScale, mapZoom;
    // The mapping's fields and the settings under the names the drawers use.
    const int32_t scrollX, scrollY, clientW, clientH, areaW, areaH;
    const std::array<COLORREF, 7>& colors;
    const std::array<char, 128>& layerState;
    const uint16_t currentLayer;
    const float printerPxPerMm;
    const bool printing, exporting;
    // The model rectangle the drawing area shows.
    double visibleX0 = 0, visibleY0 = 0, visibleX1 = 0, visibleY1 = 0;
    ResolvedPenSet pens;
};
