#include <windows.h>

#include "platform/win32/win32.h"
#include "platform/win32/win32_impl.h"

namespace win32 {
namespace {

struct InputState {
    HWND edit = nullptr;
    bool done = false, ok = false;
    std::wstring text;
};

LRESULT CALLBACK inputProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<InputState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_COMMAND:
        if (s && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
            s->ok = LOWORD(wp) == IDOK;
            int n = GetWindowTextLengthW(s->edit);
            s->text.assign(n + 1, L'\0');
            GetWindowTextW(s->edit, s->text.data(), n + 1);
            s->text.resize(n);
            s->done = true;
        }
        return 0;
    case WM_CLOSE:
        if (s) s->done = true;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

std::string inputBox(const std::string& prompt, const std::string& title,
                     const std::string& defaultText) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = inputProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(wc.hInstance, L"APPICON");
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"ScourixInput";
        RegisterClassExW(&wc);
        registered = true;
    }
    HWND owner = dialogOwner();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT r{0, 0, 370, 130};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    int w = r.right - r.left, h = r.bottom - r.top;
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, L"ScourixInput", wide(title).c_str(), style,
                               (area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2,
                               w, h, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    InputState state;
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    HFONT f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const wchar_t* cls, const std::wstring& text, DWORD cs, int x, int y, int cw,
                     int ch, int id) {
        HWND c = CreateWindowExW(cls[0] == L'E' ? WS_EX_CLIENTEDGE : 0, cls, text.c_str(),
                                 WS_CHILD | WS_VISIBLE | cs, x, y, cw, ch, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
        return c;
    };
    child(L"STATIC", wide(prompt), SS_LEFT, 10, 10, 260, 70, -1);
    child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 280, 10, 80, 24, IDOK);
    child(L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 280, 40, 80, 24, IDCANCEL);
    state.edit =
        child(L"EDIT", wide(defaultText), ES_AUTOHSCROLL | WS_TABSTOP, 10, 95, 350, 22, 100);
    SendMessageW(state.edit, EM_SETSEL, 0, -1);
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOWNORMAL);
    SetFocus(state.edit);
    MSG m;
    while (!state.done && GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(box, &m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(box);
    if (owner) SetActiveWindow(owner);
    return state.ok ? utf8(state.text) : std::string();
}

} // namespace win32
