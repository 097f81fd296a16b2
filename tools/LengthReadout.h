#pragma once
// Length read-outs: while a rubber band is dragged from a clicked point, the
// distance shown as a small number beside the segment. A read-out is drawn
// by an inverting copy, so drawing the same one again at the same place
// takes it away; the tools remember what they drew (readoutKind,
// readoutPos) and erase it that way before drawing the next.

#include <string>

class CDrawTool;
class COrvikCadView;

// Size of the label a read-out inverts into the view (a black picture).
inline constexpr int ReadoutLabelWidth = 60;
inline constexpr int ReadoutLabelHeight = 15;

// The distance as the label shows it: one decimal, trailing zeros and then
// a trailing point removed (5.0 -> "5", 12.5 -> "12.5").
std::string FormatReadoutLength(double distance);

// The read-out of the segment from the tool's last input point to the model
// point (x, y); nothing while no point was taken.
void ShowLengthReadout(CDrawTool& tool, COrvikCadView* view, double x, double y);
// The same from the tool's input point `index`.
void ShowLengthReadoutFrom(CDrawTool& tool, COrvikCadView* view, double x, double y, int index);
// The length label of an axis-bound rubber band: the distance from the
// tool's last input point to (x, y) measured along the horizontal through it
// (orientation not 0) or the vertical (orientation 0), placed and painted as
// the read-outs above.
void DrawLengthLabel(CDrawTool& tool, COrvikCadView* view, double x, double y, int orientation);
// Inverts the label with the text into the view, its top-left corner at the
// view point (px, py). A second identical call restores the pixels.
void DrawReadoutLabel(COrvikCadView* view, int px, int py, const std::string& text);
