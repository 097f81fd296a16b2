#pragma once
// State shared by every drawing tool: which tool receives the view's calls,
// the step of the running operation and the values typed for it. One user
// interface thread touches these, during message handling.
//
// The display switches (MagnetEnabled, LengthReadoutEnabled) and the look of
// new entities (CurrentPen, CurrentLineType, CurrentColor) are process-wide
// settings and live in model/Settings.h.

#include <cstdint>

// Every piece of shared tool state, declared once: X(type, name, value at
// start). The list gives the declarations, the definitions and the snapshot.
//   CurrentToolId       id of the tool that receives the view's calls; 0 the selection tool
//   ToolSubMode         sub-mode of the current tool (the item of its menu group)
//   InputPointCount     points taken by the running operation; 0 = none pending
//   XorPreviewShown     a not-XOR rubber band or preview is on screen
//   OperationRestarted  the operation was cancelled back to its first step
//   SelectionArmed      entities are marked for a sub-mode command; context menu armed
//   ButtonDownPending   the move tool's window selection is being dragged
//   TextBoxOpen         the text tool's in-place edit box is shown
//   BaseMarkerHidden    the perpendicular's reference is an infinite line
//   NumericInputValue, NumericInputValue2  values typed into the numeric input
//   NumericInputKind    input mode of the last two-value dialog
//   NumericInputPending the point fed to OnLButtonUp carries typed values
//   PaletteCategory, PaletteSubCommand  the palette's current pair (group,
//                       item), also written by the palette
#define ORVIK_TOOL_STATE(X)              \
    X(int, CurrentToolId, 0)             \
    X(int, ToolSubMode, 0)               \
    X(int, InputPointCount, 0)           \
    X(int16_t, XorPreviewShown, 0)       \
    X(int16_t, OperationRestarted, 0)    \
    X(int16_t, SelectionArmed, 0)        \
    X(int16_t, ButtonDownPending, 0)     \
    X(int16_t, TextBoxOpen, 0)           \
    X(int16_t, BaseMarkerHidden, 0)      \
    X(double, NumericInputValue, 0.0)    \
    X(double, NumericInputValue2, 0.0)   \
    X(int16_t, NumericInputKind, 0)      \
    X(int16_t, NumericInputPending, 0)   \
    X(int16_t, PaletteCategory, 0)       \
    X(int16_t, PaletteSubCommand, 0)

#define ORVIK_DECLARE_TOOL_STATE(type, name, value) extern type name;
ORVIK_TOOL_STATE(ORVIK_DECLARE_TOOL_STATE)
#undef ORVIK_DECLARE_TOOL_STATE

// A copy of the shared tool state: Capture takes one, Restore puts it back.
struct ToolStateSnapshot {
#define ORVIK_TOOL_STATE_FIELD(type, name, value) type name;
    ORVIK_TOOL_STATE(ORVIK_TOOL_STATE_FIELD)
#undef ORVIK_TOOL_STATE_FIELD

    static ToolStateSnapshot Capture();
    void Restore() const;
};

// The shared tool state back to its values at start.
void RestoreInitialToolState();

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
