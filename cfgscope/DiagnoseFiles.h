// `cfgscope --diagnose FILE...`: saved reports, one after the other.
#pragma once

#include <cstddef>
#include <iosfwd>

#include "cfgscope/CommandOptions.h"

namespace cfgscope {

// No report is larger: a real one is a few kilobytes.
inline constexpr std::size_t kReportSizeLimit = 4 * 1024 * 1024;

// Exit status: the highest of the reports' (0, 1, or 2 for one that was
// not diagnosed).
int diagnoseFiles(const Options& o, std::ostream& out, std::ostream& err);

}  // namespace cfgscope
