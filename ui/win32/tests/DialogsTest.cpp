// The Win32 message box as the user sees it: its title, text and the icon
// the program asked for.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/win32/Win32Dialogs.h"

namespace {

struct Seen {
    std::string text;
    HICON icon = nullptr;
    bool found = false;
};
Seen seen;
const char* kTitle = "Router Login HELP";

BOOL CALLBACK readChild(HWND child, LPARAM) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    if (auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0))) seen.icon = icon;
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (*text) seen.text = text;
    return TRUE;
}

// Reads the open box and answers it with OK.
void CALLBACK answerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA("#32770", kTitle);
    if (!box) return;
    KillTimer(nullptr, timer);
    seen.found = true;
    EnumChildWindows(box, readChild, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(Win32Dialogs, MessageBoxShowsTheIconAskedFor) {
    const HICON information = LoadIcon(nullptr, IDI_INFORMATION);
    for (auto icon : {platform::MessageIcon::None, platform::MessageIcon::Information}) {
        const bool wanted = icon == platform::MessageIcon::Information;
        seen = {};
        SetTimer(nullptr, 0, 20, answerBox);
        ui::win32::Win32Dialogs dialogs;
        dialogs.messageBox("Linksys:  (http://192.168.1.1)", kTitle, icon);
        ASSERT_TRUE(seen.found) << wanted;
        EXPECT_EQ(seen.text, "Linksys:  (http://192.168.1.1)");
        EXPECT_EQ(seen.icon, wanted ? information : nullptr) << wanted;
    }
}
