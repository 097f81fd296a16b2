#pragma once
// JWC drawings, the older files of the outside CAD program Jw_cad: a text
// header, blocks of comma-separated numbers, settings at fixed offsets, then
// line, arc, text and point records. Read only. Nothing here talks to the
// user: a failure leaves its message in `message`.

#include "model/EntityList.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

inline constexpr const char* JwcHeaderMessage = "ERROR:1002 JWC_HEADER#1 CAN'T RAED";
inline constexpr const char* JwcBlockMessage = "*ERROR:Read!";
inline constexpr const char* JwcLineMessage = "ERROR:READ 線要素の読み込み";
inline constexpr const char* JwcArcMessage = "ERROR:READ 円弧要素の読み込み";
inline constexpr const char* JwcTextMessage = "ERROR:READ 文字要素の読み込み";
inline constexpr const char* JwcPointMessage = "ERROR:READ 実点要素の読み込み";

class CJwcReader {
public:
    double JwcScale = 0.0;
    double AreaMin[3] = {0.0, 0.0, 0.0};
    double AreaMax[3] = {0.0, 0.0, 0.0};
    double CoordFactor = 1.0;
    double TextHeights[11] = {};
    std::size_t StringOffset = 0;
    std::string message;  // empty, or why the read failed
    int NotFiniteRecords = 0;  // records left out for a value that is no finite number

    // 0 on success; 1 when the file cannot be read (message empty) or after
    // a failure (message set). Entities added before a failure stay.
    int ReadJwcFile(const std::filesystem::path& path, CEntityList& list);
    int ReadJwcData(std::span<const uint8_t> data, CEntityList& list);

    // Numbers of a 200-byte block: the pieces before each comma, up to the
    // first NUL, at most `maximum`; a piece without a number is NaN.
    // Returns how many were stored.
    static int ParseCommaNumbers(std::span<const uint8_t> block, double* numbers, int maximum);

private:
    int ReadJwcLines(std::span<const uint8_t> data, std::size_t offset, long long count, CEntityList& list);
    int ReadJwcArcs(std::span<const uint8_t> data, std::size_t offset, long long count, CEntityList& list);
    int ReadJwcTexts(std::span<const uint8_t> data, std::size_t offset, long long count, CEntityList& list);
    int ReadJwcPoints(std::span<const uint8_t> data, long long count, CEntityList& list);
};
