// The address monitor's operations on its window, over the platform.
#pragma once

#include <functional>
#include <string>

#include "addrpeek/MonitorForm.h"
#include "platform/Platform.h"

namespace addrpeek {

// The window, the machine and the settings the operations work with.
struct Monitor {
    MonitorForm& form;
    platform::Platform& p;
    std::string serverBase;              // the product web server, scheme and host
    std::function<void()> closeWindow;   // ends the program
};

// Start: false when another copy runs (after telling the user); otherwise
// the LAN group is kept, the window shown and filled, the fetch scheduled.
bool startMonitor(Monitor& m);

// The host facts, the private and the public address (only at start).
void fullRefresh(Monitor& m);
// The private addresses anew (F5, and the auto refresh).
void privateRefresh(Monitor& m);
// "Acquiring ..." now, the fetch on the public-fetch timer's next tick (F6).
void publicRefresh(Monitor& m);
// One tick of the public-fetch timer.
void publicFetchTick(Monitor& m);
// The page "/ip.shtml" whole, or "Cannot Acquire"; errors are passed over.
std::string fetchPublicAddress(Monitor& m);
// Deletes the fetched copy of the page, which a fetch cut short leaves.
void removeFetchedCopy(Monitor& m);
// Status text and colour for the public address text.
void updateConnectionStatus(Monitor& m);
// Menu "Auto Refresh" and the countdown item.
void toggleAutoRefresh(Monitor& m);
// One tick of the auto-refresh timer.
void autoRefreshTick(Monitor& m);
// Rebuilds the summary list from the value holders.
void rebuildSummary(Monitor& m);
// Menu "Copy All".
void copyAll(Monitor& m);

// Connects the window's events to the operations.
void wireMonitor(Monitor& m);

}  // namespace addrpeek
