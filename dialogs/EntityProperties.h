#pragma once
// Editing an entity's properties, run by the selection tool's double click:
// one modal dialog per entity type. OK replaces the entity by a new one at
// the end of the list as one undo step (curves change in place instead).
// Each function returns 0 when the dialog was confirmed (or refused, or the
// type has none) and 1 when it was cancelled.

#include "model/EntityList.h"

#include <string>
#include <string_view>

class COrvikCadView;

int EditEntityProperties(COrvikCadView* view, CEntity* entity);

int EditPointProperties(COrvikCadView* view, CEntity* entity);
int EditLineProperties(COrvikCadView* view, CEntity* entity);
int EditArcProperties(COrvikCadView* view, CEntity* entity);
int EditEllipseProperties(COrvikCadView* view, CEntity* entity);
int EditPolygonProperties(COrvikCadView* view, CEntity* entity);
// Line type, pen and colour of a control-point or freehand curve, in place.
int EditCurveProperties(COrvikCadView* view, CEntity* entity);

int EditTextProperties(COrvikCadView* view, CEntity* entity);
int EditLeaderTextProperties(COrvikCadView* view, CEntity* entity);
int EditDimensionProperties(COrvikCadView* view, CEntity* entity);
int EditPaintProperties(COrvikCadView* view, CEntity* entity);
int EditHatchProperties(COrvikCadView* view, CEntity* entity);
int EditImageProperties(COrvikCadView* view, CEntity* entity);

// Where a text with a leader goes (drawing coordinates): its text and the
// end of its shoulder, from the text (code page 932), the text height, the
// leader shape (0 none, 1 a shoulder one height long, 2 an underline as long
// as the text), the x of the leader's start and its knee. The text lies left
// of the knee when the leader runs from right to left.
struct LeaderTextPlace {
    double x = 0, y = 0;
    double shoulderX = 0, shoulderY = 0;
};
LeaderTextPlace PlaceLeaderText(const std::string& text, double height, int shape, double startX, double kneeX,
                                double kneeY);

// What every replacing applier ends with: a new entity of header, codes,
// colour, values, text and font takes old's place (and owner) at the end of
// the list as one undo step, and is drawn at once. A protected drawing shows
// its message and a record the list refuses is not added; old stays then.
void ReplaceEntity(COrvikCadView* view, CEntity* old, const EntityHeader& header, const int16_t* codes,
                   COLORREF colour, const double* values, std::string_view text = {}, std::string_view font = {});
