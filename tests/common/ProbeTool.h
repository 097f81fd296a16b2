#pragma once
// A small creating tool for the framework tests: two clicks make a line,
// with a not-XOR rubber band between them and the magnet marker on every
// move. A right click or Reset cancels the step and erases the band. It
// follows the same protocol the real tools follow.

#include "view/OrvikCadView.h"
#include "view/DrawTool.h"
#include "tools/ToolEdit.h"
#include "view/ToolState.h"

class CProbeTool : public CDrawTool {
public:
    static constexpr int Id = 77;
    CProbeTool() : CDrawTool(Id) {}

    int lButtonUps = 0;
    int rButtonDowns = 0;
    platform::Point lastRightPoint{};
    int lastFlags = 0;

    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override
    {
        CDrawTool::OnLButtonUp(view, flags, point);
        ++lButtonUps;
        double x = 0, y = 0;
        ClickPoint(view, *point, 0, x, y);
        X[InputPointCount] = x;
        Y[InputPointCount] = y;
        if (InputPointCount == 0) {
            anchor = PreviewPoint(view, x, y);
            InputPointCount = 1;
            return;
        }
        EraseBand(view);
        ToolEdit edit(view);
        const int16_t codes[4] = {10, 20, 11, 22};
        const double values[4] = {X[0], Y[0], x, y};
        edit.Add(edit.Header(EntityType::Line, 0, 4), codes, values);
        InputPointCount = 0;
    }

    void OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point) override
    {
        if (InputPointCount == 1) {
            EraseBand(view);
            corner = *point;
            DrawBand(view);
            XorPreviewShown = 1;
        }
        UpdateMagnetMarker(view, *point);
    }

    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override
    {
        ++rButtonDowns;
        lastRightPoint = *point;
        lastFlags = static_cast<int>(flags);
        Reset(view);
    }

    void Reset(COrvikCadView* view) override
    {
        EraseBand(view);
        InputPointCount = 0;
        OperationRestarted = 1;
    }

private:
    void DrawBand(COrvikCadView* view)
    {
        auto dc = view->GetClientDc();
        dc->SetRop2(platform::Rop2::NotXorPen);
        dc->SelectPen(platform::Pen::Make(platform::PenStyle::Solid, 1, xorColor));
        dc->MoveTo(anchor.x, anchor.y);
        dc->LineTo(corner.x, corner.y);
    }
    void EraseBand(COrvikCadView* view)
    {
        if (XorPreviewShown) {
            DrawBand(view);
            XorPreviewShown = 0;
        }
    }
};
