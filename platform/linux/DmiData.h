// The machine's maker data from the kernel's DMI tables, presented as the
// "key=value" lines of a Windows manufacturer file (oeminfo.ini).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

inline constexpr const char* kDmiFolder = "/sys/class/dmi/id";

// [General] Manufacturer and Model, then [Support Information] lines for the
// board, BIOS and chassis. Nothing when neither maker nor model is known.
// Placeholder texts that firmware leaves behind ("To Be Filled By O.E.M.")
// count as unknown.
std::optional<std::vector<std::string>> dmiManufacturerLines(const std::string& folder = kDmiFolder);

}  // namespace platform::linux_backend
