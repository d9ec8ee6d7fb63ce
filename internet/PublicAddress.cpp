#include "internet/PublicAddress.h"

#include "internet/PublicAddressText.h"
#include "internet/UpdateCheck.h"
#include "reports/ErrorLog.h"

namespace internet {

namespace {

void log(app::MainForm& form, platform::Platform& p, const std::string& message) {
    reports::addLogEntry(form, p, message);
    reports::trimLog(form);
}

// Reads a downloaded file and deletes it; nothing when it cannot be read.
std::optional<std::string> takeFile(platform::Platform& p, const std::string& path) {
    auto text = p.files.readAll(path);
    p.files.deleteFile(path);
    return text;
}

}  // namespace

std::string echoLocalPath(const app::MainForm& form, platform::Platform& p) {
    std::string temp = p.env.get("TEMP");
    if (temp.empty()) return form.workingFolder + kEchoLocalFile;
    if (temp.back() != '\\' && temp.back() != '/') temp += '\\';
    return temp + kEchoLocalFile;
}

std::string publicAddressLookup(app::MainForm& form, platform::Platform& p, const InternetSettings& settings) {
    const std::string serverUrl = settings.productServer + kAddressPage;
    const std::string serverFile = form.workingFolder + kServerLocalFile;
    p.download.removeCachedCopy(serverUrl);
    if (p.download.toFile(serverUrl, serverFile)) {
        if (auto page = takeFile(p, serverFile)) return *page + kFromVorlan;
        // Stored but unreadable counts as not fetched: on to the echo service.
    }

    const std::string echoFile = echoLocalPath(form, p);
    p.download.removeCachedCopy(settings.echoService);
    if (!p.download.toFile(settings.echoService, echoFile)) return kErr2;
    auto page = takeFile(p, echoFile);
    if (!page) return kErr2;
    return echoPageResult(*page);
}

void getPublicIp(app::MainForm& form, platform::Platform& p, InternetState& state) {
    if (state.busy) return;
    state.busy = true;
    log(form, p, " Getting Public IP address ...");
    p.dialogs.setWaitCursor(true);
    form.Text1.setText(kAcquiring);
    p.dialogs.repaintNow();

    const std::string result = publicAddressLookup(form, p, state.settings);
    form.Text1.setText(result);
    if (result.find('~') != std::string::npos) form.Text1.setText(cutAtTilde(result));
    p.dialogs.setWaitCursor(false);

    if (!isFailureResult(result)) {
        log(form, p, " Public IP address: " + form.Text1.text());
        if (state.updateCheckMark == "0") {
            state.updateCheckMark = "ip";
            updateCheck(form, p, state);
            state.updateCheckMark = "1";
        }
    } else {
        log(form, p, " Error getting Public IP address");
    }
    state.busy = false;
}

void updateStatusLine(app::MainForm& form) {
    StatusLine line = statusLineFor(form.Text1.text());
    form.Label14.background = line.background;
    form.Label14.setCaption(line.caption);
}

}  // namespace internet
