#include <windows.h>

#include "config/mainwindow/main_window.h"
#include "platform/win32/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::System system("scourix");
    scourix::MainWindow window(system.platform());
    return win32::run(window);
}
