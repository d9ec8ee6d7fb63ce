#include "app/Wiring.h"

#include "app/Startup.h"
#include "capture/AdapterViewOperation.h"
#include "capture/Capture.h"
#include "capture/ParseOperation.h"
#include "internet/InternetWiring.h"
#include "reports/ErrorLog.h"
#include "reports/ReportCommands.h"
#include "shortcuts/Shortcuts.h"
#include "sysinfo/HostFacts.h"
#include "tools/ToolsWiring.h"

namespace app {

namespace {

// "&Ping Other ..." -> "Ping Other": access-key marks, blanks and dots dropped.
std::string commandName(const std::string& caption) {
    std::string name;
    for (char c : caption)
        if (c != '&') name += c;
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    return name;
}

void notAvailable(platform::Platform& p, const std::string& caption) {
    p.dialogs.messageBox(notAvailableText(caption), kAppTitle);
}


}  // namespace

std::string notAvailableText(const std::string& caption) {
    return "\"" + commandName(caption) + "\" is not available yet in this version of Lanomat Std.";
}

void wireNotAvailable(MainForm& f, platform::Platform& p) {
    for (ui::MenuItem* item :
         {&f.mnureleaseall, &f.mnurenewall, &f.mnurelease, &f.mnurenew, &f.mnushowiplist, &f.pinggateway,
          &f.pingdns1, &f.pingdns2, &f.ping, &f.displaydns, &f.Purgedns, &f.nslookup, &f.mnutracert,
          &f.edithosts, &f.mnuwaninfo, &f.mnurouter, &f.mnurtrhelp, &f.routerweb, &f.mnuopencmd, &f.mnureboot,
          &f.mnunetwork, &f.mnumodem, &f.mnusystem, &f.mnutasks, &f.mnuie, &f.mnuusers, &f.mnufirewall,
          &f.mnuusergroups, &f.mnuoem, &f.mnucopyall, &f.mnucopyemail, &f.upgrade, &f.updates, &f.lanomatweb,
          &f.mnuweb, &f.mnudonate, &f.mnuabout})
        item->onClick = [item, &p] { notAvailable(p, item->caption()); };
    for (ui::Button* button : {&f.Command7, &f.Command8, &f.Command3, &f.Command4, &f.Command6})
        button->onClick = [button, &p] { notAvailable(p, button->caption()); };
    f.Label14.onDoubleClick = [&f, &p] { notAvailable(p, f.Command6.caption()); };
}

void wireMainForm(MainForm& f, platform::Platform& p, WindowActions actions) {
    auto refresh = [&f, &p] { capture::refresh(f, p); };
    f.Command1.onClick = refresh;
    f.mnurefresh.onClick = refresh;

    f.adapters.onClick = [&f] { capture::showSelectedAdapter(f); };
    for (std::size_t i = 0; i < f.sel1.size(); ++i)
        f.sel1[i].onClick = [&f, i] { capture::selectAdapterByMenu(f, static_cast<int>(i)); };
    f.List1.onDoubleClick = [&f, &p] { capture::copyDetailLine(f, p); };

    auto showLog = [&f, &p] { reports::showLog(f, p); };
    f.Label10.onClick = showLog;
    f.mnuerrorlog.onClick = showLog;
    f.mnuclearlog.onClick = [&f, &p] { reports::clearLog(f, p); };

    // Working buttons: actions that other operations call by clicking them.
    f.Command2.onClick = [&f, &p] { capture::parse(f, p); };
    f.cleararray.onClick = [&f] { capture::clearTable(f); };
    f.fixlog.onClick = [&f] { reports::trimLog(f); };
    f.addrpeek.onClick = [&f, &p] { sysinfo::collectPrivateAddresses(f.List2, p); };
    f.Command9.onClick = [&f, &p] {
        if (auto memory = sysinfo::memoryText(p)) f.Text2.setText(*memory);
    };
    f.getcpu.onClick = [&f, &p] {
        if (auto name = sysinfo::cpuName(p)) f.cpuname.setCaption(*name);
    };

    f.Command5.onClick = [&f, &p, close = actions.closeWindow] {
        if (close) return close();
        shutDown(f, p);
        p.session.endProgram(0);
    };

    wireNotAvailable(f, p);
    internet::wireInternet(f, p);
    wireTools(f, p);
    reports::wireReports(f, p);
    shortcuts::wireShortcuts(f, p, actions.showModal);
}

}  // namespace app
