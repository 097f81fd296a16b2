#pragma once
// CImageTool: places a picture file in the drawing. Two clicks along a
// horizontal or vertical line give one side; the file chosen then gives the
// other side by its aspect ratio. The record keeps the rectangle and the
// file's full path; the picture itself stays in its file.

#include "tools/RubberBand.h"
#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <QString>

#include <string>

class CImageTool : public CDrawTool {
public:
    CImageTool() : CDrawTool(ToolId::Image)
    {
        XorPreviewShown = 0;
        InputPointCount = 0;
        toolAux = 0;
    }

    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // Takes the first or the second point; after the second, asks for the
    // file and adds the record.
    void PlaceImage(COrvikCadView* view, platform::Point point);
    // The axis-bound band from the first point and its length label.
    void DrawRubberBand(COrvikCadView* view, platform::Point point);

    // The longest path (code page 932 bytes) a drawing file keeps whole; a
    // longer one would lose the link to the picture when saved.
    static constexpr std::size_t MaxStoredPathBytes = 251;

    // The path as the record stores it, or why it cannot be: a path that
    // does not survive code page 932 or is longer than a drawing keeps.
    struct StoredPath {
        std::string cp932;
        QString refusal;  // empty when the path can be stored
    };
    static StoredPath PathForRecord(const QString& path);

private:
    // The band from `anchor` to `to`, bound to the orientation in toolAux.
    platform::Point BandEnd(platform::Point to) const;
    void EraseLabel();
    void EraseBandAndCross();
    void AddImage(COrvikCadView* view, const QString& path);

    RubberBand band_;
    RubberBand cross_;
};
