// The command line of cfgscope: the help-desk diagnosis and its options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "helpdesk/TextDecoding.h"

namespace cfgscope {

extern const char* const kUsage;

struct Options {
    bool help = false;
    bool version = false;
    bool diagnose = false;
    bool json = false;
    std::vector<std::string> files;  // "-" is standard input
    std::optional<std::string> dialect;
    helpdesk::CodePage codePage = helpdesk::CodePage::Automatic;
    std::string error;  // set when the command line is wrong
};

Options parseOptions(const std::vector<std::string>& args);

}  // namespace cfgscope
