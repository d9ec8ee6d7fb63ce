#include "internet/UpdateCheck.h"

#include "internet/Fetch.h"
#include "internet/PublicAddressText.h"
#include "internet/VersionText.h"
#include "reports/ErrorLog.h"

namespace internet {

std::string fetchUpdateFiles(app::MainForm& form, platform::Platform& p, const InternetSettings& settings) {
    // Stored but unreadable is as good as not fetched.
    auto version = fetchText(p, settings.productServer + kVersionPage, form.workingFolder + kVersionLocalFile);
    if (!version) return kErr0;
    // Both texts end up in the question box: cut short.
    form.whatsnew.setCaption(platform::shownText(
        fetchText(p, settings.productServer + kWhatsNewPage, form.workingFolder + kWhatsNewLocalFile).value_or("")));
    return platform::shownText(*version);
}

void updateCheck(app::MainForm& form, platform::Platform& p, InternetState& state) {
    reports::logEntry(form, p, " Checking for updates ...");
    p.dialogs.setWaitCursor(true);
    const std::string result = fetchUpdateFiles(form, p, state.settings);
    p.dialogs.setWaitCursor(false);

    if (result == kErr0) {
        p.dialogs.messageBox("Unable to connect to Server at this Time.\nTry again later.", app::kAppTitle);
        reports::logEntry(form, p, " Unable to connect to update server.");
        return;
    }

    const std::string versionText = cutAtTilde(result);
    if (versionValue(versionText) <= ownVersionValue()) {
        reports::logEntry(form, p, " This is the latest version");
        if (state.updateCheckMark == "ip") return;
        state.updateCheckMark = std::string("1");  // (a literal assignment trips a false GCC 12 warning)
        p.dialogs.messageBox(latestVersionText(), kUpdaterTitle);
        return;
    }

    reports::logEntry(form, p, " Update found.");
    if (!form.whatsnew.caption().empty()) form.whatsnew.setCaption(whatsNewWithBreaks(form.whatsnew.caption()));
    if (!p.dialogs.yesNoBox(updateQuestion(versionText, form.whatsnew.caption()), kUpdaterTitle)) return;

    p.dialogs.messageBox("This program will close now.", app::kAppTitle);
    p.shell.open(state.settings.productServer + kInstallerPage);
    form.Command5.click();
}

void upgrade(platform::Platform& p, const InternetSettings& settings) { p.shell.open(settings.productServer + kProPage); }

}  // namespace internet
