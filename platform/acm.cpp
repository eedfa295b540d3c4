#include "platform/acm.h"

#include <algorithm>

namespace platform::acm {

namespace {

std::uint32_t le(std::string_view s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// The fillers by their number: how the rows of a column are coded.
enum class Fill { Zero, Bad, Linear, K13, K12, T15, K24, K23, T27, K35, K34, K45, K44, T37 };
constexpr Fill kFills[32] = {Fill::Zero,   Fill::Bad,    Fill::Bad,    Fill::Linear, Fill::Linear,
                             Fill::Linear, Fill::Linear, Fill::Linear, Fill::Linear, Fill::Linear,
                             Fill::Linear, Fill::Linear, Fill::Linear, Fill::Linear, Fill::Linear,
                             Fill::Linear, Fill::Linear, Fill::K13,    Fill::K12,    Fill::T15,
                             Fill::K24,    Fill::K23,    Fill::T27,    Fill::K35,    Fill::K34,
                             Fill::Bad,    Fill::K45,    Fill::K44,    Fill::Bad,    Fill::T37,
                             Fill::Bad,    Fill::Bad};

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
    : data_(data), h_(header), cols_(std::size_t(1) << header.levels), left_(header.samples) {
    block_.resize(std::size_t(h_.rows) << h_.levels);
    taken_ = block_.size();
    wrap_.assign(2 * cols_, 0);
}

std::uint32_t Stream::bits(int n) {
    if (bit_ + std::size_t(n) > 8 * data_.size()) {
        damaged_ = true;
        bit_ = 8 * data_.size();
        return 0;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i, ++bit_)
        v |= std::uint32_t(static_cast<unsigned char>(data_[bit_ >> 3]) >> (bit_ & 7) & 1) << i;
    return v;
}

bool Stream::amplitude(int index, int& out) const {
    const int half = int(table_.size() / 2);
    if (index < -half || index >= half) return false;
    out = table_[std::size_t(index + half)];
    return true;
}

bool Stream::column(int filler, int col) {
    const int rows = h_.rows;
    int* const c = block_.data() + col;
    auto put = [&](int row, int index) {
        int v = 0;
        if (!amplitude(index, v)) return false;
        c[std::size_t(row) * cols_] = v;
        return true;
    };
    const Fill fill = kFills[filler];
    // The kXY fillers: runs of zeros, then small amplitudes.
    static constexpr int k2[4] = {-2, -1, 1, 2};
    static constexpr int k3[4] = {-3, -2, 2, 3};
    static constexpr int k4[8] = {-4, -3, -2, -1, 1, 2, 3, 4};
    for (int r = 0; r < rows && !damaged_; ++r) {
        bool ok = true;
        switch (fill) {
        case Fill::Zero:
            ok = put(r, 0);
            break;
        case Fill::Bad:
            return false;
        case Fill::Linear:
            ok = put(r, int(bits(filler)) - (1 << (filler - 1)));
            break;
        case Fill::K13:
        case Fill::K24:
        case Fill::K35:
        case Fill::K45:
            if (bits(1) == 0) {
                ok = put(r, 0) && (r + 1 >= rows || put(++r, 0));
                break;
            }
            [[fallthrough]];
        case Fill::K12:
        case Fill::K23:
        case Fill::K34:
        case Fill::K44:
            if (bits(1) == 0) {
                ok = put(r, 0);
                break;
            }
            if (fill == Fill::K13 || fill == Fill::K12) {
                ok = put(r, bits(1) ? 1 : -1);
            } else if (fill == Fill::K24 || fill == Fill::K23) {
                ok = put(r, k2[bits(2)]);
            } else if (fill == Fill::K35 || fill == Fill::K34) {
                if (bits(1) == 0)
                    ok = put(r, bits(1) ? 1 : -1);
                else
                    ok = put(r, k3[bits(2)]);
            } else {
                ok = put(r, k4[bits(3)]);
            }
            break;
        case Fill::T15:
        case Fill::T27:
        case Fill::T37: {
            const int base = fill == Fill::T15 ? 3 : fill == Fill::T27 ? 5 : 11;
            const int count = fill == Fill::T37 ? 2 : 3;
            int b = int(bits(fill == Fill::T15 ? 5 : 7));
            int all = 1;
            for (int i = 0; i < count; ++i) all *= base;
            if (b >= all) return false;
            for (int i = 0; i < count && ok; ++i, b /= base) {
                if (i > 0 && ++r >= rows) break;
                ok = put(r, b % base - base / 2);
            }
            break;
        }
        }
        if (!ok) return false;
    }
    return !damaged_;
}

void Stream::transform() {
    if (h_.levels == 0) return;
    // The rows are transformed in runs, each run over every level from the widest down.
    const std::size_t step = h_.levels > 9 ? 1 : std::max((2048u >> h_.levels) - 2, 1u);
    unsigned* const b = reinterpret_cast<unsigned*>(block_.data());
    auto pass = [&](unsigned* base, unsigned* wrap, std::size_t width, std::size_t count) {
        for (std::size_t i = 0; i < width; ++i, wrap += 2) {
            unsigned r0 = wrap[0], r1 = wrap[1];
            unsigned* p = base + i;
            for (std::size_t j = 0; j < count / 2; ++j) {
                const unsigned r2 = p[0];
                p[0] = r1 * 2 + r0 + r2;
                p += width;
                const unsigned r3 = p[0];
                p[0] = r2 * 2 - (r1 + r3);
                p += width;
                r0 = r2;
                r1 = r3;
            }
            wrap[0] = r0;
            wrap[1] = r1;
        }
    };
    std::size_t todo = std::size_t(h_.rows);
    for (unsigned* base = b;; base += step << h_.levels) {
        unsigned* wrap = reinterpret_cast<unsigned*>(wrap_.data());
        std::size_t width = cols_ / 2, count = 2 * std::min(step, todo);
        pass(base, wrap, width, count);
        wrap += 2 * width;
        for (std::size_t i = 0; i < count; ++i) base[i * width] += 1;
        while (width > 1) {
            width /= 2;
            count *= 2;
            pass(base, wrap, width, count);
            wrap += 2 * width;
        }
        if (todo <= step) break;
        todo -= step;
    }
}

bool Stream::block() {
    power_ = int(bits(4));
    const int step = int(bits(16));
    if (damaged_) return false;
    table_.resize(std::size_t(2) << power_);
    const int half = 1 << power_;
    for (int i = -half; i < half; ++i)
        table_[std::size_t(i + half)] = int(unsigned(i) * unsigned(step));
    for (std::size_t col = 0; col < cols_; ++col)
        if (!column(int(bits(5)), int(col)) || damaged_) return false;
    transform();
    taken_ = 0;
    return true;
}

std::size_t Stream::next(std::vector<std::int16_t>& out, std::size_t most) {
    most = std::min(most, left_);
    std::size_t n = 0;
    while (n < most) {
        if (taken_ == block_.size() && (damaged_ || !block())) {
            damaged_ = true;
            left_ = 0;
            break;
        }
        const std::size_t k = std::min(most - n, block_.size() - taken_);
        for (std::size_t i = 0; i < k; ++i)
            out.push_back(std::int16_t(block_[taken_ + i] >> h_.levels));
        taken_ += k;
        n += k;
    }
    left_ -= n;
    return n;
}

} // namespace platform::acm
