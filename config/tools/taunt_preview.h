#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "common/language/language.h"

#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

// What a taunt file holds, read from the 128-byte trailer at its end: the tag "OSF1", the stream
// type (0, digital), the compression (0 raw samples, 1 Interplay ACM), the format flags (0x01
// 16-bit, 0x10 stereo) and the rate (11, 22 or 44 for 11025, 22050, 44100 Hz); the sound's bytes
// come before it. None when the file is no taunt of a kind known here.
std::optional<platform::Clip> tauntClip(const std::string& bytes);

// Hearing a taunt. A player who set the game maker's sound tester, MusicTester.exe, hears it
// through the tester where Scourix can type into its window (Windows): the taunt is copied to
// the preview file, the tester started, and its window typed at: the loading sequence when
// `playerstart` ticks, the closing sequence when `zeitaus` ticks. Without a tester, or where
// none can be typed into (Linux), play() hands the taunt to the system's own sound output where
// it has one. The main window and the browser each drive one with their own two timers.
class TauntPreview {
  public:
    static constexpr const char* kTesterTitle = "Theme File Editor v1.0";

    // How ">" and "play" make a taunt heard.
    enum class Way {
        Tester, // through the sound tester at `testerPath`
        Own,    // through the system's own sound output
        None,   // not at all: no tester set, and the system plays no sounds itself
    };
    // The tester when the player set one and this system can type into it, else the system's
    // own output where it has one; else the tester as far as one is set.
    Way way(const std::string& testerPath) const;
    // Whether the player may set a sound tester (its path, its search, the menu entry): where
    // Scourix can type into its window, or where it is the only way of hearing a taunt.
    static bool testerOffered(platform::Platform& p);
    // How often the loading tick looks again for a tester window that is not there yet: with
    // the 200 ms timer, for five more seconds.
    static constexpr int kMoreLooks = 25;

    TauntPreview(platform::Platform& p, ui::Timer& playerstart, ui::Timer& zeitaus);

    // The preview file: the drive root of the game folder (its first three characters) and
    // "mt\test.osf". A game folder on no drive letter (a network path "\\server\share\...")
    // has no drive root: its first three characters would name another server; the preview
    // file then lies in "mt" of the temporary folder (none without one).
    static std::string previewFile(const std::string& gamePath, const std::string& tempFolder);

    // Copies the taunt to the preview file, starts the tester and arms `playerstart`. On a
    // failure the player is told and nothing more happens.
    void start(const std::string& taunt, const std::string& gamePath, const std::string& testerPath,
               lang::Language language);
    // The `playerstart` tick: types the loading sequence and, with `autoClose`, arms
    // `zeitaus`. Without a tester window it looks again a few ticks later, then tells the
    // player; nothing is typed anywhere else.
    void loading(bool autoClose);
    // The `zeitaus` tick: types the closing sequence. False when there was no tester window
    // to type it into (the player has closed it).
    bool closing();
    // Tells the player that this system has no sound tester to type into.
    void noTester(lang::Language language);

    // The largest taunt file read to be played.
    static constexpr std::uint64_t kMostBytes = 16u << 20;
    // Plays the taunt through the system's own sound output, reading it where it lies; tells the
    // player when it is not there, cannot be read or decoded, or the output cannot be opened.
    void play(const std::string& taunt, lang::Language language);
    // Tells the player to choose a taunt first: a play with nothing chosen.
    void nothingChosen(lang::Language language);

  private:
    void lostFocus();
    void tell(const std::string& text);

    platform::Platform& p_;
    ui::Timer& playerstart_;
    ui::Timer& zeitaus_;
    std::string preview_;
    lang::Language language_ = lang::Language::English;
    int looksLeft_ = 0;
};

} // namespace scourix
