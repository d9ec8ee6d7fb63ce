#include <gtest/gtest.h>

#include "internet/VersionText.h"

namespace {

using namespace internet;

TEST(VersionText, LeadingNumberReadsAsValDoes) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},        {"03", 3},        {" 4", 4},         {"1 2", 12},      {"\t7\n", 7},   {"0\n", 0},
        {"12abc", 12},  {"abc", 0},       {"-3", -3},        {"+5", 5},        {"2.5", 2.5},   {"1e3", 1000},
        {"1e", 1},      {"1d2", 100},     {"0\r\n", 0},      {"x1", 0},        {".5", 0.5},    {".", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(VersionText, ValueOfTheServersVersion) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"1.03.0", 103000},
        {"1.04.0", 104000},
        {"1.04.0\n", 104000},
        {"1.3.0", 103000},
        {"0.103.0", 103000},   // a minor of 100 or more reaches into the major place
        {"1.02.1000", 103000}, // a revision of 1000 or more reaches into the minor place
        {"2", 200000},         // missing parts count 0
        {"1.04", 104000},
        {"", 0},
        {"abc.def.ghi", 0},
        {"1.2.3.4", 102003.4},  // the revision is everything after the second "."
        {" 1 . 04 . 0 ", 104000},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(versionValue(c.text), c.value) << c.text;
    EXPECT_DOUBLE_EQ(ownVersionValue(), 103000);
    EXPECT_EQ(ownVersionText(), "1.3.0");
}

TEST(VersionText, QuestionWithAndWithoutWhatsNew) {
    const std::string dashes(72, '-');
    struct Case {
        const char* version;
        const char* whatsNew;
        std::string question;
    } cases[] = {
        {"1.04.0", "",
         "This is version 1.3.0\nAn UPDATED version (1.04.0) is available!\n\n\n"
         "(Note: This version will close before installing a newer version)\n\nWould you like to download now?"},
        {"1.04.0\n", "",
         "This is version 1.3.0\nAn UPDATED version (1.04.0\n) is available!\n\n\n"
         "(Note: This version will close before installing a newer version)\n\nWould you like to download now?"},
        {"1.04.0", "Faster\nSmaller",
         "This is version 1.3.0\nAn UPDATED version (1.04.0) is available!\n\n" + dashes +
             "\nWhat's NEW in version 1.04.0?\n\nFaster\nSmaller\n" + dashes +
             "\n\n(Note: This version will close before installing a newer version)\n\nWould you like to download "
             "now?"},
    };
    for (const auto& c : cases) EXPECT_EQ(updateQuestion(c.version, c.whatsNew), c.question) << c.version;

    EXPECT_EQ(whatsNewWithBreaks("Faster~Smaller"), "Faster\nSmaller");
    EXPECT_EQ(whatsNewWithBreaks("~~"), "\n\n");
    EXPECT_EQ(latestVersionText(), "Lanomat Std Version 1.3.0\nThis is the latest Version.");
}

}  // namespace
