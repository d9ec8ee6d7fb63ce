#include "internet/UpdateCheck.h"

#include "internet/PublicAddressText.h"
#include "internet/VersionText.h"
#include "reports/ErrorLog.h"

namespace internet {

namespace {

void log(app::MainForm& form, platform::Platform& p, const std::string& message) {
    reports::addLogEntry(form, p, message);
    reports::trimLog(form);
}

}  // namespace

std::string fetchUpdateFiles(app::MainForm& form, platform::Platform& p, const InternetSettings& settings) {
    const std::string versionUrl = settings.productServer + kVersionPage;
    const std::string versionFile = form.workingFolder + kVersionLocalFile;
    p.download.removeCachedCopy(versionUrl);
    if (!p.download.toFile(versionUrl, versionFile)) return kErr0;
    auto version = p.files.readAll(versionFile);
    p.files.deleteFile(versionFile);
    if (!version) return kErr0;  // stored but unreadable: as good as not fetched

    const std::string whatsNewUrl = settings.productServer + kWhatsNewPage;
    const std::string whatsNewFile = form.workingFolder + kWhatsNewLocalFile;
    p.download.removeCachedCopy(whatsNewUrl);
    std::string whatsNew;
    if (p.download.toFile(whatsNewUrl, whatsNewFile)) {
        whatsNew = p.files.readAll(whatsNewFile).value_or("");
        p.files.deleteFile(whatsNewFile);
    }
    form.whatsnew.setCaption(whatsNew);
    return *version;
}

void updateCheck(app::MainForm& form, platform::Platform& p, InternetState& state) {
    log(form, p, " Checking for updates ...");
    p.dialogs.setWaitCursor(true);
    const std::string result = fetchUpdateFiles(form, p, state.settings);
    p.dialogs.setWaitCursor(false);

    if (result == kErr0) {
        p.dialogs.messageBox("Unable to connect to Server at this Time.\nTry again later.", app::kAppTitle);
        log(form, p, " Unable to connect to update server.");
        return;
    }

    const std::string versionText = cutAtTilde(result);
    if (versionValue(versionText) <= ownVersionValue()) {
        log(form, p, " This is the latest version");
        if (state.updateCheckMark == "ip") return;
        state.updateCheckMark = std::string("1");  // (a literal assignment trips a false GCC 12 warning)
        p.dialogs.messageBox(latestVersionText(), kUpdaterTitle);
        return;
    }

    log(form, p, " Update found.");
    if (!form.whatsnew.caption().empty()) form.whatsnew.setCaption(whatsNewWithBreaks(form.whatsnew.caption()));
    if (!p.dialogs.yesNoBox(updateQuestion(versionText, form.whatsnew.caption()), kUpdaterTitle)) return;

    p.dialogs.messageBox("This program will close now.", app::kAppTitle);
    p.shell.open(state.settings.productServer + kInstallerPage);
    form.Command5.click();
}

void upgrade(platform::Platform& p, const InternetSettings& settings) { p.shell.open(settings.productServer + kProPage); }

}  // namespace internet
