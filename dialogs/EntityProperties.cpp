#include "dialogs/EntityProperties.h"

#include "dialogs/ChangeArcDlg.h"
#include "dialogs/ChangeEllipDLg.h"
#include "dialogs/ChangeLineDlg.h"
#include "dialogs/ChangePointDlg.h"
#include "dialogs/ChangePolyDlg.h"
#include "dialogs/ChangeSplineDlg.h"
#include "model/Document.h"
#include "model/EditDoor.h"
#include "model/EntityKinds.h"
#include "model/EntityList.h"
#include "platform/BackBuffer.h"
#include "view/OrvikCadView.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace {

constexpr double InfiniteStart = -999999.9;
constexpr double InfiniteEnd = 9999999.9;

int16_t StyleWord(int lineType, int pen)
{
    return static_cast<int16_t>(lineType * 100 + pen);
}

} // namespace

// Puts a new entity made of header, codes, colour and values in the place of
// old: the new one comes at the end of the list with old's owner and group
// number, old goes into the undo step, and one undo swaps them back. A
// protected drawing (its message) or a record the list refuses changes
// nothing, the pending undo step included.
void ReplaceEntity(COrvikCadView* view, CEntity* old, const EntityHeader& header, const int16_t* codes,
                   COLORREF colour, const double* values, std::string_view text, std::string_view font)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return;
    EntityRecord record;
    record.header = header;
    record.colour = colour;
    record.text = std::string(text);
    record.font = std::string(font);
    record.values.assign(values, values + std::max<int>(header.count, 0));
    if (codes)
        record.codes.assign(codes, codes + std::max<int>(header.count, 0));
    EditDoor door(*doc, /*keepUndo=*/true);
    CEntity* replacement = door.Replace(old, record);
    if (!replacement)
        return;
    door.FinishReplacing();
    replacement->state = EntityState::Normal;
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, replacement, EntityState::Normal);
}

namespace {

template <class Dialog>
void SeedStyle(Dialog& dlg, const CEntity& e)
{
    dlg.lineType = e.style / 100;
    dlg.pen = e.style % 100;
    dlg.colour = e.colour;
}

double Value(const CEntity& e, int i)
{
    return i < static_cast<int>(e.values.size()) ? e.values[i] : 0.0;
}

// A dialog value kept under a group code; a position is shown relative to
// its coordinate of the drawing origin, a length or an angle (origin null)
// as it is.
struct CodedValue {
    int16_t code;
    double* member;
    const double* origin;
};

// Seeds each member from the entity's value under its code; a code the
// entity does not have leaves the member alone.
void ReadCodedValues(const CEntity& e, std::span<const CodedValue> coded)
{
    for (std::size_t i = 0; i < e.codes.size() && i < e.values.size(); ++i)
        for (const CodedValue& c : coded)
            if (e.codes[i] == c.code)
                *c.member = c.origin ? e.values[i] - *c.origin : e.values[i];
}

// Replaces old by an entity of header holding every coded value, in the
// order given, back in drawing coordinates.
void ReplaceWithCodedValues(COrvikCadView* view, CEntity* old, const EntityHeader& header, COLORREF colour,
                            std::span<const CodedValue> coded)
{
    std::vector<int16_t> codes;
    std::vector<double> values;
    for (const CodedValue& c : coded) {
        codes.push_back(c.code);
        values.push_back(c.origin ? *c.member + *c.origin : *c.member);
    }
    ReplaceEntity(view, old, header, codes.data(), colour, values.data());
}

} // namespace

int EditEntityProperties(COrvikCadView* view, CEntity* entity)
{
    if (!view || !entity)
        return 0;
    // The dialog of each kind, by the dialog its row names. Kinds whose row
    // names none (the grid, group headers, the unused curve variants) open
    // nothing.
    using Editor = int (*)(COrvikCadView*, CEntity*);
    static constexpr std::pair<PropertyDialog, Editor> editors[] = {
        {PropertyDialog::Point, EditPointProperties},     {PropertyDialog::Line, EditLineProperties},
        {PropertyDialog::Curve, EditCurveProperties},     {PropertyDialog::Circle, EditArcProperties},
        {PropertyDialog::Ellipse, EditEllipseProperties}, {PropertyDialog::Polygon, EditPolygonProperties},
        {PropertyDialog::Text, EditTextProperties},       {PropertyDialog::LeaderText, EditLeaderTextProperties},
        {PropertyDialog::Dimension, EditDimensionProperties}, {PropertyDialog::Fill, EditPaintProperties},
        {PropertyDialog::Hatch, EditHatchProperties},     {PropertyDialog::Image, EditImageProperties},
    };
    const PropertyDialog dialog = KindOf(entity->type).dialog;
    for (const auto& [which, edit] : editors)
        if (which == dialog)
            return edit(view, entity);
    return 0;
}

int EditPointProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    CChangePointDlg dlg(view);
    dlg.shape = entity->subtype;
    dlg.pen = entity->style % 100;
    dlg.weight = static_cast<int16_t>(entity->style / 100);
    dlg.colour = entity->colour;
    dlg.x = Value(*entity, 0) - doc->DrawingOrigin[0];
    dlg.y = Value(*entity, 1) - doc->DrawingOrigin[1];
    if (dlg.DoModal() != IDOK)
        return 1;
    const EntityHeader header{entity->type, static_cast<int16_t>(dlg.shape), StyleWord(dlg.weight, dlg.pen),
                              entity->layer, 2};
    const int16_t* codes = FixedCodes(EntityType::Point).data();
    const double values[] = {dlg.x + doc->DrawingOrigin[0], dlg.y + doc->DrawingOrigin[1]};
    ReplaceEntity(view, entity, header, codes, dlg.colour, values);
    return 0;
}

int EditLineProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    const double ox = doc->DrawingOrigin[0];
    const double oy = doc->DrawingOrigin[1];
    CChangeLineDlg dlg(view);
    dlg.startX = Value(*entity, 0) - ox;
    dlg.startY = Value(*entity, 1) - oy;
    dlg.endX = Value(*entity, 2) - ox;
    dlg.endY = Value(*entity, 3) - oy;
    SeedStyle(dlg, *entity);
    dlg.kind = 0;
    if (entity->type == EntityType::HorizontalInfiniteLine) {
        dlg.kind = 1;
        dlg.startX = Value(*entity, 0);
        dlg.endX = Value(*entity, 2);
    } else if (entity->type == EntityType::VerticalInfiniteLine) {
        dlg.kind = 2;
        dlg.startY = Value(*entity, 1);
        dlg.endY = Value(*entity, 3);
    }
    if (dlg.DoModal() != IDOK)
        return 1;
    EntityHeader header{entity->type, entity->subtype, StyleWord(dlg.lineType, dlg.pen), entity->layer, 4};
    double values[] = {dlg.startX + ox, dlg.startY + oy, dlg.endX + ox, dlg.endY + oy};
    if (dlg.kind == 1) {
        header.type = EntityType::HorizontalInfiniteLine;
        values[0] = InfiniteStart;
        values[1] = dlg.startY + oy;
        values[2] = InfiniteEnd;
        values[3] = dlg.startY + oy;
    } else if (dlg.kind == 2) {
        header.type = EntityType::VerticalInfiniteLine;
        values[0] = dlg.startX + ox;
        values[1] = InfiniteStart;
        values[2] = dlg.startX + ox;
        values[3] = InfiniteEnd;
    }
    const int16_t* codes = FixedCodes(EntityType::Line).data();
    ReplaceEntity(view, entity, header, codes, dlg.colour, values);
    return 0;
}

int EditArcProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    CChangeArcDlg dlg(view);
    const CodedValue coded[] = {{10, &dlg.centerX, &doc->DrawingOrigin[0]},
                                {20, &dlg.centerY, &doc->DrawingOrigin[1]},
                                {40, &dlg.radius, nullptr},
                                {50, &dlg.startAngle, nullptr},
                                {51, &dlg.endAngle, nullptr}};
    dlg.kind = entity->type == EntityType::Arc ? 1 : 0;
    ReadCodedValues(*entity, coded);
    dlg.direction = entity->subtype;
    SeedStyle(dlg, *entity);
    if (dlg.DoModal() != IDOK)
        return 1;
    const bool arc = dlg.kind == 1;
    const EntityHeader header{arc ? EntityType::Arc : EntityType::Circle, static_cast<int16_t>(dlg.direction),
                              StyleWord(dlg.lineType, dlg.pen), entity->layer, static_cast<int16_t>(arc ? 5 : 3)};
    ReplaceWithCodedValues(view, entity, header, dlg.colour, coded);
    return 0;
}

int EditEllipseProperties(COrvikCadView* view, CEntity* entity)
{
    const COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    CChangeEllipDLg dlg(view);
    const CodedValue coded[] = {{10, &dlg.centerX, &doc->DrawingOrigin[0]},
                                {20, &dlg.centerY, &doc->DrawingOrigin[1]},
                                {60, &dlg.majorAxis, nullptr},
                                {61, &dlg.minorAxis, nullptr},
                                {62, &dlg.tiltAngle, nullptr},
                                {50, &dlg.startAngle, nullptr},
                                {51, &dlg.endAngle, nullptr}};
    dlg.kind = entity->type == EntityType::EllipticArc ? 1 : 0;
    ReadCodedValues(*entity, coded);
    SeedStyle(dlg, *entity);
    if (dlg.DoModal() != IDOK)
        return 1;
    const bool arc = dlg.kind == 1;
    const EntityHeader header{arc ? EntityType::EllipticArc : EntityType::Ellipse, entity->subtype,
                              StyleWord(dlg.lineType, dlg.pen), entity->layer, static_cast<int16_t>(arc ? 7 : 5)};
    ReplaceWithCodedValues(view, entity, header, dlg.colour, coded);
    return 0;
}

int EditPolygonProperties(COrvikCadView* view, CEntity* entity)
{
    const std::vector<double> values = entity->values.ToVector();
    CChangePolyDlg dlg(view);
    SeedStyle(dlg, *entity);
    if (dlg.DoModal() != IDOK)
        return 1;
    const EntityHeader header{EntityType::Polygon, entity->subtype, StyleWord(dlg.lineType, dlg.pen), entity->layer,
                              static_cast<int16_t>(values.size())};
    ReplaceEntity(view, entity, header, nullptr, dlg.colour, values.data());
    return 0;
}

int EditCurveProperties(COrvikCadView* view, CEntity* entity)
{
    COrvikCadDoc* doc = view->GetDrawing();
    if (!doc)
        return 0;
    CChangeSplineDlg dlg(view);
    SeedStyle(dlg, *entity);
    if (dlg.DoModal() != IDOK)
        return 1;
    // Only the look changes: the points, the place in the list and the
    // undo step stay as they are.
    const int16_t style = StyleWord(dlg.lineType, dlg.pen);
    const COLORREF colour = dlg.colour;
    if (!doc->ChangeEntity(entity, [&](CEntity& e) {
            e.state = EntityState::Normal;
            e.style = style;
            e.colour = colour;
        }))
        return 0;
    auto dc = view->GetClientDc();
    view->DrawEntity(*dc, entity, EntityState::Normal);
    return 0;
}
