// Our HP-GL read back by an independent interpreter (hp2xx, when it is
// installed): every command understood, and the plotted extents those of the
// drawing.

#include "HpglTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace hpgltest;
namespace fs = std::filesystem;

namespace {

std::string FindHp2xx()
{
    for (const char* dir : {"/usr/bin", "/usr/local/bin"}) {
        const fs::path p = fs::path(dir) / "hp2xx";
        if (::access(p.c_str(), X_OK) == 0) return p.string();
    }
    return {};
}

struct Report {
    bool ran = false;
    std::string log;
    int ignored = -1;
    int unexpected = -1;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

Report Interpret(const std::string& hp2xx, const std::string& hpgl)
{
    Report r;
    char pattern[] = "/tmp/orvik-hpgl-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    if (!dir) return r;
    const fs::path folder(dir);
    {
        std::ofstream(folder / "plot.pgl", std::ios::binary) << hpgl;
    }
    const std::string command = hp2xx + " -m hpgl -f '" + (folder / "out.hpgl").string() + "' '" +
                                (folder / "plot.pgl").string() + "' > '" + (folder / "log").string() + "' 2>&1";
    r.ran = std::system(command.c_str()) == 0;
    std::ifstream in(folder / "log");
    std::stringstream all;
    all << in.rdbuf();
    r.log = all.str();
    std::istringstream lines(r.log);
    for (std::string line; std::getline(lines, line);) {
        std::sscanf(line.c_str(), "HPGL command(s) ignored: %d", &r.ignored);
        std::sscanf(line.c_str(), "Unexpected event(s): %d", &r.unexpected);
        std::sscanf(line.c_str(), "Coordinate range: (%lf, %lf) ... (%lf, %lf)", &r.minX, &r.minY, &r.maxX, &r.maxY);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return r;
}

// A drawing of every plotted kind inside a 400 x 300 frame.
void Drawing(Chain& chain)
{
    chain.Add(Make(EntityType::Polygon, 1, {0, 0, 400, 0, 400, 300, 0, 300, 0, 0}));
    chain.Add(Make(EntityType::Line, 102, {20, 20, 380, 280}));
    chain.Add(Make(EntityType::Point, 3, {50, 250}));
    chain.Add(Make(EntityType::Circle, 204, {100, 100, 40}));
    chain.Add(Make(EntityType::Arc, 305, {200, 100, 30, 30, 160}, 1));
    chain.Add(Make(EntityType::Arc, 6, {200, 200, 30, 30, 160}, -1));
    CEntity ellipse = Make(EntityType::Ellipse, 7, {300, 200, 40, 20, 30});
    ellipse.codes = {10, 20, 60, 61, 62};
    chain.Add(ellipse);
    CEntity arc = Make(EntityType::EllipticArc, 1, {300, 80, 40, 20, 0, 10, 200}, 1);
    arc.codes = {10, 20, 60, 61, 62, 50, 51};
    chain.Add(arc);
    chain.Add(Make(EntityType::Curve, 2, {20, 150, 60, 200, 100, 150, 140, 200}));
    chain.Add(Make(EntityType::FreehandCurve, 2, {150, 250, 160, 260, 170, 250}));
    chain.Add(Make(EntityType::Text, 1, {120, 40, 5, 5, 0}, 0, "HP-GL"));
    chain.Add(Make(EntityType::Text, 1, {250, 40, 5, 5, 15}, 0, "\x90\x7d\x96\xca"));
    chain.Add(Make(EntityType::LeaderText, 1, {120, 260, 5, 5, 0, 140, 250, 180, 230, 200, 230}, 13, "A"));
    CEntity dimension = Make(EntityType::Dimension, 2, {30000, 250, 150, 280, 150}, 3);
    dimension.codes = {14, 40, 41, 50, 51};
    chain.Add(dimension);
    CEntity hatch;
    hatch.type = EntityType::Hatch;
    hatch.subtype = 3;
    hatch.style = 4;
    hatch.codes = {4, 0, 0, 60, 61, 62, 63, 10, 20, 10, 20, 10, 20, 10, 20};
    for (double v : {5.0, 10.0, 20.0, 320.0, 220.0, 380.0, 280.0, 320.0, 220.0, 380.0, 220.0, 380.0, 280.0, 320.0,
                     280.0})
        hatch.values.push_back(v);
    hatch.count = static_cast<int16_t>(hatch.values.size());
    chain.Add(hatch);
}

} // namespace

TEST(HpglRender, EveryKindIsUnderstoodAndTheExtentsAreTheDrawings)
{
    const std::string hp2xx = FindHp2xx();
    if (hp2xx.empty()) GTEST_SKIP() << "hp2xx is not installed";
    struct Case {
        int scaleIndex;
        int paperBased;  // A3: paper factor 2
        int offsetX;
        double unitsPerMm;
    };
    const Case cases[] = {{6, 0, 0, 40.0}, {6, 1, 0, 20.0}, {6, 0, 10, 40.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scale index " << c.scaleIndex << " correction " << c.offsetX);
        Chain chain;
        Drawing(chain);
        PlotJob job;
        job.CommandSet = 0;
        job.ScaleIndex = c.scaleIndex;
        job.PaperBased = c.paperBased;
        job.PaperIndex = 3;
        job.OffsetXmm = c.offsetX;
        job.ExtMaxX = 400;
        job.ExtMaxY = 300;
        job.First = chain.First();
        PlotTextChannel out(true);
        int error = -1;
        const std::string hpgl = RunToEnd(job, out, &error);
        ASSERT_EQ(error, PlotError::None);
        const Report r = Interpret(hp2xx, hpgl);
        ASSERT_TRUE(r.ran) << r.log;
        EXPECT_EQ(r.ignored, 0) << r.log;
        EXPECT_EQ(r.unexpected, 0) << r.log;
        const double shift = c.offsetX * 40.0;
        const double tolerance = 0.5 * c.unitsPerMm;
        EXPECT_NEAR(r.minX, shift, tolerance);
        EXPECT_NEAR(r.minY, 0, tolerance);
        EXPECT_NEAR(r.maxX, shift + 400 * c.unitsPerMm, tolerance);
        EXPECT_NEAR(r.maxY, 300 * c.unitsPerMm, tolerance);
    }
}
