// A termination request (SIGTERM, SIGHUP, SIGINT) closes the window in the
// ordinary way, so the shutdown clean-up runs as for the close box.
#pragma once

class QWidget;

namespace ui::qt {

void closeOnTerminationSignals(QWidget* window);

}  // namespace ui::qt
