#pragma once
// The Windows sound output: taunts decoded piece by piece and played through winmm's waveOut.
#include <memory>
#include <thread>

#include "platform/sound.h"

namespace win32 {

// Plays one clip at a time: its samples are handed to the system at their own rate and channel
// count (16-bit), the system converting them for its device. The first piece is decoded on the
// caller's thread, so that the sound starts at once; a thread of the clip's own decodes the rest
// into the device's buffers while it plays. A new play, and the end of this object, stop the
// clip still playing. The output is readied in the background from the start.
class Sound : public platform::Sound {
  public:
    Sound();
    ~Sound() override;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    bool plays() override { return true; }
    platform::Played play(const platform::Clip& clip) override;
    // Whether a clip still plays.
    bool busy() const;

  private:
    struct Playing;
    void stop();
    std::thread ready_; // readies the system's sound output
    std::unique_ptr<Playing> playing_;
};

} // namespace win32
