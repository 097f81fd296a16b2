// CDevelopTool: the click, the dialog, the group and its members.

#include "annotation_tools/DevelopTool.h"

#include "model/Development.h"
#include "model/Document.h"
#include "model/EntityKinds.h"
#include "platform/Ui.h"
#include "tools/ToolEdit.h"
#include "view/OrvikCadView.h"

#include <vector>

CDevelopTool::ParameterDialog CDevelopTool::RunParameterDialog;

void CDevelopTool::OnMouseMove(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (view && point)
        UpdateMagnetMarker(view, *point);
}

void CDevelopTool::OnLButtonUp(COrvikCadView* view, unsigned, platform::Point* point)
{
    if (!view || !point || !RunParameterDialog)
        return;
    const int kind = ToolSubMode;
    std::array<float, 7> values{};
    if (!RunParameterDialog(view, kind, values))
        return;
    const TakenPoint p = TakePoint(view, *point, 0);
    Develop(view, kind, values, p.x, p.y);
}

bool CDevelopTool::Develop(COrvikCadView* view, int kind, const std::array<float, 7>& values, double x, double y)
{
    COrvikCadDoc* doc = view ? view->GetDrawing() : nullptr;
    if (!doc)
        return false;
    double f[7];
    for (int i = 0; i < 7; ++i)
        f[i] = values[static_cast<std::size_t>(i)];
    std::vector<develop::Member> members;
    switch (kind) {
    case 0:
        members = develop::Cylinder(x, y, f[0], f[1], f[2], develop::CurvePointCount(f[3]));
        break;
    case 1:
        members = develop::Prism(x, y, f[0], f[1], f[2], f[3], f[4], develop::CurvePointCount(f[5]));
        break;
    case 2:
        members = develop::Cone(x, y, f[0], f[1], f[2], f[3], develop::CurvePointCount(f[4]));
        break;
    default:
        break;
    }
    GroupOwner = nullptr;
    if (members.empty()) {
        platform::beep(0);
        return false;
    }

    // One edit: the pending undo step goes first, then the group record,
    // which a protected drawing refuses with its message; its members follow.
    ToolEdit edit(view);
    if (!edit.Ready())
        return false;
    const EntityHeader group{EntityType::GroupHeader, 0, 0, static_cast<int16_t>(view->currentLayer), 4};
    const double groupValues[4] = {x, y, 1.0, 0.0};
    GroupOwner = edit.AddInColour(group, FixedCodes(EntityType::GroupHeader).data(), 0, groupValues);
    if (!GroupOwner)
        return false;
    const int16_t* lineCodes = FixedCodes(EntityType::Line).data();
    const int16_t* arcCodes = FixedCodes(EntityType::Arc).data();
    const int16_t* circleCodes = FixedCodes(EntityType::Circle).data();
    for (const develop::Member& m : members) {
        if (!develop::Storable(m))
            continue;
        switch (m.shape) {
        case develop::Member::Shape::Line:
            edit.AddChild(edit.Header(EntityType::Line, 0, 4), lineCodes, m.v, {}, {}, GroupOwner);
            break;
        case develop::Member::Shape::Arc:
            edit.AddChild(edit.Header(EntityType::Arc, 1, 5), arcCodes, m.v, {}, {}, GroupOwner);
            break;
        case develop::Member::Shape::Circle:
            edit.AddChild(edit.Header(EntityType::Circle, 0, 3), circleCodes, m.v, {}, {}, GroupOwner);
            break;
        }
    }
    return true;
}
