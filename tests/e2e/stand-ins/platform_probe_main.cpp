// platform-probe.exe OUTFILE COMMAND...: asks our Win32 platform layer what the programs ask it
// and writes the answers, one line each, to OUTFILE (UTF-8):
//   version              -> version=MAJOR.MINOR.REVISION of this program's version resource
//   reg KEY NAME         -> reg=<text as the game settings page reads it, CR LF as \r\n>
//   same PATH1 PATH2     -> same=1 when both name one file, 0 when not, none when one is missing
//   samename NAME1 NAME2 -> samename=1 when the file system takes both for one name, else 0
//   replace FROM TO      -> replace=1 when FROM took the place of TO, else 0
//   read PATH LIMIT      -> read=BYTES read, or read=refused when it cannot or holds more
//   cycle N              -> cycle=... after opening and closing a window with a control of
//                           every kind N times: the next free GDI and USER handle, the control
//                           names left as atoms and the bytes the heap holds, after the first 20
//                           rounds and at the end ("gdi A B user A B names A B heap_bytes A B")
#include <array>
#include <fstream>
#include <string>

#include "platform/ui/window.h"
#include "platform/win32/win32.h"
#include "standin.h"

#include <malloc.h>

namespace {

// A window with one control of every kind, with fonts and colours of its own.
class Every : public ui::Window {
  public:
    explicit Every(platform::Files& files)
        : ui::Window("every", 6000, 4000), drive(*this, "Drive1", files),
          dir(*this, "Dir1", files) {
        int top = 0;
        for (ui::Control* c : std::initializer_list<ui::Control*>{&label, &button, &frame, &list,
                                                                  &text, &combo, &drive, &dir}) {
            c->setBounds(120, top += 360, 2400, 300);
            c->setCaption(c->name());
        }
        check.setBounds(60, 60, 1200, 240);
        option.setBounds(60, 300, 1200, 240);
        label.setFont("Arial", 9, true);
        label.setBackColour(ui::rgb(255, 255, 255));
        list.addItem("line");
        combo.addItem("entry");
        dir.setPath("C:\\");
        timer.setEnabled(true);
    }
    // Closed as soon as it is made: under a display without a window manager, destroying a
    // window that was shown waits for the manager for two seconds.
    void load() override { close(); }
    ui::Label label{*this, "Label1"};
    ui::Button button{*this, "Command1"};
    ui::Frame frame{*this, "Frame1"};
    ui::CheckBox check{*this, "Check1", &frame};
    ui::OptionButton option{*this, "Option1", &frame};
    ui::ListBox list{*this, "List1"};
    ui::TextBox text{*this, "Text1"};
    ui::ComboBox combo{*this, "Combo1"};
    ui::MenuItem m1{*this, "m1", "&file"};
    ui::MenuItem m11{*this, "m11", "&open", &m1};
    ui::DriveList drive;
    ui::DirList dir;
    ui::Timer timer{*this, "Timer1", 60000};
};

// What a window that frees less than it takes makes grow: the handle a new object gets (the
// tables hand out the lowest or the last freed entry), the names of a closed window's controls
// left as atoms, and the bytes the C++ heap holds in use.
using Reading = std::array<std::size_t, 4>;
const char* const kReadingKinds[] = {"gdi", "user", "names", "heap_bytes"};

Reading reading(const ui::Window& closed) {
    Reading r{};
    HBRUSH brush = CreateSolidBrush(0);
    HMENU menu = CreateMenu();
    r[0] = LOWORD(reinterpret_cast<UINT_PTR>(brush));
    r[1] = LOWORD(reinterpret_cast<UINT_PTR>(menu));
    DestroyMenu(menu);
    DeleteObject(brush);
    for (const ui::Control* c : closed.controls())
        if (GlobalFindAtomW(standin::wide(c->name()).c_str())) ++r[2];
    _HEAPINFO h{};
    while (_heapwalk(&h) == _HEAPOK)
        if (h._useflag == _USEDENTRY) r[3] += h._size;
    return r;
}

// Opens and closes `Every` from a timer of a main window, through the program's message loop,
// which frees what closed windows leave.
std::string cycle(platform::Files& files, int rounds) {
    const int warm = 20;
    ui::Window main("cycle", 1500, 1000);
    ui::Timer tick(main, "Timer1", 1);
    Every every(files);
    Reading first{}, last{};
    int n = 0;
    tick.tick = [&] {
        every.open();
        if (++n == warm) first = reading(every);
        if (n == warm + rounds) {
            last = reading(every);
            tick.setEnabled(false);
            main.close();
        }
    };
    tick.setEnabled(true);
    win32::run(main);
    std::string out;
    for (std::size_t i = 0; i < first.size(); ++i)
        out += std::string(i ? " " : "") + kReadingKinds[i] + " " + std::to_string(first[i]) + " " +
               std::to_string(last[i]);
    return out;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    win32::System system("probe");
    platform::Platform& p = system.platform();
    std::ofstream out(argv[1], std::ios::binary);
    const std::string command = standin::utf8(argv[2]);
    auto arg = [&](int i) { return i < argc ? standin::utf8(argv[i]) : std::string(); };
    if (command == "version") {
        out << "version=" << platform::versionText(p.app.version()) << "\n";
    } else if (command == "reg") {
        std::string text;
        bool ok = p.registry.read(platform::RegRoot::LocalMachine, arg(3), arg(4), text);
        std::string shown;
        for (char c : text)
            shown += c == '\r' ? std::string("\\r") : c == '\n' ? "\\n" : std::string(1, c);
        out << "reg=" << (ok ? shown : "<missing>") << "\n";
    } else if (command == "same") {
        auto a = p.files.info(arg(3)), b = p.files.info(arg(4));
        out << "same=" << (!a || !b ? "none" : a->sameFileAs(*b) ? "1" : "0") << "\n";
    } else if (command == "samename") {
        out << "samename=" << (p.files.sameName(arg(3), arg(4)) ? "1" : "0") << "\n";
    } else if (command == "replace") {
        out << "replace=" << (p.files.replace(arg(3), arg(4)) ? "1" : "0") << "\n";
    } else if (command == "read") {
        std::string bytes;
        const bool ok = p.files.read(arg(3), bytes, std::stoull(arg(4)));
        out << "read=" << (ok ? std::to_string(bytes.size()) : "refused") << "\n";
    } else if (command == "cycle") {
        out << "cycle=" << cycle(p.files, std::stoi(arg(3))) << "\n";
    } else {
        return 2;
    }
    return 0;
}
