#pragma once
// The one door through which a drawing is changed. An edit opens the door,
// adds, replaces, changes in place or deletes entities through it, and
// finishes by recording its undo step:
//
//     EditDoor door(doc);             // drops the pending undo step
//     CEntity* e = door.Add(record);  // null when refused
//     door.FinishAdded();             // one undo takes the run
//
// The door
// - refuses a protected drawing once, with the drawing's message, at the
//   first change asked of it; every later change of the same edit is refused
//   without another message, and nothing changes;
// - refuses a record holding a value that is not a finite number (no
//   message), and one the list refuses (a coordinate out of range);
// - marks the drawing modified at the first change;
// - registers the snap points of whatever comes in (a dimension's members
//   too) and takes them off whatever is changed in place, so nobody outside
//   the model feeds the snap points by hand;
// - tells the list's journal of every change, which the crossing, paint and
//   pick indexes follow.

#include "model/EntityKinds.h"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

class COrvikCadDoc;

class EditDoor {
public:
    // Begins an edit of doc; drops the pending undo step (a refused edit
    // loses it too). With keepUndo the step stays until a finish records a
    // new one, so that an edit refused on the way leaves it as it was.
    explicit EditDoor(COrvikCadDoc& doc, bool keepUndo = false);
    EditDoor(const EditDoor&) = delete;
    EditDoor& operator=(const EditDoor&) = delete;

    // Asks the drawing whether it may be changed: false (after its message,
    // shown once per edit) when it is protected.
    bool Enter();
    bool Refused() const { return refused_; }

    // Adds one record at the tail (a member of owner when owner is not
    // null). Returns it (a dimension's record, whose members the list builds
    // behind it) or null when refused.
    CEntity* Add(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                 std::string_view text = {}, std::string_view font = {}, CEntity* owner = nullptr);
    CEntity* Add(const EntityRecord& record, CEntity* owner = nullptr);

    // Puts `old` out (state -1, into the undo step at the finish) and adds
    // the record in its place at the tail. Null (old untouched) when
    // refused.
    CEntity* Replace(CEntity* old, const EntityRecord& record);

    // Changes a linked entity in place through edit(entity); its snap
    // points are registered afresh and the indexes told. False when refused
    // or the entity is not in the drawing.
    bool Change(CEntity* entity, const std::function<void(CEntity&)>& edit);

    // Puts a linked entity out (state -1); it goes into the undo step at the
    // finish. False when refused.
    bool Delete(CEntity* entity);

    // ---- finishing: each records the undo step of what was done ----
    // A pure add: one undo takes the whole run from the first added. If the
    // list already holds a mark, beeps and shows "011:入換えエラー！".
    // False when nothing was added or the mark was taken.
    bool FinishAdded();
    // A replacing edit: the entities put out (by Replace or Delete) go into
    // the undo step and the entities added stay as its new run; the list is
    // not walked.
    void FinishReplacing();
    // A pure delete: the entities put out go into the undo step.
    void FinishDeleted();

    CEntity* FirstAdded() const { return firstAdded_; }
    int AddedCount() const { return added_; }
    std::span<CEntity* const> PutOut() const { return putOut_; }
    COrvikCadDoc& Document() const { return doc_; }

private:
    void Modified();
    void DropKeptUndo();

    COrvikCadDoc& doc_;
    bool keptUndo_ = false;
    bool asked_ = false;
    bool refused_ = false;
    bool modified_ = false;
    CEntity* firstAdded_ = nullptr;
    int added_ = 0;
    std::vector<CEntity*> putOut_;
};

// Moves the entities of the drawing from `from` on (null: all of them) by
// (dx, dy) in place, by the kinds' one shift rule: the list's journal is
// told (every index starts again) and the snap points are built afresh.
// A move of the whole drawing on its paper is no edit: protection and the
// undo step do not concern it.
void ShiftDrawing(COrvikCadDoc& doc, double dx, double dy, CEntity* from = nullptr);
