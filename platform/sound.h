#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// A decoded sound: signed 16-bit samples, the channels interleaved.
struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
};

// The longest sound decoded; taunts last a few seconds.
inline constexpr int kMostSeconds = 120;

// A clip decoded piece by piece, for a player that starts before the end is decoded: raw samples
// as they are, an Interplay ACM stream by platform/acm.h. Reads only the clip's bytes; a damaged
// stream ends where its damage begins.
class Decoder {
  public:
    // Reads and checks the header only.
    explicit Decoder(Clip clip);
    ~Decoder();
    Decoder(Decoder&&) noexcept;
    Decoder& operator=(Decoder&&) noexcept;
    // A plausible clip: 1 or 2 channels, a rate of 4000 to 96000, at most kMostSeconds long.
    bool ok() const;
    int rate() const;
    int channels() const;
    // Appends up to `most` more samples (channels interleaved, whole frames: `most` of at least
    // 2) to `out`; returns how many; 0 at the end: the stream's end, its damage, or kMostSeconds.
    std::size_t next(std::vector<std::int16_t>& out, std::size_t most);

  private:
    struct State;
    std::unique_ptr<State> s_;
};

// Decodes the whole clip at once. False for a clip that is not ok() or gives no samples.
bool decode(const Clip& clip, Pcm& out);

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
    // Stops what still plays and starts playing the clip; returns while it plays, the clip
    // decoded as it plays (a Decoder). A clip damaged from its start plays nothing, one damaged
    // later plays up to its damage; none plays longer than kMostSeconds.
    virtual Played play(const Clip&) { return Played::NotHere; }

    // A system without sound output of its own.
    static Sound& none();
};

} // namespace platform
