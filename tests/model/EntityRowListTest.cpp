// The entity list's rows: CSV writing and reading, numbers as text, rounding,
// and rows made from entities and back.

#include "model/EntityRowList.h"

#include "ListTestUtil.h"
#include "model/Entity.h"
#include "model/EntityList.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

RowValues Values(std::initializer_list<double> v)
{
    RowValues out{};
    size_t i = 0;
    for (double x : v)
        out[i++] = x;
    return out;
}

TEST(EntityCsv, WritesNameThenEightValuesEachWithACommaAndCrLf)
{
    CEntityRowList rows;
    rows.AddRow(RowKind::Point, Values({1.5, -2}));
    rows.AddRow(RowKind::Line, Values({0, 0, 100, 50}));
    rows.AddRow(RowKind::Circle, Values({10, 10, 5, 0, 90}));
    rows.AddRow(RowKind::Ellipse, Values({-0.25, 0.1, 20, 12.5, 30, 45, 270}));
    EXPECT_EQ(WriteEntityCsv(rows), "POINT,1.5,-2,0,0,0,0,0,0,\r\n"
                                    "LINE,0,0,100,50,0,0,0,0,\r\n"
                                    "CIRCLE,10,10,5,0,90,0,0,0,\r\n"
                                    "ELLIPSE,-0.25,0.1,20,12.5,30,45,270,0,\r\n");
}

TEST(EntityCsv, AnEmptyListWritesNothing)
{
    EXPECT_EQ(WriteEntityCsv(CEntityRowList()), "");
}

TEST(EntityCsv, ReadsLinesAsThePrecedingRowsLeftThem)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<EntityRow> rows;
    } cases[] = {
        {"line without trailing comma, missing values 0", "LINE,1,2,3,4", {{"LINE", 20, Values({1, 2, 3, 4})}}},
        {"lower case keyword gives no row", "line,1,2,3,4,", {}},
        {"empty field is 0", "POINT,,5,", {{"POINT", 10, Values({0, 5})}}},
        {"keyword alone", "CIRCLE", {{"CIRCLE", 30, Values({})}}},
        {"blank after keyword is another keyword", "LINE ,1,2", {}},
        {"empty keyword", ",1,2,3", {}},
        {"empty line and unknown keyword passed over", "\r\nARC,1,2,3\r\nPOINT,7,8,\r\n",
         {{"POINT", 10, Values({7, 8})}}},
        {"LF alone ends a line too", "POINT,1,2,\nPOINT,3,4,", {{"POINT", 10, Values({1, 2})}, {"POINT", 10, Values({3, 4})}}},
        {"fields after the eighth value ignored", "ELLIPSE,1,2,3,4,5,6,7,8,9,10,",
         {{"ELLIPSE", 32, Values({1, 2, 3, 4, 5, 6, 7, 8})}}},
        {"a point may carry eight values", "POINT,1,2,3,4,5,6,7,8,", {{"POINT", 10, Values({1, 2, 3, 4, 5, 6, 7, 8})}}},
        {"negative radius is kept", "CIRCLE,0,0,-5,", {{"CIRCLE", 30, Values({0, 0, -5})}}},
        {"longest numeric prefix, blanks skipped, text is 0", "LINE, 12.5.3,1e3,abc,-,+4,",
         {{"LINE", 20, Values({12.5, 1000, 0, 0, 4})}}},
        {"value beyond a double leaves the line out", "LINE,1e400,0,1,1,\r\nPOINT,1,1,", {{"POINT", 10, Values({1, 1})}}},
        {"infinity leaves the line out", "POINT,inf,0,\r\nPOINT,0,-infinity,\r\nPOINT,nan,0,", {}},
        {"value too small for a double is 0", "POINT,1e-400,2,", {{"POINT", 10, Values({0, 2})}}},
        {"last line without line end", "POINT,1,2,\r\nLINE,0,0,1,1", {{"POINT", 10, Values({1, 2})}, {"LINE", 20, Values({0, 0, 1, 1})}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEntityRowList rows;
        EXPECT_EQ(ReadEntityCsv(c.text, rows), static_cast<int>(c.rows.size()));
        ASSERT_EQ(rows.Count(), static_cast<int>(c.rows.size()));
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(rows.Rows()[i].name, c.rows[i].name);
            EXPECT_EQ(rows.Rows()[i].kind, c.rows[i].kind);
            EXPECT_EQ(rows.Rows()[i].value, c.rows[i].value);
        }
    }
}

