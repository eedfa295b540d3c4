#include "config/tools/shellstart.h"

#include "common/settings/model.h"
#include "common/settings/reading.h"
#include "config/tools/tools.h"

namespace scourix {
namespace {

const int kWidth = 6540, kHeight = 3030;
} // namespace

Shellstart::Shellstart(platform::Platform& p, Owner& owner)
    : ui::Window("", kWidth, kHeight), p_(p), owner_(owner),
      panel_(p.files, p.dialogs, language_, Laufwerk, Verzeichnis, &File1) {
    ownerWindow = &owner.window();
    centred = true;

    place(Label1, 44, 4, 120, 14);
    place(Label3, 394, 4, 36, 14);
    for (int i = 0; i < 5; ++i) {
        const int top = 20 + i * 30;
        place(*br[i], 8, top, 30, 22);
        br[i]->setCaption(".....");
        place(*pr[i], 44, top + 1, 340, 20);
        place(*a[i], 400, top + 3, 16, 16);
        a[i]->setEnabled(false);
        br[i]->click = [this, i] { browse(i + 1); };
        pr[i]->change = [this, i] {
            const bool set = !pr[i]->text().empty();
            a[i]->setEnabled(set);
            if (!set) a[i]->setValue(0);
        };
    }
    place(save, 346, 172, 82, 24);

    // The browse panel lies below the rows, out of sight, until a browse button calls it.
    brfenster.setBounds(100, kHeight + 300, 422 * 15, 196 * 15);
    brfenster.setVisible(false);
    place(Laufwerk, 8, 18, 196, 21);
    place(Verzeichnis, 8, 44, 196, 114);
    place(File1, 212, 18, 200, 140);
    File1.pattern = platform::kPrograms;
    place(brok, 8, 164, 80, 24);
    place(brabbruch, 96, 164, 80, 24);

    for (ui::Control* c : controls())
        if (dynamic_cast<ui::Label*>(c) || dynamic_cast<ui::Frame*>(c) ||
            dynamic_cast<ui::CheckBox*>(c))
            c->setBackColour(backColour);

    brok.click = File1.click = [this] { brokClick(); };
    brabbruch.click = [this] { panel(false); };
    save.click = [this] { saveClick(); };
    brok.isDefault = save.isDefault = brabbruch.isCancel = true;
}

void Shellstart::load() {
    language_ = owner_.language();
    setCaption(lang::tr(language_, "start with Gatefire....."));
    using lang::mark;
    const std::vector<Caption> table{
        // TRANSLATORS: Side programs window: column title over the programs.
        {Label1, mark("Programm")},
        // TRANSLATORS: Side programs window: column title over the check boxes; ticked means the
        // program is started.
        {Label3, mark("start")},
        // TRANSLATORS: Side programs window: saves the list and closes.
        {save, mark("save")},
        {brfenster, mark("Browser...")},
        {brok, mark("ok")},
        // TRANSLATORS: Side programs window's browser: cancel.
        {brabbruch, mark("abbruch")},
    };
    setCaptions(language_, table);
    setClientSize(kWidth, kHeight);
    panel(false);

    keepFirst_ = false;
    later_.clear();
    // As a freshly loaded form: empty rows, every start box disabled.
    for (ui::TextBox* box : pr) box->setText("");
    if (!readFile()) {
        // The player's own file (one saved as UTF-16, say) is kept as a copy before it goes.
        settings::SettingsFile fresh(p_.codepage);
        settings::writeEditorShellList(fresh);
        keepFirst_ = true;
        writeSettings(p_, language_, owner_.store().path(settings::kShellListTxt), fresh.bytes(),
                      keepFirst_);
        if (!readFile()) {
            // The fresh file is not there to read: the rows stay empty all the same.
            sideFile.fill(""), sideFolder.fill("");
            for (ui::CheckBox* box : a) box->setValue(0);
        }
    }
    for (int i = 0; i < 5; ++i)
        if (!shown(i).empty()) pr[i]->setText(shown(i));

    // The lists start on the current drive and folder and keep what they show from then on.
    if (Verzeichnis.path().empty()) {
        panel_.setDrive(p_.files.currentFolder());
        Verzeichnis.setPath(p_.files.currentFolder());
    }
    show();
}

bool Shellstart::readFile() {
    settings::ShellList list;
    std::string later;
    if (settings::load(owner_.store(), list, &later) != settings::Problem::None) return false;
    for (int i = 0; i < 5; ++i) {
        sideFile[i] = list[i].sideFile;
        sideFolder[i] = list[i].sideFolder;
        a[i]->setValue(settings::ticked(list[i].sideEnabled) ? 1 : 0);
    }
    later_ = later;
    return true;
}

void Shellstart::browse(int row) {
    row_ = row;
    panel(true);
}

void Shellstart::panel(bool show) {
    brfenster.setBounds(100, show ? 30 : kHeight + 300, brfenster.width, brfenster.height);
    brfenster.setVisible(show);
    for (ui::Control* c : controls())
        if (c != &brfenster && !c->container() && !dynamic_cast<ui::Timer*>(c))
            c->setVisible(!show);
}

void Shellstart::brokClick() {
    const int index = File1.listIndex();
    if (index == -1) return;
    const int i = row_ - 1;
    const std::string name = File1.item(index);
    const std::string folder = Verzeichnis.path();
    sideFile[i] = name;
    sideFolder[i] = folder;
    pr[i]->setText(shown(i));
    a[i]->setValue(1);
    panel(false);
}

// The path a row shows for its slot, with the system's separator; a slot without a program or
// without a folder shows nothing (Gatefire's default list holds "0" as each folder).
std::string Shellstart::shown(int i) const {
    if (sideFile[i].empty() || sideFolder[i].empty()) return "";
    const char sep = p_.host.system() == platform::System::Windows ? '\\' : '/';
    return sideFolder[i] + sep + sideFile[i];
}

// A path typed into a row is taken apart as the browse panel would give it: the folder up to the
// last separator (a root keeps its own), the file after it.
void Shellstart::takeTyped(int i) {
    const std::string& text = pr[i]->text();
    if (text.empty() || text == shown(i)) return;
    const std::size_t at = text.find_last_of("\\/");
    if (at == std::string::npos) {
        sideFile[i] = text, sideFolder[i].clear();
        return;
    }
    const bool root = at == 0 || (at == 2 && text[1] == ':');
    sideFolder[i] = text.substr(0, root ? at + 1 : at);
    sideFile[i] = text.substr(at + 1);
}

void Shellstart::saveClick() {
    for (int i = 0; i < 5; ++i) takeTyped(i);
    settings::ShellList list;
    for (int i = 0; i < 5; ++i)
        list[i] = {sideFile[i], sideFolder[i], std::to_string(a[i]->value())};
    settings::SettingsFile f(p_.codepage);
    settings::writeShellList(f, list);
    f.writeBytes(later_);
    // A file that could not be written keeps the window open with the player's choice.
    if (writeSettings(p_, language_, owner_.store().path(settings::kShellListTxt), f.bytes(),
                      keepFirst_))
        close();
}

} // namespace scourix
