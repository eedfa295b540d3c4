#include "config/tools/ordner.h"

#include "common/edition/edition.h"
#include "common/settings/keep_copy.h"
#include "config/tools/taunt_preview.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

// A browse mode: its word, its window caption and, for the file modes, the pattern of the files
// it lists.
struct Mode {
    const char* word;
    const char* caption;
    const char* pattern; // empty for the folder modes
};

const Mode kModes[] = {
    {"d3", lang::mark("search Descent 3....."), ""},
    {"sound", lang::mark("search backup-path for taunt's....."), ""},
    {"grafic", lang::mark("search backup-path for shiplogo's....."), ""},
    {"logos", lang::mark("select your shiplogo"), "*.ogf;*.oaf"},
    {"logos2", lang::mark("select your shiplogo from backup"), "*.ogf;*.oaf"},
    {"player", lang::mark("return your player.plt"), "*.plt"},
    {"sounds", lang::mark("select your taunt's"), "*.osf"},
    {"sounds2", lang::mark("select your taunt's from backup"), "*.osf"},
};

const Mode* findMode(const std::string& word) {
    for (const Mode& m : kModes)
        if (word == m.word) return &m;
    return nullptr;
}

bool fileMode(const std::string& word) {
    const Mode* m = findMode(word);
    return m && *m->pattern;
}

} // namespace

Ordner::Ordner(platform::Platform& p, Owner& owner)
    : ui::Window("", 5400, 5055), p_(p), owner_(owner),
      panel_(p.files, p.dialogs, language_, Laufwerk, Verzeichnis) {
    ownerWindow = &owner.window();
    centred = true;

    // The two panels lie in the same place; the buttons stand in one row below them.
    Frame1.setBounds(120, 60, 5160, 4380);
    Laufwerk.setBounds(120, 240, 4920, 315);
    Verzeichnis.setBounds(120, 660, 4920, 3600);
    Frame2.setBounds(120, 60, 5160, 4380);
    File1.setBounds(120, 240, 4920, 4020);
    for (ui::Frame* f : {&Frame1, &Frame2}) f->setBackColour(backColour);
    int left = 120;
    for (ui::Button* button : {&OK, &abbruch, &player, &umbenen}) {
        button->setBounds(left, 4560, 1200, 375);
        left += 1320;
    }
    player.setEnabled(false);
    umbenen.setEnabled(false);

    File1.dblClick = [this] { File1DblClick(); };
    OK.click = [this] { OKClick(); };
    abbruch.click = [this] { close(); };
    OK.isDefault = abbruch.isCancel = true;

    preview_ = std::make_unique<TauntPreview>(p, Playerstart, Zeitaus);
    player.click = [this] { playerClick(); };
    umbenen.click = [this] { umbenenClick(); };
    Playerstart.tick = [this] { preview_->loading(owner_.settings().autoCloseTester); };
    Zeitaus.tick = [this] { ZeitausTick(); };
    wiederda.tick = [this] {
        wiederda.setEnabled(false);
        focus();
    };
}

Ordner::~Ordner() = default;

void Ordner::load() {
    mode_ = owner_.session().browseMode;
    language_ = owner_.language();
    const std::vector<Caption> table{
        {OK, lang::mark("ok")},
        {abbruch, lang::textc("browser", "cancel")},
        // TRANSLATORS: File browser: plays the selected taunt.
        {player, lang::mark("play")},
        {umbenen, lang::mark("rename")},
    };
    setCaptions(language_, table);

    const Mode* m = findMode(mode_);
    setCaption(!m ? "" : lang::tr(language_, m->caption));
    const bool taunts = mode_ == "sounds" || mode_ == "sounds2";
    player.setEnabled(taunts);
    umbenen.setEnabled(taunts);
    show();

    if (!setUp())
        p_.dialogs.message(lang::tr(language_, "wrong descent-path !select please again !"),
                           platform::Buttons::Ok, platform::Icon::Critical);
}

