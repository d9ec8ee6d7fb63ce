// The small windows, their pictures and the program's own input box as
// Win32 windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "shortcuts/AuxForms.h"
#include "cfgscope/win32/AuxWindows.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Win32Dialogs.h"

using ui::win32::FormWindow;

namespace {

bool styled(HWND w, LONG style) { return (GetWindowLongA(w, GWL_STYLE) & style) == style; }

// A bitmap file of width x height pixels, 24 bits, one colour.
std::string writeBitmap(const std::string& name, int width, int height) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + name;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<char> pixels(info.biSizeImage, '\x40');
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return path;
}

std::string writeText(const std::string& name, const std::string& text) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

SIZE bitmapSize(HWND picture) {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (bitmap) GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// Runs `action` once the modal loop that follows has started.
std::function<void()> pending;
void CALLBACK runPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (pending) pending();
}
void afterStart(std::function<void()> action) {
    pending = std::move(action);
    SetTimer(nullptr, 0, 20, runPending);
}

}  // namespace

TEST(Win32AuxWindows, AboutWindowHasNoTitleBarAndShowsItsPictures) {
    shortcuts::AboutForm about;
    shortcuts::loadAbout(about);
    FormWindow window(ui::win32::auxFormSpec(about, nullptr));
    EXPECT_FALSE(styled(window.handle(), WS_CAPTION));  // a window without a caption

    HWND logo = window.controlHandle(about.Picture1);
    ASSERT_NE(logo, nullptr);
    EXPECT_NE(SendMessageA(logo, STM_GETICON, 0, 0), 0) << "the product logo from the resources";
    HWND banner = window.controlHandle(about.Picture4);
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(GetWindowLongA(banner, GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW);
    // Pictures let clicks through to the window, which closes on a click.
    EXPECT_EQ(SendMessageA(logo, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST(Win32AuxWindows, ManufacturerSupportLinesShowOnSeveralLines) {
    shortcuts::ManufacturerForm maker;
    FormWindow window(ui::win32::auxFormSpec(maker, nullptr));
    EXPECT_TRUE(styled(window.handle(), WS_CAPTION));
    HWND box = window.controlHandle(maker.Text1);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(styled(box, ES_MULTILINE | ES_READONLY | WS_VSCROLL));

    struct Case {
        const char* text;
        int lines;
    } cases[] = {{"  Call us\r\n  Mail us\r\n", 3}, {"  one\n  two", 2}, {"", 1}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        maker.Text1.setText(k.text);
        EXPECT_EQ(SendMessageA(box, EM_GETLINECOUNT, 0, 0), k.lines);
    }
}

TEST(Win32AuxWindows, PictureFilesAreFittedOrLeftEmpty) {
    struct Case {
        std::string resource;
        int maxWidth, maxHeight;  // 0: no picture
    } cases[] = {
        {"file:" + writeBitmap("cfgscope-small.bmp", 20, 10), 20, 10},
        {"file:" + writeBitmap("cfgscope-large.bmp", 400, 100), 0, 0},  // fitted below
        {"file:C:\\no\\such\\oemlogo.bmp", 0, 0},
        {"file:" + writeText("cfgscope-text.bmp", "not a picture\r\n"), 0, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.resource);
        shortcuts::ManufacturerForm maker;
        maker.Image1.resource = k.resource;
        FormWindow window(ui::win32::auxFormSpec(maker, nullptr));
        HWND picture = window.controlHandle(maker.Image1);
        ASSERT_NE(picture, nullptr);
        SIZE size = bitmapSize(picture);
        const int boxWidth = ui::win32::pixels(maker.Image1.geometry.width);
        const int boxHeight = ui::win32::pixels(maker.Image1.geometry.height);
        if (k.resource.find("large") != std::string::npos) {
            EXPECT_LE(size.cx, boxWidth);
            EXPECT_LE(size.cy, boxHeight);
            EXPECT_GT(size.cx, 0);
            EXPECT_NEAR(double(size.cx) / size.cy, 4.0, 0.25);  // proportions kept
        } else {
            EXPECT_EQ(size.cx, k.maxWidth);
            EXPECT_EQ(size.cy, k.maxHeight);
        }
    }
}

TEST(Win32AuxWindows, ShownModallyUntilHiddenWithTheOwnerDisabledMeanwhile) {
    shortcuts::OemEditorForm editor;
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    bool ownerEnabledMeanwhile = true;
    bool shownMeanwhile = false;
    afterStart([&] {
        ownerEnabledMeanwhile = IsWindowEnabled(owner) != FALSE;
        shownMeanwhile = editor.shown;
        editor.hide();
    });
    ui::win32::showAuxWindow(editor, owner);
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(shownMeanwhile);
    EXPECT_FALSE(editor.shown);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(editor.close, nullptr);
    DestroyWindow(owner);
}

TEST(Win32Dialogs, InputBoxAnswersOrCancels) {
    struct Case {
        const char* typed;  // nullptr: keep the default answer
        WORD button;
        std::optional<std::string> answer;
    } cases[] = {
        {nullptr, IDOK, std::string("www.google.com")},
        {"127.0.0.1", IDOK, std::string("127.0.0.1")},
        {"", IDOK, std::string()},
        {"ignored", IDCANCEL, std::nullopt},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed ? k.typed : "(default)");
        ui::win32::Win32Dialogs dialogs;
        std::string prompt;
        afterStart([&] {
            HWND box = FindWindowA("CfgscopeInputBox", "Cfgscope");
            ASSERT_NE(box, nullptr);
            HWND edit = GetDlgItem(box, 100);
            if (k.typed) SetWindowTextA(edit, k.typed);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(k.button, BN_CLICKED), 0);
        });
        EXPECT_EQ(dialogs.inputBox("Enter the host to ping", "Cfgscope", "www.google.com"), k.answer);
        EXPECT_EQ(FindWindowA("CfgscopeInputBox", nullptr), nullptr);
    }
}

TEST(Win32Dialogs, WaitPointerFollowsTheOperation) {
    ui::win32::Win32Dialogs dialogs;
    dialogs.setWaitCursor(true);
    EXPECT_TRUE(dialogs.waiting());
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    dialogs.setWaitCursor(false);
    EXPECT_FALSE(dialogs.waiting());
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}
