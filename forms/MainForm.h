// The main window of cfgscope as toolkit-neutral controls, with the state
// the window keeps for the whole run. Member names are the control names.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "forms/AdapterTable.h"
#include "ui/Controls.h"

namespace app {

inline constexpr const char* kAppTitle = "cfgscope";
inline constexpr const char* kWindowCaption = "VORLAN Lanomat Std";

struct MainForm {
    MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Window.
    std::string caption = kWindowCaption;
    int clientWidth = 8865;   // twips
    int clientHeight = 5415;  // twips
    ui::Color background{235, 233, 237};
    ui::Font defaultFont{"Arial", 8.25, false};
    bool shown = false;
    // Set by a toolkit binding: puts the window on screen.
    std::function<void()> onShow;

    // Visible controls, top to bottom.
    ui::Picture Picture1{"Picture1"};
    ui::Label Label7{"Label7"};
    ui::Picture Picture4{"Picture4"};
    ui::Label Label1{"Label1"};
    ui::Label Label2{"Label2"};
    ui::TextBox host{"host"};
    ui::Label Label4{"Label4"};
    ui::TextBox domain{"domain"};
    ui::Label Label5{"Label5"};
    ui::TextBox user{"user"};
    ui::ListBox adapters{"adapters"};
    ui::Label Label6{"Label6"};
    ui::TextBox wdir{"wdir"};
    ui::Label Label9{"Label9"};
    ui::TextBox Text2{"Text2"};
    ui::Label Label14{"Label14"};
    ui::ListBox List1{"List1"};
    ui::Button Command1{"Command1"};
    ui::Button Command7{"Command7"};
    ui::Button Command8{"Command8"};
    ui::Button Command3{"Command3"};
    ui::Button Command4{"Command4"};
    ui::Button Command6{"Command6"};
    ui::Button Command5{"Command5"};
    ui::Line Line1{"Line1"};
    ui::Label Label10{"Label10"};
    ui::Label cpuname{"cpuname"};
    ui::Line Line2{"Line2"};

    // Hidden working controls: storage and callable actions, never drawn.
    ui::Button Command2{"Command2"};
    ui::Button cleararray{"cleararray"};
    ui::Button fixlog{"fixlog"};
    ui::Button getcpu{"getcpu"};
    ui::Button addrpeek{"addrpeek"};
    ui::Button Command9{"Command9"};
    ui::ListBox errorlog{"errorlog"};
    ui::ListBox List2{"List2"};
    ui::TextBox Text1{"Text1"};
    ui::Label os{"os"};
    ui::Label whatsnew{"whatsnew"};

