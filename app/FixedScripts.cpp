#include "app/FixedScripts.h"

namespace app {

std::vector<capture::ScriptFile> fixedScripts() {
    return {
        {capture::kReleaseAllScript, {"ipconfig /release"}},
        {capture::kRenewAllScript, {"ipconfig /renew"}},
        capture::framedScript(capture::kDisplayDnsScript, "Display the contents of the DNS Resolver Cache",
                              "ipconfig /displaydns"),
        {capture::kPurgeDnsScript, {"ipconfig /flushdns"}},
    };
}

}  // namespace app
