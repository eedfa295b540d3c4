#pragma once
#include <memory>

#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Owner;
class Sucher;

// The sound tester's options window ("toolpath"): the path of MusicTester.exe and whether the
// tester is closed by itself after playing. "ok" hands both to the main window, which saves
// them with its settings. Where the system plays taunts itself it says that the tester is
// optional.
class Mt : public ui::Window {
  public:
    Mt(platform::Platform& p, Owner& owner);
    ~Mt() override;

    void load() override;

    Owner& owner() { return owner_; }
    // The search window for the tester; it belongs to this window.
    Sucher& sucher() { return *sucher_; }
    // Closes the search window and this one, as far as they are open.
    void closeWithSearch();

  private:
    platform::Platform& p_;
    Owner& owner_;

  public:
    ui::Label Label1{*this, "Label1"};
    ui::TextBox mtpfad{*this, "mtpfad"};
    ui::Button brows1{*this, "brows1"};
    ui::CheckBox plyeraus{*this, "plyeraus"};
    ui::Label Label2{*this, "Label2"};
    ui::Button speichern{*this, "speichern"};

  private:
    void brows1Click();
    void speichernClick();

    std::unique_ptr<Sucher> sucher_;
};

} // namespace scourix
