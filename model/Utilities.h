#pragma once
// Small helpers shared across the program: a sort carrying a payload,
// near-duplicate point removal, code page 932 character counting and space
// stripping, part file kinds and decimal formatting.

#include <cstdint>
#include <string>
#include <string_view>

// Insertion sort of n keys into ascending order, stable for equal keys; each
// key's payload item moves with it.
template <class T>
void SortByKey(int n, double* keys, T* payload)
{
    for (int i = 1; i < n; ++i) {
        const double key = keys[i];
        T item = payload[i];
        int j = i - 1;
        while (j >= 0 && keys[j] > key) {
            keys[j + 1] = keys[j];
            payload[j + 1] = payload[j];
            --j;
        }
        keys[j + 1] = key;
        payload[j + 1] = item;
    }
}

// Compacts the n points (x[i], y[i]) in place: every point closer than 0.05
// on both axes to an earlier kept point is dropped. count is updated.
void RemoveDuplicatePoints(int& count, double* x, double* y);

// Characters of a code page 932 string: a lead byte and its valid trail byte
// count as one. The string ends at its first NUL byte or its end.
int CountMbcsChars(std::string_view text);
// Byte length reached by the same walk.
int MbcsByteLength(std::string_view text);

// The text without ASCII spaces and without full-width spaces (0x81 0x40).
std::string StripSpaces(std::string_view source);

// Part file kind by extension: RAS 0, DXF 1, ORV 2, JWW 3, JWC 4, else -1.
int GetFileTypeFromExtension(std::string_view fileName);

// value printed with 1 to 8 decimals; any other count prints none.
std::string FormatDecimal(int decimals, double value);
