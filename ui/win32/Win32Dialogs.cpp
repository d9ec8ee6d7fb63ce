#include "ui/win32/Win32Dialogs.h"

#include "platform/windows/WideText.h"
#include "ui/win32/WindowText.h"

namespace ui::win32 {

namespace {

using platform::windows_backend::widen;

constexpr const wchar_t* kInputClass = L"CfgscopeInputBox";
constexpr int kEdit = 100;

struct InputState {
    HWND edit = nullptr;
    bool done = false;
    std::optional<std::string> answer;
};

LRESULT CALLBACK inputProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_COMMAND:
        if (!state) break;
        if (LOWORD(wp) == IDOK) {
            state->answer = windowText(state->edit);
            state->done = true;
        } else if (LOWORD(wp) == IDCANCEL) {
            state->done = true;
        }
        return 0;
    case WM_CLOSE:
        if (state) state->done = true;
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HFONT dialogFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof m;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
        return CreateFontIndirectW(&m.lfMessageFont);
    }();
    return font;
}

}  // namespace

void Win32Dialogs::messageBox(const std::string& text, const std::string& title, platform::MessageIcon icon) {
    MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), MB_OK | (icon == platform::MessageIcon::Information ? MB_ICONINFORMATION : 0));
}

bool Win32Dialogs::yesNoBox(const std::string& text, const std::string& title) {
    return MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The input box: prompt at the top left, OK and Cancel at the right, the
// answer line below; Enter answers, Escape or the close box cancel.
std::optional<std::string> Win32Dialogs::inputBox(const std::string& prompt, const std::string& title,
                                                  const std::string& defaultAnswer) {
    static bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = inputProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kInputClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT r{0, 0, 360, 130};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, kInputClass, widen(title).c_str(), style,
                               area.left + (area.right - area.left - w) / 2, area.top + (area.bottom - area.top - h) / 3,
                               w, h, owner, nullptr, inst, nullptr);
    if (!box) return std::nullopt;
    InputState state;
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    auto child = [&](const wchar_t* cls, const std::string& text, DWORD s, int x, int y, int cw, int ch, int id,
                     DWORD ex = 0) {
        HWND c = CreateWindowExW(ex, cls, widen(text).c_str(), WS_CHILD | WS_VISIBLE | s, x, y, cw, ch, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont()), FALSE);
        return c;
    };
    child(L"STATIC", prompt, SS_LEFT | SS_NOPREFIX, 10, 10, 255, 70, -1);
    child(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 275, 10, 75, 24, IDOK);
    child(L"BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 275, 40, 75, 24, IDCANCEL);
    state.edit = child(L"EDIT", defaultAnswer, WS_TABSTOP | ES_AUTOHSCROLL, 10, 95, 340, 22, kEdit, WS_EX_CLIENTEDGE);
    SendMessageW(state.edit, EM_SETSEL, 0, -1);

    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    SetFocus(state.edit);
    MSG msg;
    while (!state.done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(box, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner) EnableWindow(owner, TRUE);
    SetWindowLongPtrW(box, GWLP_USERDATA, 0);
    DestroyWindow(box);
    if (owner) SetForegroundWindow(owner);
    return state.answer;
}

void Win32Dialogs::setWaitCursor(bool on) {
    wait_ = on;
    SetCursor(LoadCursor(nullptr, on ? IDC_WAIT : IDC_ARROW));
}

void Win32Dialogs::keepPainted() {
    // Only the paint messages: clicks and keys stay queued until the
    // operation has ended (messages sent by other threads are handled
    // inside PeekMessage too). Bounded, should a window never validate.
    MSG msg;
    for (int i = 0; i < 256 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        DispatchMessageW(&msg);
}

void Win32Dialogs::repaintNow() {
    if (!owner) return;
    RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace ui::win32
