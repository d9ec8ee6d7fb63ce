#include "ui/qt/MainProgram.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include <QApplication>

#include "forms/MainForm.h"
#include "app/Startup.h"
#include "app/Wiring.h"
#include "ui/qt/AuxWindows.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/ShutdownSignals.h"
#include "platform/linux/LinuxServices.h"

namespace ui::qt {

namespace {

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string{};
}

// True when a local X server answers on display number `n` (abstract or file socket).
bool localXServer(const std::string& number) {
    const std::string path = "/tmp/.X11-unix/X" + number;
    for (bool abstract : {true, false}) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::size_t offset = abstract ? 1 : 0;  // abstract names start with NUL
        std::memcpy(addr.sun_path + offset, path.data(), path.size());
        socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
        bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
        close(fd);
        if (ok) return true;
    }
    return false;
}

// For the benchmark script (CFGSCOPE_TIMING set): wall-clock moments of
// the start-up stages, the last one when the first adapter view is painted.
void timingMark(const char* stage, std::ostream& err) {
    static const bool on = !variable("CFGSCOPE_TIMING").empty();
    if (!on) return;
    auto now = std::chrono::system_clock::now().time_since_epoch();
    err << "cfgscope-timing " << stage << "-epoch-us "
        << std::chrono::duration_cast<std::chrono::microseconds>(now).count() << std::endl;
}

int exitStatus(app::StartOutcome outcome) { return outcome == app::StartOutcome::Running ? 0 : 1; }

}  // namespace

std::string noDisplayReason() {
    // A platform chosen by name (offscreen, vnc, ...) needs no display here.
    if (!variable("QT_QPA_PLATFORM").empty() || !variable("WAYLAND_DISPLAY").empty()) return {};
    const std::string display = variable("DISPLAY");
    if (display.empty()) return "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)";
    if (display[0] == ':') {
        std::string number = display.substr(1, display.find('.') - 1);
        if (!number.empty() && !localXServer(number)) return "the display " + display + " does not answer";
    }
    return {};
}

int runMainProgram(int argc, char** argv, std::ostream& err) {
    if (std::string why = noDisplayReason(); !why.empty()) {
        err << "cfgscope: cannot open the window: " << why << ".\n"
            << "Run it on a desktop, or see its window without one (Xvfb):\n"
            << "  scripts/screenshot.sh [FILE.png]   starts cfgscope under Xvfb and saves a screenshot\n"
            << "The command line needs no display: cfgscope --help\n";
        return 2;
    }

    timingMark("main", err);
    QApplication application(argc, argv);
    QApplication::setApplicationName(app::kAppTitle);
    timingMark("toolkit", err);

    platform::linux_backend::LinuxServices services;
    QtClipboard clipboard;
    QtDialogs dialogs;
    platform::Platform p = services.with(clipboard, dialogs);

    app::MainForm form;
    FormWindow window(mainFormSpec(form, form.Picture1.resource));
    dialogs.setOwner(&window);
    form.onShow = [&] {
        window.setCaption(form.caption);
        window.showCentred();
    };
    app::wireMainForm(form, p, {[&] { window.close(); }, [&](shortcuts::AuxWindow& w) { showAuxWindow(w, &window); }});
    // The restart shortcut: confirmed in a dialog, carried out by the session manager.
    services.shell.sessionEnd = {
        [&] { return askSessionEnd(&window); },
        [](const std::vector<std::string>& argv) { return platform::linux_backend::runToCompletion(argv, 5000); },
        [&](const std::string& text) { dialogs.messageBox(text, app::kAppTitle); }};
    // Every way the window closes (close box, Close button, the session
    // ending, a termination signal) removes the working folder.
    window.onClose = [&] { app::shutDown(form, p); };
    QObject::connect(&application, &QCoreApplication::aboutToQuit, [&] { app::shutDown(form, p); });
    closeOnTerminationSignals(&window);
    timingMark("window-built", err);

    app::StartOutcome outcome = app::StartOutcome::Stopped;
    window.run([&] { outcome = app::startProgram(form, p); });
    if (outcome != app::StartOutcome::Running) return exitStatus(outcome);
    window.repaint();
    timingMark("first-view", err);
    return application.exec();
}

}  // namespace ui::qt
