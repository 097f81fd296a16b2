#include "model/DrawingFile.h"
#include "model/DimensionRecord.h"
#include "model/EntityKinds.h"
#include "model/EntityTransform.h"
#include "model/SnapPointList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// A record of the kind with plausible values: points spread out, lengths
// and sizes positive, angles inside a turn.
std::optional<EntityRecord> SampleRecord(const EntityKind& k)
{
    std::vector<double> values;
    switch (k.form) {
    case LayoutForm::Fixed:
    case LayoutForm::Leader:
    case LayoutForm::GroupHead:
        for (std::size_t i = 0; i < k.layout.size(); ++i)
            values.push_back(k.layout[i].role == ValueRole::Angle || k.layout[i].role == ValueRole::Direction
                                 ? 30.0 + 20.0 * static_cast<double>(i)
                                 : 5.0 + 3.0 * static_cast<double>(i));
        return MakeRecord(k.type, values, k.form == LayoutForm::Leader ? int16_t(13) : int16_t(1));
    case LayoutForm::PointRun:
    case LayoutForm::BareRun:
        return MakeRecord(k.type, {0.0, 0.0, 10.0, 5.0, 20.0, 0.0, 30.0, 8.0});
    case LayoutForm::Dimension: {
        DimensionRecord d(DimensionKind::Distance);
        return MakeRecord(k.type, d.values, DimensionKind::Distance);
    }
    case LayoutForm::Boundary: {
        // A square of four vertices (a fill closes it with one more).
        EntityRecord r;
        r.header.type = k.type;
        if (k.inHatch) {
            r.codes = {4, 0, 0, 60, 61, 62, 63};
            r.values = {10.0, 10.0, 45.0, 0.0, 0.0, 10.0, 10.0};
        } else {
            r.header.subtype = 4;
            r.codes = {0, 0};
            r.values = {0.0, 0.0};
        }
        for (double xy : {0.0, 0.0, 10.0, 0.0, 10.0, 10.0, 0.0, 10.0}) {
            r.codes.push_back(r.codes.size() % 2 == 1 ? 10 : 20);
            r.values.push_back(xy);
        }
        if (!k.inHatch) {
            r.codes.insert(r.codes.end(), {10, 20});
            r.values.insert(r.values.end(), {0.0, 0.0});
        }
        r.header.count = static_cast<int16_t>(r.values.size());
        return r;
    }
    }
    return std::nullopt;
}

// The list's single entity of a drawing written and read back, or null.
struct RoundTrip {
    CEntityList list;
    CSnapPointList snaps;
    const CEntity* Read(const EntityHeader& header, const int16_t* codes, const double* values, const char* text)
    {
        CEntityList source;
        if (source.AddEntity(header, codes, 0, values, text) != 0)
            return nullptr;
        CDrawingFile file;
        std::vector<uint8_t> bytes;
        if (file.WriteDrawing(bytes, source.first) != DrawingFileOk)
            return nullptr;
        CDrawingFile reader;
        if (reader.ReadDrawing(bytes, list, snaps) != DrawingFileOk)
            return nullptr;
        for (const CEntity* e = list.first; e; e = e->next)
            if (e->type == header.type && !e->owner)
                return e;
        return nullptr;
    }
};

