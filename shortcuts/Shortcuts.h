// The Control Panels, Router/Internet and About menus' shortcuts: each starts
// one of the system's tools, opens a web page, or shows one of the small
// windows of the program.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "platform/Platform.h"
#include "shortcuts/AuxWindow.h"

namespace shortcuts {

inline constexpr const char* kNoRestartDialogText =
    "This system offers no dialog to restart or shut down the computer.";

// Starts a shortcut's command line; one that cannot start is named in a message.
void startShortcut(platform::Platform& p, const std::string& commandLine, platform::WindowStyle style);

// "&System": the classic system applet on "xp", else the control panel's
// system page minimised followed by the OEM editor window.
void openSystem(const app::MainForm& form, platform::Platform& p, const ShowModal& showModal);
void restartComputer(platform::Platform& p);
void routerLogin(const app::MainForm& form, platform::Platform& p);
void routerHelp(platform::Platform& p);
// A page of the product web server: its base address (the setting the
// internet services share) followed by the path.
std::string productPage(platform::Platform& p, const std::string& path);
void openProductPage(platform::Platform& p, const std::string& path);

void showAbout(const ShowModal& showModal);
// Reads the CPU name into the main window, then shows the manufacturer's data.
void showManufacturerInfo(app::MainForm& form, platform::Platform& p, const ShowModal& showModal);
void showOemEditor(platform::Platform& p, const ShowModal& showModal);

void wireShortcuts(app::MainForm& form, platform::Platform& p, ShowModal showModal);

}  // namespace shortcuts
