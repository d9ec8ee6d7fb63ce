#include <gtest/gtest.h>

#include "platform/windows/WindowsClipboard.h"
#include "platform/windows/WindowsSession.h"

namespace wb = platform::windows_backend;

TEST(WindowsSession, OneInstancePerNameWhileTheFirstLives) {
    const std::string id = "cfgscope-session-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
    {
        wb::WindowsSession first;
        EXPECT_FALSE(first.otherInstance(id));
        EXPECT_FALSE(first.otherInstance(id)) << "asking again is still the same instance";
        wb::WindowsSession second;
        EXPECT_TRUE(second.otherInstance(id));
        wb::WindowsSession other;
        EXPECT_FALSE(other.otherInstance(id + "-other"));
    }
    wb::WindowsSession later;
    EXPECT_FALSE(later.otherInstance(id)) << "the name is free once the first has ended";
}

TEST(WindowsSession, TimeAndDateTexts) {
    wb::WindowsSession s;
    EXPECT_FALSE(s.timeOfDayText().empty());
    EXPECT_FALSE(s.dateText().empty());
    EXPECT_NE(s.timeOfDayText().find(':'), std::string::npos);
}

TEST(WindowsClipboard, RoundTrip) {
    wb::WindowsClipboard clipboard;
    const std::string texts[] = {"192.168.1.10", "line one\r\nline two\r\n", ""};
    for (const auto& text : texts) {
        clipboard.clear();
        clipboard.setText(text);
        EXPECT_EQ(clipboard.text().value_or("<none>"), text);
    }
    clipboard.clear();
    EXPECT_FALSE(clipboard.text().has_value());
}
