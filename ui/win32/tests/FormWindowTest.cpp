// The Win32 forms as a user meets them: native windows of the right class,
// place, text, font and colour for every drawn control, none for working
// controls; clicks, typing, list choices, menu commands and accelerator keys
// routed back to the controls; program changes followed on screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "forms/MainForm.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/MenuKeys.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Win32Dialogs.h"
#include "platform/windows/WideText.h"

using ui::win32::FormSpec;
using ui::win32::FormWindow;
using ui::win32::pixels;

namespace {

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

std::string textOf(HWND w) {
    char buffer[1024] = {};
    GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
}

std::string classOf(HWND w) {
    char buffer[64] = {};
    GetClassNameA(w, buffer, sizeof buffer);
    return buffer;
}

RECT clientRectOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool styled(HWND w, LONG style) { return (GetWindowLongA(w, GWL_STYLE) & style) == style; }

struct MenuEntry {
    std::string text;
    UINT id = 0;
    UINT state = 0;
};

// Every command of a menu and its submenus, depth first.
void collect(HMENU menu, std::vector<MenuEntry>& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i)) {
            out.push_back({text, 0, state & 0xFF});
            collect(sub, out);
        } else {
            out.push_back({text, GetMenuItemID(menu, i), state});
        }
    }
}

const MenuEntry* findEntry(const std::vector<MenuEntry>& entries, const std::string& text) {
    for (const auto& e : entries)
        if (e.text == text) return &e;
    return nullptr;
}

class MainWindow : public ::testing::Test {
protected:
    app::MainForm form;
    FormWindow window{ui::win32::mainFormSpec(form, ui::win32::kProgramIcon)};
    HWND of(const ui::Control& c) { return window.controlHandle(c); }
};

}  // namespace

TEST_F(MainWindow, EveryDrawnControlHasItsNativeWindowAndWorkingOnesNone) {
    RECT client{};
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, pixels(form.clientWidth));
    EXPECT_EQ(client.bottom, pixels(form.clientHeight));
    EXPECT_EQ(textOf(window.handle()), "VORLAN Lanomat Std");

    int drawn = 0;
    for (ui::Control* c : form.controls) {
        SCOPED_TRACE(c->name());
        HWND w = of(*c);
        if (c->working || dynamic_cast<ui::Timer*>(c)) {
            EXPECT_EQ(w, nullptr);
            continue;
        }
        ASSERT_NE(w, nullptr);
        ++drawn;
        std::string expectedClass = dynamic_cast<ui::TextBox*>(c)  ? "Edit"
                                    : dynamic_cast<ui::ListBox*>(c) ? "ListBox"
                                    : dynamic_cast<ui::Button*>(c)  ? "Button"
                                                                     : "Static";
        EXPECT_STRCASEEQ(classOf(w).c_str(), expectedClass.c_str());
        EXPECT_EQ(styled(w, WS_VISIBLE), c->visible());
        EXPECT_EQ(IsWindowEnabled(w) != FALSE, c->enabled());
        if (!dynamic_cast<ui::Line*>(c)) {
            RECT r = clientRectOf(w);
            EXPECT_EQ(r.left, pixels(c->geometry.left));
            EXPECT_EQ(r.top, pixels(c->geometry.top));
            EXPECT_EQ(r.right - r.left, pixels(c->geometry.width));
            EXPECT_EQ(r.bottom - r.top, pixels(c->geometry.height));
        }
        if (auto* label = dynamic_cast<ui::Label*>(c)) {
            EXPECT_EQ(textOf(w), label->caption());
        } else if (auto* button = dynamic_cast<ui::Button*>(c)) {
            EXPECT_EQ(textOf(w), button->caption());
        } else if (auto* box = dynamic_cast<ui::TextBox*>(c)) {
            EXPECT_EQ(textOf(w), box->text());
        }
        if (!dynamic_cast<ui::Picture*>(c) && !dynamic_cast<ui::Line*>(c)) {
            auto handle = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
            LOGFONTA font{};
            GetObjectA(handle, sizeof font, &font);
            const std::string family = (c->font ? *c->font : form.defaultFont).family;
            EXPECT_EQ(std::string(font.lfFaceName), family);
            if (ui::isFixedPitchFamily(family)) {
                // Columns line up even where the family itself is missing.
                HDC dc = GetDC(w);
                HGDIOBJ old = SelectObject(dc, handle);
                TEXTMETRICA metrics{};
                GetTextMetricsA(dc, &metrics);
                SelectObject(dc, old);
                ReleaseDC(w, dc);
                EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a fixed-pitch font";
            }
        }
    }
    EXPECT_GT(drawn, 20);
}

