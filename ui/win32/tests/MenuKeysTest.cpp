#include <gtest/gtest.h>

#include "ui/win32/MenuKeys.h"

using ui::win32::AcceleratorKey;
using ui::win32::acceleratorKey;

TEST(Win32MenuKeys, ShortcutTexts) {
    struct Case {
        const char* text;
        std::optional<AcceleratorKey> key;
    } cases[] = {
        {"F5", AcceleratorKey{false, false, false, 0x74}},
        {"F12", AcceleratorKey{false, false, false, 0x7B}},
        {"Ctrl+G", AcceleratorKey{true, false, false, 'G'}},
        {"Ctrl+c", AcceleratorKey{true, false, false, 'C'}},
        {"Shift+F12", AcceleratorKey{false, true, false, 0x7B}},
        {"Ctrl+Shift+1", AcceleratorKey{true, true, false, '1'}},
        {"Del", AcceleratorKey{false, false, false, 0x2E}},
        {"", std::nullopt},
        {"F0", std::nullopt},
        {"F99", std::nullopt},
        {"Hyper+A", std::nullopt},
        {"Ctrl+", std::nullopt},
        {"Ctrl+Tab", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(acceleratorKey(c.text), c.key) << c.text;
}

TEST(Win32MenuKeys, ShortcutShownAfterATab) {
    EXPECT_EQ(ui::win32::menuText("&Refresh", "F5"), "&Refresh\tF5");
    EXPECT_EQ(ui::win32::menuText("E&xit", ""), "E&xit");
}
