// The Linux backend of every platform interface but the toolkit's own
// (clipboard and dialogs), which each program supplies.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/LinuxSystemQueries.h"
#include "platform/linux/XdgShell.h"

namespace platform::linux_backend {

struct LinuxServices {
    LinuxFiles files;
    LinuxProcesses processes;
    LinuxEnvironment env;
    LinuxSession session;
    LinuxSystemQueries system;
    CurlDownload download;
    XdgShell shell;

    // The whole platform with the program's clipboard and dialogs; a
    // program that ends differently may bring its own session.
    Platform with(Clipboard& clipboard, Dialogs& dialogs, Session* ownSession = nullptr) {
        download.whileWaiting = [&dialogs] { dialogs.keepPainted(); };
        return {files, processes, env, ownSession ? *ownSession : session, clipboard, dialogs, system, download, shell};
    }
};

}  // namespace platform::linux_backend
