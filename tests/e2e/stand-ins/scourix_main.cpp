// scourix.exe stand-in: records that it was started, and from which folder.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    std::string out = "cwd=" + standin::utf8(standin::currentFolder()) +
                      "\nargs=" + standin::utf8(standin::rawArguments()) + "\n";
    return standin::writeFileWhole(standin::exeFolder() + L"\\scourix_started.txt", out) ? 0 : 1;
}
