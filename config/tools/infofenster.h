#pragma once
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Owner;

// The info window: Scourix's version and credits; opened from "MusicTester" (the session's
// testerHint) it also tells how taunts are heard: where the sound tester comes from, with a
// button to its download page, and, where the system plays taunts itself, that the tester is
// optional.
class Infofenster : public ui::Window {
  public:
    Infofenster(platform::Platform& p, Owner& owner);

    void load() override;

  private:
    platform::Platform& p_;
    Owner& owner_;

  public:
    ui::Frame Frame2{*this, "Frame2"};
    ui::Label Label5{*this, "Label5", &Frame2};
    ui::Label Label4{*this, "Label4", &Frame2};
    ui::Button downl{*this, "downl", &Frame2};
    ui::Frame Frame1{*this, "Frame1"};
    ui::Label Label2{*this, "Label2", &Frame1};
    ui::Label Label1{*this, "Label1", &Frame1};
    ui::Label Label3{*this, "Label3", &Frame1};
    ui::Label lblVersion{*this, "lblVersion"};
    ui::Button ok{*this, "ok"};
};

} // namespace scourix
