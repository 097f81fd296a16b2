#pragma once
// An independent metafile reader for the tests: libemf2svg, loaded at run
// time so the test programs need no link step of their own. Empty text when
// the library is not installed (the caller skips) or refuses the metafile.

#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <regex>
#include <cstdlib>
#include <string>
#include <vector>

namespace emf2svg_reader {

struct Options {
    char* nameSpace;
    bool verbose;
    bool emfplus;
    bool svgDelimiter;
    double imgHeight;
    double imgWidth;
};
using ConvertFn = int (*)(char*, size_t, char**, size_t*, Options*);

inline ConvertFn LoadConverter()
{
    for (const char* name : {"libemf2svg.so.1", "libemf2svg.so"}) {
        if (void* lib = dlopen(name, RTLD_NOW | RTLD_LOCAL))
            return reinterpret_cast<ConvertFn>(dlsym(lib, "emf2svg"));
    }
    return nullptr;
}

inline bool Available()
{
    return LoadConverter() != nullptr;
}

inline std::string ToSvg(const std::vector<std::uint8_t>& emf)
{
    ConvertFn convert = LoadConverter();
    if (!convert) return {};
    std::vector<char> data(emf.begin(), emf.end());
    Options options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    char* out = nullptr;
    size_t outLength = 0;
    const int ok = convert(data.data(), data.size(), &out, &outLength, &options);
    std::string svg = ok && out ? std::string(out, outLength) : std::string();
    std::free(out);
    return svg;
}

// The path arcs of radius `radius` (within 1) in svg, followed as an SVG
// renderer draws them around the centre (cx, cy), y down.
struct ArcTurn {
    double degrees = 0;   // turned in all, in the direction each arc sweeps
    int arcs = 0;         // arcs of that radius
    int offCircle = 0;    // arcs an SVG renderer draws elsewhere: an end off
                          // the circle, or the large-arc flag choosing the
                          // mirror circle's arc
};

inline ArcTurn TurnOfArcs(const std::string& svg, double cx, double cy, double radius)
{
    constexpr double Pi = 3.14159265358979323846;
    static const std::regex arc(
        R"(M\s*([-\d.]+),([-\d.]+)\s*A\s*([-\d.]+),([-\d.]+)\s+\S+\s+([01])\s+([01])\s+([-\d.]+),([-\d.]+))");
    ArcTurn t;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), arc); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (std::abs(std::stod(m[3]) - radius) > 1.0) continue;
        ++t.arcs;
        const double x0 = std::stod(m[1]), y0 = std::stod(m[2]), x1 = std::stod(m[7]), y1 = std::stod(m[8]);
        if (std::hypot(x1 - x0, y1 - y0) < 1e-6) continue;  // an arc to its own start draws nothing
        if (std::abs(std::hypot(x0 - cx, y0 - cy) - radius) > 1.0 || std::abs(std::hypot(x1 - cx, y1 - cy) - radius) > 1.0) {
            ++t.offCircle;
            continue;
        }
        // Screen angles grow counter-clockwise; sweep flag 0 draws that way.
        const double a0 = std::atan2(cy - y0, x0 - cx), a1 = std::atan2(cy - y1, x1 - cx);
        double d = m[6] == "0" ? a1 - a0 : a0 - a1;
        while (d <= 1e-9) d += 2 * Pi;
        if ((m[5] == "1") != (d > Pi)) {
            ++t.offCircle;
            continue;
        }
        t.degrees += d * 180 / Pi;
    }
    return t;
}

} // namespace emf2svg_reader
