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

// Writes bits from the lowest bit of each byte up.
struct Bits {
    std::string& s;
    std::uint64_t acc = 0;
    int have = 0;
    void operator()(std::uint32_t v, int n) {
        acc |= std::uint64_t(v) << have;
        for (have += n; have >= 8; have -= 8, acc >>= 8) s.push_back(char(acc & 0xff));
    }
    std::size_t count() const { return 8 * s.size() + std::size_t(have); }
    void flush() {
        if (have > 0) s.push_back(char(acc & 0xff));
        have = 0;
        acc = 0;
    }
};

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
    Bits bits{s};
    for (std::size_t start = 0; start < codes.size(); start += std::size_t(rows)) {
        bits(6, 4); // power: 64 amplitudes either side
        bits(std::uint32_t(step), 16);
        bits(7, 5);
        for (int r = 0; r < rows; ++r) {
            const std::size_t i = start + std::size_t(r);
            bits(std::uint32_t((i < codes.size() ? codes[i] : 0) + 64), 7);
        }
    }
    bits.flush();
    if (expected)
        for (int c : codes) expected->push_back(std::int16_t(c * step));
    return s;
}

// The shape of a random ACM stream.
struct AcmShape {
    int channels = 1;
    int rate = 22050;
    int levels = 0;
    int rows = 64;
    std::uint32_t samples = 1000; // of all channels; the last block is filled up
    std::vector<int> fillers;     // the fillers its columns take, each where the table allows it
    int mostStep = 65535;         // the largest amplitude step
};

// A random ACM stream that keeps every rule of the format: each block a random power and step,
// each column a random filler of `fillers` (zero where the block has no room for them), random
// codes in every row; `used` gets a bit for each
// filler its columns take. (libavcodec drops a sample of every block of odd length in stereo: the
// tests give stereo streams blocks of even length.)
inline std::string acmRandom(const AcmShape& a, std::uint32_t seed, std::uint32_t* used = nullptr) {
    std::uint32_t x = seed * 2654435761u + 1; // xorshift: quick in a debug build too
    auto random = [&] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    auto pick = [&](int n) { return int(random() % std::uint32_t(n)); };
    std::string s;
    put(s, 0x01032897, 4);
    put(s, a.samples, 4);
    put(s, std::uint32_t(a.channels), 2);
    put(s, std::uint32_t(a.rate), 2);
    put(s, std::uint32_t(a.rows) << 4 | std::uint32_t(a.levels), 2);
    Bits bits{s};
    auto code = [&](int n) { bits(random() & ((1u << n) - 1), n); };
    const std::uint32_t block = std::uint32_t(a.rows) << a.levels;
    for (std::uint32_t start = 0; start < a.samples; start += block) {
        bits(std::uint32_t(pick(16)), 4);
        bits(std::uint32_t(pick(a.mostStep + 1)), 16);
        // The most bits a row takes: a block takes fewer bytes than it has samples, as libavcodec
        // reads a block from no more bytes than that.
        auto most = [](int f) {
            static constexpr int k[13] = {3, 2, 2, 4, 3, 3, 5, 4, 0, 5, 4, 0, 4};
            return f <= 16 ? f : k[f - 17];
        };
        // (A byte less: the block need not start at a byte.)
        const long long end = (long long)bits.count() + 8 * ((long long)block - 1) - 20;
        for (int col = 0; col < 1 << a.levels; ++col) {
            const long long left = end - (long long)bits.count() - 5 * ((1 << a.levels) - col);
            std::vector<int> fit;
            for (int f : a.fillers)
                if ((long long)most(f) * a.rows <= left) fit.push_back(f);
            const int f = fit.empty() ? 0 : fit[std::size_t(pick(int(fit.size())))];
            bits(std::uint32_t(f), 5);
            if (used) *used |= 1u << f;
            for (int r = 0; r < a.rows; ++r) {
                const bool pairs = f == 17 || f == 20 || f == 23 || f == 26; // "0": two zeros
                const int form = pick(3);
                if (f == 0) {
                } else if (f <= 16) {
                    code(f);
                } else if (f == 19 || f == 22 || f == 29) {
                    const int all = f == 19 ? 27 : f == 22 ? 125 : 121;
                    bits(std::uint32_t(pick(all)), f == 19 ? 5 : 7);
                    r += f == 29 ? 1 : 2;
                } else if (form == 0) {
                    bits(0, 1);
                    r += pairs ? 1 : 0;
                } else if (pairs && form == 1) {
                    bits(1, 1), bits(0, 1);
                } else {
                    bits(pairs ? 3 : 1, pairs ? 2 : 1);
                    if (f == 17 || f == 18)
                        code(1);
                    else if (f == 20 || f == 21)
                        code(2);
                    else if (f == 26 || f == 27)
                        code(3);
                    else if (pick(2) == 0)
                        bits(0, 1), code(1); // the amplitudes one either side
                    else
                        bits(1, 1), code(2);
                }
            }
        }
    }
    bits.flush();
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
