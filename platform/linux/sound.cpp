#include "platform/linux/sound.h"

#include <SDL.h>

#include <utility>
#include <vector>

namespace lnx {

namespace {

// Queues samples on the output; false if it takes them no more.
bool queue(SDL_AudioDeviceID device, const std::vector<std::int16_t>& samples) {
    return SDL_QueueAudio(device, samples.data(),
                          std::uint32_t(samples.size() * sizeof(std::int16_t))) == 0;
}

} // namespace

Sound::~Sound() {
    stop();
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Sound::stop() {
    stopping_ = true;
    if (feeder_.joinable()) feeder_.join();
    stopping_ = false;
    if (device_) SDL_CloseAudioDevice(device_);
    device_ = 0;
}

platform::Played Sound::play(const platform::Clip& clip) {
    platform::Decoder decoder(clip);
    if (!decoder.ok()) return platform::Played::Unreadable;
    // The first eighth of a second before the output opens: a clip damaged from its start plays
    // nothing; the rest is decoded while it plays, off the window's thread.
    const std::size_t frame = std::size_t(decoder.channels());
    const std::size_t piece = std::size_t(decoder.rate() / 8 + 1) * frame;
    std::vector<std::int16_t> first;
    if (decoder.next(first, piece) == 0) return platform::Played::Unreadable;
    if (!started_) {
        // The window system handles the program's signals, not SDL.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return platform::Played::NoOutput;
        started_ = true;
    }
    stop();
    SDL_AudioSpec want{};
    want.freq = decoder.rate();
    want.format = AUDIO_S16SYS;
    want.channels = std::uint8_t(decoder.channels());
    want.samples = 1024;
    // No changes allowed: SDL converts to what the device takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (!device_) return platform::Played::NoOutput;
    if (!queue(device_, first)) return platform::Played::NoOutput;
    SDL_PauseAudioDevice(device_, 0);
    feeding_ = true;
    feeder_ = std::thread([this, device = device_, piece, d = std::move(decoder)]() mutable {
        std::vector<std::int16_t> samples;
        while (!stopping_ && d.next(samples, 2 * piece) > 0 && queue(device, samples))
            samples.clear();
        feeding_ = false;
    });
    return platform::Played::Started;
}

bool Sound::busy() const {
    return feeding_ || (device_ && SDL_GetQueuedAudioSize(device_) > 0);
}

} // namespace lnx
