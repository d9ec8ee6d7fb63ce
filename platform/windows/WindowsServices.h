// The Win32 backend of every platform interface but the dialogs, which the
// window binding supplies.
#pragma once

#include "platform/Platform.h"
#include "platform/windows/WindowsClipboard.h"
#include "platform/windows/WindowsDownload.h"
#include "platform/windows/WindowsEnvironment.h"
#include "platform/windows/WindowsFiles.h"
#include "platform/windows/WindowsProcesses.h"
#include "platform/windows/WindowsSession.h"
#include "platform/windows/WindowsShell.h"
#include "platform/windows/WindowsSystemQueries.h"

namespace platform::windows_backend {

struct WindowsServices {
    WindowsFiles files;
    WindowsProcesses processes;
    WindowsEnvironment env;
    WindowsSession session;
    WindowsSystemQueries system;
    WindowsDownload download;
    WindowsShell shell;
    WindowsClipboard clipboard;

    // The whole platform with the binding's dialogs.
    Platform with(Dialogs& dialogs) {
        download.whileWaiting = [&dialogs] { dialogs.keepPainted(); };
        return {files, processes, env, session, clipboard, dialogs, system, download, shell};
    }
};

}  // namespace platform::windows_backend
