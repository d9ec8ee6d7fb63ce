// The fault rules run while a report is parsed: each fault sets the status
// line, appends its log lines and counts once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace capture {

inline constexpr const char* kNoErrorsFound = "No errors found";
inline constexpr const char* kReportNotRead = " REPORT NOT READ: no field was recognised.  Click to see log.";
// The window's running log: how many entries it keeps, and the entry each
// capture begins with.
inline constexpr int kLogLimit = 20;
inline constexpr const char* kRefreshingEntry = " Refreshing ...";

struct Diagnosis {
    std::string time;  // time-of-day stamp for this parse
    std::string status = kNoErrorsFound;
    std::vector<std::string> log;
    int faults = 0;

    void mediaFault(int adapter, std::string_view adapterName);
    void automaticAddressFault(std::string_view tested, int adapter);
    // Both return true when the damaged-stack fault was raised.
    bool xpAddressRules(std::string_view tested, int adapter);
    bool vistaAddressRules(std::string_view tested, int adapter);
    void dnsFault(int which, std::string_view value);
    void internalError(std::string_view line);
    void noFaultReport();
    // No field of the report was recognised: a fault of its own.
    void unreadReport();

private:
    bool addressRules(std::string_view tested, int adapter, bool vista);
    void addressConflict(std::string_view address, int adapter);
    void damagedStack(std::string_view tested, int adapter);
    void unsetAddress(std::string_view tested, int adapter);
};

}  // namespace capture
