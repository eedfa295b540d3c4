#pragma once
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class MainWindow;

// The statistics remover: deletes the *.stats files of the game's netgames folder, says how many
// it deleted and closes again. It never shows itself; the player sees only its message.
class Stadkiller : public ui::Window {
  public:
    Stadkiller(platform::Platform& p, MainWindow& main);

    void load() override;

  private:
    platform::Platform& p_;
    MainWindow& main_;
};

} // namespace scourix
