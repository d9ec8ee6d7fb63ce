// `cfgscope --diagnose` without a file: this machine, through its report
// tool, in a fresh private working folder that is gone on every way out.
#pragma once

#include <iosfwd>

#include "cfgscope/CommandOptions.h"

namespace cfgscope {

inline constexpr const char* kDiagnoseFolderPrefix = "cfgscope-diagnose-";

int diagnoseMachine(const Options& o, std::ostream& out, std::ostream& err);

}  // namespace cfgscope
