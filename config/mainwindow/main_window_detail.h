#pragma once
// Layout constants and small helpers shared by the main window's source files.

#include <array>
#include <initializer_list>
#include <string>

#include "platform/ui/window.h"

namespace scourix::mainwindow {

using Controls = std::initializer_list<ui::Control*>;

inline constexpr int kWidth = 6525;
inline constexpr int kHeight = 6975;
inline constexpr int kPageHeight = 5100;
inline constexpr int kLowerPanelsTop = 3420;
inline constexpr int kLowerPanelsHidden = 5000;

inline const char* const kErrorTitle = "Scourix - ERROR!!";
inline const char* const kUpdateAddress =
    "http://www.outrage.com/descent3/download/northamerica.html";

inline std::string flag(const ui::OptionButton& o) {
    return o.value() ? "1" : "0";
}

// Applies one three-way choice from its three lines: every line that is not "0" selects its
// option, so the last of them wins; all "0" selects none.
inline void applyChoice(const std::array<std::string, 3>& lines,
                        const std::array<ui::OptionButton*, 3>& options) {
    for (ui::OptionButton* o : options)
        if (o->value()) o->setValue(false);
    for (int i = 0; i < 3; ++i)
        if (lines[i] != "0") options[i]->setValue(true);
}

} // namespace scourix::mainwindow
