#pragma once
// The terminator code word of a dimension (its code 14): five decimal
// digits, the terminator kinds at the first end, the last end and the
// intermediate points, then the dot size and the arrow size indexes.
// Kinds: 0 none, 1 dot, 2 single barb, 3 arrowhead, 4 reversed arrowhead;
// anything above 4 draws nothing.

#include <cmath>

struct TerminatorSpec {
    int firstEnd = 0;
    int lastEnd = 0;
    int intermediate = 0;
    int dotSize = 0;
    int arrowSize = 0;

    // The digits of a stored value, read by repeated division; a negative,
    // huge or undefined value reads as all zeros.
    static TerminatorSpec FromValue(double value)
    {
        TerminatorSpec spec;
        if (!(value >= 0.0 && value < 1e9))
            return spec;
        double v = std::trunc(value);
        auto digit = [&v](double unit) {
            const double d = std::trunc(v / unit);
            v -= d * unit;
            return static_cast<int>(d);
        };
        spec.firstEnd = digit(10000.0);
        spec.lastEnd = digit(1000.0);
        spec.intermediate = digit(100.0);
        spec.dotSize = digit(10.0);
        spec.arrowSize = digit(1.0);
        return spec;
    }
};
