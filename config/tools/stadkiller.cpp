#include "config/tools/stadkiller.h"

#include "common/cleaning/cleaning.h"
#include "common/language/language.h"
#include "config/tools/tools.h"

namespace scourix {

Stadkiller::Stadkiller(platform::Platform& p, Owner& owner)
    : ui::Window("stadkiller", 1500, 1500), p_(p), owner_(owner) {
    ownerWindow = &owner.window();
}

// Everything happens while loading; the window closes at the end of it, so it never shows.
void Stadkiller::load() {
    const lang::Language l = owner_.language();
    std::vector<std::string> folders;
    if (!cleaning::statsFolders(p_.files, owner_.game(), folders)) {
        // A retail game folder without "\netgames" deleted nothing.
        p_.dialogs.message(cleaning::pathNotFound(l), platform::Buttons::Ok,
                           platform::Icon::Critical);
        return close();
    }
    const cleaning::StatsRemoved done = cleaning::removeStats(p_.files, folders);
    std::string text =
        " " + lang::tr(l, "{1} stats-files deleted !", {std::to_string(done.deleted)});
    if (done.left)
        text += "\n" + lang::tr(l, "{1} stats-files could not be deleted (read-only or in use).",
                                {std::to_string(done.left)});
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Information);
    close();
}

} // namespace scourix
