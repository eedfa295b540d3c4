// bare-launch.exe GAME FOLDER: the least a launcher with a window does before the game starts.
// It shows one empty window of the launcher's size, waits 50 ms on a one-shot timer armed as the
// window is made, starts GAME with the shell's "open" and "-Launched " in FOLDER, and closes.
// No settings, no registry, no folders: the baseline the launcher's own start is measured
// against.
#include "standin.h"

#include <shellapi.h>

namespace {

const wchar_t* game = nullptr;
const wchar_t* folder = nullptr;

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_TIMER:
        KillTimer(hwnd, 1);
        ShellExecuteW(hwnd, L"open", game, L"-Launched ", folder, SW_SHOWNORMAL);
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3) return 2;
    game = argv[1], folder = argv[2];

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"BareLaunch";
    if (!RegisterClassExW(&wc)) return 1;
    // The launcher's window: 4665 by 3150 twips, at 96 DPI.
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"bare-launch", WS_POPUP, CW_USEDEFAULT,
                                CW_USEDEFAULT, 311, 210, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    SetTimer(hwnd, 1, 50, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
