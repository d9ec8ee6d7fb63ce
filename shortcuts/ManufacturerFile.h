// The manufacturer's support data as "key=value" lines (oeminfo.ini on
// Windows, the machine's DMI data on Linux), read into what its window shows.
#pragma once

#include <string>
#include <vector>

namespace shortcuts {

struct ManufacturerInfo {
    std::string manufacturer;
    std::string model;
    std::string supportHeading;  // "Web Support" when a support address was found
    std::string supportUrl;
    std::string supportLines;  // each line after two blanks, CR LF after each
};

// Keys are found anywhere in a line, case ignored; one line may feed several
// fields; the value is what follows the first "=" (the whole line without one).
ManufacturerInfo readManufacturerLines(const std::vector<std::string>& lines);

}  // namespace shortcuts
