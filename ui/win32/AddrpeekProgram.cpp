// addrpeek.exe: the address monitor over the Win32 backend.
#include <windows.h>

#include "addrpeek/Monitor.h"
#include "addrpeek/ServerSetting.h"
#include "platform/windows/WindowsClipboard.h"
#include "platform/windows/WindowsDownload.h"
#include "platform/windows/WindowsEnvironment.h"
#include "platform/windows/WindowsFiles.h"
#include "platform/windows/WindowsProcesses.h"
#include "platform/windows/WindowsSession.h"
#include "platform/windows/WindowsShell.h"
#include "platform/windows/WindowsSystemQueries.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Win32Dialogs.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    namespace wb = platform::windows_backend;
    wb::prepareCommonControls();

    wb::WindowsFiles files;
    wb::WindowsProcesses processes;
    wb::WindowsEnvironment env;
    wb::WindowsSession session;
    wb::WindowsSystemQueries system;
    wb::WindowsDownload download;
    wb::WindowsShell shell;
    wb::WindowsClipboard clipboard;
    ui::win32::Win32Dialogs dialogs;
    platform::Platform p{files, processes, env, session, clipboard, dialogs, system, download, shell};

    addrpeek::MonitorForm form;
    ui::win32::FormWindow window(ui::win32::mainFormSpec(form, ui::win32::kProgramIcon));
    window.waiting = [&dialogs] { return dialogs.waiting(); };
    dialogs.owner = window.handle();
    shell.owner = window.handle();
    form.onShow = [&] { window.showCentred(); };
    addrpeek::Monitor monitor{form, p, addrpeek::productServerBase(env), [&] { window.close(); }};
    addrpeek::wireMonitor(monitor);

    bool started = false;
    window.run([&] { started = addrpeek::startMonitor(monitor); });
    if (!started) return 0;
    ui::win32::runUntilClosed(window);
    return 0;
}