bool Ordner::setUp() {
    const bool files = fileMode(mode_);
    // The file panel lies over the folder panel and hides it.
    Frame2.setVisible(files);
    Frame1.setVisible(!files);
    File1.clear();

    // As a newly created drive list: the current drive.
    panel_.setDrive(p_.files.currentFolder());

    if (files) {
        const Mode* m = findMode(mode_);
        File1.pattern = m->pattern;
        const edition::Game game = owner_.game();
        std::string folder = mode_ == "logos"    ? customFolder(edition::kGraphics, m->pattern)
                             : mode_ == "logos2" ? owner_.folder(Folder::LogoBackup)
                             : mode_ == "player" ? game.pilotFolder + edition::kCustom
                             : mode_ == "sounds" ? customFolder(edition::kSounds, m->pattern)
                                                 : owner_.folder(Folder::TauntBackup);
        // The open-source game makes its custom folders at its first start: before it, there
        // is nothing to list yet, and the folder list stays usable.
        if ((mode_ == "logos" || mode_ == "sounds") && game.foldersComeLater() &&
            p_.files.missing(folder)) {
            const std::string where = p_.host.shownPath(folder);
            const std::string text =
                mode_ == "logos"
                    ? lang::tr(language_,
                               "No ship logos yet: Descent 3 makes their folder at its first "
                               "start:\n{1}",
                               {where})
                    : lang::tr(language_,
                               "No taunts yet: Descent 3 makes their folder at its first "
                               "start:\n{1}",
                               {where});
            p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Information);
            return Verzeichnis.setPath(panel_.driveFolder());
        }
        if (folder.size() >= 2 && folder[1] == ':' &&
            !sameDrive(p_.files.currentFolder(), folder) &&
            !p_.files.setCurrentFolder(folder.substr(0, 2)))
            return false;
        if (!File1.setPath(folder)) return false;
    } else if (const std::string chosen = owner_.folder(folderField());
               !chosen.empty() && p_.files.folderExists(chosen) && panel_.setDrive(chosen) &&
               Verzeichnis.setPath(chosen)) {
        // The folder list opens at the folder already chosen.
        return true;
    } else {
        panel_.setDrive(p_.files.currentFolder());
    }
    return Verzeichnis.setPath(panel_.driveFolder());
}

Folder Ordner::folderField() const {
    return mode_ == "d3"      ? Folder::Game
           : mode_ == "sound" ? Folder::TauntBackup
                              : Folder::LogoBackup;
}

void Ordner::File1DblClick() {
    if (player.enabled() && player.click) player.click();
}

void Ordner::OKClick() {
    if (!findMode(mode_)) return close();
    if (!fileMode(mode_)) {
        if (Verzeichnis.path().empty()) return p_.dialogs.beep();
        owner_.setFolder(folderField(), Verzeichnis.chosen());
        close();
        return;
    }
    if (File1.listIndex() == -1) return p_.dialogs.beep();

    if (mode_ == "player") {
        returnPilot();
    } else if (mode_ == "logos2") {
        addCopies(cleaning::Kind::Logos, restoreFolder(edition::kGraphics));
    } else if (mode_ == "sounds2") {
        addCopies(cleaning::Kind::Taunts, restoreFolder(edition::kSounds));
    } else {
        const cleaning::Kind kind =
            mode_ == "logos" ? cleaning::Kind::Logos : cleaning::Kind::Taunts;
        std::string listed;
        for (int i = 0; i < File1.count(); ++i)
            if (File1.selected(i) && !owner_.addOwn(kind, File1.item(i)))
                listed += "\n" + File1.item(i);
        alreadyListed(listed);
    }
    close();
}

// The custom files of a kind as the game has them: the first of its data folders whose folder of
// that kind holds such files, else the first that is there, else the first.
std::string Ordner::customFolder(const std::string& part, const std::string& pattern) {
    std::string there;
    for (const std::string& data : owner_.game().dataFolders) {
        std::vector<std::string> names;
        if (!p_.files.list(data + part, pattern, names)) continue;
        if (!names.empty()) return data + part;
        if (there.empty()) there = data + part;
    }
    return there.empty() ? owner_.game().dataFolders.front() + part : there;
}

// Where a file from the backup goes back to: the first folder of that kind that is there, else
// the one where downloads land, made for it.
std::string Ordner::restoreFolder(const std::string& part) {
    const edition::Game game = owner_.game();
    for (const std::string& data : game.dataFolders)
        if (p_.files.folderExists(data + part)) return data + part;
    const std::string own = game.dataFolders.front() + part;
    platform::makeFolders(p_.files, own);
    return own;
}

void Ordner::alreadyListed(const std::string& names) {
    if (!names.empty())
        p_.dialogs.message(
            lang::tr(language_, "Already in your list, not added again:{1}", {names}),
            platform::Buttons::Ok, platform::Icon::Information);
}

