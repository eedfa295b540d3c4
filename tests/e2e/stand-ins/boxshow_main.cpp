// boxshow.exe: the driver's own test partner.
//   boxshow box TITLE TEXT FLAGS   shows MessageBoxW(TEXT, TITLE, FLAGS) and records the answer
//                                  as "result=<id>" in boxshow_result.txt beside itself.
//   boxshow window TITLE MS        shows a plain top-level window titled TITLE for MS ms.
//   boxshow run FILE PARAMS DIR    opens FILE with the shell's "open", PARAMS, in folder DIR.
#include "standin.h"

#include <shellapi.h>

#include <cstdlib>

namespace {

int showWindow(const wchar_t* title, DWORD ms) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"boxshow";
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND h = CreateWindowW(L"boxshow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                           nullptr, nullptr, wc.hInstance, nullptr);
    if (!h) return 1;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    DestroyWindow(h);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 5 && std::wstring(argv[1]) == L"box") {
        UINT flags = UINT(wcstoul(argv[4], nullptr, 0));
        int result = MessageBoxW(nullptr, argv[3], argv[2], flags);
        std::string out = "result=" + std::to_string(result) + "\n";
        return standin::writeFileWhole(standin::exeFolder() + L"\\boxshow_result.txt", out) ? 0 : 1;
    }
    if (argc == 5 && std::wstring(argv[1]) == L"run")
        return INT_PTR(ShellExecuteW(nullptr, L"open", argv[2], argv[3], argv[4], SW_SHOWNORMAL)) >
                       32
                   ? 0
                   : 1;
    if (argc == 4 && std::wstring(argv[1]) == L"window")
        return showWindow(argv[2], DWORD(_wtoi(argv[3])));
    return 64;
}
