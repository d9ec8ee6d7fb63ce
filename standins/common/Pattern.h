// Adapter name patterns as the adapter scripts write them: "*" any run of
// characters, "?" one character, letters compared without regard to case.
#pragma once

#include <string_view>

namespace standins {

bool matchesPattern(std::string_view pattern, std::string_view name);

}  // namespace standins
