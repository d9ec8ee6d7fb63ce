// A termination request (SIGTERM, SIGHUP, SIGINT) ends the program within a
// moment whatever window or box is open, with the clean-up of a close.
#pragma once

#include <functional>

class QObject;

namespace ui::qt {

// On a request: `closeNormally` closes the window the ordinary way when
// nothing holds it and answers whether it did; otherwise (a box or a small
// window is open, an operation runs) `cleanUp` runs and the process ends at
// once, so the operation under the box never goes on. Handled on the event
// loop through a self-pipe: nested loops (boxes, waits) see it too.
void endOnTerminationSignals(QObject* context, std::function<bool()> closeNormally, std::function<void()> cleanUp);

}  // namespace ui::qt
