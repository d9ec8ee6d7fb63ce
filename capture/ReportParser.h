// Turns the lines of an `ipconfig /all` report into the adapter table, the
// adapter list, the diagnosis and the per-adapter scripts. Pure: the
// caller applies the result to the window and writes the scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/AdapterTable.h"
#include "capture/AdapterScripts.h"

namespace capture {

inline constexpr const char* kTunnelSkip = "TUNNEL SKIP";
inline constexpr const char* kPleaseWait = "Please Wait ...";

// The report list as a capture loads it: the waiting line, then every
// non-empty line of the report file.
std::vector<std::string> reportListFrom(const std::vector<std::string>& fileLines);

struct ParseResult {
    std::string status;             // the status line
    std::vector<std::string> log;   // log entries in order, not yet trimmed
    int faultCount = 0;
    std::optional<std::string> hostName;  // upper-cased
    std::vector<std::string> adapterEntries;
    std::vector<ScriptFile> scripts;      // in the order they are written
    bool showPingGateway = false;
    bool showPingDns1 = false;
    bool showPingDns2 = false;
    // A line containing "error" ends the parse; the report list then shows
    // `reportList` and none of the end steps run.
    bool internalError = false;
    std::vector<std::string> reportList;
};

// `table` is the window's table, cleared by the caller; the parse writes
// into it. `marker` is the Windows-family marker ("xp", "vista", ...).
// Without `withScripts` the result holds no scripts (a diagnosis only).
ParseResult parseReport(const std::vector<std::string>& lines, std::string_view marker, std::string_view timeText,
                        app::AdapterTable& table, bool withScripts = true);

// Sets every cell of the table to the empty text.
void clearAdapterTable(app::AdapterTable& table);

// The short connection name for the release and renew scripts: the name
// after "adapter " in the header, up to its first blank.
std::string shortNameOf(std::string_view adapterName, std::size_t keywordPosition);

}  // namespace capture
