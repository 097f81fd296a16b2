#pragma once
// Editing an entity's properties, run by the selection tool's double click:
// one modal dialog per entity type. OK replaces the entity by a new one at
// the end of the list as one undo step (curves change in place instead).
// Each function returns 0 when the dialog was confirmed (or refused, or the
// type has none) and 1 when it was cancelled.

class COrvikCadView;
struct CEntity;

int EditEntityProperties(COrvikCadView* view, CEntity* entity);

int EditPointProperties(COrvikCadView* view, CEntity* entity);
int EditLineProperties(COrvikCadView* view, CEntity* entity);
int EditArcProperties(COrvikCadView* view, CEntity* entity);
int EditEllipseProperties(COrvikCadView* view, CEntity* entity);
int EditPolygonProperties(COrvikCadView* view, CEntity* entity);
// Line type, pen and colour of a control-point or freehand curve, in place.
int EditCurveProperties(COrvikCadView* view, CEntity* entity);
