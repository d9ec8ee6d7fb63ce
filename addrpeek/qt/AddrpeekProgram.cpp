#include "addrpeek/qt/AddrpeekProgram.h"

#include <ostream>

#include <QApplication>

#include "addrpeek/Monitor.h"
#include "addrpeek/ServerSetting.h"
#include "ui/Pictures.h"
#include "ui/qt/DisplayCheck.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/ShutdownSignals.h"
#include "platform/linux/LinuxServices.h"

namespace ui::qt {

int runAddrpeekProgram(int argc, char** argv, std::ostream& err) {
    DisplayChoice display = chooseDisplay();
    if (explainNoDisplay("addrpeek", display, err)) return kNoDisplayStatus;

    ToolkitArguments arguments(argc, argv, display.platform);
    QApplication application(arguments.argc(), arguments.argv());
    display.probe.reset();  // the toolkit holds its own connection now
    QApplication::setApplicationName("Addrpeek");  // its name to assistive technology; message boxes keep theirs
    // The desktop entry it belongs to (its Wayland app id, its X window class).
    QGuiApplication::setDesktopFileName("addrpeek");

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
    endOnTerminationSignals(window, [&] { addrpeek::removeFetchedCopy(monitor); });

    bool started = false;
    window.run([&] { started = addrpeek::startMonitor(monitor); });
    if (!started) return 0;
    return application.exec();
}

}  // namespace ui::qt