TEST(EntityCsv, ReadingAppendsAfterTheRowsAlreadyHeld)
{
    const std::string file = "POINT,1,2,\r\nLINE,0,0,5,5,\r\n";
    CEntityRowList rows;
    ReadEntityCsv(file, rows);
    ReadEntityCsv(file, rows);
    ASSERT_EQ(rows.Count(), 4);
    EXPECT_EQ(rows.Rows()[2].kind, RowKind::Point);
    EXPECT_EQ(rows.Rows()[3].kind, RowKind::Line);
}

// Values that single precision or six decimals would move come back as they
// were written, bit for bit.
TEST(EntityCsv, RoundTripKeepsEveryValueExactly)
{
    const std::vector<double> awkward = {12345.678,
                                         0.1 + 0.2,
                                         1.0 / 3.0,
                                         -1e-7,
                                         123456789.123456789,
                                         -98765432109.87654,
                                         1e22,
                                         DBL_MIN,
                                         std::numeric_limits<double>::denorm_min(),
                                         DBL_MAX,
                                         -0.0};
    CEntityRowList rows;
    for (size_t i = 0; i < awkward.size(); ++i) {
        RowValues v{};
        for (size_t k = 0; k < v.size(); ++k)
            v[k] = awkward[(i + k) % awkward.size()];
        rows.AddRow(RowKind::Ellipse, v);
    }
    CEntityRowList back;
    ASSERT_EQ(ReadEntityCsv(WriteEntityCsv(rows), back), rows.Count());
    for (int i = 0; i < rows.Count(); ++i)
        for (size_t k = 0; k < RowValueCount; ++k)
            EXPECT_EQ(back.Rows()[i].value[k], rows.Rows()[i].value[k]) << "row " << i << " value " << k;
}

TEST(EntityCsv, OverlongLinesAndFieldsAreReadWhole)
{
    const std::string longNumber = "1" + std::string(300, '0');  // 1e300
    const std::string padded = "0." + std::string(5000, '0') + "1";
    const std::string text = "POINT," + longNumber + "," + padded + "," + std::string(100000, 'x') + ",\r\n";
    CEntityRowList rows;
    ASSERT_EQ(ReadEntityCsv(text, rows), 1);
    EXPECT_EQ(rows.Rows()[0].value[0], 1e300);
    EXPECT_EQ(rows.Rows()[0].value[1], 0.0);  // 1e-5001 is below any double
    EXPECT_EQ(rows.Rows()[0].value[2], 0.0);
}

