#include "view/ViewMapping.h"

#include <algorithm>
#include <cmath>

namespace {

// Device coordinates are kept within this range before they become integers.
constexpr double DeviceLimit = 134217728.0;  // 2^27

int TruncDevice(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -DeviceLimit, DeviceLimit));
}

} // namespace

double ViewMapping::MappingScale() const
{
    return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

double ViewMapping::MappingZoom() const
{
    return std::isfinite(zoom) && zoom > 0 ? zoom : 1.0;
}

int ViewMapping::XToDevice(double x) const
{
    return TruncDevice(MappingZoom() * x / MappingScale() + 0.5) - scrollX;
}

int ViewMapping::YToDevice(double y) const
{
    return clientH + scrollY - TruncDevice(MappingZoom() * y / MappingScale() + 0.5);
}

double ViewMapping::XToModel(int xd) const
{
    return (scrollX + xd) / MappingZoom() * MappingScale();
}

double ViewMapping::YToModel(int yd) const
{
    return (clientH - yd + scrollY) / MappingZoom() * MappingScale();
}

ViewMapping::Rect ViewMapping::VisibleRect() const
{
    const double z = MappingZoom(), n = MappingScale();
    return {scrollX / z * n, (clientH - areaH + scrollY) / z * n, (areaW + scrollX) / z * n,
            (clientH + scrollY) / z * n};
}