TEST_F(MainWindow, ControlsPaintInTheirColours) {
    HDC dc = CreateCompatibleDC(nullptr);
    struct Case {
        ui::Control* control;
        UINT message;
    } cases[] = {{&form.adapters, WM_CTLCOLORLISTBOX}, {&form.List1, WM_CTLCOLORLISTBOX}, {&form.Label14, WM_CTLCOLORSTATIC},
                 {&form.cpuname, WM_CTLCOLORSTATIC}, {&form.host, WM_CTLCOLOREDIT}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.control->name());
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(window.handle(), k.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(of(*k.control))));
        ASSERT_NE(brush, nullptr);
        LOGBRUSH lb{};
        GetObjectA(brush, sizeof lb, &lb);
        ui::Color back = k.control->background.value_or(k.message == WM_CTLCOLORSTATIC ? form.background
                                                                                           : ui::Color{255, 255, 255});
        EXPECT_EQ(lb.lbColor, RGB(back.r, back.g, back.b));
        EXPECT_EQ(GetBkColor(dc), RGB(back.r, back.g, back.b));
        if (k.control->foreground) {
            const ui::Color& f = *k.control->foreground;
            EXPECT_EQ(GetTextColor(dc), RGB(f.r, f.g, f.b));
        }
    }
    DeleteDC(dc);
}

TEST_F(MainWindow, ProgramChangesShowOnScreen) {
    form.Label14.setCaption(" Internet: Checking ...");
    EXPECT_EQ(textOf(of(form.Label14)), " Internet: Checking ...");
    form.Command1.setVisible(false);
    EXPECT_FALSE(styled(of(form.Command1), WS_VISIBLE));
    form.Command1.setVisible(true);
    form.Command3.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(of(form.Command3)));

    HWND list = of(form.List1);
    form.List1.add("one");
    form.List1.add("two");
    form.List1.add("three");
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    form.List1.select(1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    form.List1.clear();
    form.List1.add("fresh");
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    char item[32] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "fresh");
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

    int changes = 0;
    form.host.onChange = [&] { ++changes; };
    form.host.setText("WORKSTATION");
    EXPECT_EQ(textOf(of(form.host)), "WORKSTATION");
    EXPECT_EQ(changes, 1);  // the window's own change notice is not a second change
}

