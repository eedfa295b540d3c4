#include "platform/system.h"

#include <cstdint>

namespace platform {
namespace {

// Windows-1252 code points for 0x80..0x9F; 0 marks the five unused bytes.
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::size_t utf8Sequence(const std::string& bytes, std::size_t i, std::uint32_t& c) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned lead = b(i);
    const std::size_t n = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : 4;
    if (n == 4 || i + n >= bytes.size()) return 0;
    c = n == 0 ? lead : lead & (0x3F >> n);
    for (std::size_t k = 1; k <= n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    const std::uint32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n + 1;
}

bool isUtf8(const std::string& bytes) {
    std::uint32_t c = 0;
    for (std::size_t i = 0, n = 0; i < bytes.size(); i += n)
        if ((n = utf8Sequence(bytes, i, c)) == 0) return false;
    return true;
}

std::string registryText(RegType type, const std::string& data) {
    auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(data[i]));
    };
    if (type == RegType::Dword) {
        std::uint32_t n = 0;
        for (std::size_t i = 0; i < 4 && i < data.size(); ++i) n |= byte(i) << (8 * i);
        return std::to_string(n);
    }
    if (type != RegType::String && type != RegType::MultiString) return "";
    std::string out;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        std::uint32_t c = byte(i) | byte(i + 1) << 8;
        if (c == 0) {
            if (type == RegType::String) break;
            out += "\r\n";
            continue;
        }
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < data.size()) {
            std::uint32_t low = byte(i + 2) | byte(i + 3) << 8;
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (c >= 0x10000) {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

std::string Cp1252::toUtf8(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char b : ansi) {
        std::uint32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = kHigh[b - 0x80] ? kHigh[b - 0x80] : b;
        appendUtf8(out, c);
    }
    return out;
}

// A byte that begins no well-formed sequence stands for itself: it is kept, never joined to the
// bytes after it, so that a name read from a disk as bytes is written back as those bytes.
std::string Cp1252::fromUtf8(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::uint32_t c = 0;
        const std::size_t n = utf8Sequence(utf8, i, c);
        if (n == 0) {
            out += utf8[i++];
            continue;
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out += static_cast<char>(c);
            continue;
        }
        // The five unused bytes come back as the code points they were read as.
        char mapped = '?';
        if (c >= 0x80 && c < 0xA0 && !kHigh[c - 0x80]) mapped = static_cast<char>(c);
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] == c) mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

} // namespace platform
