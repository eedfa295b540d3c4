#pragma once
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class Owner;

// The statistics remover: deletes the *.stats files of the game's netgames folder, says how many
// it deleted and closes again. It never shows itself; the player sees only its message.
class Stadkiller : public ui::Window {
  public:
    Stadkiller(platform::Platform& p, Owner& owner);

    void load() override;

  private:
    platform::Platform& p_;
    Owner& owner_;
};

} // namespace scourix