// Every type whose values the native file keeps has a row: a record of each
// type with every value count the file knows is written and read back, and
// where values come back the type must be one the table knows.
TEST(EntityKinds, EveryTypeTheFileHoldsHasARow)
{
    const int16_t codes[] = {10, 20, 11, 22, 30, 31, 32, 33, 34, 35, 36};
    const double values[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::set<int16_t> held;
    for (int16_t type = -3; type <= 130; ++type) {
        for (int16_t n : {2, 3, 4, 5, 7, 9, 11}) {
            RoundTrip trip;
            // Subtype 99: no dimension kind, so no members are built.
            const CEntity* e = trip.Read(EntityHeader{type, 99, 0, 0, n}, codes, values, "a");
            if (e && !e->values.empty())
                held.insert(type);
        }
    }
    ASSERT_FALSE(held.empty());
    for (int16_t type : held) {
        EXPECT_NE(FindEntityKind(type), nullptr) << "type " << type << " is held by the file but has no row";
    }
    for (const EntityKind& k : EntityKinds()) {
        EXPECT_EQ(held.count(k.type) == 1, k.Allows(KindAllows::Orv))
            << k.name << ": whether the file keeps its values disagrees with its row";
    }
}

// Each row answers every question: its own type, a layout its records are
// made from, roles for every value, properties that name codes of its
// layout, and whether it transforms as TransformedCopy does.
TEST(EntityKinds, EveryRowAnswers)
{
    std::set<int16_t> seen;
    for (const EntityKind& k : EntityKinds()) {
        SCOPED_TRACE(k.name);
        EXPECT_TRUE(seen.insert(k.type).second) << "two rows for one type";
        EXPECT_EQ(FindEntityKind(k.type), &k);
        EXPECT_EQ(&KindOf(k.type), &k);
        EXPECT_NE(std::string(k.name), "");
        if (k.form != LayoutForm::Dimension) {
            EXPECT_FALSE(k.layout.empty()) << "no layout";
        }
        EXPECT_EQ(k.keepsCodes, k.form != LayoutForm::BareRun);

        const std::optional<EntityRecord> r = SampleRecord(k);
        ASSERT_TRUE(r.has_value()) << "no record can be made";
        EXPECT_EQ(r->header.type, k.type);
        EXPECT_EQ(static_cast<std::size_t>(r->header.count), r->values.size());
        EXPECT_EQ(r->codes.size(), k.keepsCodes ? r->values.size() : 0u);

        const std::vector<ValueRole> roles = ValueRoles(k.type, r->header.subtype, r->codes, r->values.size());
        ASSERT_EQ(roles.size(), r->values.size());
        for (std::size_t i = 0; i < roles.size(); ++i) {
            if (roles[i] == ValueRole::X) {
                EXPECT_TRUE(i + 1 < roles.size() && roles[i + 1] == ValueRole::Y) << "x without y at " << i;
            }
            if (roles[i] == ValueRole::Y) {
                EXPECT_TRUE(i > 0 && roles[i - 1] == ValueRole::X) << "y without x at " << i;
            }
        }
        if (k.type != EntityType::GroupHeader && k.type != EntityType::Fill) {
            EXPECT_TRUE(std::count(roles.begin(), roles.end(), ValueRole::X) > 0) << "a kind without a point";
        }

        for (const KindProperty& p : k.properties) {
            const auto slot = std::find_if(k.layout.begin(), k.layout.end(),
                                           [&](const ValueSlot& s) { return s.code == p.code; });
            ASSERT_NE(slot, k.layout.end()) << p.label << " names a code the layout lacks";
            EXPECT_EQ(slot->role, p.role) << p.label;
            EXPECT_LT(p.min, p.max) << p.label;
        }
        if (k.Allows(KindAllows::Quantize)) {
            EXPECT_FALSE(k.properties.empty()) << "listed without properties";
        }

        CEntityList list;
        ASSERT_EQ(AddEntityCopy(list, *r) != nullptr, true) << "the list refuses the sample";
        CEntity* added = list.last;
        while (added->owner)
            added = added->owner;
        EXPECT_EQ(HasTransformedCopy(*added), k.Allows(KindAllows::Transform));
        if (k.Allows(KindAllows::Transform)) {
            EXPECT_TRUE(TransformedCopy(*added, TransformMatrix{}, 1.0, 0.0, TransformPolicy{}).has_value());
        }
    }
}

// Records made from the rows read back from the native file exactly as
// they were made: the rows and the file agree on every layout.
TEST(EntityKinds, RecordsMadeFromRowsSurviveTheFile)
{
    for (const EntityKind& k : EntityKinds()) {
        if (!k.Allows(KindAllows::Orv))
            continue;
        SCOPED_TRACE(k.name);
        const std::optional<EntityRecord> r = SampleRecord(k);
        ASSERT_TRUE(r.has_value());
        RoundTrip trip;
        const CEntity* e = trip.Read(r->header, r->codes.empty() ? nullptr : r->codes.data(), r->values.data(),
                                     k.hasText ? "abc" : "");
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->values.ToVector(), r->values);
        if (k.keepsCodes) {
            EXPECT_EQ(e->codes.ToVector(), r->codes);
        }
    }
}

