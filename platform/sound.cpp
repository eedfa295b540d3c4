#include "platform/sound.h"

#include <algorithm>

#include "platform/acm.h"

namespace platform {

namespace {

bool plausible(int rate, int channels) {
    return rate >= 4000 && rate <= 96000 && channels >= 1 && channels <= 2;
}

} // namespace

struct Decoder::State {
    Clip clip;
    int rate = 0;
    int channels = 0;
    std::size_t left = 0; // samples still to give
    std::size_t at = 0;   // raw samples: the next one
    std::unique_ptr<acm::Stream> acm;
};

Decoder::Decoder(Clip clip) : s_(std::make_unique<State>()) {
    State& s = *s_;
    s.clip = std::move(clip);
    const std::string& data = s.clip.data;
    std::size_t samples = 0;
    if (s.clip.coding == Coding::InterplayAcm) {
        acm::Header h;
        if (!acm::readHeader(data, h) || data.size() <= acm::kHeader) return;
        s.rate = h.rate;
        s.channels = h.channels;
        samples = h.samples;
        if (plausible(s.rate, s.channels)) s.acm = std::make_unique<acm::Stream>(data, h);
    } else {
        s.rate = s.clip.rate;
        s.channels = s.clip.channels;
        const std::size_t width = s.clip.coding == Coding::Pcm8 ? 1 : 2;
        if (plausible(s.rate, s.channels))
            samples = data.size() / (width * s.channels) * s.channels;
    }
    const std::size_t frames = plausible(s.rate, s.channels) ? samples / s.channels : 0;
    if (frames > 0 && frames <= std::size_t(kMostSeconds) * s.rate) s.left = frames * s.channels;
}

Decoder::~Decoder() = default;
Decoder::Decoder(Decoder&&) noexcept = default;
Decoder& Decoder::operator=(Decoder&&) noexcept = default;

bool Decoder::ok() const {
    return s_ && s_->left > 0 && (s_->acm || s_->clip.coding != Coding::InterplayAcm);
}

int Decoder::rate() const {
    return s_ ? s_->rate : 0;
}

int Decoder::channels() const {
    return s_ ? s_->channels : 0;
}

std::size_t Decoder::next(std::vector<std::int16_t>& out, std::size_t most) {
    if (!ok()) return 0;
    State& s = *s_;
    most = std::min(most, s.left);
    most -= most % std::size_t(s.channels);
    std::size_t n = 0;
    if (s.acm) {
        n = s.acm->next(out, most);
        // Whole frames only: a stream that ends inside one drops its part.
        const std::size_t part = n % std::size_t(s.channels);
        out.resize(out.size() - part);
        n -= part;
        if (n == 0) s.left = 0;
    } else {
        const unsigned char* d = reinterpret_cast<const unsigned char*>(s.clip.data.data());
        const std::size_t at = out.size();
        out.resize(at + most);
        for (; n < most; ++n)
            out[at + n] =
                s.clip.coding == Coding::Pcm16
                    ? std::int16_t(std::uint16_t(d[2 * (s.at + n)] | d[2 * (s.at + n) + 1] << 8))
                    : std::int16_t((d[s.at + n] - 128) * 256);
        s.at += n;
    }
    s.left -= n;
    return n;
}

bool decode(const Clip& clip, Pcm& out) {
    Decoder d(clip);
    if (!d.ok()) return false;
    out = {d.rate(), d.channels(), {}};
    while (d.next(out.samples, std::size_t(-1)) > 0) {}
    return !out.samples.empty();
}

Sound& Sound::none() {
    static Sound nothing;
    return nothing;
}

} // namespace platform
