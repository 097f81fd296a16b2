#pragma once
// The transformed copy of one entity, type by type: the rule every editing
// tool that moves, copies, turns or scales entities shares. A copy is built
// as plain data first (EntityCopy) and then added to a list, so a tool can
// look at it, refuse it or change it before anything is added.
//
// The matrix carries the points (TransformMatrix.h); `scale` multiplies
// lengths (radii, axes, text sizes) and `angle` (degrees, counter-clockwise)
// turns the stored directions (text angles, dimension text angles).

#include "model/EntityKinds.h"
#include "model/EntityList.h"
#include "model/TransformMatrix.h"

#include <optional>
#include <string>
#include <vector>

// What a copy takes from its source beyond its geometry. Tools that need
// other rules add a field here instead of keeping their own type table.
struct TransformPolicy {
    // Layer of every copy but ellipses and elliptic arcs (see below).
    int16_t layer = 0;
    // Ellipses and elliptic arcs stay on their source's layer.
    bool ellipsesKeepLayer = true;
    // Copies take their source's layer, whatever `layer` says.
    bool keepLayer = false;
    // Copies take their source's group number (dimensions never do).
    bool keepGroup = true;
    // Texts keep their source's face; otherwise they take the list's default.
    bool keepFont = false;
    // For plain shifts: copies keep their source's subtype and stored
    // directions (arc angles, ellipse rotation and angles) exactly as stored
    // instead of taking them afresh from the carried points.
    bool keepStoredForm = false;
    // The matrix is a reflection in an axis running at `axisDegrees`:
    // arcs run the other way (subtype negated, boundary arcs 0 and 1
    // exchanged), elliptic arcs exchange start and end, texts keep their
    // angle and stand beside their leader, stored directions d become
    // 2 * axisDegrees - d, hatch boxes and image rectangles are ordered again.
    bool reflect = false;
    double axisDegrees = 0.0;
};

// A new entity ready to be added by AddEntityCopy.
using EntityCopy = EntityRecord;

// Normalises an angle in degrees by one correction each way: below 0 gets
// +360, then above 360 gets -360.
double NormaliseDegrees(double angle);

// Whether TransformedCopy builds copies of entities of this type (and
// dimension kind). Grid records and group headers have no copy; a tool
// leaves them where they are.
bool HasTransformedCopy(const CEntity& source);

// The copy of `source` carried by `matrix`, lengths times `scale`,
// directions turned by `angle`. Nothing when the type has no copy, the
// source's values are too few for its type, or a value of the copy is not
// finite.
std::optional<EntityCopy> TransformedCopy(const CEntity& source, const TransformMatrix& matrix, double scale,
                                          double angle, const TransformPolicy& policy);

// Adds a copy at the tail of `list`. Returns the new entity (a dimension's
// record, whose members the list builds), or null when the list refused it
// (a coordinate out of range).
CEntity* AddEntityCopy(CEntityList& list, const EntityCopy& copy);

// The reflection in the vertical line x = base.x (horizontal flip, left and
// right change places), or in the horizontal line y = base.y (vertical).
TransformMatrix MirrorMatrix(GeoPoint base, bool vertical);

// The policy of a mirror image in that axis, on `layer`.
TransformPolicy MirrorPolicy(bool vertical, int16_t layer);

// The matrix of a move: about `base` turned by `angle` degrees, distances
// from it times `scale`, then `base` brought onto `destination`.
TransformMatrix MoveMatrix(GeoPoint base, GeoPoint destination, double scale, double angle);
