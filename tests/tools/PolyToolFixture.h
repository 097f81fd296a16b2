#pragma once
// A drawing stage for the box, parallelogram and polygon tool: the shared
// tool stage with the shape options at known values and the shapes of the
// drawing as groups.

#include "ToolFixture.h"

#include "tools/PolyTool.h"

#include <vector>

// A group header with the members that follow it.
struct PolyShape {
    const CEntity* header = nullptr;
    std::vector<const CEntity*> members;
    std::vector<Seg> Sides() const
    {
        std::vector<Seg> out;
        for (const CEntity* e : members)
            out.push_back({e->values[0], e->values[1], e->values[2], e->values[3]});
        return out;
    }
};

class PolyToolTestBase : public ToolTestBase<CPolyTool, ToolId::Poly> {
protected:
    PolyToolTestBase()
    {
        MagnetEnabled = 1;
        ShapeSizeGiven = 0;
        RectBasePoint = 0;
        PolygonVertexCount = 3;
        RectWidth = 10.0f;
        RectHeight = 10.0f;
        ShapeAngle = 0.0f;
        PolygonDistance = 50.0f;
        LengthReadoutEnabled = 0;
        // Shapes on the axes would lie under the drawing range's frame.
        ShowDrawingRange = 0;
        ShowOriginMark = 0;
        h.View().RedrawNow();
    }

    std::vector<PolyShape> Shapes()
    {
        std::vector<PolyShape> out;
        for (const CEntity* e : h.Entities()) {
            if (e->type == EntityType::GroupHeader)
                out.push_back({e, {}});
            else if (!out.empty() && e->owner == out.back().header)
                out.back().members.push_back(e);
        }
        return out;
    }
};
