#pragma once
// The mouse capture of the drawing views and the pieces of the dispatch
// that other parts of the program reach.

#include "platform/Dc.h"

#include <functional>

class COrvikCadView;

// The view that holds the mouse from a left press to its release (the press
// inside a view captures the mouse for it).
void SetViewCapture(COrvikCadView* view);
void ReleaseViewCapture();
COrvikCadView* GetViewCapture();

// What a finished band of purpose 2 does with its rectangle (logical
// pixels, as drawn): the region is saved as an image. Empty until the image
// export installs it.
extern std::function<void(COrvikCadView& view, const platform::Rect& band)> SaveBandRegion;

// The flips and quarter turns of the selection (arguments 3 to 6 of
// command 32900) on the view's selected entities. Empty until the move
// tool installs it.
extern std::function<void(COrvikCadView& view, int argument)> TransformSelectionInPlace;

// The band's outline on a client DC, drawn with the not-XOR mix so that a
// second drawing takes it away.
void DrawBand(COrvikCadView& view, platform::Dc& dc, const platform::Rect& band);

// The client point as the view's logical point (the framework's scroll
// position added).
platform::Point ClientToLogical(const COrvikCadView& view, platform::Point client);

// The status-bar texts of a model coordinate: "X :%7.0f" / "Y :%7.0f", a
// value strictly between -1 and 1 shown as 0.
std::string CoordinatePaneText(char axis, double value);