    // Menus.
    ui::MenuItem mnuadapters{"mnuadapters", "Adapters"};
    ui::MenuItem mnurefresh{"mnurefresh", "Refresh", "F5"};
    ui::MenuItem mnureleaseall{"mnureleaseall", "Release All"};
    ui::MenuItem mnurenewall{"mnurenewall", "Renew All"};
    ui::MenuItem dash1{"dash1", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem mnurelease{"mnurelease", "Release Adapter"};
    ui::MenuItem mnurenew{"mnurenew", "Renew Adapter"};
    ui::MenuItem dash2{"dash2", ui::MenuItem::SeparatorTag{}};
    std::array<ui::MenuItem, 6> sel1{
        ui::MenuItem{"sel1", "Select Adapter &1"}, ui::MenuItem{"sel1", "Select Adapter &2"},
        ui::MenuItem{"sel1", "Select Adapter &3"}, ui::MenuItem{"sel1", "Select Adapter &4"},
        ui::MenuItem{"sel1", "Select Adapter &5"}, ui::MenuItem{"sel1", "Select Adapter &6"}};
    ui::MenuItem dddash{"dddash", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem mnushowiplist{"mnushowiplist", "Show IP List"};
    ui::MenuItem mnuerrorlog{"mnuerrorlog", "Show  Log"};
    ui::MenuItem mnuclearlog{"mnuclearlog", "Clear Log"};

    ui::MenuItem pingmnu{"pingmnu", "Ping"};
    ui::MenuItem pinggateway{"pinggateway", "Ping &Gateway", "Ctrl+G"};
    ui::MenuItem pingdns1{"pingdns1", "Ping DNS 1"};
    ui::MenuItem pingdns2{"pingdns2", "Ping DNS 2"};
    ui::MenuItem ping{"ping", "&Ping Other ...", "Ctrl+P"};

    ui::MenuItem mnudns{"mnudns", "DNS"};
    ui::MenuItem displaydns{"displaydns", "Display DNS Resolver Cache"};
    ui::MenuItem Purgedns{"Purgedns", "Purge DNS Resolver cache"};
    ui::MenuItem dash3{"dash3", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem nslookup{"nslookup", "NS Lookup"};
    ui::MenuItem mnutracert{"mnutracert", "Trace Route"};
    ui::MenuItem edithosts{"edithosts", "Edit Hosts File"};

    ui::MenuItem mnurt{"mnurt", "Router/Internet   "};
    ui::MenuItem mnuwaninfo{"mnuwaninfo", "Get Public (WAN) IP Address"};
    ui::MenuItem mnurouter{"mnurouter", "&Router Login", "Ctrl+R"};
    ui::MenuItem dash6{"dash6", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem mnurtrhelp{"mnurtrhelp", "Router Login HELP"};
    ui::MenuItem routerweb{"routerweb", "More Router Help on the Web"};

    ui::MenuItem menushell{"menushell", "Command Shell"};
    ui::MenuItem mnuopencmd{"mnuopencmd", "Open Cmd &Window", "Ctrl+W"};

    ui::MenuItem mnucontrol{"mnucontrol", "Control Panels"};
    ui::MenuItem mnureboot{"mnureboot", "Restart Computer", "Shift+F12"};
    ui::MenuItem mnunetwork{"mnunetwork", "&Network Connections", "Ctrl+N"};
    ui::MenuItem mnumodem{"mnumodem", "M&odem Connections", "Ctrl+O"};
    ui::MenuItem mnusystem{"mnusystem", "&System", "Ctrl+S"};
    ui::MenuItem mnutasks{"mnutasks", "Scheduled &Tasks", "Ctrl+T"};
    ui::MenuItem mnuie{"mnuie", "&Internet Explorer Settings", "Ctrl+I"};
    ui::MenuItem mnuusers{"mnuusers", "&Users", "Ctrl+U"};
    ui::MenuItem mnufirewall{"mnufirewall", "Windows &Firewall", "Ctrl+F"};
    ui::MenuItem m666{"m666", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem mnuusergroups{"mnuusergroups", "&Local Users / Groups MMC", "Ctrl+L"};
    ui::MenuItem mnu3{"mnu3", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem mnuoem{"mnuoem", "Computer Manufacturer Info"};

    ui::MenuItem mnucopymain{"mnucopymain", "Copy"};
    ui::MenuItem mnucopyall{"mnucopyall", "&Copy All to Clipboard", "Ctrl+C"};
    ui::MenuItem mnucopyemail{"mnucopyemail", "Copy All to &Email", "Ctrl+E"};

    ui::MenuItem mnu1{"mnu1", "About"};
    ui::MenuItem upgrade{"upgrade", "Upgrade to Lanomat PRO"};
    ui::MenuItem updates{"updates", "Check for Updates"};
    ui::MenuItem lanomatweb{"lanomatweb", "Lanomat Std Web Site"};
    ui::MenuItem mnu2{"mnu2", ui::MenuItem::SeparatorTag{}};
    ui::MenuItem mnuweb{"mnuweb", "Vorlan Support Web Site"};
    ui::MenuItem mnudonate{"mnudonate", "Make a Donation"};
    ui::MenuItem mnuabout{"mnuabout", "About Lanomat Std"};

    // The menu bar, left to right; each top item lists its children.
    std::vector<ui::MenuItem*> menuBar;

    // Every control of the window (visible and working), for bindings and tests.
    std::vector<ui::Control*> controls;

    // Window state kept for the whole run.
    std::string workingFolder;          // TEMP + "\cfgscope\", ends in a backslash
    std::string captureStarted = "no";  // "yes": getdata.bat already started for the next capture
    int pollCounter = 0;
    std::string lineBuffer;
    std::string targetHost;
    int selectedAdapter = 0;
    int lastSelectedAdapter = 0;
    AdapterTable adapterTable{};
    std::string versionDetailText;
};

}  // namespace app
