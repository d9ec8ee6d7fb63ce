// Start of the address monitor and its full refresh of the host facts.
#include <string>

#include "addrpeek/Monitor.h"
#include "sysinfo/Edition.h"
#include "sysinfo/HostFacts.h"
#include "sysinfo/TextCut.h"

namespace addrpeek {

namespace {

// "\\SERVER" without its two leading characters.
std::string logonServerName(const std::string& logonServer) {
    return sysinfo::upperAscii(logonServer.size() > 2 ? logonServer.substr(2) : std::string{});
}

}  // namespace

bool startMonitor(Monitor& m) {
    MonitorForm& f = m.form;
    if (m.p.session.otherInstance(kAppTitle)) {
        m.p.dialogs.messageBox("Addrpeek is already running.", kAppTitle);
        return false;
    }
    if (auto group = sysinfo::lanGroup(m.p)) f.lanGroup = *group;

    // The window's load.
    f.refreshcount.setText("0");
    m.p.dialogs.setWaitCursor(true);
    f.delay.setText("1");
    if (auto memory = sysinfo::memoryText(m.p)) f.Label16.setCaption(*memory);
    fullRefresh(m);
    return true;
}

void fullRefresh(Monitor& m) {
    MonitorForm& f = m.form;
    if (f.onShow) f.onShow();
    m.p.dialogs.repaintNow();
    f.List1.clear();

    f.Label1.setCaption(sysinfo::groupKindWord(m.p));
    f.Label2.setCaption("Computer Name");
    f.Label3.setCaption("User Name");
    f.Label4.setCaption("User Domain");
    f.Label5.setCaption("Logon Server");
    f.Label6.setCaption(f.lanGroup);
    f.Label7.setCaption(sysinfo::upperAscii(m.p.env.get("COMPUTERNAME")));
    f.Label8.setCaption(sysinfo::userName(m.p));
    f.Label9.setCaption(sysinfo::upperAscii(m.p.env.get("userdomain")));
    f.Label10.setCaption(logonServerName(m.p.env.get("logonserver")));

    sysinfo::collectPrivateAddresses(f.List1, m.p);
    m.p.dialogs.repaintNow();
    f.Text2.setText("");

    const sysinfo::Edition edition = sysinfo::monitorEdition(m.p);
    f.Label13.setCaption(edition.text);
    if (edition.verser) f.verser.setCaption(*edition.verser);
    // The system's own product caption, untrimmed, above the version line.
    if (auto captions = m.p.system.managementQuery("Win32_OperatingSystem", "Caption"))
        for (const auto& caption : *captions) f.Label13.setCaption(caption + "\n" + f.verser.caption());

    m.p.dialogs.repaintNow();
    f.Timer1.setEnabled(false);
    publicRefresh(m);
    rebuildSummary(m);
}

}  // namespace addrpeek
