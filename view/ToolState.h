#pragma once
// State shared by every drawing tool: which tool receives the view's calls,
// the step of the running operation and the values typed for it. One user
// interface thread touches these, during message handling.
//
// The display switches (MagnetEnabled, LengthReadoutEnabled) and the look of
// new entities (CurrentPen, CurrentLineType, CurrentColor) are process-wide
// settings and live in model/Settings.h.

#include <cstdint>

extern int CurrentToolId;           // id of the tool that receives the view's calls; 0 the selection tool
extern int ToolSubMode;             // sub-mode of the current tool (the item of its menu group)
extern int InputPointCount;         // points taken by the running operation; 0 = none pending
extern int16_t XorPreviewShown;     // a not-XOR rubber band or preview is on screen
extern int16_t OperationRestarted;  // the operation was cancelled back to its first step
extern int16_t SelectionArmed;      // entities are marked for a sub-mode command; context menu armed
extern int16_t ButtonDownPending;   // the move tool's window selection is being dragged
extern int16_t TextBoxOpen;         // the text tool's in-place edit box is shown
extern int16_t BaseMarkerHidden;    // the perpendicular's reference is an infinite line
extern double NumericInputValue, NumericInputValue2;  // values typed into the numeric input
extern int16_t NumericInputKind;    // input mode of the last two-value dialog
extern int16_t NumericInputPending; // the point fed to OnLButtonUp carries typed values

// The palette's current pair (group, item), also written by the palette.
extern int16_t PaletteCategory;
extern int16_t PaletteSubCommand;

// Tool ids by tool.
namespace ToolId {
inline constexpr int Select = 0;
inline constexpr int Point = 1;
inline constexpr int Line = 2;
inline constexpr int Curve = 3;
inline constexpr int Circle = 4;
inline constexpr int Poly = 5;
inline constexpr int Text = 6;
inline constexpr int Dimension = 7;
inline constexpr int Delete = 8;
inline constexpr int Expansion = 9;
inline constexpr int Corner = 10;
inline constexpr int Move = 11;
inline constexpr int Hatch = 12;
inline constexpr int Image = 13;
inline constexpr int Transform = 14;
inline constexpr int Develop = 15;
inline constexpr int Inport = 16;
} // namespace ToolId

// The tool id a palette group (0..16) stands for; -1 for any other group.
int ToolIdOfGroup(int group);

// Makes the pair (group, item) current: the group's tool (a group outside
// 0..16 keeps the current tool), the item as sub-mode, and no step pending.
// It neither cancels the running operation nor draws.
void SetCurrentTool(int group, int item);
