#include <windows.h>

#include "launcher/anzeiger.h"
#include "platform/win32/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::System system("gatefire");
    launcher::Anzeiger window(system.platform());
    return win32::run(window);
}