TEST(RowValueText, ShortestPlainText)
{
    struct Case {
        double v;
        const char* text;
    } cases[] = {
        {20, "20"},     {12.5, "12.5"},   {0, "0"},         {-0.0, "0"},
        {-0.25, "-0.25"}, {0.1, "0.1"}, {1e-7, "0.0000001"}, {12345.678, "12345.678"},
        {1e21, "1000000000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatRowValue(c.v), c.text) << c.v;
}

TEST(RowValueText, ScanTakesTheLongestNumericPrefix)
{
    struct Case {
        const char* text;
        NumberScan scan;
        double value;
    } cases[] = {
        {"12.5.3", NumberScan::Number, 12.5},     {"1-2", NumberScan::Number, 1},
        {"-", NumberScan::NoNumber, 0},           {".", NumberScan::NoNumber, 0},
        {"", NumberScan::NoNumber, 0},            {"-.5", NumberScan::Number, -0.5},
        {"  \t7", NumberScan::Number, 7},         {"+3", NumberScan::Number, 3},
        {"+-3", NumberScan::NoNumber, 0},         {"2.5e2x", NumberScan::Number, 250},
        {"1e", NumberScan::Number, 1},            {"0x10", NumberScan::Number, 0},
        {"inf", NumberScan::NotFinite, 0},        {"NaN", NumberScan::NotFinite, 0},
        {"1e309", NumberScan::NotFinite, 0},      {"-1e309", NumberScan::NotFinite, 0},
        {"1e-330", NumberScan::Number, 0},        {"1000e-330", NumberScan::Number, 0},
        {"0.0001e-320", NumberScan::Number, 0},   {"0.0001e313", NumberScan::NotFinite, 0},
    };
    for (const Case& c : cases) {
        double v = 99;
        EXPECT_EQ(ScanRowValue(c.text, v), c.scan) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST(QuantizeRowValue, RoundsAndTruncatesTheDecimalsShown)
{
    struct Case {
        double v;
        int digits;
        QuantizeMode mode;
        double expected;
    } cases[] = {
        {12.345, 2, QuantizeMode::Round, 12.35},
        {12.349, 2, QuantizeMode::Truncate, 12.34},
        {12.34, 2, QuantizeMode::Truncate, 12.34},  // held a hair below 12.34
        {-2.75, 0, QuantizeMode::Truncate, -2},
        {-2.75, 0, QuantizeMode::Round, -3},
        {2.5, 0, QuantizeMode::Round, 3},
        {100.12345678, 0, QuantizeMode::Round, 100},
        {100.12345678, 1, QuantizeMode::Round, 100.1},
        {100.12345678, 3, QuantizeMode::Truncate, 100.123},
        {100.12345678, 4, QuantizeMode::Round, 100.1235},
        {100.12345678, 4, QuantizeMode::Truncate, 100.1234},
        {100.12345678, 5, QuantizeMode::Round, 100.12346},
        {100.12345678, 5, QuantizeMode::Truncate, 100.12345},
        {9.9999, 2, QuantizeMode::Round, 10},
        {-99.96, 1, QuantizeMode::Round, -100},
        {0.004, 2, QuantizeMode::Round, 0},
        {-0.004, 2, QuantizeMode::Round, 0},
        {1.5, 3, QuantizeMode::Round, 1.5},
        {5e9 + 0.75, 0, QuantizeMode::Truncate, 5e9},  // beyond 32-bit integers
        {-5e9 - 0.5, 0, QuantizeMode::Round, -5e9 - 1},
    };
    for (const Case& c : cases) {
        const double q = QuantizeRowValue(c.v, c.digits, c.mode);
        EXPECT_EQ(q, c.expected) << c.v << " to " << c.digits << (c.mode == QuantizeMode::Round ? " round" : " cut");
        EXPECT_FALSE(std::signbit(q) && q == 0) << c.v;
    }
    EXPECT_EQ(FormatRowValue(QuantizeRowValue(100.12345678, 4, QuantizeMode::Round)), "100.1235");
}

TEST(QuantizeRows, EveryValueOfEveryRow)
{
    CEntityRowList rows;
    rows.AddRow(RowKind::Line, Values({1.26, 2.24, -3.25, 4}));
    rows.AddRow(RowKind::Point, Values({0.05, -0.05}));
    QuantizeRows(rows, 1, QuantizeMode::Round);
    EXPECT_EQ(rows.Rows()[0].value, Values({1.3, 2.2, -3.3, 4}));
    EXPECT_EQ(rows.Rows()[1].value, Values({0.1, -0.1}));
}

TEST(CEntityRowList, AddSetDeleteByRowNumber)
{
    CEntityRowList rows;
    EXPECT_FALSE(rows.AddRow(0, Values({1})));
    EXPECT_FALSE(rows.AddRow(-1, Values({1})));
    EXPECT_FALSE(rows.SetRow(0, RowKind::Line, Values({1})));
    EXPECT_FALSE(rows.DeleteRow(0));
    for (int i = 0; i < 3; ++i)
        rows.AddRow(RowKind::Point, Values({double(i), 0}));
    // A change may give the row another kind; name and kind go together.
    EXPECT_TRUE(rows.SetRow(1, RowKind::Circle, Values({5, 5, 2})));
    EXPECT_EQ(rows.Row(1)->name, "CIRCLE");
    EXPECT_EQ(rows.Row(1)->kind, RowKind::Circle);
    EXPECT_FALSE(rows.SetRow(3, RowKind::Line, Values({})));
    EXPECT_TRUE(rows.DeleteRow(0));
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(rows.Row(0)->kind, RowKind::Circle);  // the next row takes number 0
    EXPECT_EQ(rows.Row(1)->value[0], 2);
    EXPECT_EQ(rows.Row(2), nullptr);
    EXPECT_EQ(WriteEntityCsv(rows), "CIRCLE,5,5,2,0,0,0,0,0,\r\nPOINT,2,0,0,0,0,0,0,0,\r\n");
}

TEST(IsFullFigure, BothAnglesNearZeroOrEndNear360)
{
    EXPECT_TRUE(IsFullFigure(0, 0));
    EXPECT_TRUE(IsFullFigure(0, 360));
    EXPECT_TRUE(IsFullFigure(-0.0009, 359.9991));
    EXPECT_FALSE(IsFullFigure(0, 359.9));
    EXPECT_FALSE(IsFullFigure(0.001, 0));
    EXPECT_FALSE(IsFullFigure(360, 360));
    EXPECT_FALSE(IsFullFigure(0, 90));
}

// The entity of each listed type, the row it gives from origin (200, -50),
// and the record that row gives back.
TEST(EntityRows, FromEntitiesAndBack)
{
    struct Case {
        const char* name;
        int16_t type, subtype;
        std::vector<int16_t> codes;
        std::vector<double> values;
        EntityRow row;
        int16_t backType, backSubtype;
        std::vector<int16_t> backCodes;
        std::vector<double> backValues;
    } cases[] = {
        {"point", 10, 0, {10, 20}, {1000, 12345.678}, {"POINT", 10, Values({800, 12395.678})}, 10, 0, {10, 20},
         {1000, 12345.678}},
        {"line", 20, 0, {10, 20, 11, 22}, {0.1, 0.2, 300.3, -0.7},
         {"LINE", 20, Values({0.1 - 200, 0.2 + 50, 300.3 - 200, -0.7 + 50})}, 20, 0, {10, 20, 11, 22},
         {0.1, 0.2, 300.3, -0.7}},
        {"circle", 30, 0, {10, 20, 40}, {200, -50, 7}, {"CIRCLE", 30, Values({0, 0, 7})}, 30, 0, {10, 20, 40},
         {200, -50, 7}},
        {"counter-clockwise arc", 31, 1, {10, 20, 40, 50, 51}, {210, -40, 5, 30, 120},
         {"CIRCLE", 30, Values({10, 10, 5, 30, 120})}, 31, 1, {10, 20, 40, 50, 51}, {210, -40, 5, 30, 120}},
        {"clockwise arc is listed the other way round", 31, -1, {10, 20, 40, 50, 51}, {210, -40, 5, 30, 120},
         {"CIRCLE", 30, Values({10, 10, 5, 120, 30})}, 31, 1, {10, 20, 40, 50, 51}, {210, -40, 5, 120, 30}},
        {"ellipse", 32, 1, {10, 20, 60, 61, 62}, {200, -50, 40, 20, 15},
         {"ELLIPSE", 32, Values({0, 0, 40, 20, 15})}, 32, 1, {10, 20, 60, 61, 62}, {200, -50, 40, 20, 15}},
        {"elliptic arc", 33, 1, {10, 20, 60, 61, 62, 50, 51}, {201, -49, 40, 20, 15, 10, 200},
         {"ELLIPSE", 32, Values({1, 1, 40, 20, 15, 10, 200})}, 33, 1, {10, 20, 60, 61, 62, 50, 51},
         {201, -49, 40, 20, 15, 10, 200}},
        {"arc over the whole turn becomes a circle", 31, 1, {10, 20, 40, 50, 51}, {200, -50, 5, 0, 360},
         {"CIRCLE", 30, Values({0, 0, 5, 0, 360})}, 30, 0, {10, 20, 40}, {200, -50, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEntityList list;
        EntityHeader h{c.type, c.subtype, 0, 0, static_cast<int16_t>(c.values.size())};
        ASSERT_EQ(list.AddEntity(h, c.codes.data(), 0, c.values.data()), 0);
        const std::optional<EntityRow> row = RowFromEntity(*list.last, 200, -50);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->name, c.row.name);
        EXPECT_EQ(row->kind, c.row.kind);
        EXPECT_EQ(row->value, c.row.value);
        const std::optional<EntityCopy> back = RecordFromRow(*row, 200, -50, 305, 3, 0x00FF00);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->header.type, c.backType);
        EXPECT_EQ(back->header.subtype, c.backSubtype);
        EXPECT_EQ(back->header.style, 305);
        EXPECT_EQ(back->header.layer, 3);
        EXPECT_EQ(back->colour, 0x00FF00u);
        EXPECT_EQ(back->header.count, static_cast<int16_t>(c.backValues.size()));
        EXPECT_EQ(back->codes, c.backCodes);
        EXPECT_EQ(back->values, c.backValues);
    }
}

TEST(EntityRows, CircleRowsBecomeCirclesOrArcsByTheirAngles)
{
    CEntityRowList rows;
    ASSERT_EQ(ReadEntityCsv("CIRCLE,0,0,10,0,360,\r\nCIRCLE,0,0,10,0,359.9,\r\nELLIPSE,0,0,10,5,0,0,360,\r\n", rows), 3);
    EXPECT_EQ(RecordFromRow(rows.Rows()[0], 0, 0, 0, 0, 0)->header.type, EntityType::Circle);
    EXPECT_EQ(RecordFromRow(rows.Rows()[0], 0, 0, 0, 0, 0)->values, (std::vector<double>{0, 0, 10}));
    EXPECT_EQ(RecordFromRow(rows.Rows()[1], 0, 0, 0, 0, 0)->header.type, EntityType::Arc);
    EXPECT_EQ(RecordFromRow(rows.Rows()[2], 0, 0, 0, 0, 0)->header.type, EntityType::Ellipse);
}

TEST(EntityRows, OtherTypesAndShortRecordsGiveNoRow)
{
    CEntityList list;
    listtest::AddGrid(list);
    EXPECT_FALSE(HasEntityRow(*list.last));
    EXPECT_FALSE(RowFromEntity(*list.last, 0, 0));
    CEntity shortArc;
    shortArc.type = EntityType::Arc;
    shortArc.values = {1, 2, 3};
    EXPECT_TRUE(HasEntityRow(shortArc));
    EXPECT_FALSE(RowFromEntity(shortArc, 0, 0));
    EXPECT_FALSE(RecordFromRow(EntityRow{"----", 99, {}}, 0, 0, 0, 0, 0));
}

} // namespace

namespace {

// Taking the origin off and adding it again moves 0.1 by a bit; a listed
// position left alone comes back as the drawing held it, an edited one is
// taken from the row.
TEST(EntityRows, PositionsLeftAsListedComeBackBitForBit)
{
    const double origin = 123.456;
    ASSERT_NE((0.1 - origin) + origin, 0.1);
    CEntityList list;
    listtest::AddLine(list, 0.1, 0.7, 1e-9, 98765.4321);
    std::optional<EntityRow> row = RowFromEntity(*list.last, origin, origin);
    ASSERT_TRUE(row);
    EXPECT_EQ(RecordFromRow(*row, origin, origin, 0, 0, 0)->values,
              (std::vector<double>{0.1, 0.7, 1e-9, 98765.4321}));

    CEntityRowList rows;
    rows.AddRow(*row);
    rows.Rows()[0].value[2] = 5 - origin;  // end X typed anew
    EXPECT_EQ(RecordFromRow(rows.Rows()[0], origin, origin, 0, 0, 0)->values,
              (std::vector<double>{0.1, 0.7, (5 - origin) + origin, 98765.4321}));
    // Given another kind, the row no longer stands for the listed entity.
    rows.SetRow(0, RowKind::Point, rows.Rows()[0].value);
    EXPECT_EQ(RecordFromRow(rows.Rows()[0], origin, origin, 0, 0, 0)->values,
              (std::vector<double>{(0.1 - origin) + origin, (0.7 - origin) + origin}));
}

} // namespace
