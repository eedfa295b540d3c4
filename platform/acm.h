#pragma once
// Interplay ACM streams. The 14-byte header: the magic 0x01032897, the number of samples of all
// channels, the channels, the rate, and a block's shape: the levels of its packing in the low 4
// bits, its rows above them. Then blocks of rows << levels samples (2^levels columns), each a
// table of amplitudes (a 4-bit power p and a 16-bit step: the amplitudes -2^p*s .. (2^p-1)*s in
// steps of s, written over the table of the blocks before), then every column coded by a filler
// of its own (a 5-bit number naming it), then, with levels, the levels' inverse transform over
// the block. Bits are read from the lowest bit of each byte up.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::acm {

inline constexpr std::size_t kHeader = 14;
inline constexpr std::uint32_t kMagic = 0x01032897;
// The largest block decoded (rows << levels); the game's taunts use a few thousand samples.
inline constexpr std::size_t kMostBlock = std::size_t(1) << 16;

struct Header {
    std::uint32_t samples = 0; // of all channels
    int channels = 0;
    int rate = 0;
    int levels = 0;
    int rows = 0;
};

// The header at the start of `data`; false without the magic or a block that can be decoded
// (no rows, or larger than kMostBlock).
bool readHeader(std::string_view data, Header& out);

// The blocks after the header, decoded one at a time.
class Stream {
  public:
    // `data`: the whole stream, header first; it must outlive the Stream.
    Stream(std::string_view data, const Header& header);
    // Appends up to `most` more samples to `out` (the caller stops at the samples the header
    // names); returns how many; 0 where the stream ends or is damaged.
    std::size_t next(std::vector<std::int16_t>& out, std::size_t most);

  private:
    bool block();
    bool column(int filler, std::size_t col);
    void transform();
    // The next n bits (n <= 16), 0 once the stream's bytes end (which damages it).
    std::uint32_t bits(int n) {
        if (have_ < n && !refill(n)) return 0;
        const std::uint32_t v = std::uint32_t(acc_) & ((1u << n) - 1);
        acc_ >>= n;
        have_ -= n;
        return v;
    }
    bool refill(int n);

    std::string_view data_;
    Header h_;
    std::size_t cols_ = 1;
    std::size_t byte_ = kHeader; // the next byte to read
    std::uint64_t acc_ = 0;      // bits read ahead, the next one lowest
    int have_ = 0;
    bool damaged_ = false;
    std::size_t taken_ = 0; // of the block decoded last
    int steps_[16] = {};    // the step of the last block whose table reached 2^q steps
    std::vector<int> block_;
    std::vector<unsigned> wrap_; // per level, the last two rows transformed of every column
};

} // namespace platform::acm
