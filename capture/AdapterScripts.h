// The five scripts written per adapter, as file name and lines.
#pragma once

#include <optional>
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

// The fixed scripts' names, and the per-adapter names after the adapter number.
inline constexpr const char* kReleaseAllScript = "releaseall.bat";
inline constexpr const char* kRenewAllScript = "renewall.bat";
inline constexpr const char* kDisplayDnsScript = "displaydns.bat";
inline constexpr const char* kPurgeDnsScript = "purgedns.bat";
inline constexpr const char* kReleaseSuffix = "release.bat";
inline constexpr const char* kRenewSuffix = "renew.bat";
inline constexpr const char* kPingGatewaySuffix = "pinggateway.bat";
// which = 1 or 2: "pingdns1.bat".
std::string pingDnsSuffix(int which);

// A script shown in a console: the title between hyphen lines, the command,
// another hyphen line and a pause.
ScriptFile framedScript(std::string name, std::string_view title, std::string_view command);

// Report values come from the network: none reaches a script line with a
// character the command interpreter acts on (& | < > ^ % " and the control
// characters).
// The adapter argument "*NAME*": every special character of the name, and
// every "*", written as "?", which still matches it (and one other
// character) but never redirects or chains a command nor widens the pattern
// beyond the name's length.
std::string adapterPattern(std::string_view shortName);

ScriptFile releaseScript(int adapter, std::string_view shortName);
ScriptFile renewScript(int adapter, std::string_view shortName);
// The host of a ping script line: the value as it is, an IPv6 address with
// its zone index with the "%" doubled, else nothing (a special character,
// for which no "?" can stand in a host name).
std::optional<std::string> pingTarget(std::string_view value);
// The ping scripts are withheld (nothing) when pingTarget gives nothing.
std::optional<ScriptFile> pingGatewayScript(int adapter, std::string_view gateway);
// which = 1 or 2.
std::optional<ScriptFile> pingDnsScript(int adapter, int which, std::string_view server);

}  // namespace capture
