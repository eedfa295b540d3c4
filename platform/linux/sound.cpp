#include "platform/linux/sound.h"

#include <algorithm>
#include <cstring>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}
#include <SDL.h>

namespace lnx {
namespace {

using platform::Coding;

constexpr std::size_t kAcmHeader = 14;
constexpr std::uint32_t kAcmMagic = 0x01032897;
// The largest ACM block decoded at once (rows << levels); the game's taunts use a few thousand.
constexpr std::size_t kMostBlock = std::size_t(1) << 16;
// The bytes handed to the decoder at a time.
constexpr std::size_t kPacket = 4096;

std::uint32_t le(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

bool plausible(int rate, int channels) {
    return rate >= 4000 && rate <= 96000 && channels >= 1 && channels <= 2;
}

bool decodeRaw(const platform::Clip& clip, Pcm& out) {
    if (!plausible(clip.rate, clip.channels)) return false;
    const std::size_t width = clip.coding == Coding::Pcm8 ? 1 : 2;
    const std::size_t frames = clip.data.size() / (width * clip.channels);
    if (frames == 0 || frames > std::size_t(kMostSeconds) * clip.rate) return false;
    out = {clip.rate, clip.channels, {}};
    out.samples.resize(frames * clip.channels);
    for (std::size_t i = 0; i < out.samples.size(); ++i)
        out.samples[i] = width == 1 ? std::int16_t((int(std::uint8_t(clip.data[i])) - 128) * 256)
                                    : std::int16_t(le(clip.data, 2 * i, 2));
    return true;
}

struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
    void operator()(AVPacket* p) const { av_packet_free(&p); }
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};

// An ACM stream: the 14-byte header (magic, number of samples of all channels, channels, rate,
// levels and rows of a block), then the packed blocks, which libavcodec decodes.
bool decodeAcm(const std::string& data, Pcm& out) {
    if (data.size() <= kAcmHeader || le(data, 0, 4) != kAcmMagic) return false;
    const std::uint32_t total = le(data, 4, 4);
    const int channels = int(le(data, 8, 2)), rate = int(le(data, 10, 2));
    const std::uint32_t shape = le(data, 12, 2);
    const std::size_t block = std::size_t(shape >> 4) << (shape & 15);
    if (!plausible(rate, channels) || block == 0 || block > kMostBlock || total == 0 ||
        total > std::uint64_t(kMostSeconds) * rate * channels)
        return false;

    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_INTERPLAY_ACM);
    if (!codec) return false;
    av_log_set_level(AV_LOG_QUIET);
    std::unique_ptr<AVCodecContext, CodecFree> c(avcodec_alloc_context3(codec));
    std::unique_ptr<AVPacket, CodecFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, CodecFree> frame(av_frame_alloc());
    if (!c || !packet || !frame) return false;
    c->extradata =
        static_cast<std::uint8_t*>(av_mallocz(kAcmHeader + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!c->extradata) return false;
    std::memcpy(c->extradata, data.data(), kAcmHeader);
    c->extradata_size = int(kAcmHeader);
    av_channel_layout_default(&c->ch_layout, channels);
    c->sample_rate = rate;
    if (avcodec_open2(c.get(), codec, nullptr) < 0) return false;

    out = {rate, channels, {}};
    out.samples.reserve(total);
    // Every block takes bytes of the stream, so the frames are bounded by its length.
    std::size_t framesLeft = data.size() + 2;
    // Takes the frames ready; false on a decoding error or a frame of an unexpected shape.
    auto take = [&]() {
        int r;
        while (out.samples.size() < total &&
               (r = avcodec_receive_frame(c.get(), frame.get())) == 0) {
            const bool shaped = frame->format == AV_SAMPLE_FMT_S16 &&
                                frame->ch_layout.nb_channels == channels && frame->data[0];
            if (!shaped || framesLeft-- == 0) return false;
            const std::size_t n = std::min<std::size_t>(std::size_t(frame->nb_samples) * channels,
                                                        total - out.samples.size());
            const auto* s = reinterpret_cast<const std::int16_t*>(frame->data[0]);
            out.samples.insert(out.samples.end(), s, s + n);
            av_frame_unref(frame.get());
        }
        return out.samples.size() >= total || r == AVERROR(EAGAIN) || r == AVERROR_EOF;
    };
    for (std::size_t at = kAcmHeader; at < data.size() && out.samples.size() < total;) {
        const std::size_t n = std::min(kPacket, data.size() - at);
        if (av_new_packet(packet.get(), int(n)) < 0) return false;
        std::memcpy(packet->data, data.data() + at, n);
        const int r = avcodec_send_packet(c.get(), packet.get());
        av_packet_unref(packet.get());
        if (r < 0 && r != AVERROR(EAGAIN)) return false;
        if (r == 0) at += n;
        if (!take()) return false;
    }
    if (out.samples.size() < total && avcodec_send_packet(c.get(), nullptr) < 0) return false;
    if (!take()) return false;
    return !out.samples.empty();
}

} // namespace

bool decode(const platform::Clip& clip, Pcm& out) {
    return clip.coding == Coding::InterplayAcm ? decodeAcm(clip.data, out) : decodeRaw(clip, out);
}

Sound::~Sound() {
    if (device_) SDL_CloseAudioDevice(device_);
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

platform::Played Sound::play(const platform::Clip& clip) {
    Pcm pcm;
    if (!decode(clip, pcm)) return platform::Played::Unreadable;
    if (!started_) {
        // The window system handles the program's signals, not SDL.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return platform::Played::NoOutput;
        started_ = true;
    }
    if (device_) SDL_CloseAudioDevice(device_);
    SDL_AudioSpec want{};
    want.freq = pcm.rate;
    want.format = AUDIO_S16SYS;
    want.channels = std::uint8_t(pcm.channels);
    want.samples = 1024;
    // No changes allowed: SDL converts to what the device takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (!device_) return platform::Played::NoOutput;
    if (SDL_QueueAudio(device_, pcm.samples.data(),
                       std::uint32_t(pcm.samples.size() * sizeof(std::int16_t))) != 0)
        return platform::Played::NoOutput;
    SDL_PauseAudioDevice(device_, 0);
    return platform::Played::Started;
}

bool Sound::busy() const {
    return device_ && SDL_GetQueuedAudioSize(device_) > 0;
}

} // namespace lnx
