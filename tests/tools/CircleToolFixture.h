#pragma once
// A drawing stage for the circle tool: the shared tool stage with the circle
// tool's options at known values, a cancelled numeric input, and the
// circles, arcs and ellipses of the drawing.

#include "ToolFixture.h"

#include "tools/CircleTool.h"

#include <vector>

class CircleToolTestBase : public ToolTestBase<CCircleTool, ToolId::Circle> {
protected:
    CircleToolTestBase()
    {
        MagnetEnabled = 1;
        CircleRadiusGiven = 0;
        CircleRadius = 20.0f;
        ArcStartAngle = 0.0f;
        ArcEndAngle = 0.0f;
        ArcDirection = 0;
        LengthReadoutEnabled = 0;
    }

    // The numeric input opened and cancelled.
    void TypeCancelled()
    {
        h.Ui().dialog([](QDialog& d) { platform::control<QPushButton>(&d, IDCANCEL)->click(); });
        h.View().OnNumericInput();
    }

    std::vector<const CEntity*> Of(int type) { return h.Entities(type); }
};

// The values of an entity, compared within tol.
inline ::testing::AssertionResult ValuesNear(const CEntity* e, std::vector<double> want, double tol = 1e-9)
{
    if (!e)
        return ::testing::AssertionFailure() << "no entity";
    if (e->values.size() != want.size())
        return ::testing::AssertionFailure() << e->values.size() << " values";
    for (std::size_t i = 0; i < want.size(); ++i)
        if (!(std::abs(e->values[i] - want[i]) <= tol))
            return ::testing::AssertionFailure() << "value " << i << " is " << e->values[i] << ", not " << want[i];
    return ::testing::AssertionSuccess();
}
