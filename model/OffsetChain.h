#pragma once
// Offsetting: parallel copies of the marked lines, arcs, circles, ellipses
// and elliptic arcs of a list (state 4) at a distance, on the side of a
// click. Lines, arcs and elliptic arcs that meet end to end (within 0.5 on
// both axes) form one chain; its copies are joined where their offset
// shapes meet nearest the source's vertex, so an offset outline comes out
// closed and trimmed. Every walk along a chain stops after 100 elements.
// A circle, arc, ellipse or elliptic arc offset inwards by its radius or
// more has no copy: it would come out turned inside out.
//
// The functions here work the pieces out; the transform tool adds them as
// members of one group and redraws.

#include "model/Entity.h"

#include <cstdint>
#include <vector>

class CEntityList;

struct OffsetPiece {
    const CEntity* source = nullptr;
    int16_t type = 0;
    int16_t subtype = 0;
    std::vector<int16_t> codes;
    std::vector<double> values;
};

class OffsetChains {
public:
    // The marked entities of the list, in list order, are the candidates.
    explicit OffsetChains(const CEntityList& list);
    ~OffsetChains();
    OffsetChains(const OffsetChains&) = delete;
    OffsetChains& operator=(const OffsetChains&) = delete;

    // 0 e is part of a closed chain; 1 an end of an open chain; 3 inside an
    // open chain; -1 isolated (or not a line, arc or elliptic arc).
    int ClassifyChain(const CEntity* e) const;
    // The element at the end reached by walking from e's start; e itself
    // for a closed chain.
    const CEntity* FindChainStart(const CEntity* e) const;
    // Whether (x, y) lies inside the closed chain through e: the parity of
    // the crossings of the horizontal ray to the right.
    bool IsPointInsideChain(const CEntity* e, double x, double y) const;

    struct Result {
        std::vector<OffsetPiece> pieces;
        // The marked entities handled, which go back to state 0; the others
        // stay marked.
        std::vector<const CEntity*> handled;
        // Sources whose copy would pass their centre (a radius of zero or
        // less): no piece is made for them; the caller beeps.
        std::vector<const CEntity*> collapsed;
    };
    // The whole operation for the click (x, y) at distance d.
    Result Offset(double x, double y, double d) const;

private:
    struct Element;
    struct Oriented {
        const Element* element = nullptr;
        bool reversed = false;
    };

    const Element* Find(const CEntity* e) const;
    // The marked element other than `except` with an end within 0.5 of
    // (x, y), and whether that end is its finishing one.
    const Element* Connected(const Element* except, double x, double y, bool& atFinish) const;
    std::vector<Oriented> Walk(const Element* from, bool reversed, bool stopAtStart, bool& closed) const;
    void OffsetChain(const std::vector<Oriented>& chain, bool closed, double x, double y, double d,
                     Result& out) const;
    void OffsetCircle(const Element& e, double x, double y, double d, Result& out) const;
    void OffsetEllipse(const Element& e, double x, double y, double d, Result& out) const;

    std::vector<Element> elements_;
};
