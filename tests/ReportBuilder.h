// Builds report lines in the two layouts of the report tool.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Label padded with " . . ." to the 34-character label field, then ": ".
inline std::string labelled(const std::string& indent, const std::string& label, const std::string& value) {
    std::string field = label + " ";
    while (field.size() < 34) field += field.size() % 2 ? " " : ".";
    field.resize(34, ' ');
    return indent + field + ": " + value;
}
inline std::string xp(const std::string& label, const std::string& value) {
    return labelled(std::string(8, ' '), label, value);
}
inline std::string vista(const std::string& label, const std::string& value) {
    return labelled(std::string(3, ' '), label, value);
}
// A continuation line whose value stands in the value column.
inline std::string xpMore(const std::string& value) { return std::string(44, ' ') + value; }
inline std::string vistaMore(const std::string& value) { return std::string(39, ' ') + value; }

// The report list as capture loads it: the waiting line first.
inline std::vector<std::string> listed(std::vector<std::string> lines) {
    lines.insert(lines.begin(), "Please Wait ...");
    return lines;
}

}  // namespace testing_support
