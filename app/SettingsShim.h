#pragma once
// Stand-ins for the process-wide layer table and folders until the model's
// settings land in model/Settings.h; same names and types. Remove this file
// and include model/Settings.h instead once they are there.

#include <array>
#include <cstdint>
#include <string>

namespace settings_shim {
inline constexpr int MaxLayers = 128;
inline constexpr std::size_t MaxLayerNameBytes = 40;
extern int16_t LayerCount;
extern int16_t CurrentLayer;
extern std::array<std::string, MaxLayers> LayerNames;
extern std::array<uint8_t, MaxLayers> LayerStates;
extern int16_t CommandArgument;
extern std::string DataFolder;
extern std::string PartsFolder;
std::string DefaultLayerName(int i);
} // namespace settings_shim

using settings_shim::CommandArgument;
using settings_shim::CurrentLayer;
using settings_shim::DataFolder;
using settings_shim::DefaultLayerName;
using settings_shim::LayerCount;
using settings_shim::LayerNames;
using settings_shim::LayerStates;
using settings_shim::MaxLayerNameBytes;
using settings_shim::MaxLayers;
using settings_shim::PartsFolder;
