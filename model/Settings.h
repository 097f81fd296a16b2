#pragma once
// Process-wide settings shared by the model and the program.

#include <cstdint>

// Reference point of a selection for the turn and mirror-in-place commands:
// 0 the centre of its box, 1 the lower-left corner, 2 the upper-left corner.
extern int16_t PartsBase;
