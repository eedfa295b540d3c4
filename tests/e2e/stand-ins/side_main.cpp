// Side-program stand-in: appends one line per start to side_started.txt beside itself.
#include "standin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    std::string line = "started cwd=" + standin::utf8(standin::currentFolder()) +
                       " args=" + standin::utf8(standin::rawArguments()) + "\n";
    return standin::writeFile(standin::exeFolder() + L"\\side_started.txt", line, true) ? 0 : 1;
}
