// The window of addrpeek as toolkit-neutral controls, with the state it keeps
// for the whole run. Member names are the control names.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace addrpeek {

inline constexpr const char* kAppTitle = "addrmon";
inline constexpr const char* kWindowCaption = "VORLAN Addrpeek Tool";

struct MonitorForm {
    MonitorForm();
    MonitorForm(const MonitorForm&) = delete;
    MonitorForm& operator=(const MonitorForm&) = delete;

    // Window.
    std::string caption = kWindowCaption;
    int clientWidth = 3810;   // twips
    int clientHeight = 2295;  // twips
    ui::Color background{236, 233, 216};
    ui::Font defaultFont{"Arial", 8.25, false};
    // Set by a toolkit binding: puts the window on screen.
    std::function<void()> onShow;

    // The three visible elements, top to bottom.
    ui::Label Label13{"Label13"};  // operating-system caption, two lines
    ui::ListBox List2{"List2"};    // summary list
    ui::Label Label14{"Label14"};  // connection status

    // Value holders, never drawn.
    ui::ListBox List1{"List1"};  // private addresses
    ui::TextBox Text2{"Text2"};  // public address text
    ui::Label Label16{"Label16"};  // memory text
    ui::Label verser{"verser"};    // version line of the edition text
    ui::Label Label1{"Label1"};    // group kind word
    ui::Label Label2{"Label2"}, Label3{"Label3"}, Label4{"Label4"}, Label5{"Label5"};  // captions
    ui::Label Label6{"Label6"};    // LAN group
    ui::Label Label7{"Label7"};    // computer name
    ui::Label Label8{"Label8"};    // user name
    ui::Label Label9{"Label9"};    // user domain
    ui::Label Label10{"Label10"};  // logon server
    ui::TextBox refreshcount{"refreshcount"};  // refresh counter, decimal text
    ui::TextBox delay{"delay"};                // delay counter, decimal text
    ui::Timer Timer1{"Timer1"};  // public-fetch timer
    ui::Timer Timer2{"Timer2"};  // auto-refresh timer

    // Menus.
    ui::MenuItem mnu1{"mnu1", "Refresh"};
    ui::MenuItem mnuprivate{"mnuprivate", "Refresh Private IP", "F5"};
    ui::MenuItem mnupublic{"mnupublic", "Refresh Public IP", "F6"};
    ui::MenuItem dash1{"dash1", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem autorefresh{"autorefresh", "Auto Refresh"};
    ui::MenuItem mnu2{"mnu2", "Copy"};
    ui::MenuItem mnucopy{"mnucopy", "Copy All", "Ctrl+C"};
    ui::MenuItem mnuclose{"mnuclose", "Close"};
    ui::MenuItem cap{"cap", ""};  // the countdown, shown while auto refresh is on

    // The menu bar, left to right; each top item lists its children.
    std::vector<ui::MenuItem*> menuBar;
    // Every control of the window (visible and value holders).
    std::vector<ui::Control*> controls;

    // Kept for the whole run: read once at start.
    std::string lanGroup;
};

}  // namespace addrpeek
