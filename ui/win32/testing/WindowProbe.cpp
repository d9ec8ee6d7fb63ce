// window_probe.exe: drives and reads another program's windows from outside,
// as a user would, for the smoke tests under wine.
//
//   window_probe texts CAPTION         each child control: class, then text
//                                      (a list box's lines below it)
//   window_probe click CAPTION TEXT    clicks the button captioned TEXT
//   window_probe key CAPTION KEY       types KEY ("F5", "Ctrl+C") into the window
//   window_probe close CAPTION         closes the window as its close box does
//   window_probe clipboard             the clipboard's text
//   window_probe wait CAPTION PREFIX   waits (up to 20 s) until a child
//                                      control's text or list line begins
//                                      with PREFIX
// Arguments and output are UTF-8, whatever the Windows code pages.
// Exit status 0 on success, 1 when a window, control or item is not found.
#include <windows.h>
#include <shellapi.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/windows/WideText.h"

namespace {

using platform::windows_backend::narrow;
using platform::windows_backend::widen;

std::string textOf(HWND w) {
    wchar_t buffer[4096] = {};
    // WM_GETTEXT rather than GetWindowText: the latter does not read the
    // controls of another process.
    SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, nullptr);
    return narrow(buffer);
}

std::string classOf(HWND w) {
    char buffer[64] = {};
    GetClassNameA(w, buffer, sizeof buffer);
    return buffer;
}

// A list box's lines (read through the messages, which wine and Windows
// carry across processes).
std::vector<std::string> itemsOf(HWND list) {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        // Wide text: wine hands another process's lines over as UTF-16.
        wchar_t buffer[4096] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        if (length >= 4096) continue;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, nullptr);
        items.push_back(narrow(buffer));
    }
    return items;
}

bool isList(HWND w) { return _stricmp(classOf(w).c_str(), "ListBox") == 0; }

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> out;
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    return out;
}

// The program's window, given up to 20 s to appear.
HWND findTop(const std::string& caption) {
    for (int i = 0; i < 200; ++i) {
        if (HWND w = FindWindowW(nullptr, widen(caption).c_str())) return w;
        Sleep(100);
    }
    std::fprintf(stderr, "window_probe: no window captioned \"%s\"\n", caption.c_str());
    return nullptr;
}

// Types a key with Ctrl and Shift as asked, into the foreground window.
void typeKey(WORD key, bool ctrl, bool shift) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (ctrl) add(VK_CONTROL, false);
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    if (ctrl) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

int usage() {
    std::fprintf(stderr, "usage: window_probe texts|click|key|close|clipboard|wait ...\n");
    return 2;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* wideArgs = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> argv;
    for (int i = 0; i < argc; ++i) argv.push_back(narrow(wideArgs[i]));
    LocalFree(wideArgs);
    if (argc < 2) return usage();
    const std::string verb = argv[1];
    if (verb == "clipboard") {
        if (!OpenClipboard(nullptr)) return 1;
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
        if (text) std::fputs(narrow(text).c_str(), stdout);
        if (data) GlobalUnlock(data);
        CloseClipboard();
        return text ? 0 : 1;
    }
    if (argc < 3) return usage();
    HWND top = findTop(argv[2]);
    if (!top) return 1;
    if (verb == "texts") {
        for (HWND w : children(top)) {
            std::printf("%s\t%s\n", classOf(w).c_str(), textOf(w).c_str());
            if (isList(w))
                for (const std::string& item : itemsOf(w)) std::printf("\t%s\n", item.c_str());
        }
        return 0;
    }
    if (verb == "close") {
        PostMessageW(top, WM_CLOSE, 0, 0);  // as the window's close box
        return 0;
    }
    if (argc < 4) return usage();
    const std::string text = argv[3];
    if (verb == "click") {
        for (HWND w : children(top)) {
            if (_stricmp(classOf(w).c_str(), "Button") == 0 && textOf(w) == text) {
                // What a click on the button sends its window.
                PostMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), BN_CLICKED), reinterpret_cast<LPARAM>(w));
                return 0;
            }
        }
        std::fprintf(stderr, "window_probe: no button \"%s\"\n", text.c_str());
        return 1;
    }
    if (verb == "key") {
        // "F5", "Ctrl+C", "Shift+F12": one letter, digit or function key.
        bool ctrl = false, shift = false;
        std::string rest = text;
        for (;;) {
            if (rest.rfind("Ctrl+", 0) == 0) ctrl = true, rest.erase(0, 5);
            else if (rest.rfind("Shift+", 0) == 0) shift = true, rest.erase(0, 6);
            else break;
        }
        WORD key = 0;
        if (rest.size() == 1) key = static_cast<WORD>(toupper(static_cast<unsigned char>(rest[0])));
        else if (rest.size() > 1 && rest[0] == 'F') key = static_cast<WORD>(VK_F1 + std::atoi(rest.c_str() + 1) - 1);
        if (!key) return usage();
        SetForegroundWindow(top);
        Sleep(200);
        typeKey(key, ctrl, shift);
        return 0;
    }
    if (verb == "wait") {
        for (int i = 0; i < 200; ++i) {
            for (HWND w : children(top)) {
                std::vector<std::string> texts = isList(w) ? itemsOf(w) : std::vector<std::string>{textOf(w)};
                for (const std::string& t : texts) {
                    if (t.rfind(text, 0) == 0) {
                        std::printf("%s\n", t.c_str());
                        return 0;
                    }
                }
            }
            Sleep(100);
        }
        std::fprintf(stderr, "window_probe: no control text begins \"%s\"\n", text.c_str());
        return 1;
    }
    return usage();
}
