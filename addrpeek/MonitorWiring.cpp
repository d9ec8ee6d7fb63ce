#include "addrpeek/Monitor.h"

namespace addrpeek {

void wireMonitor(Monitor& m) {
    MonitorForm& f = m.form;
    f.Text2.onChange = [&m] { updateConnectionStatus(m); };
    f.Timer1.onTick = [&m] { publicFetchTick(m); };
    f.Timer2.onTick = [&m] { autoRefreshTick(m); };
    f.mnuprivate.onClick = [&m] { privateRefresh(m); };
    f.mnupublic.onClick = [&m] { publicRefresh(m); };
    f.autorefresh.onClick = [&m] { toggleAutoRefresh(m); };
    f.cap.onClick = [&m] { toggleAutoRefresh(m); };
    f.mnucopy.onClick = [&m] { copyAll(m); };
    // At once: no question, the timers left as they are.
    f.mnuclose.onClick = [&m] {
        if (m.closeWindow) m.closeWindow();
    };
}

}  // namespace addrpeek
