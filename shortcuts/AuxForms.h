// The About, manufacturer-information and OEM-editor windows and what each
// does when it loads.
#pragma once

#include <string>

#include "platform/Platform.h"
#include "shortcuts/AuxWindow.h"

namespace shortcuts {

struct AboutForm : AuxWindow {
    AboutForm();
    ui::Picture Picture1{"Picture1"};
    ui::Picture Picture4{"Picture4"};
    ui::Label Label4{"Label4"};
    ui::Label Label9{"Label9"};
    ui::Label Label3{"Label3"};
    ui::Label Label2{"Label2"};
    ui::Label Label1{"Label1"};
};

struct ManufacturerForm : AuxWindow {
    ManufacturerForm();
    ui::Picture Image1{"Image1"};
    ui::Label Label1{"Label1"};
    ui::Label Label2{"Label2"};
    ui::Label Label3{"Label3"};
    ui::Label Label4{"Label4"};
    ui::TextBox Text1{"Text1"};  // several lines (multiLine)
    ui::Button Command2{"Command2"};
    ui::Button Command1{"Command1"};  // working: reads the manufacturer data
};

struct OemEditorForm : AuxWindow {
    OemEditorForm();
    ui::Label Label2{"Label2"};
    ui::Label Label1{"Label1"};
    ui::Button Command1{"Command1"};
};

std::string versionText();        // "Version 1.3.0" from the program's version numbers
std::string aboutVersionCaption();  // Label2: version and copyright
extern const char* const kDisclaimerText;
// The notice names the product web server's page "/software.shtml";
// `productServer` is the server's base address.
std::string oemEditorNotice(const std::string& productServer);

// Each load fills the window's texts and connects its controls.
void loadAbout(AboutForm& form);
void loadManufacturerForm(ManufacturerForm& form, platform::Platform& p, const std::string& windir);
// `openEditorPage` opens the OEM editor's web page.
void loadOemEditor(OemEditorForm& form, const std::string& productServer, std::function<void()> openEditorPage);

}  // namespace shortcuts
