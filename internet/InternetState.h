// What the internet services keep for the whole run of the main window.
#pragma once

#include <string>

#include "internet/InternetSettings.h"

namespace internet {

struct InternetState {
    InternetSettings settings;
    // "0": no automatic update check yet; "ip": the automatic check is
    // running; "1": it has run, or a manual check reported the latest version.
    std::string updateCheckMark = "0";
    // A lookup or check is under way; a second request waits for none and is dropped.
    bool busy = false;
};

}  // namespace internet
