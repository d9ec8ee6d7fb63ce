// The five scripts written per adapter, as file name and lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace capture {

struct ScriptFile {
    std::string name;  // inside the working folder, e.g. "2pinggateway.bat"
    std::vector<std::string> lines;
    bool operator==(const ScriptFile&) const = default;
};

inline constexpr const char* kHyphenLine = "@echo ---------------------------------------------------------";

ScriptFile releaseScript(int adapter, std::string_view shortName);
ScriptFile renewScript(int adapter, std::string_view shortName);
ScriptFile pingGatewayScript(int adapter, std::string_view gateway);
// which = 1 or 2.
ScriptFile pingDnsScript(int adapter, int which, std::string_view server);

}  // namespace capture
