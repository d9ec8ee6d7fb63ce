#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "sysinfo/MemoryText.h"

namespace {

constexpr std::int64_t MB = 1048576;

struct Case {
    std::int64_t bytes;
    std::optional<std::string> text;
};

TEST(MemoryText, Table) {
    const Case cases[] = {
        {0, std::nullopt},
        {-1, std::nullopt},
        {-2147483648LL, std::nullopt},
        {1, "0.0 MB"},
        {536870912, "512.0 MB"},
        {66060288, "64.0 MB"},       // x = 63: nominal 64
        {60 * MB, "64.0 MB"},        // ranges are closed at both ends
        {70 * MB, "64.0 MB"},
        {70 * MB + 1, "70.0 MB"},    // just outside: rounded, not snapped
        {59 * MB, "59.0 MB"},
        {75 * MB, "75.0 MB"},
        {static_cast<std::int64_t>(127.4 * MB), "128.0 MB"},
        {245 * MB, "256.0 MB"},
        {265 * MB, "256.0 MB"},
        {380 * MB, "384.0 MB"},
        {640 * MB, "640.0 MB"},
        {760 * MB, "768.0 MB"},
        {900 * MB, "896.0 MB"},
        {906 * MB, "906.0 MB"},
        {990000000, "944.14 MB"},    // second decimal written when not zero
        {static_cast<std::int64_t>(100.5 * MB), "100.5 MB"},
        {static_cast<std::int64_t>(100.996 * MB), "101.0 MB"},
        {999999999, "953.67 MB"},
        {1000000000, "0.954 GB"},
        {1040187392, "0.992 GB"},
        {2147483647, "2.048 GB"},
        {2 * 1048576000LL, "2. GB"},  // a whole number keeps its separator
        {static_cast<std::int64_t>(1.5 * 1048576000), "1.5 GB"},
        // Beyond the signed 32-bit range the size is shown as it is.
        {4294967296LL, "4.096 GB"},
        {17179869184LL, "16.384 GB"},
        {68719476736LL, "65.536 GB"},
        {1099511627776LL, "1048.576 GB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(sysinfo::formatMemory(c.bytes, "."), c.text);
    }
}

TEST(MemoryText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(sysinfo::formatMemory(990000000, ","), "944,14 MB");
    EXPECT_EQ(sysinfo::formatMemory(2147483647, ","), "2,048 GB");
    EXPECT_EQ(sysinfo::formatMemory(2 * 1048576000LL, ","), "2, GB");
}

}  // namespace
