#pragma once
// The walk behind COrvikCadView::PickEntity: which pickable entity lies
// nearest a click within the aperture, and the model point on it the click
// means. Large drawings are searched through the view's entity index; the
// answer is the one a walk over the whole list gives, ties going to the
// earlier entity.

#include "model/EntityIndex.h"

#include <cstdint>
#include <vector>

struct CEntity;
class CEntityList;

// One pick, in model millimetres.
struct PickQuery {
    double mx = 0.0, my = 0.0;   // the click
    double ap = 0.0;             // the aperture
    double best = 0.0;           // the starting best distance
    int filter = 0;              // filter code (-999: magnet off, the grid only)
    bool currentLayerOnly = false;
    uint16_t currentLayer = 0;
    const char* layerState = nullptr;  // 128 display states
    double originX = 0.0, originY = 0.0;  // the drawing origin (grid)
};

// The grid point nearest (mx, my), when the grid is shown and the point lies
// strictly within ap on both axes: 1 with (x, y), else 0 with (0, 0).
int GridPointNear(const CEntity& grid, double originX, double originY, double mx, double my, double ap, double& x,
                  double& y);

class EntityPicker {
public:
    explicit EntityPicker(EntityIndex& index) : index(index) {}

    // Lists shorter than this are walked directly.
    static constexpr std::size_t DefaultIndexThreshold = 2048;

    CEntity* Pick(CEntityList& list, const PickQuery& query, double& x, double& y);
    // The entities' geometry changed in place: the next pick rebuilds the index.
    void Invalidate() { index.Invalidate(); }
    // Lists of at least this many entities are searched through the index.
    void SetIndexThreshold(std::size_t n) { indexThreshold = n; }

private:
    EntityIndex& index;
    std::size_t indexThreshold = DefaultIndexThreshold;
    std::vector<CEntity*> scratch;
};
