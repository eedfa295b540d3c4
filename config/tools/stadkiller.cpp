#include "config/tools/stadkiller.h"

#include "common/cleaning/cleaning.h"
#include "common/language/language.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

// Every text the statistics remover shows, English and German side by side.
struct Texts {
    lang::Language language;
    std::string pick(const std::string& english, const std::string& german) const {
        return lang::pick(language, english, german);
    }

    std::string deleted(int n) const {
        std::string text = " ";
        text += std::to_string(n);
        return text += pick(" stats-files deleted !", " Stats-Dateien gelöscht !");
    }
    std::string left(int n) const {
        std::string text = "\n";
        text += std::to_string(n);
        return text +=
               pick(" stats-files could not be deleted (read-only or in use).",
                    " Stats-Dateien konnten nicht gelöscht werden (schreibgeschützt oder in "
                    "Gebrauch).");
    }
    // As Gatefire says it, in English only.
    static std::string pathNotFound() { return "Error ! Path not found"; }
};

} // namespace

Stadkiller::Stadkiller(platform::Platform& p, Owner& owner)
    : ui::Window("stadkiller", 1500, 1500), p_(p), owner_(owner) {
    ownerWindow = &owner.window();
}

// Everything happens while loading; the window closes at the end of it, so it never shows.
void Stadkiller::load() {
    const Texts texts{owner_.language()};
    const auto folders = cleaning::foldersHolding(p_.files, owner_.game().dataFolders,
                                                  edition::kNetgames, cleaning::kStatsPattern);
    if (folders.empty()) {
        // A game folder without "\netgames" deleted nothing.
        p_.dialogs.message(Texts::pathNotFound(), platform::Buttons::Ok, platform::Icon::Critical);
        return close();
    }
    const cleaning::StatsRemoved done = cleaning::removeStats(p_.files, folders);
    std::string text = texts.deleted(done.deleted);
    if (done.left) text += texts.left(done.left);
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Information);
    close();
}

} // namespace scourix
