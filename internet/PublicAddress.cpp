#include "internet/PublicAddress.h"

#include "internet/Fetch.h"
#include "internet/PublicAddressText.h"
#include "internet/UpdateCheck.h"
#include "platform/AddressText.h"
#include "reports/ErrorLog.h"

namespace internet {

std::string echoLocalPath(const app::MainForm& form, platform::Platform& p) {
    std::string temp = p.env.get("TEMP");
    if (temp.empty()) return form.workingFolder + kEchoLocalFile;
    if (temp.back() != '\\' && temp.back() != '/') temp += '\\';
    return temp + kEchoLocalFile;
}

std::string publicAddressLookup(app::MainForm& form, platform::Platform& p, const InternetSettings& settings) {
    // Stored but unreadable counts as not fetched: on to the echo service.
    // So does a page whose address is not an IP address: the pages travel
    // over plain HTTP, and the address goes on into logs, reports and mail.
    if (auto page = fetchText(p, settings.productServer + kAddressPage, form.workingFolder + kServerLocalFile);
        page && platform::isIpAddress(platform::trimmedText(cutAtTilde(*page))))
        return platform::shownText(*page) + kFromVorlan;
    auto page = fetchText(p, settings.echoService, echoLocalPath(form, p));
    if (!page) return kErr2;
    std::string result = echoPageResult(*page);
    if (isFailureResult(result)) return result;
    return platform::isIpAddress(platform::trimmedText(result)) ? result : kErr2;
}

void getPublicIp(app::MainForm& form, platform::Platform& p, InternetState& state) {
    if (state.busy) return;
    state.busy = true;
    reports::logEntry(form, p, " Getting Public IP address ...");
    p.dialogs.setWaitCursor(true);
    form.Text1.setText(kAcquiring);
    p.dialogs.repaintNow();

    const std::string result = publicAddressLookup(form, p, state.settings);
    form.Text1.setText(result);
    if (result.find('~') != std::string::npos) form.Text1.setText(cutAtTilde(result));
    p.dialogs.setWaitCursor(false);

    if (!isFailureResult(result)) {
        reports::logEntry(form, p, " Public IP address: " + form.Text1.text());
        if (state.updateCheckMark == "0") {
            state.updateCheckMark = "ip";
            updateCheck(form, p, state);
            state.updateCheckMark = "1";
        }
    } else {
        reports::logEntry(form, p, " Error getting Public IP address");
    }
    state.busy = false;
}

void updateStatusLine(app::MainForm& form) {
    StatusLine line = statusLineFor(form.Text1.text());
    form.Label14.background = line.background;
    form.Label14.setCaption(line.caption);
}

}  // namespace internet
