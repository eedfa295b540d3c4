#pragma once
#include "common/cleaning/cleaning.h"
#include "common/language/language.h"
#include "platform/platform.h"
#include "platform/ui/window.h"

namespace scourix {

class MainWindow;

// The clean-now window: reads the saved settings (the files, not the main window's model: without
// a save first it cleans by what was saved before), backs up and removes the foreign ship logos
// and taunts as Gatefire does, and stays open with the finished counters until "ok".
class CleanNow : public ui::Window {
  public:
    CleanNow(platform::Platform& p, MainWindow& main);

    void load() override;

    ui::Label Label1{*this, "Label1"}, Label2{*this, "Label2"};
    ui::Label txt1{*this, "txt1"}, txt2{*this, "txt2"}, txt3{*this, "txt3"}, txt4{*this, "txt4"};
    ui::Button okende{*this, "okende"};
    ui::Timer putzstart{*this, "putzstart", 50};

    const settings::PlayerSettings& settings() const { return setup_.ini; }
    // The keep lists as read when the window opened.
    const settings::Setup& setup() const { return setup_; }

  private:
    void putzstartTick();
    void progress(cleaning::Counter counter, cleaning::Event event);
    // Shows one row: its caption turns red while the routines run and green when they are done.
    void showRow(cleaning::Row row, bool skipped, const std::function<cleaning::Step()>& work);
    void backupIsSource(cleaning::Row row);
    void fileError(settings::Problem problem, const std::string& fileName);

    platform::Platform& p_;
    MainWindow& main_;
    settings::Store store_;
    settings::Setup setup_;
    lang::Language language_ = lang::Language::English;
    cleaning::Plan plan_;
    cleaning::Counters counters_{"finish"};
    // The label of each counter, in the order of cleaning::Counter (no statistics here).
    ui::Label* const counterLabels_[4] = {&txt1, &txt2, &txt3, &txt4};
};

} // namespace scourix
