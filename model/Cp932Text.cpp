#include "model/Cp932Text.h"

std::size_t Cp932FitLength(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) return text.size();
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t step = (IsCp932LeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
        if (pos + step > maxBytes) break;
        pos += step;
    }
    return pos;
}

namespace {
NativePathDecoder nativePathDecoder = nullptr;
}

void SetNativePathDecoder(NativePathDecoder decoder)
{
    nativePathDecoder = decoder;
}

std::filesystem::path NativePathFromCp932(std::string_view cp932)
{
    if (nativePathDecoder) return nativePathDecoder(cp932);
    return std::filesystem::path(std::string(cp932));
}
