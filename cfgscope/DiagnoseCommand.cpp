#include "cfgscope/DiagnoseCommand.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <optional>

#include "forms/MainForm.h"
#include "capture/Capture.h"
#include "capture/Diagnosis.h"
#include "capture/DiagnosisReport.h"
#include "capture/ReportParser.h"
#include "platform/console/ConsoleDialogs.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/NativePath.h"
#include "sysinfo/HostReport.h"

namespace cfgscope {

namespace {

constexpr const char* kUsage =
    "Usage: cfgscope [--diagnose [FILE] [--dialect xp|vista]] [--help] [--version]\n"
    "\n"
    "Without options, opens the VORLAN Lanomat Std window.\n"
    "\n"
    "  --diagnose FILE     diagnose a saved 'ipconfig /all' report (CR LF or LF)\n"
    "  --diagnose          diagnose this machine through its report tool\n"
    "  --dialect xp|vista  report layout; without it, 'vista' when the report has\n"
    "                      an \"IPv4 Address\" line, else 'xp'\n"
    "  --help              show this text\n"
    "  --version           show the version\n"
    "\n"
    "Prints the host facts (computer, workgroup or domain, user, operating system,\n"
    "memory, private addresses), the status line, each adapter with its details,\n"
    "and the log.\n"
    "Exit status: 0 no fault found, 1 faults found, 2 the report cannot be read.\n";

struct Options {
    bool help = false;
    bool version = false;
    bool diagnose = false;
    std::optional<std::string> file;
    std::optional<std::string> dialect;
    std::string error;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--diagnose") o.diagnose = true;
        else if (a == "--dialect") {
            if (i + 1 >= args.size()) {
                o.error = "--dialect needs a value: xp or vista";
                return o;
            }
            o.dialect = args[++i];
            if (*o.dialect != "xp" && *o.dialect != "vista") {
                o.error = "unknown dialect '" + *o.dialect + "': use xp or vista";
                return o;
            }
        } else if (!a.empty() && a[0] == '-') {
            o.error = "unknown option '" + a + "'";
            return o;
        } else if (!o.file) {
            o.file = a;
        } else {
            o.error = "only one report file can be diagnosed at a time";
            return o;
        }
    }
    if ((o.file || o.dialect) && !o.diagnose) o.error = "a report file is diagnosed with --diagnose FILE";
    return o;
}

int exitFor(const capture::DiagnosisSummary& s) { return s.faultCount == 0 ? 0 : 1; }

// The facts of the machine this command runs on.
sysinfo::HostReport liveHostReport() {
    platform::linux_backend::LinuxServices services;
    platform::ConsoleClipboard clipboard;
    platform::ConsoleDialogs dialogs(std::cin, std::cerr);
    platform::Platform p = services.with(clipboard, dialogs);
    return sysinfo::gatherHostReport(p);
}

int diagnoseFile(const Options& o, std::ostream& out, std::ostream& err) {
    platform::linux_backend::LinuxFiles files;
    auto read = files.readLines(*o.file);
    if (!read) {
        err << "cfgscope: cannot read the report '" << *o.file << "'\n";
        return 2;
    }
    const std::vector<std::string>& lines = *read;
    std::string marker = o.dialect ? *o.dialect : capture::detectDialect(lines);
    platform::linux_backend::LinuxSession session;
    auto summary = capture::diagnoseLines(lines, marker, session.timeOfDayText());
    // The other facts are this machine's; the computer is the one the report names.
    sysinfo::HostReport host = liveHostReport();
    host.computerName = summary.hostName;
    out << sysinfo::formatHostReport(host) << capture::formatDiagnosis(summary);
    return exitFor(summary);
}

// A time-out of the live capture is an input failure of this command.
class CommandSession : public platform::linux_backend::LinuxSession {
public:
    void endProgram(int) override { std::_Exit(2); }
};

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
    LinuxServices services;
    CommandSession session;
    platform::ConsoleClipboard clipboard;
    platform::ConsoleDialogs dialogs(std::cin, err);
    platform::Platform p = services.with(clipboard, dialogs, &session);
    LinuxFiles& files = services.files;
    LinuxProcesses& processes = services.processes;
    LinuxEnvironment& env = services.env;

    std::string temp = env.get("TEMP");
    if (temp.empty()) {
        err << "cfgscope: cannot diagnose this machine: no private temporary folder (set TEMP)\n";
        return 2;
    }
    // A folder of its own, so a window of the program running beside it keeps its files.
    std::string folder = temp + "\\cfgscope-diagnose-" + std::to_string(getpid()) + "\\";
    if (!files.folderExists(folder) && !files.createFolder(folder)) {
        err << "cfgscope: cannot create the working folder " << nativePath(folder) << "\n";
        return 2;
    }

    app::MainForm form;
    // The layout this machine's report tool writes, unless asked for another.
    form.os.setCaption(o.dialect ? *o.dialect : p.system.markerWithoutVersionRecord().value_or("vista"));
    form.workingFolder = folder;
    form.lastSelectedAdapter = 1;
    form.captureStarted = "yes";
    files.deleteFile(folder + capture::kReportFile);
    if (!files.writeLines(folder + capture::kGetDataScript, capture::getDataScript(folder)) ||
        !processes.start(folder + capture::kGetDataScript, platform::WindowStyle::Hidden)) {
        err << "cfgscope: cannot start the report tool\n";
        files.deleteAllFiles(folder);
        files.removeFolder(folder);
        return 2;
    }
    capture::refresh(form, p);

    capture::DiagnosisSummary summary;
    summary.status = form.Label10.caption();
    summary.adapterEntries = form.adapters.items();
    summary.table = form.adapterTable;
    summary.log = form.errorlog.items();
    summary.faultCount = summary.status == capture::kNoErrorsFound ? 0 : 1;
    out << sysinfo::formatHostReport(sysinfo::gatherHostReport(p)) << capture::formatDiagnosis(summary);

    files.deleteAllFiles(folder);
    files.removeFolder(folder);
    return exitFor(summary);
}

}  // namespace

bool isCommandLineRequest(const std::vector<std::string>& args) { return !args.empty(); }

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o = parseOptions(args);
    if (!o.error.empty()) {
        err << "cfgscope: " << o.error << "\n" << kUsage;
        return 2;
    }
    if (o.help) {
        out << kUsage;
        return 0;
    }
    if (o.version) {
        out << "cfgscope " << kVersion << "\n";
        return 0;
    }
    if (o.file) return diagnoseFile(o, out, err);
    return diagnoseMachine(o, out, err);
}

}  // namespace cfgscope
