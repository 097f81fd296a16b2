#pragma once
// CCornerTool: two picked lines are brought to the corner where their
// infinite lines meet, with nothing, a chamfer or a fillet at the corner
// (CornerMode), each line replaced only when its trim box is ticked.
// The step is InputPointCount: 0 waits for the first line, 1 for the second.

#include "view/DrawTool.h"
#include "view/ToolState.h"

#include "model/GeometryTypes.h"

class ToolEdit;

class CCornerTool : public CDrawTool {
public:
    CCornerTool() : CDrawTool(ToolId::Corner)
    {
        InputPointCount = 0;
    }

    static constexpr const char* kStartPrompt = "コーナー処理を行う直線を指示して下さい。";

    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    // A cancel from the view ends a pending pick as the right button does.
    void Reset(COrvikCadView* view) override;

    // One line pick; the second one finds the corner and builds the chamfer
    // or fillet of the mode. False when the pick did not complete a corner.
    bool PickLine(COrvikCadView* view, platform::Point point);
    // The chamfer line between the points at CornerDistance from the corner
    // on each line; the lines' new ends go to X/Y[2] and X/Y[3].
    bool MakeChamfer(COrvikCadView* view, ToolEdit& edit);
    // The arc of radius CornerDistance tangent to both lines inside the
    // picked angle; the tangent points are the lines' new ends.
    bool MakeFillet(COrvikCadView* view, ToolEdit& edit);
    // Replaces the lines whose trim box is ticked and finishes the step.
    void TrimLines(COrvikCadView* view, ToolEdit& edit);

    CEntity* m_firstAdded = nullptr;  // first record the running corner really added
    int m_addedCount = 0;             // records the running corner really added

private:
    void Restart(COrvikCadView* view);
    // The corner of the two picked lines (X/Y[0] and X/Y[1] are the pick
    // points on them): both directions at the corner, from the corner
    // towards each pick point. False for a pick point on the corner.
    bool DirectionsAtCorner(LineResult& line1, LineResult& line2) const;
    void ReplaceLine(COrvikCadView* view, ToolEdit& edit, CEntity* line, GeoPoint pick, GeoPoint newEnd,
                     bool trim);

    HeldEntity m_pickedLines[2];
    GeoPoint corner_{};
};
