#pragma once
// The default 20-colour palette. An entity colour is either an RGB value
// (0x00BBGGRR) or 0x01000000 | index, naming an entry of this palette.

#include "model/Entity.h"

inline constexpr COLORREF DefaultPalette[20] = {
    MakeColour(0, 0, 0),       MakeColour(128, 0, 0),     MakeColour(0, 128, 0),     MakeColour(128, 128, 0),
    MakeColour(0, 0, 128),     MakeColour(128, 0, 128),   MakeColour(0, 128, 128),   MakeColour(192, 192, 192),
    MakeColour(192, 220, 192), MakeColour(166, 202, 240), MakeColour(255, 251, 240), MakeColour(160, 160, 164),
    MakeColour(128, 128, 128), MakeColour(255, 0, 0),     MakeColour(0, 255, 0),     MakeColour(255, 255, 0),
    MakeColour(0, 0, 255),     MakeColour(255, 0, 255),   MakeColour(0, 255, 255),   MakeColour(255, 255, 255),
};

// A palette-index colour as the RGB value of its entry (indexes past 19 are
// black); an RGB colour stays as it is.
constexpr COLORREF ResolvePaletteColour(COLORREF c)
{
    if ((c >> 24) == 0x01) {
        const unsigned index = c & 0xFFFF;
        return index < 20 ? DefaultPalette[index] : 0;
    }
    return c & 0x00FFFFFF;
}
