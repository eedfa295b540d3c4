#include "config/tools/tools.h"

#include <cctype>

#include "common/settings/keep_copy.h"
#include "common/settings/layouts.h"

namespace scourix {

void setCaptions(lang::Language l, const std::vector<Caption>& table) {
    for (const Caption& c : table) c.control.setCaption(c.text.in(l));
}

bool sameDrive(const std::string& path, const std::string& drive) {
    return path.size() >= 2 && path[1] == ':' && !drive.empty() &&
           std::tolower(static_cast<unsigned char>(path[0])) ==
               std::tolower(static_cast<unsigned char>(drive[0]));
}

BrowsePanel::BrowsePanel(platform::Files& files, platform::Dialogs& dialogs,
                         const lang::Language& language, ui::DriveList& drives,
                         ui::DirList& folders, ui::FileList* fileList)
    : files_(files), dialogs_(dialogs), language_(language), drives_(drives), folders_(folders) {
    drives_.change = [this] { driveChange(); };
    if (fileList) folders_.change = [this, fileList] { fileList->setPath(folders_.path()); };
}

bool BrowsePanel::setDrive(const std::string& path) {
    quiet_ = true;
    const bool known = drives_.setDrive(path);
    quiet_ = false;
    return known;
}

std::string BrowsePanel::driveFolder() const {
    const std::string& drive = drives_.drive();
    std::string folder = files_.currentFolder();
    // Without drive letters the "drive" is a folder: the current one where it lies there.
    if (ui::isRooted(drive)) return ui::driveOf(files_.drives(), folder) == drive ? folder : drive;
    if (sameDrive(folder, drive) || drive.empty()) return folder;
    std::string root = drive.substr(0, 1) + ":\\";
    root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    return root;
}

void BrowsePanel::driveChange() {
    if (quiet_) return;
    if (folders_.setPath(driveFolder())) return;
    dialogs_.message(lang::tr(language_, "The drive {1} cannot be read.", {drives_.drive()}),
                     platform::Buttons::Ok, platform::Icon::Exclamation);
    // Back to the drive whose folders the list still shows.
    setDrive(folders_.path());
}

void tellWriteFailed(platform::Platform& p, lang::Language l, const std::string& path) {
    p.dialogs.message(lang::tr(l,
                               "The file \"{1}\" could not be written; it keeps its previous "
                               "content.\n\nIs the folder read-only or the disk full?",
                               {p.host.shownPath(path)}),
                      platform::Buttons::Ok, platform::Icon::Critical);
}

bool writeSettings(platform::Platform& p, lang::Language l, const std::string& path,
                   const std::string& bytes, bool& keepFirst) {
    // A file too big to be read back is said so, and kept as it is, whether or not it is read.
    if (!keepFirst || !settings::SettingsFile::fits(bytes)) {
        const settings::Saving s = settings::save(p.files, p.host, path, bytes, l);
        if (!s.tooBig.empty())
            p.dialogs.message(s.tooBig, platform::Buttons::Ok, platform::Icon::Critical);
        else if (!s.written)
            tellWriteFailed(p, l, path);
        return s.written;
    }
    const settings::Replaced r = settings::replaceUnreadable(p.files, p.host, path, bytes, l);
    keepFirst = r.leftAlone;
    if (!r.message.empty())
        p.dialogs.message(r.message, platform::Buttons::Ok, platform::Icon::Exclamation);
    else if (!r.written)
        tellWriteFailed(p, l, path);
    return r.written;
}

void web::open(platform::Shell& shell, platform::Dialogs& dialogs, lang::Language l,
               const std::string& address, platform::ShowMode show) {
    if (shell.openAddress(address, show)) return;
    lang::tell(dialogs,
               lang::tr(l, "No web browser could be started to open this page:\n{1}", {address}),
               platform::Icon::Information);
}

} // namespace scourix
