#include "forms/MainForm.h"

#include "ui/Pictures.h"

namespace app {

namespace {

const ui::Color kGreyBox{224, 224, 224};
const ui::Color kBlack{0, 0, 0};
const ui::Color kWhite{255, 255, 255};

void place(ui::Control& c, int left, int top, int width, int height) {
    c.geometry = {left, top, width, height};
}

// An information field: shows a value, takes no typing.
void greyBox(ui::TextBox& box, int left, int top, int width, int height) {
    place(box, left, top, width, height);
    box.background = kGreyBox;
    box.readOnly = true;
}

void labelAt(ui::Label& label, int left, int top, int width, int height, const char* text,
             ui::Align align = ui::Align::Left) {
    place(label, left, top, width, height);
    label.setCaption(text);
    label.align = align;
}

void button(ui::Button& b, int left, int top, int width, int height, const char* text,
            const char* tip = "") {
    place(b, left, top, width, height);
    b.setCaption(text);
    b.tooltip = tip;
}

}  // namespace

MainForm::MainForm() {
    place(Picture1, 90, 60, 480, 480);
    Picture1.resource = ui::kProgramIconPicture;
    labelAt(Label7, 630, 120, 6555, 375, "Windows XP");
    Label7.font = ui::Font{"Arial", 8.25, true};
    place(Picture4, 7800, 120, 915, 300);
    Picture4.resource = ui::kBannerPicture;
    labelAt(Label1, 150, 540, 1305, 255, "Select Adapter");
    Label1.font = ui::Font{"Arial", 9, false};
    labelAt(Label2, 5610, 570, 1245, 255, "Computer Name", ui::Align::Right);
    greyBox(host, 6900, 540, 1815, 315);
    labelAt(Label4, 5490, 900, 1365, 255, "Domain / WGroup", ui::Align::Right);
    greyBox(domain, 6900, 870, 1815, 315);
    labelAt(Label5, 5940, 1230, 915, 255, "Username", ui::Align::Right);
    greyBox(user, 6900, 1200, 1815, 315);
    place(adapters, 120, 750, 5445, 1110);
    adapters.tooltip = "Click to Select Ethernet Adapter";
    adapters.background = ui::Color{0, 0, 192};
    adapters.foreground = ui::Color{255, 255, 0};
    labelAt(Label6, 5820, 1560, 1035, 255, "Windows Dir", ui::Align::Right);
    greyBox(wdir, 6900, 1530, 1815, 285);
    labelAt(Label9, 6060, 1890, 795, 225, "Memory", ui::Align::Right);
    greyBox(Text2, 6900, 1830, 1815, 285);
    labelAt(Label14, 120, 1890, 5445, 285,
            " Internet Connection Status: Unknown  (Click 'Get Public IP' to Check)");
    Label14.background = kGreyBox;
    Label14.foreground = kBlack;
    place(List1, 120, 2220, 8625, 2220);
    List1.tooltip = "Double Click to Copy item to Clipboard";
    List1.font = ui::Font{"Lucida Console", 9, false};
    List1.background = kBlack;
    List1.foreground = kWhite;
    button(Command1, 150, 4500, 1185, 525, "Refresh (F5)", "Re-read Configuration");
    Command1.font = ui::Font{"Arial", 8.25, true};
    button(Command7, 1620, 4500, 1005, 525, "Release Adapter 1", "Release IP Address for Adapter");
    button(Command8, 2670, 4500, 1005, 525, "Renew 1", "Renew IP Address for Adapter");
    button(Command3, 3990, 4500, 1005, 525, "Release All",
           "Release IP Addresses for all DHCP Enabled Adapters");
    button(Command4, 5040, 4500, 1005, 525, "Renew All",
           "Renew IP Addresses for all DHCP Enabled Adapters");
    button(Command6, 6360, 4500, 1125, 525, "Get Public IP Address",
           "Check Internet Connection and get Public IP Address");
    button(Command5, 7740, 4500, 1005, 525, "Close");
    Line1.x1 = -570, Line1.y1 = 5100, Line1.x2 = 9210, Line1.y2 = 5100;
    labelAt(Label10, 120, 5130, 8745, 255, "");
    Label10.transparent = true;
    Label10.foreground = kBlack;
    labelAt(cpuname, 3780, 5160, 4935, 225, "", ui::Align::Right);
    cpuname.transparent = true;
    cpuname.foreground = ui::Color{192, 192, 192};
    Line2.x1 = 0, Line2.y1 = 0, Line2.x2 = 9780, Line2.y2 = 0;

    // What a screen reader calls the fields and lists, and what it announces.
    Label1.captionOf = &adapters;
    Label2.captionOf = &host;
    Label4.captionOf = &domain;
    Label5.captionOf = &user;
    Label6.captionOf = &wdir;
    Label9.captionOf = &Text2;
    List1.accessibleName = "Adapter Details";
    Label14.announced = true;
    Label10.announced = true;

    // Working controls lie beyond the client area and are never drawn.
    int offLeft = clientWidth + 600;
    auto working = [&](ui::Control& c, int top) {
        c.working = true;
        place(c, offLeft, top, 1000, 300);
    };
    Command2.setCaption("Parse");
    cleararray.setCaption("clear array");
    fixlog.setCaption("fixlog");
    getcpu.setCaption("get cpu");
    addrpeek.setCaption("addrpeek");
    Command9.setCaption("memory");
    os.setCaption("Windows XP");
    int top = 0;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Command2, &cleararray, &fixlog, &getcpu, &addrpeek,
                                                              &Command9, &errorlog, &List2, &Text1, &os, &whatsnew}) {
        working(*c, top);
        top += 400;
    }

    // Menu tree.
    mnuadapters.children = {&mnurefresh, &mnureleaseall, &mnurenewall, &dash1, &mnurelease, &mnurenew, &dash2};
    for (auto& item : sel1) mnuadapters.children.push_back(&item);
    mnuadapters.children.insert(mnuadapters.children.end(),
                                {&dddash, &mnushowiplist, &mnuerrorlog, &mnuclearlog});
    pingmnu.children = {&pinggateway, &pingdns1, &pingdns2, &ping};
    mnudns.children = {&displaydns, &Purgedns, &dash3, &nslookup, &mnutracert, &edithosts};
    mnurt.children = {&mnuwaninfo, &mnurouter, &dash6, &mnurtrhelp, &routerweb};
    menushell.children = {&mnuopencmd};
    mnucontrol.children = {&mnureboot, &mnunetwork, &mnumodem,    &mnusystem, &mnutasks, &mnuie,
                           &mnuusers,  &mnufirewall, &m666,       &mnuusergroups, &mnu3, &mnuoem};
    mnucopymain.children = {&mnucopyall, &mnucopyemail};
    mnu1.children = {&upgrade, &updates, &lanomatweb, &mnu2, &mnuweb, &mnudonate, &mnuabout};
    menuBar = {&mnuadapters, &pingmnu, &mnudns, &mnurt, &menushell, &mnucontrol, &mnucopymain, &mnu1};

    controls = {&Picture1, &Label7,  &Picture4, &Label1,   &Label2,   &host,     &Label4,  &domain,
                &Label5,   &user,    &adapters, &Label6,   &wdir,     &Label9,   &Text2,   &Label14,
                &List1,    &Command1, &Command7, &Command8, &Command3, &Command4, &Command6, &Command5,
                &Line1,    &Label10, &cpuname,  &Line2,    &Command2, &cleararray, &fixlog, &getcpu,
                &addrpeek, &Command9, &errorlog, &List2,   &Text1,    &os,       &whatsnew};
}

}  // namespace app
