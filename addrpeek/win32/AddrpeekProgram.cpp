// addrpeek.exe: the address monitor over the Win32 backend.
#include <windows.h>

#include "addrpeek/Monitor.h"
#include "addrpeek/ServerSetting.h"
#include "platform/windows/WindowsServices.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Win32Dialogs.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    namespace wb = platform::windows_backend;
    wb::prepareCommonControls();

    wb::WindowsServices services;
    ui::win32::Win32Dialogs dialogs;
    platform::Platform p = services.with(dialogs);

    addrpeek::MonitorForm form;
    ui::win32::FormWindow window(ui::win32::mainFormSpec(form, ui::win32::kProgramIcon));
    window.waiting = [&dialogs] { return dialogs.waiting(); };
    dialogs.owner = window.handle();
    services.shell.owner = window.handle();
    form.onShow = [&] { window.showCentred(); };
    addrpeek::Monitor monitor{form, p, addrpeek::productServerBase(services.env), [&] { window.close(); }};
    addrpeek::wireMonitor(monitor);

    bool started = false;
    window.run([&] { started = addrpeek::startMonitor(monitor); });
    if (!started) return 0;
    ui::win32::runUntilClosed(window);
    return 0;
}
