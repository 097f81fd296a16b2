#pragma once
// The edit of one tool operation on a view: a client DC of the view on which
// every added entity is drawn at once, and the additions to the view's
// drawing (DrawingEdit). Build one per operation, when the tool's own checks
// are done; it discards the drawing's pending undo step on construction.
//
//     ToolEdit edit(view);
//     double v[2] = {x, y};
//     const int16_t* codes = FixedCodes(EntityType::Point).data();
//     edit.Add(edit.Header(EntityType::Point, 0, 2), codes, v);

#include "platform/BackBuffer.h"
#include "tools/DrawingEdit.h"
#include "model/EntityKinds.h"

#include <functional>
#include <memory>
#include <optional>

class COrvikCadView;

class ToolEdit {
public:
    explicit ToolEdit(COrvikCadView* view);
    ~ToolEdit();
    ToolEdit(const ToolEdit&) = delete;
    ToolEdit& operator=(const ToolEdit&) = delete;

    // False when the view shows no drawing (then nothing can be added).
    bool Ready() const { return edit_.has_value(); }

    // A header on the view's current layer with the current line type and pen.
    EntityHeader Header(int16_t type, int16_t subtype, int16_t count) const;

    CEntity* Add(const EntityHeader& header, const int16_t* codes, const double* values,
                 std::string_view text = {}, std::string_view font = {});
    // The same in the given colour rather than CurrentColor.
    CEntity* AddInColour(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values);
    CEntity* AddChild(const EntityHeader& header, const int16_t* codes, const double* values,
                      std::string_view text, std::string_view font, CEntity* owner);
    // Changes an entity of the drawing in place (DrawingEdit::Change).
    bool Change(CEntity* entity, const std::function<void(CEntity&)>& edit);
    // Makes the entities added one undo step (see DrawingEdit::CloseRun).
    bool CloseRun();

    int AddedCount() const { return edit_ ? edit_->AddedCount() : 0; }
    platform::Dc& Dc() { return *dc_; }

private:
    COrvikCadView* view_;
    std::unique_ptr<platform::ClientDc> dc_;
    std::optional<DrawingEdit> edit_;
};
