#pragma once
// The Linux sound output: taunts decoded with FFmpeg's libavcodec and played through SDL's audio.
#include <cstdint>
#include <vector>

#include "platform/sound.h"

namespace lnx {

// A decoded sound: signed 16-bit samples, the channels interleaved.
struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
};

// The longest sound decoded; taunts last a few seconds.
inline constexpr int kMostSeconds = 120;

// Decodes a clip: raw samples as they are, an Interplay ACM stream with libavcodec. False for
// data that are damaged, of an unknown kind, or that would last longer than kMostSeconds.
bool decode(const platform::Clip& clip, Pcm& out);

// Plays through SDL's audio (its driver as SDL chooses, or SDL_AUDIODRIVER). The output is
// opened at the first play and again for each, replacing what played before.
class Sound : public platform::Sound {
  public:
    Sound() = default;
    ~Sound() override;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    bool plays() override { return true; }
    platform::Played play(const platform::Clip& clip) override;
    // Whether samples of the last play still wait to be played.
    bool busy() const;

  private:
    bool started_ = false;
    std::uint32_t device_ = 0;
};

} // namespace lnx
