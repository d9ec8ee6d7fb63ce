#include "capture/Capture.h"

#include "capture/Diagnosis.h"
#include "capture/ParseOperation.h"
#include "capture/ReportTranslation.h"
#include "reports/ErrorLog.h"

namespace capture {

std::vector<std::string> getDataScript(const std::string& workingFolder) {
    // Quoted: the folder lies in the user's profile, whose name may hold blanks.
    return {"ipconfig /all > \"" + workingFolder + kReportFile + "\""};
}

bool reportComplete(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size() && i < 3; ++i) {
        const std::string& line = lines[i];
        if (line.compare(0, 7, "Windows") == 0) return true;
        // The title in another language ("Configuration IP de Windows"), or
        // in one the vocabulary lacks: every language's title names Windows and IP.
        if (!line.empty() && line[0] != ' ' &&
            (isReportTitle(line) || (line.find("Windows") != std::string::npos && line.find("IP") != std::string::npos)))
            return true;
    }
    return false;
}

namespace {

// The program ends here, past the window's own clean-up: the working folder
// goes first.
CaptureOutcome timeOut(app::MainForm& form, platform::Platform& p) {
    p.dialogs.messageBox(kTimeoutError, app::kAppTitle);
    if (!form.workingFolder.empty()) {
        p.files.deleteAllFiles(form.workingFolder);
        p.files.removeFolder(form.workingFolder.substr(0, form.workingFolder.size() - 1));
    }
    p.session.endProgram(1);
    return CaptureOutcome::TimedOut;
}

}  // namespace

void removeReport(const app::MainForm& form, platform::Platform& p) {
    const std::string report = form.workingFolder + kReportFile;
    if (p.files.fileExists(report)) p.files.deleteFile(report);
}

CaptureOutcome refresh(app::MainForm& form, platform::Platform& p) {
    form.shown = true;
    if (form.onShow) form.onShow();
    clearTable(form);
    reports::logEntry(form, p, kRefreshingEntry);

    const std::string report = form.workingFolder + kReportFile;
    const bool startHere = form.captureStarted != "yes";
    // Only a capture that starts the report itself may remove the old one:
    // start-up's report may already be complete.
    if (startHere) removeReport(form, p);

    p.dialogs.setWaitCursor(true);
    form.List1.clear();
    form.List1.add(kPleaseWait);
    p.dialogs.repaintNow();
    form.List1.setVisible(false);
    form.adapters.clear();
    form.pollCounter = 0;

    if (startHere) p.processes.start(form.workingFolder + kGetDataScript, platform::WindowStyle::Hidden);

    // The wait for the file and the completeness poll share one bound.
    auto failed = [&] {
        ++form.pollCounter;
        p.session.sleepMs(kPollPauseMs);
    };
    while (!p.files.fileExists(report)) {
        if (form.pollCounter > kPollLimit) return timeOut(form, p);
        failed();
    }
    if (form.os.caption() == "vista") p.session.sleepMs(kVistaSettleMs);
    while (true) {
        if (form.pollCounter > kPollLimit) return timeOut(form, p);
        auto head = p.files.readConsoleLines(report);
        if (head && reportComplete(*head)) break;
        failed();
    }

    auto lines = p.files.readConsoleLines(report).value_or(std::vector<std::string>{});
    if (!lines.empty()) form.lineBuffer = lines.back();
    // The waiting line stays first: the parser takes the list as loaded.
    form.List1.clear();
    for (auto& line : reportListFrom(lines)) form.List1.add(std::move(line));
    form.captureStarted = "no";
    parse(form, p);
    form.List1.setVisible(true);
    p.dialogs.setWaitCursor(false);
    return CaptureOutcome::Completed;
}

}  // namespace capture
