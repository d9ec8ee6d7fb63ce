#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::windows_backend {

// True for a plain class or property name (letters, digits, "_"), the only
// names put into a query text.
bool plainManagementName(const std::string& name);

// One property of every instance of a management class, through the WMI
// service (root\cimv2) over COM. Texts as they are, booleans as "True" or
// "False", numbers in decimal, an empty value as "". Nothing when the
// service or the query fails.
std::optional<std::vector<std::string>> queryManagementProperty(const std::string& className,
                                                                const std::string& property);

}  // namespace platform::windows_backend