void Ordner::addCopies(cleaning::Kind kind, const std::string& target) {
    std::string failed, listed;
    for (int i = 0; i < File1.count(); ++i) {
        if (!File1.selected(i)) continue;
        const std::string& name = File1.item(i);
        if (settings::copyOver(p_.files, File1.path() + "\\" + name, target + "\\" + name)) {
            if (!owner_.addOwn(kind, name)) listed += "\n" + name;
        } else {
            failed += "\n" + name;
        }
    }
    if (!failed.empty())
        tell(lang::tr(language_,
                      "These files could not be copied to \"{1}\" and were not added:{2}",
                      {p_.host.shownPath(target), failed}));
    alreadyListed(listed);
}

// The pilot goes back to the game folder; its file in \custom is deleted only once the copy is
// there whole, and the name is listed only when the game folder has the file.
void Ordner::returnPilot() {
    const std::string name = File1.item(File1.listIndex());
    const std::string from = File1.path() + "\\" + name;
    const std::string pilots = owner_.game().pilotFolder;
    const std::string to = pilots + "\\" + name;
    if (!settings::copyOver(p_.files, from, to)) {
        tell(lang::tr(language_,
                      "The pilot file \"{1}\" could not be copied to \"{2}\". It stays in "
                      "\"{3}\".",
                      {name, p_.host.shownPath(pilots), p_.host.shownPath(File1.path())}));
        return;
    }
    owner_.addPilot(name.size() >= 4 ? name.substr(0, name.size() - 4) : "");
    if (!p_.files.remove(from))
        tell(lang::tr(language_,
                      "The pilot file \"{1}\" was copied to the game folder, but could not be "
                      "deleted from \"{2}\".",
                      {name, p_.host.shownPath(File1.path())}));
}

void Ordner::tell(const std::string& text) {
    p_.dialogs.message(text, platform::Buttons::Ok, platform::Icon::Exclamation);
}

// The taunts are played and renamed in the folder the list shows: the game's or the backup's.
void Ordner::playerClick() {
    const int i = File1.listIndex();
    const std::string& tester = owner_.settings().musicTesterPath;
    if (preview_->way(tester) == TauntPreview::Way::Own) {
        if (i < 0) return preview_->nothingChosen(language_);
        return preview_->play(File1.path() + "\\" + File1.item(i), language_);
    }
    if (i < 0 || tester.empty()) return;
    preview_->start(File1.path() + "\\" + File1.item(i), owner_.folder(Folder::Game), tester,
                    language_);
}

// After the closing sequence the browser takes the focus back, for the next taunt.
void Ordner::ZeitausTick() {
    if (preview_->closing()) wiederda.setEnabled(true);
}

void Ordner::umbenenClick() {
    const int i = File1.listIndex();
    if (i < 0) return;
    const std::string old = File1.item(i);
    const std::string start = old.size() >= 4 ? old.substr(0, old.size() - 4) : "";
    std::string answer;
    for (;;) {
        // TRANSLATORS: Rename box: the new name is typed without its extension.
        answer = p_.dialogs.input(lang::tr(language_, "without .osf"),
                                  lang::tr(language_, "rename..."), start);
        if (answer.empty()) return;
        const std::string why = refusal(answer);
        if (why.empty()) break;
        p_.dialogs.message(why, platform::Buttons::Ok, platform::Icon::Critical);
    }
    const std::string folder = File1.path() + "\\";
    const std::string name = answer + ".osf";
    // The file system's rename never replaces a file: the old one stays when it fails.
    if (!p_.files.rename(folder + old, folder + name))
        tell(lang::tr(language_,
                      "The taunt \"{1}\" could not be renamed to \"{2}\". It keeps its name.",
                      {old, name}));
    File1.refresh();
}

// The name is checked as it will be, with its ".osf": "v2." gives "v2..osf", a good name.
std::string Ordner::refusal(const std::string& answer) {
    const std::string name = answer + ".osf";
    // Taken: the name of a listed taunt, also when it differs only in letter case, which the
    // file system ignores.
    for (int i = 0; i < File1.count(); ++i)
        if (p_.files.sameName(File1.item(i), name))
            return lang::tr(language_, "Name already assign! Enter please new!");
    if (platform::validFileName(name)) return "";
    return lang::tr(language_,
                    "\"{1}\" cannot be a file name: it must not contain \\ / : * ? \" < > | or "
                    "control characters, must not end with a dot or a blank, and must not be a "
                    "device name such as CON or NUL. Enter please new!",
                    {name});
}

} // namespace scourix
