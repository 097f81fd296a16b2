// What the dimension and hatch tools add is saved and read back as it was,
// and reaches a DXF file.

#include "AnnotationFixture.h"

#include "annotation_tools/DimensionTool.h"
#include "exchange/DxfFile.h"
#include "model/DrawingFile.h"
#include "model/Settings.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

class AnnotationFilesTest : public AnnotationTest {};

TEST_F(AnnotationFilesTest, EveryKindOfRecordSurvivesTheDrawingFile)
{
    AddRectangle(2.5, 2.5, 102.5, 52.5);
    AddCircle(200, 100, 20);
    AddLine(150, 150, 230, 150);
    AddLine(150, 150, 150, 200);
    DimDecimals = 2;
    ArrowheadKind = 3;
    DimToleranceType = 1;
    // Area (before lines of other dimensions lie on its sides), distance,
    // horizontal chain, perimeter, radius, diameter, angle.
    h.Select(7, DimensionMode::Area);
    for (auto [x, y] : std::vector<std::pair<double, double>>{{50, 2.5}, {102.5, 30}, {50, 52.5}, {2.5, 30}, {50, 2.5}})
        h.Click(x, y);
    h.Select(7, DimensionMode::Distance);
    SnapClick(2.5, 2.5);
    SnapClick(102.5, 2.5);
    h.Click(50, 30);
    h.Select(7, DimensionMode::Horizontal);
    SnapClick(2.5, 52.5);
    SnapClick(102.5, 52.5);
    h.RightClick(102.5, 52.5);
    h.Click(50, 70);
    for (auto [mode, picks] : std::vector<std::pair<int, std::vector<std::pair<double, double>>>>{
             {DimensionMode::Perimeter, {{220, 100}, {260, 60}}},
             {DimensionMode::Radius, {{220, 100}, {230, 110}}},
             {DimensionMode::Diameter, {{220, 100}, {230, 100}, {200, 140}}},
             {DimensionMode::Angle, {{200, 150}, {150, 180}, {180, 180}}}}) {
        h.Select(7, mode);
        for (auto [x, y] : picks)
            h.Click(x, y);
    }
    h.Select(13, 0);
    h.Click(180, 100);
    h.Select(13, 1);
    h.Click(180, 100);

    const auto dims = Records(EntityType::Dimension);
    std::vector<int> kinds;
    for (const CEntity* d : dims)
        kinds.push_back(d->subtype);
    ASSERT_EQ(kinds, (std::vector<int>{8, 0, 1, 3, 4, 5, 6}));
    ASSERT_EQ(Records(EntityType::Hatch).size(), 1u);
    ASSERT_EQ(Records(EntityType::Fill).size(), 1u);

    CDrawingFile file;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(file.WriteDrawing(bytes, h.Doc().list.first), DrawingFileOk);
    CEntityList list;
    CSnapPointList snaps;
    CDrawingFile reader;
    ASSERT_EQ(reader.ReadDrawing(bytes, list, snaps), DrawingFileOk);

    std::vector<const CEntity*> before, after;
    for (const CEntity* e = h.Doc().list.first; e; e = e->next)
        if (e->type == EntityType::Dimension || e->type == EntityType::Hatch || e->type == EntityType::Fill)
            before.push_back(e);
    for (const CEntity* e = list.first; e; e = e->next)
        if (e->type == EntityType::Dimension || e->type == EntityType::Hatch || e->type == EntityType::Fill)
            after.push_back(e);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const CEntity* a = before[i];
        const CEntity* b = after[i];
        SCOPED_TRACE(a->type * 100 + a->subtype);
        EXPECT_EQ(a->type, b->type);
        EXPECT_EQ(a->subtype, b->subtype);
        EXPECT_EQ(a->style, b->style);
        EXPECT_EQ(a->colour, b->colour);
        ASSERT_EQ(a->count, b->count);
        for (int k = 0; k < a->count; ++k) {
            const auto j = static_cast<std::size_t>(k);
            EXPECT_EQ(a->codes[j], b->codes[j]);
            EXPECT_EQ(std::memcmp(&a->values[j], &b->values[j], sizeof(double)), 0) << k;
        }
        if (a->type == EntityType::Dimension) {
            EXPECT_GT(MemberCount(a), 0);
            EXPECT_EQ(MemberCount(a), MemberCount(b));
        }
    }

    // The DXF writer takes the dimensions' lines and texts and the hatch's
    // lines.
    CDxfFile dxf;
    std::string out;
    dxf.WriteText(out, h.Doc().list.first);
    EXPECT_NE(out.find("\n100.00"), std::string::npos);
    EXPECT_NE(out.find("\n90.00"), std::string::npos);
}

} // namespace
