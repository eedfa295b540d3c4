#pragma once
#include <string>

#include "common/language/language.h"

#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

// Hearing a taunt through the game maker's sound tester, MusicTester.exe: the taunt is copied
// to the preview file, the tester started, and its window typed at: the loading sequence when
// `playerstart` ticks, the closing sequence when `zeitaus` ticks. The main window and the
// browser each drive one with their own two timers.
class TauntPreview {
  public:
    static constexpr const char* kTesterTitle = "Theme File Editor v1.0";
    // How often the loading tick looks again for a tester window that is not there yet: with
    // the 200 ms timer, for five more seconds.
    static constexpr int kMoreLooks = 25;

    TauntPreview(platform::Platform& p, ui::Timer& playerstart, ui::Timer& zeitaus);

    // The preview file: the drive root of the game folder (its first three characters) and
    // "mt\test.osf".
    static std::string previewFile(const std::string& gamePath);

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
