#include "model/SplineSamples.h"

#include <algorithm>

std::vector<GeoPoint> SplineSamplePoints(const double* xy, std::size_t n)
{
    std::vector<GeoPoint> out;
    if (n < 2) {
        for (std::size_t i = 0; i < n; ++i)
            out.push_back({xy[2 * i], xy[2 * i + 1]});
        return out;
    }
    // The extended list: the first and the last point doubled.
    auto at = [&](std::size_t k, int c) { return xy[2 * (k == 0 ? 0 : std::min(k - 1, n - 1)) + c]; };
    const std::size_t steps = std::min<std::size_t>(n, 40) + 1;
    out.reserve((n - 1) * (steps + 1) + 2);
    out.push_back({xy[0], xy[1]});
    for (std::size_t k = 1; k + 1 <= n; ++k) {
        double coeff[2][4];
        for (int c = 0; c < 2; ++c) {
            const double a0 = at(k - 1, c), a1 = at(k, c), a2 = at(k + 1, c), a3 = at(k + 2, c);
            coeff[c][3] = (3 * (a1 - a2) - a0 + a3) / 6;
            coeff[c][2] = (a0 - 2 * a1 + a2) / 2;
            coeff[c][1] = (a2 - a0) / 2;
            coeff[c][0] = (a0 + 4 * a1 + a2) / 6;
        }
        for (std::size_t j = k == 1 ? 1 : 0; j <= steps; ++j) {
            const double t = static_cast<double>(j) / static_cast<double>(steps);
            GeoPoint q;
            q.x = ((coeff[0][3] * t + coeff[0][2]) * t + coeff[0][1]) * t + coeff[0][0];
            q.y = ((coeff[1][3] * t + coeff[1][2]) * t + coeff[1][1]) * t + coeff[1][0];
            out.push_back(q);
        }
    }
    out.push_back({xy[2 * (n - 1)], xy[2 * (n - 1) + 1]});
    return out;
}