TEST(EntityKinds, MakeRecordRefusesWhatTheLayoutDoesNotAllow)
{
    struct Case {
        int16_t type;
        std::vector<double> values;
        int16_t subtype;
    };
    const Case cases[] = {
        {EntityType::Line, {1, 2, 3}, 0},                        // a value short
        {EntityType::Circle, {1, 2, 3, 4}, 0},                   // one too many
        {EntityType::Curve, {1, 2, 3}, 0},                       // half a point
        {EntityType::Polygon, {1, 2, 3, 4, 5}, 0},
        {EntityType::LeaderText, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 10},  // shape 1 wants 11
        {EntityType::LeaderText, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 3},  // shape 0 wants 9
        {EntityType::Dimension, {1, 2, 3}, 0},
        {EntityType::Dimension, std::vector<double>(18, 1.0), 9},  // no such kind
        {EntityType::Fill, {0, 0, 1, 2}, 1},                     // boundaries come with their items
        {EntityType::Hatch, std::vector<double>(9, 1.0), 0},
        {EntityType::GroupHeader, {1, 2}, 0},
        {99, {1, 2}, 0},                                         // no such type
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(MakeRecord(c.type, c.values, c.subtype).has_value())
            << "type " << c.type << " with " << c.values.size() << " values";
    }
}

TEST(EntityKinds, MakeRecordLaysOutTheCodesOfEachForm)
{
    struct Case {
        int16_t type;
        std::vector<double> values;
        int16_t subtype;
        std::vector<int16_t> codes;
    };
    const Case cases[] = {
        {EntityType::Point, {1, 2}, 0, {10, 20}},
        {EntityType::Line, {1, 2, 3, 4}, 0, {10, 20, 11, 22}},
        {EntityType::Arc, {1, 2, 3, 4, 5}, -1, {10, 20, 40, 50, 51}},
        {EntityType::EllipticArc, {1, 2, 3, 4, 5, 6, 7}, 0, {10, 20, 60, 61, 62, 50, 51}},
        {EntityType::Curve, {1, 2, 3, 4}, 0, {10, 20, 10, 20}},
        {EntityType::FreehandCurve, {1, 2, 3, 4}, 0, {}},
        {EntityType::LeaderText, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 3, {10, 20, 30, 40, 50, 60, 61, 70, 71}},
        {EntityType::LeaderText, std::vector<double>(11, 1.0), 21, {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81}},
        {EntityType::GroupHeader, {}, 0, {}},
        {EntityType::GroupHeader, {1, 2, 1, 0}, 0, {10, 20, 10, 20}},
        {EntityType::Dimension, std::vector<double>(9, 1.0), 8, {30, 31, 32, 10, 11, 12, 13, 40, 41}},
        {EntityType::Dimension, std::vector<double>(20, 1.0), 1, DimensionValueCodes(1, 2)},
    };
    for (const Case& c : cases) {
        const std::optional<EntityRecord> r = MakeRecord(c.type, c.values, c.subtype);
        ASSERT_TRUE(r.has_value()) << "type " << c.type;
        EXPECT_EQ(r->codes, c.codes) << "type " << c.type;
        EXPECT_EQ(r->values, c.values);
        EXPECT_EQ(r->header.subtype, c.subtype);
        EXPECT_EQ(r->header.count, static_cast<int16_t>(c.values.size()));
    }
    EXPECT_EQ(std::vector<int16_t>(FixedCodes(EntityType::Circle).begin(), FixedCodes(EntityType::Circle).end()),
              (std::vector<int16_t>{10, 20, 40}));
    EXPECT_TRUE(FixedCodes(EntityType::Curve).empty());
}

