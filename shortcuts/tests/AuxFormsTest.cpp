#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "shortcuts/AuxForms.h"
#include "shortcuts/ManufacturerSource.h"

namespace {

TEST(AboutWindow, TextsAndEveryClickHides) {
    shortcuts::AboutForm about;
    shortcuts::loadAbout(about);
    EXPECT_EQ(about.caption, "");
    EXPECT_EQ(about.clientWidth, 4410);
    EXPECT_EQ(about.clientHeight, 3270);
    EXPECT_EQ(about.Label4.caption(), "WORKS with VISTA");
    EXPECT_EQ(about.Label9.caption(), "0410071200");
    EXPECT_EQ(about.Label3.caption(), "Disclaimer");
    EXPECT_EQ(about.Label2.caption().rfind("Version 1.3.0\r\n", 0), 0u);
    EXPECT_FALSE(about.Label1.caption().empty());
    std::vector<std::function<void()>> clicks{[&] { about.Label1.click(); }, [&] { about.Label2.click(); },
                                              [&] { about.Label3.click(); }, [&] { about.onWindowClick(); }};
    for (auto& click : clicks) {
        int closes = 0;
        about.shown = true;
        about.close = [&] { ++closes; };
        click();
        EXPECT_FALSE(about.shown);
        EXPECT_EQ(closes, 1);
    }
}

struct ManufacturerWindow : ::testing::Test {
    fakes::FakePlatform fake;
    shortcuts::ManufacturerForm form;
    const std::string windir = "C:\\WINDOWS";
    void load() { shortcuts::loadManufacturerForm(form, fake.platform, windir); }
};

TEST_F(ManufacturerWindow, FileFillsTheWindow) {
    fake.files.files["C:\\WINDOWS\\system32\\oeminfo.ini"] = {
        "[General]", "Manufacturer=Acme", "Model=X1", "SupportURL=http://acme.example", "Line1=\"Call us\""};
    fake.files.files["C:\\WINDOWS\\system32\\oemlogo.bmp"] = {};
    fake.system.manufacturerLines = std::vector<std::string>{"Manufacturer=Other"};  // the file wins
    load();
    EXPECT_EQ(form.caption, "Manufacturer Information");
    EXPECT_EQ(form.Label1.caption(), "Acme");
    EXPECT_EQ(form.Label2.caption(), "X1");
    EXPECT_EQ(form.Label3.caption(), "Web Support");
    EXPECT_EQ(form.Label4.caption(), "http://acme.example");
    EXPECT_EQ(form.Text1.text(), "  Call us\r\n");
    EXPECT_EQ(form.Image1.resource, "file:C:\\WINDOWS\\system32\\oemlogo.bmp");
}

TEST_F(ManufacturerWindow, PlatformLinesStandInForAMissingFile) {
    fake.system.manufacturerLines = std::vector<std::string>{"Manufacturer=QEMU", "Model=Standard PC"};
    load();
    EXPECT_EQ(form.Label1.caption(), "QEMU");
    EXPECT_EQ(form.Label2.caption(), "Standard PC");
    EXPECT_EQ(form.Image1.resource, "");
    EXPECT_TRUE(shortcuts::manufacturerDataExists(fake.platform, windir));
}

TEST_F(ManufacturerWindow, NothingToReadLeavesEveryFieldEmpty) {
    load();
    for (const ui::Label* label : {&form.Label1, &form.Label2, &form.Label3, &form.Label4})
        EXPECT_EQ(label->caption(), "") << label->name();
    EXPECT_EQ(form.Text1.text(), "");
    EXPECT_FALSE(shortcuts::manufacturerDataExists(fake.platform, windir));
    form.shown = true;
    form.Command2.click();
    EXPECT_FALSE(form.shown);
}

TEST(OemEditorWindow, NoticeText) {
    shortcuts::OemEditorForm editor;
    shortcuts::loadOemEditor(editor, "http://products.test", [] {});
    EXPECT_EQ(editor.caption, "OEM Editor");
    EXPECT_EQ(editor.Label1.caption(), "Click here for more info on the web");
    EXPECT_EQ(editor.Label2.caption(),
              "If you would like to change the Manufacturer (OEM) Info in your System Properties,\r\n\r\n"
              "Check out our OEM Info for Vista Editing Tool\r\n\r\n"
              "http://products.test/software.shtml\r\n\r\n");
    EXPECT_EQ(editor.Command1.caption(), "Close");
}

}  // namespace
