// Get Public IP: the public-address lookup (product web server first, then
// the echo service), the status line that follows `Text1`, and the first
// successful lookup's quiet update check.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "internet/InternetState.h"
#include "internet/ServerPaths.h"
#include "platform/Platform.h"

namespace internet {

inline constexpr const char* kServerLocalFile = "vorlanip.txt";  // in the working folder
inline constexpr const char* kEchoLocalFile = "vorlanip.txt";    // in the per-user temporary folder

// Where the echo page is stored: the per-user temporary folder (TEMP), apart
// from the working folder; the working folder when there is no TEMP.
std::string echoLocalPath(const app::MainForm& form, platform::Platform& p);

// The lookup result: the server's page followed by "from Vorlan", the echo
// page's address, or "Unable to Connect/err1" / "Unable to Connect/err2".
std::string publicAddressLookup(app::MainForm& form, platform::Platform& p, const InternetSettings& settings);

// The whole Get Public IP operation of the button, menu item and status line.
void getPublicIp(app::MainForm& form, platform::Platform& p, InternetState& state);

// Sets `Label14` from the text of `Text1`.
void updateStatusLine(app::MainForm& form);

}  // namespace internet
