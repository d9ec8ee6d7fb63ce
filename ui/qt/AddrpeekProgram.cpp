#include "ui/qt/AddrpeekProgram.h"

#include <cstdlib>
#include <ostream>
#include <string>

#include <QApplication>

#include "addrpeek/Monitor.h"
#include "addrpeek/ServerSetting.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/LinuxSystemQueries.h"
#include "platform/linux/XdgShell.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"

namespace ui::qt {

namespace {

bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

FormSpec monitorFormSpec(addrpeek::MonitorForm& form) {
    FormSpec formSpec;
    formSpec.caption = form.caption;
    formSpec.clientWidth = form.clientWidth;
    formSpec.clientHeight = form.clientHeight;
    formSpec.background = form.background;
    formSpec.defaultFont = form.defaultFont;
    formSpec.icon = "program-icon";
    formSpec.controls = form.controls;
    formSpec.menuBar = form.menuBar;
    return formSpec;
}

}  // namespace

int runAddrpeekProgram(int argc, char** argv, std::ostream& err) {
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        err << "addrpeek: cannot open the window: no display is set (neither DISPLAY nor WAYLAND_DISPLAY).\n"
               "Run it on a desktop, or under a virtual one: xvfb-run addrpeek\n";
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(addrpeek::kAppTitle);

    namespace lx = platform::linux_backend;
    lx::LinuxFiles files;
    lx::LinuxProcesses processes;
    lx::LinuxEnvironment env;
    lx::LinuxSession session;
    lx::LinuxSystemQueries system;
    lx::CurlDownload download;
    lx::XdgShell shell;
    QtClipboard clipboard;
    QtDialogs dialogs;
    platform::Platform p{files, processes, env, session, clipboard, dialogs, system, download, shell};

    addrpeek::MonitorForm form;
    FormWindow window(monitorFormSpec(form));
    dialogs.setOwner(&window);
    form.onShow = [&] { window.showCentred(); };
    addrpeek::Monitor monitor{form, p, addrpeek::productServerBase(env), [&] { window.close(); }};
    addrpeek::wireMonitor(monitor);

    bool started = false;
    window.run([&] { started = addrpeek::startMonitor(monitor); });
    if (!started) return 0;
    return application.exec();
}

}  // namespace ui::qt
