#pragma once
// The sheets a drawing can be laid out on, by the header's paper index:
// A0 to A6, then B4 to B6. Sizes in millimetres.

struct PaperSize {
    double longSide;
    double shortSide;
};

inline constexpr int PaperSizeCount = 10;
inline constexpr PaperSize PaperSizeTable[PaperSizeCount] = {
    {1189, 840}, {841, 594}, {594, 420}, {420, 297}, {297, 210},
    {210, 148},  {148, 105}, {364, 257}, {257, 182}, {182, 128},
};

// Width and height of a sheet: landscape (orientation 0) puts the long side
// across. An index outside the table is taken as A4.
inline void PaperSheet(int index, int orientation, double& width, double& height)
{
    const PaperSize& p = PaperSizeTable[index >= 0 && index < PaperSizeCount ? index : 4];
    width = orientation == 0 ? p.longSide : p.shortSide;
    height = orientation == 0 ? p.shortSide : p.longSide;
}