TEST_F(MainWindow, UserActionsReachTheControls) {
    int buttonClicks = 0, labelClicks = 0, labelDoubleClicks = 0, listClicks = 0, listDoubleClicks = 0;
    form.Command1.onClick = [&] { ++buttonClicks; };
    form.Label14.onClick = [&] { ++labelClicks; };
    form.Label14.onDoubleClick = [&] { ++labelDoubleClicks; };
    form.adapters.onClick = [&] { ++listClicks; };
    form.adapters.onDoubleClick = [&] { ++listDoubleClicks; };
    for (const char* name : {"eth0", "wlan0", "Local"}) form.adapters.add(name);
    window.showCentred();
    pump();

    SendMessageA(of(form.Command1), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(buttonClicks, 1);

    SendMessageA(of(form.Label14), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(of(form.Label14), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageA(of(form.Label14), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(of(form.Label14), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_GE(labelClicks, 1);
    EXPECT_EQ(labelDoubleClicks, 1);

    // A click on the second row of the adapter list.
    HWND list = of(form.adapters);
    RECT row{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    LPARAM at = MAKELPARAM(row.left + 3, (row.top + row.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    pump();
    EXPECT_EQ(form.adapters.selected(), 1);
    EXPECT_EQ(listClicks, 1);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    pump();
    EXPECT_EQ(listDoubleClicks, 1);
    EXPECT_EQ(listClicks, 1);  // the same row again is no new choice

    // Typing into a box.
    SendMessageA(of(form.Text2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(form.Text2.text(), "typed");
}

// Adapter names, user names and paths in any language: UTF-8 in the form,
// UTF-16 on screen, the same text back from what the user types.
TEST_F(MainWindow, TextBeyondAsciiReachesTheScreenAndComesBack) {
    using platform::windows_backend::narrow;
    using platform::windows_backend::widen;
    auto wideText = [](HWND w) {
        wchar_t buffer[256] = {};
        GetWindowTextW(w, buffer, 256);
        return narrow(buffer);
    };
    const std::string german = "WLAN K\xC3\xBC" "che", russian = "\xD0\x9F\xD0\xBE\xD0\xB4\xD0\xBA\xD0\xBB",
                      chinese = "\xE6\x9C\xAC\xE5\x9C\xB0\xE8\xBF\x9E\xE6\x8E\xA5";
    form.Label10.setCaption(german);
    EXPECT_EQ(wideText(of(form.Label10)), german);
    form.user.setText(chinese);
    EXPECT_EQ(wideText(of(form.user)), chinese);

    HWND list = of(form.List1);
    form.List1.add(russian);
    form.List1.add(chinese);
    wchar_t item[64] = {};
    SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(narrow(item), chinese);
    form.List1.add("x");  // the lines before are kept, not written again
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);

    form.mnurefresh.setCaption(german);
    pump();
    bool found = false;
    HMENU bar = GetMenu(window.handle());
    std::function<void(HMENU)> look = [&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            if (narrow(text).rfind(german, 0) == 0) found = true;
            if (HMENU sub = GetSubMenu(menu, i)) look(sub);
        }
    };
    look(bar);
    EXPECT_TRUE(found) << "no menu item reads " << german;

    SetWindowTextW(of(form.host), widen(russian).c_str());
    pump();
    EXPECT_EQ(form.host.text(), russian);
}

TEST_F(MainWindow, MenuShowsItemsWithAccessKeysAndShortcutsAndRunsThem) {
    std::vector<MenuEntry> entries;
    collect(GetMenu(window.handle()), entries);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front().text, "Adapters");
    // Every visible command item shows its caption and shortcut.
    for (const ui::MenuItem* top : form.menuBar) {
        std::function<void(const ui::MenuItem&)> check = [&](const ui::MenuItem& item) {
            if (item.isSeparator) return;
            std::string text = ui::win32::menuText(item.caption(), item.shortcut());
            SCOPED_TRACE(text);
            const MenuEntry* e = findEntry(entries, text);
            if (!item.visible()) {
                EXPECT_EQ(e, nullptr);
                return;
            }
            ASSERT_NE(e, nullptr);
            EXPECT_EQ((e->state & MF_GRAYED) != 0, !item.enabled());
            for (const ui::MenuItem* child : item.children) check(*child);
        };
        check(*top);
    }

    // Choosing Refresh runs it; hiding an item takes it off the menu.
    int refreshes = 0;
    form.mnurefresh.onClick = [&] { ++refreshes; };
    const MenuEntry* refresh = findEntry(entries, ui::win32::menuText("Refresh", "F5"));
    ASSERT_NE(refresh, nullptr);
    SendMessageA(window.handle(), WM_COMMAND, MAKEWPARAM(refresh->id, 0), 0);
    EXPECT_EQ(refreshes, 1);

    form.mnuoem.setVisible(false);
    form.mnucopyall.setEnabled(false);
    pump();
    entries.clear();
    collect(GetMenu(window.handle()), entries);
    EXPECT_EQ(findEntry(entries, "Computer Manufacturer Info"), nullptr);
    const MenuEntry* copyAll = findEntry(entries, ui::win32::menuText("&Copy All to Clipboard", "Ctrl+C"));
    ASSERT_NE(copyAll, nullptr);
    EXPECT_TRUE(copyAll->state & MF_GRAYED);
}

TEST_F(MainWindow, AcceleratorKeysRunTheirItemsWhileTheItemCanBeChosen) {
    struct Case {
        ui::MenuItem* item;
        int key;
        bool ctrl, shift;
    } cases[] = {{&form.mnurefresh, VK_F5, false, false},
                 {&form.pinggateway, 'G', true, false},
                 {&form.mnureboot, VK_F12, false, true},
                 {&form.mnucopyall, 'C', true, false}};
    window.showCentred();
    pump();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.item->name());
        int clicks = 0;
        k.item->onClick = [&] { ++clicks; };
        // Modifier state comes from the keyboard state the accelerator reads.
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = k.ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = k.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{window.handle(), WM_KEYDOWN, static_cast<WPARAM>(k.key), 1, 0, {}};
        EXPECT_TRUE(window.translateAccelerator(msg));
        pump();
        EXPECT_EQ(clicks, 1);
        k.item->setEnabled(false);
        pump();
        window.translateAccelerator(msg);
        pump();
        EXPECT_EQ(clicks, 1);  // a disabled item's key does nothing
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
}

// The menu's keys run their items whatever control has the focus: a text
// box's own Ctrl+C, Ctrl+U ... or a list's type-ahead does not take them.
TEST_F(MainWindow, EveryShortcutRunsItsItemFromATextBoxOrAList) {
    window.showCentred();
    form.adapters.add("eth0");
    form.List1.add("line");
    pump();
    for (ui::Control* focus : std::vector<ui::Control*>{&form.user, &form.host, &form.List1, &form.adapters}) {
        HWND target = of(*focus);
        SetFocus(target);
        ASSERT_EQ(GetFocus(), target) << focus->name();
        int tried = 0;
        for (ui::MenuItem* top : form.menuBar)
            for (ui::MenuItem* item : top->children) {
                auto key = ui::win32::acceleratorKey(item->shortcut());
                if (!key || !item->visible() || !item->enabled()) continue;
                ++tried;
                int clicks = 0;
                item->onClick = [&] { ++clicks; };
                BYTE keys[256] = {};
                GetKeyboardState(keys);
                keys[VK_CONTROL] = key->ctrl ? 0x80 : 0;
                keys[VK_SHIFT] = key->shift ? 0x80 : 0;
                SetKeyboardState(keys);
                PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key->virtualKey), 1);
                PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(key->virtualKey), 0xC0000001);
                MSG m;
                while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) ui::win32::deliver(window, m);
                keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
                SetKeyboardState(keys);
                EXPECT_EQ(clicks, 1) << item->shortcut() << " in " << focus->name();
                item->onClick = nullptr;
            }
        EXPECT_GE(tried, 14) << focus->name();
    }
}

TEST_F(MainWindow, WaitPointerCoversTheWindowWhileAsked) {
    bool wait = false;
    window.waiting = [&] { return wait; };
    window.showCentred();
    pump();
    HCURSOR waitCursor = LoadCursor(nullptr, IDC_WAIT);
    for (HWND target : {window.handle(), of(form.List1), of(form.host)}) {
        wait = true;
        SetCursor(nullptr);
        SendMessageA(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), waitCursor) << classOf(target);
        wait = false;
        SendMessageA(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_NE(GetCursor(), waitCursor) << classOf(target);
    }
}

TEST_F(MainWindow, CloseDuringAnOperationWaitsForItsEnd) {
    int closes = 0;
    window.onClose = [&] { ++closes; };
    window.showCentred();
    window.run([&] {
        window.close();
        pump();  // an operation that lets messages through, as a capture's wait does
        EXPECT_FALSE(window.closed());
        EXPECT_EQ(closes, 0);
    });
    pump();
    EXPECT_TRUE(window.closed());
    EXPECT_EQ(closes, 1);
}

TEST(Win32Timer, EnabledTimerTicksAndStopsWhenDisabled) {
    ui::Timer timer{"Timer1"};
    timer.intervalMs = 10;
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    FormSpec formSpec;
    formSpec.caption = "timer";
    formSpec.clientWidth = formSpec.clientHeight = 1500;
    formSpec.controls = {&timer};
    FormWindow window(formSpec);
    for (int i = 0; i < 200 && ticks == 0; ++i) {
        Sleep(10);
        pump();
    }
    EXPECT_GT(ticks, 0);
    timer.setEnabled(false);
    pump();
    const int stopped = ticks;
    Sleep(50);
    pump();
    EXPECT_EQ(ticks, stopped);
}

// During a download's wait the windows are repainted, while a key pressed
// meanwhile waits in the queue until the operation has ended.
TEST(Win32Dialogs, KeepPaintedRepaintsAndLeavesInputQueued) {
    HWND w = CreateWindowA("STATIC", "waiting", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    pump();
    InvalidateRect(w, nullptr, TRUE);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
    ui::win32::Win32Dialogs dialogs;
    dialogs.keepPainted();
    RECT r{};
    EXPECT_FALSE(GetUpdateRect(w, &r, FALSE)) << "repainted";
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, w, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) << "the key still waits";
    DestroyWindow(w);
    pump();
}
