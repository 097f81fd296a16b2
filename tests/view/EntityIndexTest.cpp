// The entity index the view paints and picks through: a zoomed-in paint
// visits only the entities whose boxes meet the view, in list order, and
// paints what a walk over the whole list paints; picks through the index
// answer as the walk does. Random drawings of every type that draws.

#include "DrawingViewFixture.h"

#include "model/EntityBox.h"

#include <algorithm>
#include <cstdint>
#include <random>

namespace {

class EntityIndexTest : public DrawingViewTest {
protected:
    void SetUp() override
    {
        DrawingViewTest::SetUp();
        doc->DrawingOrigin[0] = doc->DrawingOrigin[1] = 0.0;
        doc->parameters.GridSensitivity = 2;  // aperture of 10 pixels
        doc->parameters.DefaultGridPitch = 20.0f;
    }

    // A hatching of the rectangle (x, y)-(x + w, y + h) with its stored box.
    CEntity* AddHatch(double x, double y, double w, double h, double angle)
    {
        std::vector<int16_t> codes = {4, 0, 0, 60, 61, 62, 63};
        std::vector<double> values = {5, 5, angle, x, y, x + w, y + h};
        for (const auto& c : {std::pair{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}) {
            codes.insert(codes.end(), {10, 20});
            values.insert(values.end(), {c.first, c.second});
        }
        return Add(EntityType::Hatch, 1, 0, codes, values, 0x00FF00);
    }
    // A dimension record of two measuring points with arrowheads at both ends.
    CEntity* AddDimension(double x1, double y1, double x2, double y2)
    {
        std::vector<int16_t> codes;
        std::vector<double> values;
        for (int16_t c = 1; c <= 13; ++c) {
            codes.push_back(c);
            values.push_back(0.0);
        }
        codes.insert(codes.end(), {14, 40, 41, 50, 51});
        values.insert(values.end(), {33322, x1, y1, x2, y2});
        return Add(EntityType::Dimension, 0, 0, codes, values, 0x0000FF);
    }

    // A drawing of about `count` entities of every kind over 1600 x 1200 mm,
    // most of them small; a few texts, circles and fills are large.
    void Populate(unsigned seed, int count)
    {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> px(-50, 1600), py(-50, 1200), size(1, 40), angle(0, 360);
        std::uniform_int_distribution<int> kind(0, 13);
        AddGrid(20, 1);
        Add(EntityType::HorizontalInfiniteLine, 0, 0, {10, 20}, {0, 333});
        for (int i = 0; i < count; ++i) {
            const double x = px(rng), y = py(rng);
            const double s = size(rng) * (i % 97 == 0 ? 20 : 1);
            switch (kind(rng)) {
            case 0: AddLine(x, y, x + s, y + size(rng) - 20, 0x000080); break;
            case 1: Add(EntityType::Point, 0, 0, {10, 20}, {x, y}); break;
            case 2: Add(EntityType::Circle, 0, 0, {10, 20, 40}, {x, y, s}, 0x800000); break;
            case 3: Add(EntityType::Arc, 1, 0, {10, 20, 40, 50, 51}, {x, y, s, angle(rng), angle(rng)}); break;
            case 4:
                Add(EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {x, y, s / 3, s / 3, i % 3 ? 0.0 : angle(rng)},
                    0x008000, "AB\x82\xa0", "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");
                break;
            case 5: Add(EntityType::Polygon, 0, 0, {}, {x, y, x + s, y, x + s, y + s}); break;
            case 6: Add(EntityType::Image, 0, 0, {10, 20, 11, 22}, {x, y, x + s, y + s / 2}, 0, "none.png"); break;
            case 7: Add(EntityType::Ellipse, 0, 0, {10, 20, 60, 61, 62}, {x, y, s, s / 2, angle(rng)}); break;
            case 8:
                Add(EntityType::Fill, 4, 0, {0, 0, 10, 20, 10, 20, 10, 20, 10, 20},
                    {0, 0, x, y, x + s, y, x, y + s, x, y}, 0xFF00FF);
                break;
            case 9: AddHatch(x, y, s, s * 0.7, i % 2 ? 45.0 : 0.0); break;
            case 10: AddDimension(x, y, x + s, y + size(rng)); break;
            case 11:
                Add(EntityType::LeaderText, 13, 0, {10, 20, 30, 40, 50, 11, 21, 12, 22, 13, 23},
                    {x, y, s / 4, s / 4, i % 2 ? 0.0 : angle(rng), x - s, y - s, x - s / 2, y - s / 3, x, y},
                    0x808000, "Lead");
                break;
            case 12: Add(EntityType::FreehandCurve, 0, 0, {}, {x, y, x + s / 2, y + s, x + s, y}); break;
            default: Add(EntityType::Curve, 0, 0, {10, 20, 11, 21, 12, 22}, {x, y, x + s, y + s / 2, x + 2 * s, y}); break;
            }
        }
    }

    // Zooms in on the model window whose bottom-left corner is (x, y).
    void ZoomAt(double zoom, double x, double y)
    {
        view->zoom = zoom;
        view->scrollX = int(x * zoom);
        view->scrollY = int(y * zoom);
        view->ComputeVisibleRect();
    }
};

bool Meets(const IndexBox& b, double x0, double y0, double x1, double y1)
{
    return b.x0 <= x1 && x0 <= b.x1 && b.y0 <= y1 && y0 <= b.y1;
}

TEST_F(EntityIndexTest, ZoomedInPaintVisitsOnlyWhatMeetsTheView)
{
    Populate(2024, 3000);
    std::vector<CEntity*> list;
    for (CEntity* e = doc->list.first; e; e = e->next)
        list.push_back(e);
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> cx(0, 1500), cy(0, 1100);
    for (int mode : {0, 1}) {
        DimArrowScaleMode = int16_t(mode);
        for (int round = 0; round < 6; ++round) {
            const double zoom = round % 2 ? 4.0 : 1.5;
            ZoomAt(zoom, cx(rng), cy(rng));
            const double x0 = view->visibleX0, y0 = view->visibleY0, x1 = view->visibleX1, y1 = view->visibleY1;
            const double margin = 8 / zoom;  // the cull margin's pixels at scale 1

            view->SetCullThreshold(SIZE_MAX);
            const QImage walked = Render();
            view->SetCullThreshold(0);
            const QImage culled = Render();
            EXPECT_TRUE(culled == walked) << "mode " << mode << " round " << round;

            // Exactly the entities whose box meets the view (within the
            // margin) and the unbounded ones, in list order.
            const double reach = mode == 1 ? 12.0 : 0.0;
            const std::vector<CEntity*>& visited = view->VisitedEntities();
            std::size_t inView = 0;
            for (CEntity* e : list) {
                IndexBox box{};
                const IndexReach r = EntityIndexBox(*e, reach, box);
                const bool inside = r == IndexReach::Bounded && Meets(box, x0, y0, x1, y1);
                const bool near = r == IndexReach::Bounded &&
                                  Meets(box, x0 - margin - 1e-9, y0 - margin - 1e-9, x1 + margin + 1e-9,
                                        y1 + margin + 1e-9);
                const bool seen = std::find(visited.begin(), visited.end(), e) != visited.end();
                if (r == IndexReach::Unbounded || inside) {
                    EXPECT_TRUE(seen) << "type " << e->type;
                }
                if (seen) {
                    EXPECT_TRUE(r == IndexReach::Unbounded || near) << "type " << e->type;
                }
                inView += inside;
            }
            EXPECT_LE(visited.size(), inView + 2 + list.size() / 50);
            EXPECT_LT(visited.size(), list.size() / 4);
            std::vector<std::size_t> positions;
            for (CEntity* e : visited)
                positions.push_back(std::size_t(std::find(list.begin(), list.end(), e) - list.begin()));
            EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
        }
    }
}

TEST_F(EntityIndexTest, WideQueriesWalkTheListAndNarrowOnesFileTheBoxes)
{
    Populate(31, 2000);
    auto expected = [this](const IndexBox& r) {
        std::vector<CEntity*> out;
        for (CEntity* e = doc->list.first; e; e = e->next) {
            IndexBox b{};
            const IndexReach reach = EntityIndexBox(*e, 0, b);
            if (reach == IndexReach::Unbounded ||
                (reach == IndexReach::Bounded && Meets(b, r.x0, r.y0, r.x1, r.y1)))
                out.push_back(e);
        }
        return out;
    };
    // From everything down to a corner of the drawing's extent: the wide
    // ones cut through it, so the walk tests every box as the tree would.
    IndexBox e{1e9, 1e9, -1e9, -1e9};
    for (CEntity* p = doc->list.first; p; p = p->next) {
        IndexBox b{};
        if (EntityIndexBox(*p, 0, b) == IndexReach::Bounded)
            e = {std::min(e.x0, b.x0), std::min(e.y0, b.y0), std::max(e.x1, b.x1), std::max(e.y1, b.y1)};
    }
    const double w = e.x1 - e.x0, h = e.y1 - e.y0;
    const IndexBox rects[] = {{-1e6, -1e6, 1e6, 1e6},
                              {e.x0 + w / 10, e.y0 + h / 10, e.x1 - w / 10, e.y1 - h / 10},
                              {e.x0 - 1, e.y0 + h / 3, e.x1 + 1, e.y1 - h / 10},
                              {e.x0 + w / 3, e.y0 + h / 3, e.x1, e.y1},
                              {e.x0 + w / 2, e.y0 + h / 4, e.x1 - w / 8, e.y1 - h / 4},
                              {e.x0 + w / 10, e.y0 + h / 10, e.x0 + w / 5, e.y0 + h / 5}};
    EntityIndex index;
    index.Sync(doc->list);
    std::vector<CEntity*> out;
    for (const IndexBox& r : {rects[0], rects[1], rects[2]}) {
        index.Query(r, out);
        EXPECT_EQ(out, expected(r));
    }
    EXPECT_FALSE(index.Filed());
    index.Query(rects[5], out);
    EXPECT_EQ(out, expected(rects[5]));
    EXPECT_TRUE(index.Filed());
    // Once filed, every rectangle goes through the tree and answers the same.
    for (const IndexBox& r : rects) {
        index.Query(r, out);
        EXPECT_EQ(out, expected(r));
    }
}

TEST_F(EntityIndexTest, TextBoxesFollowTheDrawnText)
{
    // A level text reaches its width to the right and its height up; a
    // turned one reaches along its angle; its anchor is always inside.
    CEntity* level = Add(EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {100, 50, 10, 4, 0}, 0, "ABCD");
    CEntity* turned = Add(EntityType::Text, 0, 0, {10, 20, 30, 40, 50}, {100, 50, 10, 10, 90}, 0, "ABCD");
    IndexBox box{};
    ASSERT_EQ(EntityIndexBox(*level, 0, box), IndexReach::Bounded);
    EXPECT_LE(box.x0, 99.0);
    EXPECT_GE(box.x1, 120.0);  // four cells of half the height
    EXPECT_LE(box.y0, 49.0);
    EXPECT_GE(box.y1, 60.0);
    EXPECT_LE(box.y1, 61.0 + 1e-9);
    ASSERT_EQ(EntityIndexBox(*turned, 0, box), IndexReach::Bounded);
    EXPECT_LE(box.x0, 90.0);
    EXPECT_GE(box.y1, 70.0);
    EXPECT_LE(box.x1, 101.0 + 1e-9);

    // Group headers and hatchings without a box neither show nor answer.
    CEntity empty;
    empty.type = EntityType::Hatch;
    EXPECT_EQ(EntityIndexBox(empty, 0, box), IndexReach::None);
    empty.type = EntityType::GroupHeader;
    EXPECT_EQ(EntityIndexBox(empty, 0, box), IndexReach::None);
    empty.type = EntityType::Grid;
    EXPECT_EQ(EntityIndexBox(empty, 0, box), IndexReach::Unbounded);
}

TEST_F(EntityIndexTest, PicksAndPaintsThroughTheIndexMatchTheWalk)
{
    Populate(99, 2500);
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> cx(0, 1500), cy(0, 1100);
    std::uniform_int_distribution<int> px(0, Width - 1), py(0, Height - 1);
    const int filters[] = {0, 1, -22, -11, 40, 41, 70, 71, 80, -999};
    for (int round = 0; round < 4; ++round) {
        ZoomAt(round % 2 ? 2.0 : 0.5, cx(rng), cy(rng));
        int found = 0;
        for (int i = 0; i < 300; ++i) {
            const int filter = filters[i % 10], xd = px(rng), yd = py(rng);
            double wx, wy, ix, iy;
            view->Picker().SetIndexThreshold(SIZE_MAX);
            CEntity* walked = view->PickEntity(filter, xd, yd, wx, wy);
            view->Picker().SetIndexThreshold(0);
            CEntity* indexed = view->PickEntity(filter, xd, yd, ix, iy);
            EXPECT_EQ(indexed, walked) << round << " " << i;
            EXPECT_EQ(ix, wx) << round << " " << i;
            EXPECT_EQ(iy, wy) << round << " " << i;
            found += walked != nullptr;
        }
        EXPECT_GT(found, 30) << round;

        view->SetCullThreshold(SIZE_MAX);
        const QImage plain = Render();
        view->SetCullThreshold(0);
        EXPECT_TRUE(Render() == plain) << round;

        // Geometry moved in place shows and answers once the index is told.
        CEntity* moved = doc->list.last;
        for (double& v : moved->values)
            v += 37.0;
        view->InvalidateDrawIndex();
    }
}

} // namespace