TEST(EntityKinds, BoundaryWalkStepsOverEachItemByItsSize)
{
    // A hatch: arc, vertex, elliptic arc (hatch form, 9 values), then an
    // unknown code that ends the walk.
    std::vector<int16_t> codes = {3, 0, 0, 60, 61, 62, 63};
    for (int16_t c : {0, 2, 3, 4, 5, 10, 20, 80, 81, 82, 83, 84, 85, 86, 4, 5, 99, 1})
        codes.push_back(c);
    std::vector<std::pair<int16_t, std::size_t>> met;
    const std::size_t end = WalkBoundary(EntityType::Hatch, codes, codes.size(),
                                         [&](const BoundaryItemAt& item) { met.emplace_back(item.kind, item.index); });
    EXPECT_EQ(met, (std::vector<std::pair<int16_t, std::size_t>>{{0, 7}, {10, 12}, {80, 14}}));
    EXPECT_EQ(end, 23u);

    // The same elliptic arc in a fill takes 8 values; an item running past
    // the end is not met.
    std::vector<int16_t> fill = {0, 0, 80, 81, 82, 83, 84, 85, 86, 87, 10, 20, 1, 2, 3};
    met.clear();
    EXPECT_EQ(WalkBoundary(EntityType::Fill, fill, fill.size(),
                           [&](const BoundaryItemAt& item) { met.emplace_back(item.kind, item.index); }),
              12u);
    EXPECT_EQ(met, (std::vector<std::pair<int16_t, std::size_t>>{{80, 2}, {10, 10}}));

    for (int16_t kind : {0, 1, 10, 50, 70, 80}) {
        for (bool hatch : {false, true}) {
            EXPECT_EQ(static_cast<int>(BoundaryItemRoles(kind, hatch).size()), BoundaryItemValueCount(kind, hatch));
        }
    }
}

TEST(EntityKinds, ShiftMovesPointsAndNothingElse)
{
    struct Case {
        const char* what;
        int16_t type;
        int16_t subtype;
        std::vector<int16_t> codes;
        std::vector<double> values;
        std::vector<double> shifted;  // by (100, 10)
    };
    const Case cases[] = {
        {"arc keeps radius and angles", EntityType::Arc, 1, {10, 20, 40, 50, 51}, {1, 2, 3, 4, 5}, {101, 12, 3, 4, 5}},
        {"leader with guide line", EntityType::LeaderText, 13, {10, 20, 30, 40, 50, 60, 61, 70, 71, 80, 81},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {101, 12, 3, 4, 5, 106, 17, 108, 19, 110, 21}},
        {"a point without its y", EntityType::Point, 0, {10}, {1}, {1}},
        {"grid stays", EntityType::Grid, 1, {10, 20, 30}, {1, 2, 3}, {1, 2, 3}},
        {"group header stays", EntityType::GroupHeader, 0, {10, 20, 10, 20}, {1, 2, 1, 0}, {1, 2, 1, 0}},
        {"hatch box and elliptic arc start", EntityType::Hatch, 0,
         {1, 0, 0, 60, 61, 62, 63, 80, 81, 82, 83, 84, 85, 86, 4, 5},
         {1, 1, 1, 0, 0, 5, 5, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         {1, 1, 1, 100, 10, 105, 15, 101, 12, 3, 4, 5, 6, 7, 108, 19}},
        {"dimension points stop at code 450", EntityType::Dimension, 0, {30, 11, 21, 22, 40, 41, 450, 460},
         {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 103, 14, 105, 16, 7, 8}},
    };
    for (const Case& c : cases) {
        std::vector<double> v = c.values;
        ShiftValues(c.type, c.subtype, c.codes, v, 100.0, 10.0);
        EXPECT_EQ(v, c.shifted) << c.what;
    }
}

TEST(EntityKinds, FillClosingVertexIsAPoint)
{
    const std::vector<int16_t> codes = {0, 0, 10, 20, 10, 20, 10, 20, 10, 20};
    const std::vector<ValueRole> roles = ValueRoles(EntityType::Fill, 3, codes, codes.size());
    EXPECT_EQ(roles[8], ValueRole::X);
    EXPECT_EQ(roles[9], ValueRole::Y);
    EXPECT_EQ(roles[0], ValueRole::Plain);
}

} // namespace
