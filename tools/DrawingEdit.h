#pragma once
// How a tool changes a drawing: one DrawingEdit per operation adds the
// operation's entities to the document and can make them one undo step;
// UndoDrawing takes one undo or redo step. Both report what the screen must
// show through callbacks, so the view decides how to draw and erase.
//
// The order of an operation is fixed: the pending undo step is discarded
// first (a refused operation loses it too), then each entity goes through
// the drawing's edit door (EditDoor.h: protection asked once, values
// checked, added, the drawing marked modified, its snap points registered)
// and is drawn.

#include "model/EditDoor.h"
#include "model/EntityList.h"

#include <functional>
#include <string_view>

class COrvikCadDoc;

// Header of a new entity with the current line type and pen as its style.
EntityHeader NewEntityHeader(int16_t type, int16_t subtype, int16_t count, int16_t layer);

class DrawingEdit {
public:
    using EntityAction = std::function<void(CEntity*)>;

    // Starts an operation on doc: discards its pending undo step. draw is
    // called for every entity added (may be empty).
    DrawingEdit(COrvikCadDoc& doc, EntityAction draw);

    // Adds one entity in CurrentColor (or colour). Null when the drawing is
    // protected (its message is shown), when a value is not a finite number
    // or when the list refuses it (no message).
    CEntity* Add(const EntityHeader& header, const int16_t* codes, const double* values,
                 std::string_view text = {}, std::string_view font = {});
    CEntity* Add(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                 std::string_view text, std::string_view font);
    // The same for a member of owner.
    CEntity* AddChild(const EntityHeader& header, const int16_t* codes, const double* values,
                      std::string_view text, std::string_view font, CEntity* owner);

    // Changes an entity of the drawing in place (EditDoor::Change): false
    // when the drawing is protected or the entity is not in it.
    bool Change(CEntity* entity, const std::function<void(CEntity&)>& edit);

    // Makes the entities added so far one undo step. A mark already held by
    // the list beeps and shows "011:入換えエラー！" instead. False when
    // nothing was added or the mark was taken.
    bool CloseRun();

    CEntity* FirstAdded() const { return door_.FirstAdded(); }
    int AddedCount() const { return door_.AddedCount(); }
    COrvikCadDoc& Document() const { return doc_; }

private:
    CEntity* AddRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values,
                       std::string_view text, std::string_view font, CEntity* owner);

    COrvikCadDoc& doc_;
    EditDoor door_;
    EntityAction draw_;
};

// One undo or redo step of doc's list. erase is called for each entity that
// leaves the screen, draw for each that comes back (its state already 0);
// snap points follow (-1 out, 0 back). Nothing happens on an empty list or
// when nothing but the grid record is held and no step is pending.
void UndoDrawing(COrvikCadDoc& doc, const DrawingEdit::EntityAction& erase, const DrawingEdit::EntityAction& draw);
