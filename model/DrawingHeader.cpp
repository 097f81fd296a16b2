#include "model/DrawingHeader.h"

#include "model/LittleEndian.h"

#include <cstring>

namespace {

template <std::size_t N> void PutChars(uint8_t* out, const std::array<char, N>& field)
{
    std::memcpy(out, field.data(), N);
}

template <std::size_t N> void GetChars(const uint8_t* in, std::array<char, N>& field)
{
    std::memcpy(field.data(), in, N);
}

} // namespace

void DrawingHeader::ToBytes(uint8_t* out) const
{
    PutChars(out + 0, magic);
    PutChars(out + 4, drawingName);
    PutChars(out + 65, author);
    PutChars(out + 106, updater);
    PutChars(out + 147, password);
    out[156] = protection;
    out[157] = paperSource;
    PutLE(out + 158, version);
    PutLE(out + 160, paperIndex);
    PutLE(out + 162, orientation);
    PutLE(out + 164, printFit);
    PutLE(out + 166, plotScaleChoice);
    PutLE(out + 168, plotCorrectionX);
    PutLE(out + 170, plotCorrectionY);
    PutLE(out + 172, plotLayerChoice);
    PutLE(out + 174, currentLayer);
    PutLE(out + 176, createdDate);
    PutLE(out + 180, modifiedDate);
    PutLE(out + 184, scale);
    PutLE(out + 188, reserved);
}

void DrawingHeader::FromBytes(const uint8_t* in)
{
    GetChars(in + 0, magic);
    GetChars(in + 4, drawingName);
    GetChars(in + 65, author);
    GetChars(in + 106, updater);
    GetChars(in + 147, password);
    protection = in[156];
    paperSource = in[157];
    version = GetLE<uint16_t>(in + 158);
    paperIndex = GetLE<uint16_t>(in + 160);
    orientation = GetLE<uint16_t>(in + 162);
    printFit = GetLE<uint16_t>(in + 164);
    plotScaleChoice = GetLE<uint16_t>(in + 166);
    plotCorrectionX = GetLE<int16_t>(in + 168);
    plotCorrectionY = GetLE<int16_t>(in + 170);
    plotLayerChoice = GetLE<uint16_t>(in + 172);
    currentLayer = GetLE<int16_t>(in + 174);
    createdDate = GetLE<int32_t>(in + 176);
    modifiedDate = GetLE<int32_t>(in + 180);
    scale = GetLE<float>(in + 184);
    reserved = GetLE<int32_t>(in + 188);
}

std::string DrawingHeader::FieldText(std::string_view field)
{
    return std::string(field.substr(0, field.find('\0')));
}

uint32_t DrawingSettingsBlock::DisplayColor(int i) const
{
    if (i < 0 || i >= 8) return 0;
    return GetLE<uint32_t>(bytes.data() + ColorOffset + 4 * i);
}

void DrawingSettingsBlock::SetDisplayColor(int i, uint32_t colour)
{
    if (i < 0 || i >= 8) return;
    PutLE(bytes.data() + ColorOffset + 4 * i, colour);
}
