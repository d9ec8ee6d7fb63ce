// The command scripts that start-up writes into the working folder, besides
// getdata.bat: their names and their lines, exactly as written.
#pragma once

#include <vector>

#include "capture/AdapterScripts.h"

namespace app {

// releaseall.bat, renewall.bat, displaydns.bat, purgedns.bat, in the order they are written.
std::vector<capture::ScriptFile> fixedScripts();

}  // namespace app
