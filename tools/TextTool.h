#pragma once
// CTextTool: texts (sub-mode 0, type 40) and texts with a leader line
// (sub-mode 1, type 41). A click places the view's in-place edit box where
// the text goes (for a leader: the first click starts the leader, the
// second ends it and places the box); Enter adds the text typed there.
//
// The leader's rubber band and start cross are drawn with the not-XOR mix,
// remembered as drawn and erased only while shown; a repaint of the view
// draws them once more (RedrawToolFigures).

#include "model/GeometryTypes.h"
#include "view/DrawTool.h"
#include "tools/RubberBand.h"
#include "view/ToolState.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

// The sub-modes of the text tool.
namespace TextToolMode {
inline constexpr int Plain = 0;
inline constexpr int Leader = 1;
} // namespace TextToolMode

class CTextTool : public CDrawTool {
public:
    // Most bytes of a new text.
    static constexpr std::size_t MaxTextBytes = 126;

    CTextTool();

    // ---- operations of the view ----
    void OnEnterKey(COrvikCadView* view) override;
    void FocusOptionBox(COrvikCadView* view) override;
    void OnLButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnRButtonDown(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void Reset(COrvikCadView* view) override;
    void ErasePreview(COrvikCadView* view) override;
    void RedrawToolFigures(COrvikCadView* view, platform::Dc& dc) override;

    // ---- clicks ----
    void OpenTextBox(COrvikCadView* view, platform::Point point);
    void AddLeaderPoint(COrvikCadView* view, platform::Point point);

    // The values of a leader text (codes 10 .. 81) for the leader from
    // (x0, y0) to (x1, y1), the text (cp932), the character height h and
    // the stored height and width; 9 values for the free line shape, else 11.
    static std::vector<double> LeaderValues(int shape, double x0, double y0, double x1, double y1,
                                            std::string_view text, double h, double height, double width,
                                            double angle);

private:
    // ---- the sub-modes as a table (TextTool.cpp) ----
    using ViewHandler = void (CTextTool::*)(COrvikCadView* view);
    struct SubModeRow;
    // The row of a sub-mode, or null for one the tool does not have.
    static const SubModeRow* RowOf(int subMode);
    // The first prompt of a sub-mode.
    static const char* FirstPrompt(int subMode);
    void MoveLeaderStep(COrvikCadView* view, platform::Point p);
    void CancelTextBox(COrvikCadView* view);
    void CancelLeaderStep(COrvikCadView* view);
    void ResetLeaderStep(COrvikCadView* view);

    // Moves the edit box to the view point and shows it; false when the
    // view has no edit box.
    bool PlaceTextBox(COrvikCadView* view, platform::Point at);
    static void HideTextBox(COrvikCadView* view);

    void ShowBand(COrvikCadView* view, platform::Point a, platform::Point b);
    void ShowCross(COrvikCadView* view, platform::Point at);
    void EraseBandAndCross();

    RubberBand band_;
    RubberBand cross_;
};
