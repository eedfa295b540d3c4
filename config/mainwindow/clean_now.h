#pragma once
#include "common/cleaning/cleaning.h"

namespace scourix {

class MainWindow;

// The clean-now window: reads the saved settings, backs up and removes the foreign ship logos
// and taunts as Gatefire does, and stays open with the finished counters until "ok".
class CleanNow : public cleaning::CleaningWindow {
  public:
    CleanNow(platform::Platform& p, MainWindow& main);

    void load() override;

    ui::Button okende{*this, "okende"};

  private:
    void putzstartTick();
    // Runs one row: its caption turns red while the routines run and green when they are done.
    void step(ui::Label& caption, const std::string& noAction, bool logos);
    void backupIsSource(bool logos);
    void fileError(settings::Problem problem, const std::string& fileName);

    MainWindow& main_;
};

} // namespace scourix
