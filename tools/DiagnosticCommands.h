// The diagnostic commands: each hands a network question to the system's
// own tools in a console of its own and never reads what they print.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"
#include "tools/CommandTexts.h"

namespace tools {

// Asks for a host (offering the target host), keeps a non-empty answer as
// the new target host, writes the command's script from it and starts it.
// An empty or cancelled answer does nothing; one that is not a host name or
// an address gets a message saying what is wrong, and no script.
void runHostCommand(app::MainForm& form, platform::Platform& p, HostCommand command);

// The selected adapter's n + "pinggateway.bat", "pingdns1.bat", "pingdns2.bat".
void pingGateway(app::MainForm& form, platform::Platform& p);
void pingDns(app::MainForm& form, platform::Platform& p, int which);

void displayDnsCache(app::MainForm& form, platform::Platform& p);
// Starts purgedns.bat hidden and says the cache was purged without waiting for it.
void purgeDnsCache(app::MainForm& form, platform::Platform& p);
void editHostsFile(platform::Platform& p);
void openCommandWindow(platform::Platform& p);

}  // namespace tools
