#pragma once
// CDevelopTool: development drawings. Each click asks for the dimensions of a
// cylinder, a square prism with rounded corners or a cone (the sub-mode says
// which) and adds the plan, the side view and the unfolded surface at the
// clicked point as one group.

#include "view/DrawTool.h"
#include "view/ToolState.h"

#include <array>
#include <functional>

class CEntity;

class CDevelopTool : public CDrawTool {
public:
    CDevelopTool() : CDrawTool(ToolId::Develop)
    {
        InputPointCount = 0;
    }

    // Runs the parameter dialog for a kind (0 cylinder, 1 square prism,
    // 2 cone); true with the confirmed values. Installed by the shell.
    using ParameterDialog = std::function<bool(COrvikCadView* view, int kind, std::array<float, 7>& values)>;
    static ParameterDialog RunParameterDialog;

    void OnLButtonUp(COrvikCadView* view, unsigned flags, platform::Point* point) override;
    void OnMouseMove(COrvikCadView* view, unsigned flags, platform::Point* point) override;

    // Adds the development of kind with the dialog's values at (x, y): false
    // when nothing was added (a protected drawing, values that describe no
    // development).
    bool Develop(COrvikCadView* view, int kind, const std::array<float, 7>& values, double x, double y);

    CEntity* GroupOwner = nullptr;
};
