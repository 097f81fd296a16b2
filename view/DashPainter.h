#pragma once
// Dashed outlines for the printer: the pieces of a figure are added to the
// DC's path as drawn runs and skipped gaps of a pattern given in printer
// pixels, the pattern's phase running on from piece to piece. The path is
// then stroked with a wide pen, so the dashes keep the printed pen width.

#include "platform/Dc.h"

#include <vector>

class CDashPainter {
public:
    explicit CDashPainter(platform::Dc& dc) : dc(&dc) {}

    platform::Dc* dc;
    int index = 0;       // current entry of the pattern
    int count = 0;       // entries; 0 draws solid
    int remaining = 0;   // pixels left in the current entry
    std::vector<int> pattern;
    int curX = 0, curY = 0;

    // Takes a copy of n run lengths (drawn first, then skipped, in turn).
    // A pattern without a positive run draws solid.
    void SetPattern(const int* lengths, int n);
    // Starts a figure at (x, y): the pattern restarts with its first run.
    void Start(int x, int y);
    // A straight piece to (x, y), walked pixel by pixel.
    void LineTo(int x, int y);
    // A cubic Bezier piece from the current point, measured along its length.
    void PolyBezierTo(platform::Point p1, platform::Point p2, platform::Point p3);
    void FreePattern();

private:
    void NextRun();
};
