#pragma once
// A drawing stage for the line tool: the shared tool stage with the line
// tool's options at known values, and the lines of the drawing.

#include "ToolFixture.h"

#include "tools/LineTool.h"

#include <vector>

class LineToolTestBase : public ToolTestBase<CLineTool, ToolId::Line> {
protected:
    // The harness's drawing has loaded the stored settings by now; the
    // options are set after it.
    LineToolTestBase()
    {
        MagnetEnabled = 1;
        LineMode = 0;
        LineLengthGiven = 0;
        LineAngleGiven = 0;
        LineLength = 50.0f;
        LineAngle = 0.0f;
        ContinuousLineMode = 0;
        DoubleLineMode = 0;
        DoubleLineCentre = 0;
        DoubleLineLeftGap = 20.0f;
        DoubleLineRightGap = 20.0f;
        LengthReadoutEnabled = 0;
    }

    std::vector<Seg> Lines()
    {
        std::vector<Seg> out;
        for (const CEntity* e : h.Entities(EntityType::Line))
            out.push_back({e->values[0], e->values[1], e->values[2], e->values[3]});
        return out;
    }
};
