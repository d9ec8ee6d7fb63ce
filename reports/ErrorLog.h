// The window's short running log, kept in the working list box `errorlog`.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "capture/Diagnosis.h"
#include "platform/Platform.h"

namespace reports {

inline constexpr int kLogLimit = capture::kLogLimit;
inline constexpr const char* kLogTitle = "Error Log        ";

// Appends the time of day followed directly by `message` (which begins with a blank).
void addLogEntry(app::MainForm& form, platform::Platform& p, const std::string& message);
// Drops the oldest entries while more than 20 remain.
void trimLog(app::MainForm& form);
// An entry, then the trim: how the operations log.
void logEntry(app::MainForm& form, platform::Platform& p, const std::string& message);
// The log as the message box shows it: each entry after two blanks, ending in LF.
std::string logText(const app::MainForm& form);
void showLog(app::MainForm& form, platform::Platform& p);
void clearLog(app::MainForm& form, platform::Platform& p);

}  // namespace reports
