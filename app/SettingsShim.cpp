#include "app/SettingsShim.h"

#include <cstdio>

namespace settings_shim {
int16_t LayerCount = 10;
int16_t CurrentLayer = 0;
std::array<std::string, MaxLayers> LayerNames;
std::array<uint8_t, MaxLayers> LayerStates;
int16_t CommandArgument = 0;
std::string DataFolder;
std::string PartsFolder;

std::string DefaultLayerName(int i)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "Layer%02d", i + 1);
    return buf;
}
} // namespace settings_shim
