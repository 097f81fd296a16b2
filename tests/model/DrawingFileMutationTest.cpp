// Damaged copies of the fuzz seeds: whatever the damage, a read either
// succeeds and the drawing writes and reads back, or fails and adds nothing.

#include "model/DrawingFile.h"
#include "model/EntityList.h"
#include "model/SnapPointList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path SeedFolder()
{
    // ctest names the source folder; __FILE__ may be relative when a compiler
    // cache rewrote the paths.
    if (const char* source = std::getenv("ORVIK_SOURCE_DIR"); source && *source)
        return fs::path(source) / "fuzz" / "corpus" / "orv";
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "fuzz" / "corpus" / "orv";
}

std::vector<std::vector<uint8_t>> Seeds()
{
    std::vector<std::vector<uint8_t>> seeds;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SeedFolder(), ec)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

void Mutate(std::vector<uint8_t>& b, std::mt19937& rng)
{
    const uint32_t interesting[] = {0, 1, 7, 9, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 255, 256, 6001,
                                    static_cast<uint32_t>(b.size()), static_cast<uint32_t>(b.size() - 4)};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < edits && !b.empty(); ++k) {
        std::size_t at = rng() % b.size();
        switch (rng() % 4) {
        case 0: b[at] = static_cast<uint8_t>(rng()); break;
        case 1:
            if (at + 4 <= b.size()) {
                uint32_t v = interesting[rng() % std::size(interesting)];
                std::memcpy(&b[at & ~std::size_t(3)], &v, 4);
            }
            break;
        case 2:
            if (at + 8 <= b.size()) {
                const double doubles[] = {0.0, -1.0, 1e300, 9.0, 255.0, 256.0, 0.5, std::nan("")};
                double v = doubles[rng() % std::size(doubles)];
                std::memcpy(&b[at & ~std::size_t(7)], &v, 8);
            }
            break;
        default: b.resize(at); break;
        }
    }
}

} // namespace

TEST(DrawingFileMutation, DamagedSeedsReadOrFailCleanly)
{
    const auto seeds = Seeds();
    ASSERT_FALSE(seeds.empty()) << SeedFolder();
    std::mt19937 rng(20240517);
    int accepted = 0, refused = 0;
    for (const auto& seed : seeds) {
        for (int round = 0; round < 400; ++round) {
            std::vector<uint8_t> bytes = seed;
            Mutate(bytes, rng);
            CEntityList list;
            CSnapPointList snaps;
            CDrawingFile file;
            const int rc = file.ReadDrawing(bytes, list, snaps);
            if (rc != DrawingFileOk) {
                ++refused;
                ASSERT_EQ(list.first, nullptr);
                continue;
            }
            ++accepted;
            if (!list.first) continue;
            std::vector<uint8_t> out;
            ASSERT_EQ(file.WriteDrawing(out, list.first), DrawingFileOk);
            CEntityList again;
            CSnapPointList snapsAgain;
            ASSERT_EQ(CDrawingFile().ReadDrawing(out, again, snapsAgain), DrawingFileOk);
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
}
