#include "model/FitAllBox.h"

#include <cmath>

ModelBox FitAllBox(const CEntity* first, const double* extMin, const double* extMax)
{
    const double w = extMax[0] - extMin[0], h = extMax[1] - extMin[1];
    const bool sheet = std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0;
    auto nearSheet = [&](const ModelBox& b) {
        return sheet && b.maxX >= extMin[0] - w && b.minX <= extMax[0] + w && b.maxY >= extMin[1] - h &&
               b.minY <= extMax[1] + h;
    };
    ModelBox all, shown;
    for (const CEntity* e = first; e; e = e->next) {
        if (e->state < 0) continue;
        const ModelBox b = EntityExtentBox(*e);
        if (!b.valid) continue;
        all.Add(b);
        const bool text = e->type == EntityType::Text || e->type == EntityType::LeaderText;
        if (!text || nearSheet(b)) shown.Add(b);
    }
    return shown.valid ? shown : all;
}
