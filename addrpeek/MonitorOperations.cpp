// Refreshes, timers, the public-address fetch, the summary and the copy text.
#include <string>

#include "addrpeek/Monitor.h"
#include "addrpeek/MonitorTexts.h"
#include "addrpeek/ServerSetting.h"
#include "platform/AddressText.h"
#include "sysinfo/HostFacts.h"

namespace addrpeek {

namespace {

void setCounter(ui::TextBox& box, int value) { box.setText(std::to_string(value)); }

Facts factsOf(Monitor& m) {
    MonitorForm& f = m.form;
    Facts facts;
    facts.privateAddresses = f.List1.items();
    facts.computerCaption = f.Label2.caption();
    facts.computerName = f.Label7.caption();
    facts.groupKind = f.Label1.caption();
    facts.lanGroup = f.Label6.caption();
    facts.logonCaption = f.Label5.caption();
    facts.logonServer = f.Label10.caption();
    facts.userCaption = f.Label3.caption();
    facts.userName = f.Label8.caption();
    facts.memory = f.Label16.caption();
    facts.publicAddress = f.Text2.text();
    return facts;
}

std::string fetchedCopy(const std::string& temp) { return temp + "\\ip.txt"; }

// Shows "Acquiring ..." and leaves the fetch to the public-fetch timer, so the
// window is painted with it before the fetch blocks.
void requestPublicAddress(Monitor& m) {
    m.form.Timer1.setEnabled(true);
    m.p.dialogs.repaintNow();
    rebuildSummary(m);
}

}  // namespace

void privateRefresh(Monitor& m) {
    setCounter(m.form.refreshcount, 0);
    m.p.dialogs.setWaitCursor(true);
    sysinfo::collectPrivateAddresses(m.form.List1, m.p);
    rebuildSummary(m);
    m.p.dialogs.setWaitCursor(false);
}

void publicRefresh(Monitor& m) {
    setCounter(m.form.refreshcount, 0);
    m.p.dialogs.setWaitCursor(true);
    m.form.Text2.setText(kAcquiring);
    requestPublicAddress(m);
}

void publicFetchTick(Monitor& m) {
    MonitorForm& f = m.form;
    m.p.dialogs.setWaitCursor(true);
    const int delay = counterValue(f.delay.text()) - 1;
    setCounter(f.delay, delay);
    if (delay >= 1) return;
    f.Timer1.setEnabled(false);
    f.Text2.setText(fetchPublicAddress(m));
    rebuildSummary(m);
    setCounter(f.delay, 1);
}

std::string fetchPublicAddress(Monitor& m) {
    m.p.dialogs.setWaitCursor(true);
    setCounter(m.form.refreshcount, 0);
    const std::string url = ipPageAddress(m.serverBase);
    const std::string temp = m.p.env.get("TEMP");
    std::string result = kCannotAcquire;
    // Without a temporary folder of the user's there is nowhere to fetch to.
    if (!temp.empty()) {
        const std::string local = fetchedCopy(temp);
        m.p.download.removeCachedCopy(url);
        // Only an IP address counts: the page travels over plain HTTP.
        if (m.p.download.toFile(url, local)) {
            std::string page = m.p.files.readAll(local).value_or(std::string{});
            if (platform::isIpAddress(platform::trimmedText(page))) result = page;
        }
        m.p.files.deleteFile(local);
    }
    m.p.dialogs.setWaitCursor(false);
    return result;
}

void removeFetchedCopy(Monitor& m) {
    const std::string temp = m.p.env.get("TEMP");
    if (!temp.empty()) m.p.files.deleteFile(fetchedCopy(temp));
}

void updateConnectionStatus(Monitor& m) {
    const Status status = connectionStatus(m.form.Text2.text());
    m.form.Label14.foreground = status.colour;
    m.form.Label14.setCaption(status.caption);
    if (m.form.Text2.text().empty() || m.form.Text2.text() == kAcquiring) m.p.dialogs.repaintNow();
}

void toggleAutoRefresh(Monitor& m) {
    MonitorForm& f = m.form;
    if (!f.autorefresh.checked()) {
        setCounter(f.refreshcount, 0);
        f.autorefresh.setChecked(true);
        f.cap.setVisible(true);
        f.Timer2.setEnabled(true);
    } else {
        f.autorefresh.setChecked(false);
        f.cap.setVisible(false);
        f.cap.setCaption("");
        f.Timer2.setEnabled(false);
    }
}

void autoRefreshTick(Monitor& m) {
    MonitorForm& f = m.form;
    const int counter = counterValue(f.refreshcount.text());
    f.cap.setCaption(countdownCaption(counter));
    setCounter(f.refreshcount, counter + 1);
    if (counter + 1 != kRefreshSeconds) return;
    privateRefresh(m);
    m.p.dialogs.setWaitCursor(true);
    f.Text2.setText(kAcquiring);
    // Text2 may have read "Acquiring ..." already, which changes nothing.
    updateConnectionStatus(m);
    requestPublicAddress(m);
    setCounter(f.refreshcount, 0);
}

void rebuildSummary(Monitor& m) {
    Facts facts = factsOf(m);
    facts.partOfDomain = partOfDomain(m.p.system.managementQuery("Win32_ComputerSystem", "PartOfDomain"));
    m.form.List2.clear();
    for (auto& line : summaryLines(facts)) m.form.List2.add(std::move(line));
}

void copyAll(Monitor& m) {
    const std::string text =
        copyText(m.form.Label13.caption(), factsOf(m), m.p.session.dateText(), m.p.session.timeOfDayText());
    m.p.clipboard.clear();
    m.p.clipboard.setText(text);
}

}  // namespace addrpeek
