#pragma once
// The steps every edit of a document's entity list follows, so that its undo
// step comes out right. Each edit starts with BeginEdit (which drops the
// previous step), changes the list, and finishes with one of the Finish/
// Delete calls below. `snaps` may be null for lists without snap points.

#include "model/EntityList.h"

#include <span>

class CSnapPointList;

// Whether the undo command has anything to do: the list is not empty, and
// an add would not take back the grid record.
bool CanUndo(const CEntityList& list);

// Drops the pending undo step (CEntityList::DiscardUndo).
void BeginEdit(CEntityList& list, CSnapPointList* snaps);

// A pure add of several top-level entities starting at `firstNew` (already
// added): the mark goes to `firstNew` so that one undo takes the whole run.
// If a mark is already set, beeps, shows "011:入換えエラー！" and leaves it.
void FinishAddedRun(CEntityList& list, CEntity* firstNew);

// A replacing edit: the replaced entities are in state -1 and the new ones
// added, the first of them `firstNew` (null when none was added). Switches
// off the snap points of the replaced entities, moves them into the undo
// step and, when anything was added and removed, records the step (state 3).
void FinishReplacingEdit(CEntityList& list, CSnapPointList* snaps, CEntity* firstNew);
// The same without walking the list, when the edit knows what it replaced:
// `replaced` names the entities it put in state -1, which with those put
// there through CEntityList::MarkDeleted are all the list holds in it.
void FinishReplacingEdit(CEntityList& list, CSnapPointList* snaps, CEntity* firstNew,
                         std::span<CEntity* const> replaced);

// Replaces one entity by one just added (a property change): `old` goes out
// of the list into the undo step, `replacement` takes its owner and group
// number, and the step is recorded (state 3). A step still pending is
// dropped first.
void FinishReplaceOne(CEntityList& list, CSnapPointList* snaps, CEntity* old, CEntity* replacement);

// A pure delete: the entities go to state -1 and into the undo step (state 1)
// in list order, together with any put in state -1 through
// CEntityList::MarkDeleted; the list is not walked.
void DeleteEntities(CEntityList& list, CSnapPointList* snaps, std::span<CEntity* const> doomed);

// Takes one entity out of the list into the undo step as a pure delete; a
// second call in the same edit adds it to the same step.
void MoveEntityToUndo(CEntityList& list, CSnapPointList* snaps, CEntity* entity);

// Deletes a group header or dimension with all its members (state 1).
void DeleteOwnerWithMembers(CEntityList& list, CSnapPointList* snaps, CEntity* owner);
