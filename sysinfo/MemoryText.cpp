#include "sysinfo/MemoryText.h"

#include <cmath>

namespace sysinfo {

namespace {

constexpr double kMegabyte = 1048576.0;
constexpr double kGigabyte = 1048576000.0;  // a thousand megabytes
constexpr std::int64_t kGigabyteThreshold = 1000000000;

struct NominalSize {
    double from, to, size;
};
// Sizes a few megabytes off a common module size are shown as that size.
constexpr NominalSize kNominal[] = {{60, 70, 64},     {120, 130, 128}, {245, 265, 256}, {370, 395, 384},
                                    {500, 525, 512},  {630, 650, 640}, {750, 775, 768}, {885, 905, 896}};

// `value` rounded to `maxDecimals` places; at least `minDecimals` written,
// further ones only when not zero; the separator is always written.
std::string formatFixed(double value, int minDecimals, int maxDecimals, const std::string& separator) {
    const auto scale = static_cast<std::int64_t>(std::pow(10, maxDecimals));
    const auto scaled = static_cast<std::int64_t>(std::llround(value * static_cast<double>(scale)));
    std::string decimals = std::to_string(scaled % scale);
    decimals.insert(0, static_cast<std::size_t>(maxDecimals) - decimals.size(), '0');
    while (static_cast<int>(decimals.size()) > minDecimals && decimals.back() == '0') decimals.pop_back();
    return std::to_string(scaled / scale) + separator + decimals;
}

}  // namespace

std::optional<std::string> formatMemory(std::int64_t totalBytes, const std::string& decimalSeparator) {
    if (totalBytes < 1) return std::nullopt;
    if (totalBytes < kGigabyteThreshold) {
        double x = static_cast<double>(totalBytes) / kMegabyte;
        for (const auto& n : kNominal) {
            if (x >= n.from && x <= n.to) {
                x = n.size;
                break;
            }
        }
        return formatFixed(x, 1, 2, decimalSeparator) + " MB";
    }
    return formatFixed(static_cast<double>(totalBytes) / kGigabyte, 0, 3, decimalSeparator) + " GB";
}

}  // namespace sysinfo
