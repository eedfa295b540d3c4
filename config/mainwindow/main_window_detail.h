#pragma once
// Layout constants and small helpers shared by the main window's source files.

#include <array>
#include <initializer_list>
#include <optional>
#include <string>

#include "common/settings/model.h"
#include "platform/ui/window.h"

namespace scourix::mainwindow {

using Controls = std::initializer_list<ui::Control*>;

inline constexpr int kWidth = 6525;
inline constexpr int kHeight = 6975;
inline constexpr int kPageHeight = 5100;
inline constexpr int kLowerPanelsTop = 3420;
inline constexpr int kLowerPanelsHidden = 5000;

inline const char* const kUpdateAddress =
    "http://www.outrage.com/descent3/download/northamerica.html";
// The open-source game's updates are its engine's releases; the retail patch is not for it.
inline const char* const kOpenSourceUpdateAddress =
    "https://github.com/DescentDevelopers/Descent3/releases";

inline std::string flag(const ui::OptionButton& o) {
    return o.value() ? "1" : "0";
}

using Options = std::array<ui::OptionButton*, 3>;

// Shows one three-way choice: its option selected, or none.
inline void showChoice(std::optional<settings::Choice::Option> shown, const Options& options) {
    for (ui::OptionButton* o : options)
        if (o->value()) o->setValue(false);
    if (shown) options[static_cast<int>(*shown)]->setValue(true);
}

// Takes the selected option into the choice. The lines are written as the option shown, also
// when a hand-edited file set more than one: Gatefire then does what the window showed.
inline void takeChoice(settings::Choice& choice, const Options& options) {
    std::optional<settings::Choice::Option> selected;
    for (int i = 0; i < 3; ++i)
        if (options[i]->value()) selected = static_cast<settings::Choice::Option>(i);
    choice.choose(selected);
}

} // namespace scourix::mainwindow
