#pragma once
// The brush of a fill pattern (the style word's hundreds): patterns 1 to 6
// are the hatch brushes horizontal, vertical, cross, backward diagonal,
// forward diagonal and diagonal cross; any other pattern is solid.

#include "platform/Dc.h"

platform::Brush FillBrush(int pattern, COLORREF colour);
