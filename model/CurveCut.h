#pragma once
// Cutting a piece out of a circle, an arc, an ellipse or an elliptic arc
// between a start and an end position: where a position falls on the
// curve, which way round the removed piece runs (followed from the pointer's
// movement), and the arcs that stay. Angles are degrees, counter-clockwise
// from the x axis; an arc's subtype is +1 counter-clockwise, -1 clockwise.

#include "model/GeometryTypes.h"

#include <vector>

// The angle of P seen from the centre, in [0, 360).
double AngleFromCentre(double cx, double cy, double px, double py);

// Where the ray from the centre through P meets the circle. Status -1 when
// P is the centre (the ray has no direction).
PointResult RadialPosition(double cx, double cy, double r, double px, double py);

// The way the removed piece runs from the start position: 0 undecided, +1
// counter-clockwise, -1 clockwise. It follows the pointer's angle from the
// start position (phi, degrees in [0, 360)) quadrant by quadrant: crossing
// the start counter-clockwise gives +1, clockwise -1; the first move into
// the quadrant on either side decides.
struct CutDirection {
    int direction = 0;
    int quadrant = 0;
    void Start() { direction = quadrant = 0; }
    void Track(double phi);
    // The direction an end click takes: undecided counts as clockwise, the
    // way the preview shows it.
    int Decided() const { return direction == 0 ? -1 : direction; }
};

// phi of a position: its angle minus the start angle, in [0, 360).
double AngleFromStart(double startAngle, double angle);

// True while the preview arc is hidden: the whole degrees of phi are 0, 1,
// 359 or 360.
bool PreviewArcHidden(double phi);

struct CircleArc {
    double cx = 0.0, cy = 0.0, r = 0.0;
    double start = 0.0, end = 0.0;  // degrees
    int subtype = 1;
};

// Whether Q lies on the arc (within its own direction).
bool OnArc(const CircleArc& arc, GeoPoint q);

// An arc cut in progress: the arc rule that keeps the previewed and removed
// piece within the arc.
struct ArcCutState {
    bool startMoved = false;  // the start fell off the arc and went to its start point
    bool leftArc = false;     // the preview left the arc and is held at an end
};
// The position of the pointer's radial point q on the arc, after the rule:
// off the arc it is held at the end the cut runs towards (direction may
// change when the start was moved); coming back onto the arc from the other
// side reverses the direction.
GeoPoint ApplyArcRule(const CircleArc& arc, GeoPoint start, GeoPoint q, CutDirection& cut, ArcCutState& state);

// The arcs that stay (centre and radius as the element's).
// A circle: the part the removed piece (from start to end in `direction`)
// does not cover.
std::vector<CircleArc> CircleCutPieces(double cx, double cy, double r, GeoPoint start, GeoPoint end, int direction);
// An arc: both positions on it give two arcs in the arc's direction; a start
// moved to the arc's start point one arc from the end position; an end off
// the arc one arc from the arc's end the cut does not reach. A moved start
// with the end off the arc cuts nothing (empty).
std::vector<CircleArc> ArcCutPieces(const CircleArc& arc, GeoPoint start, GeoPoint end, bool endOff, int direction,
                                    const ArcCutState& state);

// Elliptic pieces: start and end angles (degrees, counter-clockwise) and
// subtype = the cut direction.
struct EllipticPiece {
    double start = 0.0, end = 0.0;
    int subtype = 1;
};
// An ellipse cut from angle s to angle e in `direction`: one elliptic arc.
EllipticPiece EllipseCutPiece(double s, double e, int direction);
// An elliptic arc a1..a2 (counter-clockwise) cut from s to e in `direction`:
// the pieces that stay, tested on the circle about the centre with the major
// axis as radius; empty when neither position lies on the arc.
std::vector<EllipticPiece> EllipticArcCutPieces(double a1, double a2, double majorAxis, double s, double e,
                                                int direction);
