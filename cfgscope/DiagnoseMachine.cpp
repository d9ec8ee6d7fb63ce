#include "cfgscope/DiagnoseMachine.h"

#include <signal.h>

#include <array>
#include <fstream>
#include <iterator>
#include <iostream>

#include "capture/Capture.h"
#include "capture/Diagnosis.h"
#include "capture/DiagnosisReport.h"
#include "capture/ReportTranslation.h"
#include "forms/MainForm.h"
#include "helpdesk/PastedReport.h"
#include "helpdesk/ReportOutput.h"
#include "platform/console/ConsoleDialogs.h"
#include "platform/linux/FreshFolder.h"
#include "platform/console/NoDownload.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/LinuxSystemQueries.h"
#include "platform/linux/XdgShell.h"
#include "platform/linux/NativePath.h"
#include "platform/linux/ProcessGroup.h"
#include "sysinfo/HostReport.h"

namespace cfgscope {

namespace {

using platform::linux_backend::FreshFolder;
using platform::linux_backend::ProcessGroup;

// The capture's time-out ends the command, not the process: the caller
// stops the report tool and removes the folder first.
class CommandSession : public platform::linux_backend::LinuxSession {
public:
    void endProgram(int) override {}
};

// While the report tool runs, an interrupt or termination stops it and
// removes the folder before the program ends as the signal asks.
class CleanUpOnSignal {
public:
    CleanUpOnSignal(FreshFolder& folder, ProcessGroup& tool) {
        folder_ = &folder;
        tool_ = &tool;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &previous_[i]);
    }
    ~CleanUpOnSignal() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous_[i], nullptr);
        folder_ = nullptr;
        tool_ = nullptr;
    }
    CleanUpOnSignal(const CleanUpOnSignal&) = delete;
    CleanUpOnSignal& operator=(const CleanUpOnSignal&) = delete;

private:
    static constexpr std::array<int, 4> kSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    static void onSignal(int sig) {
        if (tool_) tool_->killNow();
        if (folder_) folder_->removeNow();
        signal(sig, SIG_DFL);
        raise(sig);
    }
    static inline FreshFolder* volatile folder_ = nullptr;
    static inline ProcessGroup* volatile tool_ = nullptr;
    std::array<struct sigaction, kSignals.size()> previous_{};
};

helpdesk::HostFacts factsOf(const sysinfo::HostReport& h) {
    helpdesk::HostFacts f;
    f.computerName = h.computerName;
    f.lanGroup = h.lanGroup;
    f.groupKind = h.groupKind;
    f.userName = h.userName;
    f.operatingSystem = h.operatingSystem;
    f.memory = h.memory;
    f.privateAddresses = h.privateAddresses;
    return f;
}

// The verdict on the report the tool wrote, read before the folder goes.
helpdesk::Verdict verdictOnReport(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    return helpdesk::verdictOnLines(capture::translateReport(helpdesk::unwrapPastedLines(text)).lines);
}

}  // namespace

int diagnoseMachine(const Options& o, std::ostream& out, std::ostream& err) {
    using namespace platform::linux_backend;
    for (const char* tool : {"batrun", "ipconfig"}) {
        if (standInPath(tool).empty()) {
            err << "cfgscope: cannot diagnose this machine: the Linux stand-in '" << tool
                << "' is not installed beside cfgscope.\n"
                   "Diagnose a saved report instead: cfgscope --diagnose FILE\n";
            return 2;
        }
    }
    // The Linux backend without its transfer library: the diagnosis fetches nothing.
    struct {
        LinuxFiles files;
        LinuxProcesses processes;
        LinuxEnvironment env;
        LinuxSystemQueries system;
        platform::NoDownload download;
        XdgShell shell;
    } services;
    CommandSession session;
    platform::ConsoleClipboard clipboard;
    platform::ConsoleDialogs dialogs(std::cin, err);
    platform::Platform p{services.files, services.processes, services.env, session, clipboard,
                         dialogs,        services.system,    services.download, services.shell};

    std::string temp = services.env.get("TEMP");
    if (temp.empty()) {
        err << "cfgscope: cannot diagnose this machine: no private temporary folder (set TEMP)\n";
        return 2;
    }
    // A new folder every run, never one found in TEMP: in a shared TEMP
    // another user could have made it, with scripts this command then runs.
    std::string why;
    std::optional<FreshFolder> folder = FreshFolder::make(nativePath(temp), kDiagnoseFolderPrefix, why);
    if (!folder || !services.files.privateFolder(folder->path())) {
        err << "cfgscope: cannot diagnose this machine: no private working folder in " << nativePath(temp)
            << (why.empty() ? "" : ": " + why) << "\n";
        return 2;
    }
    ProcessGroup reportTool;  // declared after the folder: stopped before it is removed
    CleanUpOnSignal cleanUp(*folder, reportTool);

    app::MainForm form;
    // The layout this machine's report tool writes, unless asked for another.
    form.os.setCaption(o.dialect ? *o.dialect : p.system.markerWithoutVersionRecord().value_or("vista"));
    form.workingFolder = folder->path() + "/";
    form.lastSelectedAdapter = 1;
    form.captureStarted = "yes";
    const std::string script = form.workingFolder + capture::kGetDataScript;
    if (!services.files.writeLines(script, capture::getDataScript(form.workingFolder)) ||
        !reportTool.start(argvFor(script))) {
        err << "cfgscope: cannot start the report tool\n";
        return 2;
    }
    if (capture::refresh(form, p) == capture::CaptureOutcome::TimedOut) {
        err << "cfgscope: the report tool wrote no complete report in time\n";
        return 2;
    }
    reportTool.stop();
    helpdesk::Verdict verdict = verdictOnReport(form.workingFolder + capture::kReportFile);

    capture::DiagnosisSummary summary;
    summary.status = form.Label10.caption();
    summary.adapterEntries = form.adapters.items();
    summary.table = form.adapterTable;
    summary.log = form.errorlog.items();
    summary.faultCount = summary.status == capture::kNoErrorsFound ? 0 : 1;
    sysinfo::HostReport host = sysinfo::gatherHostReport(p);
    if (o.json) {
        helpdesk::DiagnosedReport report{helpdesk::ReportKind::Live, "utf-8", form.os.caption(), factsOf(host),
                                         summary, "en", verdict};
        out << helpdesk::reportJson(report, std::nullopt);
    } else {
        out << helpdesk::printable(sysinfo::formatHostReport(host) +
                                   helpdesk::withVerdict(capture::formatDiagnosis(summary), verdict));
    }
    return helpdesk::exitStatusOf(verdict);
}

}  // namespace cfgscope
