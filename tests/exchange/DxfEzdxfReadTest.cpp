// Files written by another program (ezdxf, run by Debian's interpreter) open
// with the entities we take, or are refused; nothing crashes.

#include "DxfTestSupport.h"

#include "exchange/DxfFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace dxftest;
namespace fs = std::filesystem;

namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool HaveEzdxf()
{
    return std::system((std::string(kPython) + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

TEST(DxfEzdxfReadTest, FilesOfOtherVersionsOpen)
{
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    const fs::path folder = TempFolder("orvik-dxf-ezdxf-read");
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path script = folder / "make.py";
    std::ofstream(script) << R"(import sys, ezdxf
for version in ("R12", "R2000", "R2018"):
    doc = ezdxf.new(version)
    doc.header["$LTSCALE"] = 50
    msp = doc.modelspace()
    msp.add_line((1, 2), (3, 4), dxfattribs={"linetype": "DASHED"})
    msp.add_circle((5, 6), 7)
    msp.add_arc((1, 1), 2, 10, 100)
    msp.add_text("abc", dxfattribs={"height": 2.5, "insert": (8, 9)})
    msp.add_point((3, 3))
    msp.add_polyline2d([(0, 0), (10, 0), (10, 10)], close=True)
    if version != "R12":
        msp.add_ellipse((0, 0), major_axis=(20, 0), ratio=0.5)
        msp.add_lwpolyline([(0, 0), (1, 1)])
    doc.saveas(sys.argv[1] + "/" + version + ".dxf")
)";
    ASSERT_EQ(std::system((std::string(kPython) + " " + script.string() + " " + folder.string()).c_str()), 0);

    for (const char* version : {"R12", "R2000", "R2018"}) {
        SCOPED_TRACE(version);
        CEntityList list;
        CDxfFile dxf;
        ASSERT_EQ(dxf.Read(folder / (std::string(version) + ".dxf"), list), DxfReadOk);
        EXPECT_EQ(dxf.LtScale, 50.0);
        int lines = 0, circles = 0, arcs = 0, texts = 0, points = 0, ellipses = 0;
        for (const CEntity* e = list.first; e; e = e->next) {
            switch (e->type) {
            case EntityType::Line:
                ++lines;
                if (lines == 1) {
                    EXPECT_EQ(e->values, (std::vector<double>{1, 2, 3, 4}));
                    EXPECT_EQ(e->style, 200);
                }
                break;
            case EntityType::Circle:
                ++circles;
                EXPECT_EQ(e->values, (std::vector<double>{5, 6, 7}));
                break;
            case EntityType::Arc:
                ++arcs;
                EXPECT_EQ(e->values, (std::vector<double>{1, 1, 2, 10, 100}));
                break;
            case EntityType::Text:
                ++texts;
                EXPECT_EQ(e->text, "abc");
                EXPECT_EQ(e->values[0], 8.0);
                EXPECT_EQ(e->values[2], 2.5);
                break;
            case EntityType::Point: ++points; break;
            case EntityType::Ellipse:
                ++ellipses;
                EXPECT_EQ(e->values, (std::vector<double>{0, 0, 20, 10, 0}));
                break;
            default: ADD_FAILURE() << "unexpected type " << e->type;
            }
        }
        EXPECT_EQ(lines, 4);  // the line and the closed three-vertex polyline
        EXPECT_EQ(circles, 1);
        EXPECT_EQ(arcs, 1);
        EXPECT_EQ(texts, 1);
        EXPECT_EQ(points, 1);
        EXPECT_EQ(ellipses, std::string(version) == "R12" ? 0 : 1);
    }
    fs::remove_all(folder);
}
