#include "cfgscope/qt/MainProgram.h"

#include <chrono>
#include <cstdlib>
#include <ostream>

#include <QApplication>

#include "forms/MainForm.h"
#include "app/Startup.h"
#include "app/Wiring.h"
#include "cfgscope/qt/AuxWindows.h"
#include "ui/qt/DisplayCheck.h"
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

// For the benchmark script (CFGSCOPE_TIMING set): wall-clock moments of
// the start-up stages, the last one when the first adapter view is painted.
void timingMark(const char* stage, std::ostream& err) {
    static const bool on = !variable("CFGSCOPE_TIMING").empty();
    if (!on) return;
    auto now = std::chrono::system_clock::now().time_since_epoch();
    err << "cfgscope-timing " << stage << "-epoch-us "
        << std::chrono::duration_cast<std::chrono::microseconds>(now).count() << std::endl;
}

}  // namespace

int runMainProgram(int argc, char** argv, std::ostream& err) {
    DisplayChoice display = chooseDisplay();
    if (explainNoDisplay("cfgscope", display, err)) {
        err << "The diagnosis needs no display: cfgscope --diagnose\n";
        return kNoDisplayStatus;
    }

    timingMark("main", err);
    ToolkitArguments arguments(argc, argv, display.platform);
    QApplication application(arguments.argc(), arguments.argv());
    display.probe.reset();  // the toolkit holds its own connection now
    QApplication::setApplicationName(app::kAppTitle);
    // The desktop entry it belongs to (its Wayland app id, its X window class).
    QGuiApplication::setDesktopFileName("cfgscope");
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
    endOnTerminationSignals(window, [&] { app::shutDown(form, p); });
    timingMark("window-built", err);

    app::StartOutcome outcome = app::StartOutcome::Stopped;
    window.run([&] { outcome = app::startProgram(form, p); });
    if (outcome != app::StartOutcome::Running) return app::exitStatus(outcome);
    window.repaint();
    timingMark("first-view", err);
    return application.exec();
}

}  // namespace ui::qt
