#pragma once
// Taunt files made by the tests, with the samples they must play as. The ACM stream uses the
// format's simplest packing, written here from its description: a 14-byte header (the magic
// 0x01032897, the number of samples of all channels, the channels, the rate, and the block's
// shape: levels in the low 4 bits, rows above them), then blocks of `rows` samples. With no
// levels a block is one column: a 4-bit power p and a 16-bit step s (the amplitudes are
// -2^p*s .. (2^p-1)*s in steps of s), then the column's 5-bit filler. Filler 7 is the linear
// one: every row is a 7-bit number n standing for the amplitude (n - 64) * s. Bits are packed
// from the lowest bit of each byte up.
#include <cstdint>
#include <string>
#include <vector>

namespace tauntfile {

inline void put(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s.push_back(char(v >> (8 * i) & 0xff));
}

// The 128-byte trailer of a taunt: tag, digital stream, compression, format flags, rate code.
inline std::string trailer(int compression, int flags, int rateCode) {
    std::string t = "OSF1";
    t += char(0);
    t += char(compression);
    t += char(flags);
    t += char(rateCode);
    t.resize(64, '\0');
    t += "test taunt";
    t.resize(128, '\0');
    return t;
}

// An ACM stream of these codes (-64..63, channels interleaved) at amplitude step `step`, blocks
// of `rows` samples; `expected` gets the samples it decodes to.
inline std::string acm(const std::vector<int>& codes, int channels, int rate, int rows, int step,
                       std::vector<std::int16_t>* expected = nullptr) {
    std::string s;
    put(s, 0x01032897, 4);
    put(s, std::uint32_t(codes.size()), 4);
    put(s, std::uint32_t(channels), 2);
    put(s, std::uint32_t(rate), 2);
    put(s, std::uint32_t(rows) << 4, 2);
    std::uint32_t acc = 0;
    int have = 0;
    auto bits = [&](std::uint32_t v, int n) {
        acc |= v << have;
        for (have += n; have >= 8; have -= 8, acc >>= 8) s.push_back(char(acc & 0xff));
    };
    for (std::size_t start = 0; start < codes.size(); start += std::size_t(rows)) {
        bits(6, 4); // power: 64 amplitudes either side
        bits(std::uint32_t(step), 16);
        bits(7, 5);
        for (int r = 0; r < rows; ++r) {
            const std::size_t i = start + std::size_t(r);
            bits(std::uint32_t((i < codes.size() ? codes[i] : 0) + 64), 7);
        }
    }
    if (have > 0) s.push_back(char(acc & 0xff));
    if (expected)
        for (int c : codes) expected->push_back(std::int16_t(c * step));
    return s;
}

// A ramp of codes that touches both ends of the range.
inline std::vector<int> ramp(int count) {
    std::vector<int> codes;
    for (int i = 0; i < count; ++i) codes.push_back((i * 37) % 128 - 64);
    return codes;
}

// The ACM taunt the scenarios play: mono, 22050 Hz, 3000 samples.
inline std::string acmTaunt(std::vector<std::int16_t>* expected) {
    return acm(ramp(3000), 1, 22050, 64, 500, expected) + trailer(1, 0x01, 22);
}

} // namespace tauntfile
