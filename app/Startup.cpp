#include "app/Startup.h"

#include "app/FixedScripts.h"
#include "capture/Capture.h"
#include "capture/ParseOperation.h"
#include "shortcuts/ManufacturerSource.h"
#include "sysinfo/Edition.h"
#include "sysinfo/HostFacts.h"
#include "sysinfo/TextCut.h"

namespace app {

namespace {

void stopWith(platform::Platform& p, const std::string& text) { p.dialogs.messageBox(text, kAppTitle); }

// Removes what start-up has put into the folder, when it stops half-way.
void cleanUp(MainForm& form, platform::Platform& p) { shutDown(form, p); }

// Steps 8: the folder "cfgscope" inside TEMP, created when missing, and only
// used when it is the user's own. A fixed name in a shared temporary folder
// could otherwise be planted by someone else, with scripts this program runs.
bool prepareWorkingFolder(MainForm& form, platform::Platform& p) {
    const std::string temp = p.env.get("TEMP");
    if (temp.empty()) {
        stopWith(p, "Lanomat Std cannot start: there is no temporary folder of your own.\n"
                    "Set TEMP to a folder that belongs to you and start the program again.");
        return false;
    }
    const std::string folder = temp + "\\" + kWorkingFolderName;
    if (!p.files.folderExists(folder) && !p.files.createFolder(folder)) {
        stopWith(p, "Lanomat Std cannot start: the working folder\n" + folder +
                        "\ncannot be created. Check that TEMP names a folder you can write to.");
        return false;
    }
    if (!p.files.privateFolder(folder)) {
        stopWith(p, "Lanomat Std cannot start: the working folder\n" + folder +
                        "\nis not a private folder of yours (it belongs to another user, is a link, "
                        "or others may write into it).\nRemove it, or set TEMP to a folder of your own, "
                        "and start the program again.");
        return false;
    }
    form.workingFolder = folder + "\\";
    return true;
}

bool writeScript(MainForm& form, platform::Platform& p, const std::string& name,
                 const std::vector<std::string>& lines) {
    const std::string path = form.workingFolder + name;
    if (p.files.writeLines(path, lines)) return true;
    stopWith(p, "Lanomat Std cannot start: the script\n" + path + "\ncannot be written.");
    cleanUp(form, p);
    return false;
}

}  // namespace

bool windowsFolderKeepsAdminItems(const std::string& windir) {
    if (windir.size() < 3) return true;
    return sysinfo::lowerAscii(windir.substr(3)) == "windows";
}

bool loadMainWindow(MainForm& form, platform::Platform& p) {
    form.Text1.setText("");
    form.user.setText(sysinfo::userName(p));
    form.Label4.setCaption(sysinfo::groupKindWord(p));
    form.lastSelectedAdapter = 1;

    sysinfo::Edition edition = sysinfo::mainEdition(p);
    form.Label7.setCaption(edition.text);
    if (edition.marker) form.os.setCaption(*edition.marker);
    form.versionDetailText = edition.versionDetail.value_or("");
    // The newer Windows family has neither the shell's restart dialog nor
    // the manufacturer file. A platform without a Windows version record
    // (Linux) only borrows the "vista" marker for its report layout, and
    // offers both through its own restart dialog and machine data.
    if (form.os.caption() == "vista" && !p.system.markerWithoutVersionRecord()) {
        form.mnureboot.setVisible(false);
        form.mnuoem.setVisible(false);
    }
    if (auto caption = sysinfo::operatingSystemCaption(p, form.versionDetailText)) form.Label7.setCaption(*caption);

    if (!prepareWorkingFolder(form, p)) return false;
    form.targetHost = kDefaultTargetHost;

    const std::string windir = p.env.get("windir");
    form.wdir.setText(windir);
    // A system without a Windows folder (Linux) has nothing for that row: left out.
    form.wdir.setVisible(!windir.empty());
    form.Label6.setVisible(!windir.empty());
    const bool adminItems = windowsFolderKeepsAdminItems(windir);
    form.mnufirewall.setEnabled(adminItems);
    form.mnuusers.setEnabled(adminItems);

    form.caption = kWindowCaption;
    form.Command7.setEnabled(false);
    form.Command8.setEnabled(false);
    capture::clearTable(form);
    form.captureStarted = "yes";

    // A report left by an earlier run that timed out must not pass for the
    // new one: the first capture does not delete it, as this step starts the tool.
    capture::removeReport(form, p);
    if (!writeScript(form, p, capture::kGetDataScript, capture::getDataScript(form.workingFolder))) return false;
    p.processes.start(form.workingFolder + capture::kGetDataScript, platform::WindowStyle::Hidden);

    if (auto memory = sysinfo::memoryText(p)) form.Text2.setText(*memory);
    if (!shortcuts::manufacturerDataExists(p, windir)) form.mnuoem.setEnabled(false);
    for (const auto& script : fixedScripts())
        if (!writeScript(form, p, script.name, script.lines)) return false;

    return capture::refresh(form, p) == capture::CaptureOutcome::Completed;
}

StartOutcome startProgram(MainForm& form, platform::Platform& p) {
    if (p.session.otherInstance(kAppTitle)) {
        p.dialogs.messageBox(kAlreadyRunning, kAppTitle);
        return StartOutcome::AlreadyRunning;
    }
    // The LAN group is looked up first but reaches its box only after the
    // load step, the first capture included, has run.
    std::optional<std::string> group = sysinfo::lanGroup(p);
    if (!loadMainWindow(form, p)) return StartOutcome::Stopped;
    if (group) form.domain.setText(*group);
    form.shown = true;
    if (form.onShow) form.onShow();
    return StartOutcome::Running;
}

void shutDown(MainForm& form, platform::Platform& p) {
    if (form.workingFolder.empty()) return;
    p.files.deleteAllFiles(form.workingFolder);
    std::string folder = form.workingFolder;
    folder.pop_back();  // the folder itself, without its closing separator
    p.files.removeFolder(folder);
    form.workingFolder.clear();
}

int exitStatus(StartOutcome outcome) { return outcome == StartOutcome::Stopped ? 1 : 0; }

}  // namespace app
