#include "shortcuts/Shortcuts.h"

#include "internet/InternetSettings.h"
#include "shortcuts/AuxForms.h"
#include "shortcuts/CommandLines.h"
#include "shortcuts/RouterTexts.h"
#include "tools/StartOrSay.h"

namespace shortcuts {

namespace {

using platform::WindowStyle;

void show(const ShowModal& showModal, AuxWindow& window) {
    window.shown = true;
    if (showModal) showModal(window);
    window.shown = false;
}

}  // namespace

void startShortcut(platform::Platform& p, const std::string& commandLine, WindowStyle style) {
    tools::startCommandOrSay(p, commandLine, style);
}

void openSystem(const app::MainForm& form, platform::Platform& p, const ShowModal& showModal) {
    const std::string windir = p.env.get("windir");
    if (form.os.caption() == "xp") {
        startShortcut(p, controlPanelCommand(windir, "sysdm.cpl"), WindowStyle::Normal);
        return;
    }
    startShortcut(p, systemPageCommand(windir), WindowStyle::Minimized);
    showOemEditor(p, showModal);
}

void restartComputer(platform::Platform& p) {
    if (!p.shell.restartDialog()) p.dialogs.messageBox(kNoRestartDialogText, app::kAppTitle);
}

void routerLogin(const app::MainForm& form, platform::Platform& p) {
    const int row = form.selectedAdapter;
    const std::string gateway =
        row >= 0 && row < app::kAdapterRows ? form.adapterTable[static_cast<std::size_t>(row)][7] : std::string{};
    auto answer = p.dialogs.inputBox(kRouterLoginPrompt, kRouterLoginTitle, routerLoginDefault(gateway));
    if (!answer || answer->empty()) return;
    p.shell.open(*answer);
}

void routerHelp(platform::Platform& p) {
    p.dialogs.messageBox(routerHelpText(), kRouterHelpTitle, platform::MessageIcon::Information);
}

std::string productPage(platform::Platform& p, const std::string& path) {
    return internet::settingsFrom(p.env).productServer + path;
}

void openProductPage(platform::Platform& p, const std::string& path) { p.shell.open(productPage(p, path)); }

void showAbout(const ShowModal& showModal) {
    AboutForm about;
    loadAbout(about);
    show(showModal, about);
}

void showManufacturerInfo(app::MainForm& form, platform::Platform& p, const ShowModal& showModal) {
    form.getcpu.click();
    ManufacturerForm info;
    loadManufacturerForm(info, p, p.env.get("windir"));
    show(showModal, info);
}

void showOemEditor(platform::Platform& p, const ShowModal& showModal) {
    OemEditorForm editor;
    loadOemEditor(editor, internet::settingsFrom(p.env).productServer, [&p] { openProductPage(p, "/oemeditor_vista.shtml"); });
    show(showModal, editor);
}

void wireShortcuts(app::MainForm& f, platform::Platform& p, ShowModal showModal) {
    auto applet = [&p](const char* file) {
        return [&p, file] { startShortcut(p, controlPanelCommand(p.env.get("windir"), file), WindowStyle::Normal); };
    };
    f.mnunetwork.onClick = applet("ncpa.cpl");
    f.mnumodem.onClick = applet("telephon.cpl");
    f.mnuie.onClick = applet("inetcpl.cpl");
    f.mnuusers.onClick = applet("nusrmgr.cpl");
    f.mnufirewall.onClick = applet("firewall.cpl");
    f.mnutasks.onClick = [&p] { startShortcut(p, scheduledTasksCommand(p.env.get("windir")), WindowStyle::Normal); };
    f.mnuusergroups.onClick = [&p] {
        startShortcut(p, localUsersConsoleCommand(p.env.get("windir")), WindowStyle::Normal);
    };
    f.mnusystem.onClick = [&f, &p, showModal] { openSystem(f, p, showModal); };
    f.mnureboot.onClick = [&p] { restartComputer(p); };
    f.mnuoem.onClick = [&f, &p, showModal] { showManufacturerInfo(f, p, showModal); };

    f.mnurouter.onClick = [&f, &p] { routerLogin(f, p); };
    f.mnurtrhelp.onClick = [&p] { routerHelp(p); };
    auto page = [&p](const char* path) { return [&p, path] { openProductPage(p, path); }; };
    f.routerweb.onClick = page("/routers.shtml");
    f.lanomatweb.onClick = page("/cfgscope.shtml");
    f.mnuweb.onClick = page("/remote.shtml");
    f.mnudonate.onClick = page("/donation.shtml");
    f.mnuabout.onClick = [showModal] { showAbout(showModal); };
}

}  // namespace shortcuts
