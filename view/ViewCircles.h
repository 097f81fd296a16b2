#pragma once
// Circle rubber bands of the tools, in device pixels; the caller sets the
// pen and the mix. Each is closed (start and end of the arc coincide).

#include "platform/Dc.h"

// The circle about (cx, cy) through (px, py).
void DrawCircleCenterPoint(platform::Dc& dc, int cx, int cy, int px, int py);
// The circle on the diameter from (x1, y1) to (x2, y2).
void DrawCircleTwoPoints(platform::Dc& dc, int x1, int y1, int x2, int y2);
