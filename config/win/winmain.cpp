#include <windows.h>

#include "config/mainwindow/main_window.h"
#include "platform/win32/sound.h"
#include "platform/win32/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The sound outlives the window: closing the window ends the program, and the sound with it.
    win32::Sound sound;
    win32::System system("scourix", sound);
    scourix::MainWindow window(system.platform());
    return win32::run(window);
}
