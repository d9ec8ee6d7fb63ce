// A termination request (SIGTERM, SIGHUP, SIGINT) ends the program within a
// moment whatever window or box is open, with the clean-up of a close.
#pragma once

#include <functional>

namespace ui::qt {

class FormWindow;

// On a request the window closes the ordinary way when nothing holds it;
// otherwise (a box or a small window is open, an operation runs) `cleanUp`
// runs and the process ends at once, so the operation under the box never
// goes on. Handled on the event loop through a self-pipe: nested loops
// (boxes, waits) see it too.
void endOnTerminationSignals(FormWindow& window, std::function<void()> cleanUp);

}  // namespace ui::qt
