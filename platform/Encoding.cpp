#include "platform/Encoding.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts in; at each input position iconv refuses, `replace(rest, out)`
    // appends a replacement and returns how many input bytes it stands for.
    template <class Replace>
    std::string run(std::string_view in, Replace replace)
    {
        std::string out;
        if (!ok()) {
            return out;
        }
        out.reserve(in.size() * 3 / 2 + 8);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (r != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (incomplete sequence at the end): replace and move on.
            size_t n = replace(std::string_view(src, srcLeft), out);
            if (n == 0 || n > srcLeft) {
                n = 1;
            }
            src += n;
            srcLeft -= n;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        return out;
    }

private:
    iconv_t cd_;
};

Converter& decoder()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

size_t utf8SequenceLength(std::string_view s)
{
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (n > s.size()) {
        return 1;
    }
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return n;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    // A refused byte is replaced on its own, so that a valid character whose
    // first byte follows a bad lead byte is still recognised.
    return decoder().run(cp932, [](std::string_view, std::string& out) {
        out.append("\xEF\xBF\xBD");
        return size_t{1};
    });
}

std::string Utf8ToCp932(std::string_view utf8)
{
    return encoder().run(utf8, [](std::string_view rest, std::string& out) {
        size_t n = utf8SequenceLength(rest);
        // Characters that other Japanese code tables (and Linux input
        // methods) use where cp932 has a look-alike: the wave dash, double
        // vertical line, minus, cent, pound, not sign, em dash, yen sign,
        // overline and broken bar.
        static const struct {
            const char* utf8;
            const char* cp932;
        } lookAlikes[] = {
            {"\u301C", "\x81\x60"}, {"\u2016", "\x81\x61"}, {"\u2212", "\x81\x7C"}, {"\u00A2", "\x81\x91"},
            {"\u00A3", "\x81\x92"}, {"\u00AC", "\x81\xCA"}, {"\u2014", "\x81\x5C"}, {"\u00A5", "\x5C"},
            {"\u203E", "\x7E"},      {"\u00A6", "\xFA\x55"},
        };
        for (const auto& l : lookAlikes) {
            if (rest.substr(0, n) == l.utf8) {
                out.append(l.cp932);
                return n;
            }
        }
        out.push_back('?');
        return n;
    });
}

bool CodePageToUtf16(std::string_view bytes, int codePage, std::u16string& out)
{
    Converter c("UTF-16LE", ("CP" + std::to_string(codePage)).c_str());
    if (!c.ok()) {
        return false;
    }
    const std::string utf16 = c.run(bytes, [](std::string_view, std::string& o) {
        o.append("\xFD\xFF", 2);  // U+FFFD
        return size_t{1};
    });
    out.assign(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size() / 2);
    return true;
}

QString FromCp932(std::string_view cp932)
{
    bool ascii = true;
    for (char c : cp932) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    }
    std::string utf8 = Cp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCp932(const QString& text)
{
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        QByteArray latin = text.toLatin1();
        return std::string(latin.constData(), static_cast<size_t>(latin.size()));
    }
    QByteArray utf8 = text.toUtf8();
    return Utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

std::size_t Cp932PrefixLength(std::string_view s, std::size_t maxBytes)
{
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t n = IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        if (i + n > maxBytes) {
            break;
        }
        i += n;
    }
    return i;
}

std::string Cp932Truncate(std::string_view s, std::size_t maxBytes)
{
    return std::string(s.substr(0, Cp932PrefixLength(s, maxBytes)));
}

std::size_t Cp932CharCount(std::string_view s)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++count) {
        i += IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    }
    return count;
}

} // namespace platform
