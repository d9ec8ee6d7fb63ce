// Check for Updates and Upgrade: the newest version from the product web
// server against the program's own, what is new in it, and the hand-over to
// the installer.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "internet/InternetState.h"
#include "internet/ServerPaths.h"
#include "platform/Platform.h"

namespace internet {

inline constexpr const char* kInstallerPage = "/Vorlankit-setup.exe";
inline constexpr const char* kProPage = "/lanomatpro.shtml";
inline constexpr const char* kVersionLocalFile = "vorlanipupdate.txt";
inline constexpr const char* kWhatsNewLocalFile = "lanomatpstdwhatsnew.txt";

// The version file's whole content, or "Unable to Connect/err0". Replaces
// the what's-new text (`whatsnew`), empty when that file cannot be fetched.
std::string fetchUpdateFiles(app::MainForm& form, platform::Platform& p, const InternetSettings& settings);

// The whole check; quiet about the latest version while the mark is "ip".
// A Yes to the download opens the installer and closes the window (through
// its Close button, `Command5`).
void updateCheck(app::MainForm& form, platform::Platform& p, InternetState& state);

// Opens the professional edition's page.
void upgrade(platform::Platform& p, const InternetSettings& settings);

}  // namespace internet
