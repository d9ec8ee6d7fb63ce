// Refresh: has the report tool write a fresh report into data.txt, waits
// for it, loads its lines into the report list and parses them.
#pragma once

#include <string>
#include <vector>

#include "forms/MainForm.h"
#include "capture/ReportParser.h"
#include "platform/Platform.h"

namespace capture {

inline constexpr const char* kReportFile = "data.txt";
inline constexpr const char* kGetDataScript = "getdata.bat";
inline constexpr const char* kTimeoutError = "Timeout error";
// More failed attempts than this end the program.
inline constexpr int kPollLimit = 1000;
// Pause after a failed attempt, so the limit covers several seconds.
inline constexpr int kPollPauseMs = 10;
inline constexpr int kVistaSettleMs = 250;

enum class CaptureOutcome { Completed, TimedOut };

// The one line of getdata.bat.
std::vector<std::string> getDataScript(const std::string& workingFolder);

// Removes the working folder's report when there is one, so that an old
// report cannot pass for the next one.
void removeReport(const app::MainForm& form, platform::Platform& p);

// True when one of the first three lines begins with "Windows" (exact case)
// or is the report's title line in another language.
bool reportComplete(const std::vector<std::string>& lines);

CaptureOutcome refresh(app::MainForm& form, platform::Platform& p);

}  // namespace capture
