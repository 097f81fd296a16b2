#pragma once
// The entity list on a drawing: the document's command adds the entities of
// the rows the list dialog hands back, the view's command replaces the
// marked entities by them. The dialog itself is installed by the
// application (dialogs/ lies above the view).

#include "model/EntityRowList.h"

#include <functional>
#include <optional>
#include <vector>

class COrvikCadDoc;
class COrvikCadView;
class QWidget;

struct EntityListRequest {
    QWidget* parent = nullptr;
    const COrvikCadDoc* drawing = nullptr;  // its origin measures the rows
    bool listMarked = false;                // start with its marked entities
};

// Runs the entity list dialog: the rows applied, or nothing when cancelled.
using EntityListRunner = std::function<std::optional<std::vector<EntityRow>>(const EntityListRequest&)>;
// Installed at start-up; without it both commands do nothing.
extern EntityListRunner EntityListDialog;

// The new entity of a row in the drawing: positions from its origin, the
// current line type, pen, layer and colour.
std::optional<EntityCopy> NewEntityOfRow(const COrvikCadDoc& doc, const EntityRow& row);

// Adds an entity for every row, in order, as one undo step (one undo takes
// them all again), registering their snap points and marking the drawing
// modified when any was added; a row whose position the list refuses is
// passed over. A protected drawing shows its message once and takes none.
// The first entity added, or null.
CEntity* AddEntityRows(COrvikCadDoc& doc, const std::vector<EntityRow>& rows);

// "リスト編集..." of the view (the selection tool's entity-list mode): the
// list starts with the view's marked entities; on OK every entity it listed
// leaves the drawing and the rows come in as new ones, drawn at once, as one
// undo step (a protected drawing shows its message once and keeps all).
// The current tool is reset either way.
void OnListEdit(COrvikCadView* view);
