#pragma once
// The edit that replaces chosen entities by new ones, shared by every tool
// that moves, turns, mirrors or scales them: the sources leave the drawing
// into one undo step and their copies follow at the end of the list, so one
// undo brings the sources back and a second one the copies.

#include "model/EditDoor.h"
#include "model/EntityTransform.h"
#include "platform/Dc.h"

#include <functional>
#include <optional>
#include <span>

class COrvikCadView;

// The copy that replaces one source, or nothing when the source stays as
// it is (no rule for it, or the rule declines it).
using ReplaceRule = std::function<std::optional<EntityCopy>(const CEntity& source)>;

struct ReplaceResult {
    CEntity* firstNew = nullptr;  // first copy added (a dimension's record), null when none
    int replaced = 0;             // sources that left the drawing
    bool refused = false;         // the drawing is protected: nothing changed
};

// Replaces every entity of the view's drawing in `sourceState` (the grid
// record never) by what `rule` makes of it:
// - a protected drawing refuses once with its message before anything changes;
// - each source goes to -1 and gets at most one copy; a declined source, or
//   one whose copy the list refuses, is put back to state 0 unchanged;
// - members of a dimension get no rule: they leave with their dimension and
//   stay (state 0) with it;
// - the members of every live group header are linked to it again by group
//   number, and every snap point takes its entity's state;
// - the step is finished as a replacing edit (undo state 3, mark on the first
//   copy) and the view repainted.
// relinkGroups false: the copies keep their group number but join no header
// (a mirror leaves its images outside their group).
ReplaceResult ReplaceSelection(COrvikCadView* view, int16_t sourceState, const ReplaceRule& rule,
                               bool relinkGroups = true);
// The same for sources the caller knows (all in one state, in list order):
// the list is not walked for them.
ReplaceResult ReplaceEntities(COrvikCadView* view, std::span<CEntity* const> sources, const ReplaceRule& rule,
                              bool relinkGroups = true);

// Adds one copy at the tail of the view's drawing through the edit's door
// (which registers its snap points, a dimension's members included) and
// draws it on dc. Null when refused.
CEntity* AddShownCopy(EditDoor& door, COrvikCadView* view, platform::Dc& dc, const EntityCopy& copy);

// Whether the entity is a member of a dimension (the dimension builds it).
bool IsDimensionMember(const CEntity* e);

// Links every entity with a group number to the live group header of that
// number and gives every snap point its entity's state, in one pass.
// With relinkGroups false only the snap points are brought in step.
void RelinkGroupsAndSnapStates(CEntityList& list, CSnapPointList* snaps, bool relinkGroups = true);
