#pragma once
#include <string>

namespace platform {

// How the samples of a sound are stored.
enum class Coding {
    Pcm8,        // unsigned 8-bit samples
    Pcm16,       // signed 16-bit little-endian samples
    InterplayAcm // an Interplay ACM stream, its own header first
};

// A sound to play, still coded as its file holds it.
struct Clip {
    Coding coding = Coding::Pcm16;
    int rate = 22050; // raw samples only: per second and channel (an ACM stream names its own)
    int channels = 1; // raw samples only: 1 or 2, interleaved
    std::string data;
};

// What became of a play.
enum class Played {
    Started,
    Unreadable, // the data are damaged, too long or of a kind that is not decoded
    NoOutput,   // the system's sound output could not be opened
    NotHere,    // this system plays no sounds itself
};

// The system's own sound output.
class Sound {
  public:
    virtual ~Sound() = default;
    // Whether this system plays sounds itself.
    virtual bool plays() { return false; }
    // Decodes the whole clip, stops what still plays and starts playing the clip; returns while
    // it plays. A damaged clip plays nothing: its decoding stops at its end or at a length no
    // taunt reaches.
    virtual Played play(const Clip&) { return Played::NotHere; }

    // A system without sound output of its own.
    static Sound& none();
};

} // namespace platform
