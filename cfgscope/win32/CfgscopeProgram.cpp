// cfgscope.exe: the main window over the Win32 backend.
#include <windows.h>

#include "forms/MainForm.h"
#include "app/Startup.h"
#include "app/Wiring.h"
#include "platform/windows/WindowsServices.h"
#include "cfgscope/win32/AuxWindows.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/Pictures.h"
#include "ui/win32/Win32Dialogs.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    namespace wb = platform::windows_backend;
    wb::prepareCommonControls();

    wb::WindowsServices services;
    ui::win32::Win32Dialogs dialogs;
    platform::Platform p = services.with(dialogs);

    app::MainForm form;
    ui::win32::FormWindow window(ui::win32::mainFormSpec(form, ui::win32::kProgramIcon));
    window.waiting = [&dialogs] { return dialogs.waiting(); };
    dialogs.owner = window.handle();
    services.shell.owner = window.handle();
    form.onShow = [&] {
        window.setCaption(form.caption);
        window.showCentred();
    };
    app::wireMainForm(form, p, {[&] { window.close(); }, [&](shortcuts::AuxWindow& w) { ui::win32::showAuxWindow(w, window.handle()); }});
    // Every way the window closes removes the working folder.
    window.onClose = [&] { app::shutDown(form, p); };

    app::StartOutcome outcome = app::StartOutcome::Stopped;
    window.run([&] { outcome = app::startProgram(form, p); });
    if (outcome != app::StartOutcome::Running) {
        app::shutDown(form, p);
        return app::exitStatus(outcome);
    }
    ui::win32::runUntilClosed(window);
    return 0;
}
