#include "platform/acm.h"

#include <algorithm>
#include <bit>

namespace platform::acm {

namespace {

std::uint32_t le(std::string_view s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// The amplitudes of the small fillers, by the code that follows their prefix.
constexpr int kTwo[4] = {-2, -1, 1, 2};
constexpr int kThree[4] = {-3, -2, 2, 3};
constexpr int kFour[8] = {-4, -3, -2, -1, 1, 2, 3, 4};

} // namespace

bool readHeader(std::string_view data, Header& out) {
    if (data.size() < kHeader || le(data, 0, 4) != kMagic) return false;
    const std::uint32_t shape = le(data, 12, 2);
    out.samples = le(data, 4, 4);
    out.channels = int(le(data, 8, 2));
    out.rate = int(le(data, 10, 2));
    out.levels = int(shape & 15);
    out.rows = int(shape >> 4);
    return out.rows > 0 && std::size_t(out.rows) << out.levels <= kMostBlock;
}

Stream::Stream(std::string_view data, const Header& header)
    : data_(data), h_(header), cols_(std::size_t(1) << header.levels) {
    block_.resize(std::size_t(h_.rows) << h_.levels);
    taken_ = block_.size();
    wrap_.assign(2 * cols_, 0);
}

bool Stream::refill(int n) {
    for (; have_ <= 56 && byte_ < data_.size(); have_ += 8)
        acc_ |= std::uint64_t(static_cast<unsigned char>(data_[byte_++])) << have_;
    if (have_ >= n) return true;
    damaged_ = true;
    return false;
}

// Fills column `col` by its filler; false for a filler no coder writes or a code past its range.
bool Stream::column(int filler, std::size_t col) {
    const std::size_t rows = std::size_t(h_.rows);
    int* c = block_.data() + col;
    bool inside = true;
    // The amplitude `index` steps from the middle, at row r: from the table of the last block
    // that reached so far (this one's reaches 2^power steps either side; none yet: 0), as the
    // format's decoders keep one table from block to block.
    auto put = [&](std::size_t r, int index) {
        const int step = steps_[std::bit_width(unsigned(index >= 0 ? index : ~index))];
        c[r * cols_] = int(unsigned(index) * unsigned(step));
    };
    // The kXY fillers: with `pairs`, "0" stands for two rows of silence and "10" for one, else
    // "0" for one; then the amplitude's own code.
    auto small = [&](bool pairs, auto amplitude) {
        for (std::size_t r = 0; r < rows; ++r) {
            if (bits(1) == 0) {
                put(r, 0);
                if (pairs && r + 1 < rows) put(++r, 0);
            } else if (pairs && bits(1) == 0) {
                put(r, 0);
            } else {
                put(r, amplitude());
            }
        }
    };
    // The tXY fillers: `count` rows coded together as one number of `width` bits, digits of
    // `base` standing for the amplitudes -base/2 .. base/2.
    auto packed = [&](int width, int base, int count) {
        int all = 1;
        for (int i = 0; i < count; ++i) all *= base;
        for (std::size_t r = 0; r < rows; ++r) {
            int v = int(bits(width));
            inside &= v < all;
            for (int i = 0; i < count; ++i, v /= base) {
                if (i > 0 && ++r >= rows) break;
                put(r, v % base - base / 2);
            }
        }
    };
    auto one = [&] { return bits(1) ? 1 : -1; };
    switch (filler) {
    case 0:
        for (std::size_t r = 0; r < rows; ++r) c[r * cols_] = 0;
        break;
    case 17:
        small(true, one);
        break;
    case 18:
        small(false, one);
        break;
    case 19:
        packed(5, 3, 3);
        break;
    case 20:
        small(true, [&] { return kTwo[bits(2)]; });
        break;
    case 21:
        small(false, [&] { return kTwo[bits(2)]; });
        break;
    case 22:
        packed(7, 5, 3);
        break;
    case 23:
    case 24:
        // One either side, then the amplitudes of three.
        small(filler == 23, [&] { return bits(1) == 0 ? one() : kThree[bits(2)]; });
        break;
    case 26:
        small(true, [&] { return kFour[bits(3)]; });
        break;
    case 27:
        small(false, [&] { return kFour[bits(3)]; });
        break;
    case 29:
        packed(7, 11, 2);
        break;
    default:
        if (filler < 3 || filler > 16) return false;
        // Linear: every row a number of `filler` bits, the middle of its range standing for 0.
        for (std::size_t r = 0; r < rows; ++r) put(r, int(bits(filler)) - (1 << (filler - 1)));
    }
    return inside;
}

// The levels' inverse transform, widest level first, over runs of rows (the longer the rows,
// the fewer at a time); each level's last two values of every column carry on to the next run
// and block.
void Stream::transform() {
    if (h_.levels == 0) return;
    const std::size_t run = h_.levels > 9 ? 1 : std::max((2048u >> h_.levels) - 2, 1u);
    // In unsigned arithmetic: a damaged or extreme stream wraps as the format's coder does.
    // Each level takes the rows in pairs, each column starting from the two it ended with.
    auto level = [](unsigned* base, unsigned* wrap, std::size_t width, std::size_t count) {
        unsigned* w0 = wrap;
        unsigned* w1 = wrap + width;
        if (width < 8) { // column by column, its two rows at hand
            for (std::size_t i = 0; i < width; ++i) {
                unsigned r0 = w0[i], r1 = w1[i];
                for (unsigned* p = base + i; p < base + i + count * width; p += 2 * width) {
                    const unsigned r2 = p[0], r3 = p[width];
                    p[0] = 2 * r1 + r0 + r2;
                    p[width] = 2 * r2 - r1 - r3;
                    r0 = r2;
                    r1 = r3;
                }
                w0[i] = r0;
                w1[i] = r1;
            }
            return;
        }
        for (std::size_t j = 0; j < count; j += 2) { // row by row
            unsigned* p = base + j * width;
            unsigned* q = p + width;
            for (std::size_t i = 0; i < width; ++i) {
                const unsigned r0 = w0[i], r1 = w1[i], r2 = p[i], r3 = q[i];
                p[i] = 2 * r1 + r0 + r2;
                q[i] = 2 * r2 - r1 - r3;
                w0[i] = r2;
                w1[i] = r3;
            }
        }
    };
    unsigned* base = reinterpret_cast<unsigned*>(block_.data());
    for (std::size_t todo = std::size_t(h_.rows);; todo -= run, base += run * cols_) {
        unsigned* wrap = wrap_.data();
        std::size_t width = cols_ / 2, count = 2 * std::min(run, todo);
        level(base, wrap, width, count);
        for (std::size_t i = 0; i < count; ++i) base[i * width] += 1;
        while (width > 1) {
            wrap += 2 * width;
            width /= 2;
            count *= 2;
            level(base, wrap, width, count);
        }
        if (todo <= run) break;
    }
}

bool Stream::block() {
    const int power = int(bits(4));
    const int step = int(bits(16));
    for (int q = 0; q <= power; ++q) steps_[q] = step;
    for (std::size_t col = 0; col < cols_; ++col)
        if (!column(int(bits(5)), col)) return !(damaged_ = true);
    if (damaged_) return false; // its bits ended early, in this block or before
    transform();
    taken_ = 0;
    return true;
}

std::size_t Stream::next(std::vector<std::int16_t>& out, std::size_t most) {
    std::size_t n = 0;
    while (n < most) {
        if (taken_ == block_.size() && !block()) break;
        const std::size_t k = std::min(most - n, block_.size() - taken_);
        const int* from = block_.data() + taken_;
        const std::size_t at = out.size();
        out.resize(at + k);
        for (std::size_t i = 0; i < k; ++i) out[at + i] = std::int16_t(from[i] >> h_.levels);
        taken_ += k;
        n += k;
    }
    return n;
}

} // namespace platform::acm
