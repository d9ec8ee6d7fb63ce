#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

// Splits text into lines at LF, dropping one CR before each LF. A final
// line without a line end is kept; the empty tail after a last LF is not.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace platform::linux_backend
