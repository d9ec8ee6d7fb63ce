// Start-up and shutdown of the main program: one copy per user, the working
// folder and its fixed scripts, the window's first state and the first capture.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "platform/Platform.h"

namespace app {

inline constexpr const char* kAlreadyRunning = "Vorlan Lanomat is already running.";
inline constexpr const char* kWorkingFolderName = "cfgscope";
// The first answer offered by the host prompts of the network tools.
inline constexpr const char* kDefaultTargetHost = "www.google.com";

enum class StartOutcome {
    Running,         // the window is open and the first capture is done
    AlreadyRunning,  // another copy runs; this one showed the message and must end
    Stopped,         // start-up stopped with a message (or the first capture timed out)
};

// Program entry: single-instance test, LAN-group lookup, the load step with
// the first capture, then the LAN group into `domain`. The caller ends the
// program unless the outcome is Running.
StartOutcome startProgram(MainForm& form, platform::Platform& p);

// The program's exit status when start-up did not leave the window open: 0
// for a second copy that said so and ended (as the address monitor does), 1
// when start-up stopped with a message. The same in every binding.
int exitStatus(StartOutcome outcome);

// The load step of the main window, ending in the first Refresh. False when
// it stopped: a message was shown and the working folder, if any, cleaned up.
bool loadMainWindow(MainForm& form, platform::Platform& p);

// Empties and removes the working folder; failures are ignored. Runs once:
// later calls do nothing. The caller ends the program.
void shutDown(MainForm& form, platform::Platform& p);

// Load-step rule for the firewall and users menu items: a Windows folder
// named "windows" after its drive ("C:\WINDOWS", "D:\Windows") keeps them
// enabled, another name ("C:\WINNT") disables them; a value shorter than
// three characters (unset) has no drive to drop and leaves them enabled.
bool windowsFolderKeepsAdminItems(const std::string& windir);

}  // namespace app
