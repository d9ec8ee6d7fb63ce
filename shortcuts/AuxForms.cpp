#include "shortcuts/AuxForms.h"

#include "ProgramVersion.h"
#include "ui/Pictures.h"
#include "shortcuts/ManufacturerFile.h"
#include "shortcuts/ManufacturerSource.h"

namespace shortcuts {

namespace {

void place(ui::Control& c, int left, int top, int width, int height) { c.geometry = {left, top, width, height}; }

const ui::Font kBold{"Arial", 8.25, true};

}  // namespace

const char* const kDisclaimerText =
    "This program is provided \"as is\", without warranty of any kind. It only shows and passes on "
    "your network settings; you use it, and any change it starts, at your own risk.";

std::string versionText() { return std::string("Version ") + CFGSCOPE_VERSION; }

std::string aboutVersionCaption() {
    return versionText() + "\r\nCopyright (c) 2007 Vorlan Software. All rights reserved.";
}

std::string oemEditorNotice(const std::string& productServer) {
    return "If you would like to change the Manufacturer (OEM) Info in your System Properties,\r\n\r\n"
           "Check out our OEM Info for Vista Editing Tool\r\n\r\n" +
           productServer + "/software.shtml\r\n\r\n";
}

AboutForm::AboutForm() : AuxWindow("", 4410, 3270) {
    place(Picture1, 120, 120, 960, 960);
    place(Picture4, 1200, 180, 3060, 600);
    place(Label4, 1200, 840, 1800, 255);
    place(Label9, 3120, 840, 1140, 255);
    place(Label3, 120, 1680, 4170, 255);
    place(Label2, 120, 1200, 4170, 450);
    place(Label1, 120, 1980, 4170, 1170);
    Picture1.resource = ui::kLogoPicture;
    Picture4.resource = ui::kBannerPicture;
    Label4.foreground = ui::Color{0, 128, 0};
    Label4.font = kBold;
    Label9.align = ui::Align::Right;
    Label9.foreground = ui::Color{128, 128, 128};
    Label3.font = kBold;
    controls = {&Picture1, &Picture4, &Label4, &Label9, &Label3, &Label2, &Label1};
}

ManufacturerForm::ManufacturerForm() : AuxWindow("Manufacturer Information", 5130, 5040) {
    place(Image1, 120, 120, 1800, 1800);
    place(Label1, 2040, 240, 2970, 255);
    place(Label2, 2040, 600, 2970, 255);
    place(Label3, 2040, 1080, 2970, 255);
    place(Label4, 2040, 1380, 2970, 480);
    place(Text1, 120, 2040, 4890, 2280);
    Text1.multiLine = true;
    place(Command2, 3840, 4440, 1170, 420);
    Label1.font = kBold;
    Label3.font = kBold;
    Label4.foreground = ui::Color{0, 0, 192};
    Command2.setCaption("Close");
    Command1.working = true;
    controls = {&Image1, &Label1, &Label2, &Label3, &Label4, &Text1, &Command2, &Command1};
}

OemEditorForm::OemEditorForm() : AuxWindow("OEM Editor", 4275, 2490) {
    place(Label2, 120, 120, 4035, 1500);
    place(Label1, 120, 1680, 4035, 255);
    place(Command1, 3000, 1980, 1155, 390);
    Label1.setCaption("Click here for more info on the web");
    Label1.foreground = ui::Color{0, 0, 255};
    Command1.setCaption("Close");
    controls = {&Label2, &Label1, &Command1};
}

void loadAbout(AboutForm& f) {
    f.Label4.setCaption("WORKS with VISTA");
    f.Label9.setCaption("0410071200");
    f.Label2.setCaption(aboutVersionCaption());
    f.Label3.setCaption("Disclaimer");
    f.Label1.setCaption(kDisclaimerText);
    auto hide = [&f] { f.hide(); };
    f.onWindowClick = hide;
    for (ui::Label* label : {&f.Label1, &f.Label2, &f.Label3}) label->onClick = hide;
}

void loadManufacturerForm(ManufacturerForm& f, platform::Platform& p, const std::string& windir) {
    for (ui::Label* label : {&f.Label1, &f.Label2, &f.Label3, &f.Label4}) label->setCaption("");
    f.Command1.onClick = [&f, &p, windir] {
        f.Text1.setText("");
        auto lines = manufacturerLines(p, windir);
        if (!lines) return;
        const ManufacturerInfo info = readManufacturerLines(*lines);
        if (!info.manufacturer.empty()) f.Label1.setCaption(info.manufacturer);
        if (!info.model.empty()) f.Label2.setCaption(info.model);
        if (!info.supportHeading.empty()) {
            f.Label3.setCaption(info.supportHeading);
            f.Label3.setVisible(true);
            f.Label4.setCaption(info.supportUrl);
        }
        f.Text1.setText(info.supportLines);
    };
    f.Command1.click();
    const std::string logo = manufacturerLogoPath(windir);
    if (p.files.fileExists(logo)) f.Image1.resource = ui::kPictureFilePrefix + logo;
    f.Command2.onClick = [&f] { f.hide(); };
}

void loadOemEditor(OemEditorForm& f, const std::string& productServer, std::function<void()> openEditorPage) {
    f.Label2.setCaption(oemEditorNotice(productServer));
    f.Label1.onClick = openEditorPage;
    f.Label2.onClick = openEditorPage;
    f.Command1.onClick = [&f] { f.hide(); };
}

}  // namespace shortcuts
