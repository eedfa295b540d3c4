// platform-probe.exe OUTFILE COMMAND...: asks our Win32 platform layer what the programs ask it
// and writes the answers, one line each, to OUTFILE (UTF-8):
//   version              -> version=MAJOR.MINOR.REVISION of this program's version resource
//   reg KEY NAME         -> reg=<text as the game settings page reads it, CR LF as \r\n>
//   same PATH1 PATH2     -> same=1 when both name one file, 0 when not, none when one is missing
//   samename NAME1 NAME2 -> samename=1 when the file system takes both for one name, else 0
//   replace FROM TO      -> replace=1 when FROM took the place of TO, else 0
//   read PATH LIMIT      -> read=BYTES read, or read=refused when it cannot or holds more
#include <fstream>
#include <string>

#include "platform/win32/win32.h"
#include "standin.h"

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
    } else {
        return 2;
    }
    return 0;
}
