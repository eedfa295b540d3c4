#pragma once
// The Linux sound output: taunts decoded by platform/sound.h and played through SDL's audio.
#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/sound.h"

namespace lnx {

// Plays through SDL's audio (its driver as SDL chooses, or SDL_AUDIODRIVER). The output is
// opened at the first play and again for each, replacing what played before; a thread of its
// own decodes the clip while it plays. Closing stops the sound.
class Sound : public platform::Sound {
  public:
    Sound() = default;
    ~Sound() override;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    bool plays() override { return true; }
    platform::Played play(const platform::Clip& clip) override;
    // Whether samples of the last play still wait to be decoded or played.
    bool busy() const;

  private:
    // Ends the decoding and closes the output.
    void stop();

    bool started_ = false;
    std::uint32_t device_ = 0;
    std::thread feeder_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> feeding_{false};
};

} // namespace lnx
