#include "platform/linux/sound.h"

#include <SDL.h>

namespace lnx {

Sound::~Sound() {
    if (device_) SDL_CloseAudioDevice(device_);
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

platform::Played Sound::play(const platform::Clip& clip) {
    platform::Pcm pcm;
    if (!platform::decode(clip, pcm)) return platform::Played::Unreadable;
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
