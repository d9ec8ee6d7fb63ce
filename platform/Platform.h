// Everything the programs ask of the machine, one interface per kind.
#pragma once

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Download.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Processes.h"
#include "platform/Session.h"
#include "platform/Shell.h"
#include "platform/SystemQueries.h"

namespace platform {

struct Platform {
    Files& files;
    Processes& processes;
    Environment& env;
    Session& session;
    Clipboard& clipboard;
    Dialogs& dialogs;
    SystemQueries& system;
    Download& download;
    Shell& shell;
};

}  // namespace platform
