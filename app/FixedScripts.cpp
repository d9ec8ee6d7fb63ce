#include "app/FixedScripts.h"

namespace app {

std::vector<capture::ScriptFile> fixedScripts() {
    const std::string hyphens = capture::kHyphenLine;
    return {
        {"releaseall.bat", {"ipconfig /release"}},
        {"renewall.bat", {"ipconfig /renew"}},
        {"displaydns.bat",
         {"@echo off", hyphens, "@echo Display the contents of the DNS Resolver Cache", hyphens,
          "ipconfig /displaydns", hyphens, "@pause"}},
        {"purgedns.bat", {"ipconfig /flushdns"}},
    };
}

}  // namespace app
