#pragma once
// The parts palette's preview: the part held in the parts buffer drawn to fit
// the small pane, with its own model-to-pane mapping and its own drawing
// routine per entity type, and the size line under the tree. It also works
// out the part's extents and the reference point the parts tool places it by
// (PartsBaseX, PartsBaseY from PartsBase).
//
// The palette owns one of these and calls PaintPreviewPane and DrawInfoPane
// when it paints and after every load.

#include "model/EntityList.h"
#include "platform/Dc.h"

class CPartsPreview {
public:
    // The part drawn; the palette's parts buffer unless pointed elsewhere.
    const CEntityList* parts = &EntityBuffer;

    // Extents of the part (model units), kept from the last part whose
    // extents were at least 0.05 in both directions.
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    // The fit: model units per pixel, pixels left free at the left and at
    // the bottom, height of the drawing area.
    double unitsPerPixel = 1.0;
    double marginX = 0.0, marginY = 0.0;
    int paneHeight = 0;

    // Paints the preview pane whose client rectangle is given: a white
    // area one pixel inside it, the part fitted into that area.
    void PaintPreviewPane(platform::Dc& dc, const platform::Rect& client);
    // The size line: the part's width and height times scale, on white one
    // pixel inside the client rectangle; blank when the part is flat.
    void DrawInfoPane(platform::Dc& dc, const platform::Rect& client, double scale) const;

    // Stores the extents of the part and sets PartsBaseX and PartsBaseY by
    // PartsBase. A part narrower than 0.05 in either direction (or without
    // any point) stores nothing; returns whether the extents were stored.
    bool CalcPartsExtents();
    // PartsBaseX and PartsBaseY from the stored extents by PartsBase (any
    // other base leaves them).
    void SetPartsBasePoint() const;

    // Every entity of the part in list order, by type, with the current fit.
    void DrawPreviewEntities(platform::Dc& dc) const;
    void DrawPreviewPaint(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewHatch(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewCurve(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewCircle(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewEllipse(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewEllipticArc(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewText(platform::Dc& dc, const CEntity& e) const;
    void DrawPreviewLeader(platform::Dc& dc, const CEntity& e) const;

    // Pane pixel of a model point under the current fit.
    platform::Point ToPane(double x, double y) const;

    // The size line's text for the given scale; empty when the part is
    // flat (below 0.1 in either direction).
    QString SizeLineText(double scale) const;
};
