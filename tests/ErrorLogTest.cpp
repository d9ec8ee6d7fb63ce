#include <gtest/gtest.h>

#include "FormFixture.h"
#include "reports/ErrorLog.h"

using namespace testing_support;

TEST(ErrorLog, TrimKeepsTheLastTwenty) {
    FormFixture f;
    for (int i = 1; i <= 25; ++i) {
        reports::addLogEntry(f.form, f.p, " entry " + std::to_string(i));
        reports::trimLog(f.form);
    }
    ASSERT_EQ(f.form.errorlog.count(), 20);
    EXPECT_EQ(f.form.errorlog.items().front(), "12:34:56 entry 6");
    EXPECT_EQ(f.form.errorlog.items().back(), "12:34:56 entry 25");
}

TEST(ErrorLog, ExactlyTwentyLosesNothing) {
    FormFixture f;
    for (int i = 0; i < 20; ++i) f.form.errorlog.add("e");
    reports::trimLog(f.form);
    EXPECT_EQ(f.form.errorlog.count(), 20);
}

TEST(ErrorLog, ShowAndClear) {
    FormFixture f;
    reports::showLog(f.form, f.p);
    ASSERT_EQ(f.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.messages[0].text, "");
    EXPECT_EQ(f.fake.dialogs.messages[0].title, "Error Log        ");

    reports::addLogEntry(f.form, f.p, " one");
    reports::addLogEntry(f.form, f.p, " two");
    reports::showLog(f.form, f.p);
    EXPECT_EQ(f.fake.dialogs.messages[1].text, "  12:34:56 one\n  12:34:56 two\n");

    reports::clearLog(f.form, f.p);
    reports::showLog(f.form, f.p);
    EXPECT_EQ(f.fake.dialogs.messages[2].text, "  12:34:56 Log cleared\n");
}
