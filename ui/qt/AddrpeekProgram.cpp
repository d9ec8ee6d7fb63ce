#include "ui/qt/AddrpeekProgram.h"

#include <cstdlib>
#include <ostream>
#include <string>

#include <QApplication>

#include "addrpeek/Monitor.h"
#include "addrpeek/ServerSetting.h"
#include "ui/Pictures.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"
#include "platform/linux/LinuxServices.h"

namespace ui::qt {

namespace {

bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
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

    platform::linux_backend::LinuxServices services;
    QtClipboard clipboard;
    QtDialogs dialogs;
    platform::Platform p = services.with(clipboard, dialogs);

    addrpeek::MonitorForm form;
    FormWindow window(mainFormSpec(form, ui::kProgramIconPicture));
    dialogs.setOwner(&window);
    form.onShow = [&] { window.showCentred(); };
    addrpeek::Monitor monitor{form, p, addrpeek::productServerBase(services.env), [&] { window.close(); }};
    addrpeek::wireMonitor(monitor);

    bool started = false;
    window.run([&] { started = addrpeek::startMonitor(monitor); });
    if (!started) return 0;
    return application.exec();
}

}  // namespace ui::qt
