#include "view/ToolState.h"

int CurrentToolId = 0;
int ToolSubMode = 0;
int InputPointCount = 0;
int16_t XorPreviewShown = 0;
int16_t OperationRestarted = 0;
int16_t SelectionArmed = 0;
int16_t ButtonDownPending = 0;
int16_t TextBoxOpen = 0;
int16_t BaseMarkerHidden = 0;
double NumericInputValue = 0.0, NumericInputValue2 = 0.0;
int16_t NumericInputKind = 0;
int16_t NumericInputPending = 0;
int16_t PaletteCategory = 0;
int16_t PaletteSubCommand = 0;

int ToolIdOfGroup(int group)
{
    if (group < 0 || group > 16)
        return -1;
    switch (group) {
    case 11:
        return ToolId::Transform;
    case 12:
        return ToolId::Move;
    case 13:
        return ToolId::Hatch;
    case 14:
        return ToolId::Image;
    default:
        return group;  // 0..10, 15 and 16 are their own ids
    }
}

void SetCurrentTool(int group, int item)
{
    const int id = ToolIdOfGroup(group);
    if (id >= 0)
        CurrentToolId = id;
    ToolSubMode = item;
    OperationRestarted = 0;
    InputPointCount = 0;
    XorPreviewShown = 0;
}
