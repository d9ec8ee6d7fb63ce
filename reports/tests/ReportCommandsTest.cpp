#include <gtest/gtest.h>

#include "forms/MainForm.h"
#include "fakes/FakePlatform.h"
#include "reports/ReportCommands.h"

namespace {

struct ReportsFixture : ::testing::Test {
    app::MainForm form;
    fakes::FakePlatform fake;
    ReportsFixture() {
        form.host.setText("DESK1");
        form.domain.setText("HOME");
        form.Label4.setCaption("Workgroup");
        form.user.setText("anna");
        form.wdir.setText("C:\\WINDOWS");
        form.Label7.setCaption("Windows XP Professional");
        form.Text2.setText("512 MB");
        reports::wireReports(form, fake.platform);
    }
    void addAdapter(int number, const std::string& name) {
        form.adapters.add(std::to_string(number) + ") " + name);
        form.adapterTable[static_cast<std::size_t>(number)][0] = std::to_string(number) + ") " + name;
    }
};

TEST_F(ReportsFixture, CopyAllPutsTheWindowOnTheClipboard) {
    addAdapter(1, "LAN");
    form.adapterTable[1][7] = "Default Gateway:  192.168.1.1";
    form.adapterTable[1][13] = "Lease Obtained:   today";  // field 13 is not part of the report
    form.Text1.setText("203.0.113.7");
    fake.clipboard.text = "old";
    form.mnucopyall.click();
    EXPECT_EQ(fake.clipboard.clears, 1);
    const std::string& text = fake.clipboard.text;
    EXPECT_EQ(text.rfind("Computer name:    DESK1\r\nDomain/Workgroup: HOME(Workgroup)\r\n", 0), 0u);
    EXPECT_NE(text.find("Public (WAN) IP : 203.0.113.7\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\n1) LAN\r\nDefault Gateway:  192.168.1.1\r\n" + std::string(55, '-') + "\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Lease Obtained"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(ReportsFixture, NoAdaptersGoesStraightToTheClosingLine) {
    form.mnucopyall.click();
    EXPECT_NE(fake.clipboard.text.find("Network Adapter Configuration\r\n\r\n" + std::string(reports::kReportClosingLine)),
              std::string::npos);
}

TEST_F(ReportsFixture, MoreListedAdaptersThanTableRowsStopsAtTheTable) {
    for (int n = 1; n <= 10; ++n) addAdapter(n, "eth" + std::to_string(n));
    form.adapters.add("11) extra");
    form.mnucopyall.click();
    EXPECT_NE(fake.clipboard.text.find("10) eth10\r\n"), std::string::npos);
    EXPECT_EQ(fake.clipboard.text.find("extra"), std::string::npos);
}

TEST_F(ReportsFixture, EmailOpensOneMailtoAddress) {
    addAdapter(1, "LAN & Wi-Fi");
    form.mnucopyemail.click();
    ASSERT_EQ(fake.shell.opened.size(), 1u);
    EXPECT_EQ(fake.shell.opened[0], reports::mailtoAddress(reports::reportFields(form)));
    EXPECT_NE(fake.shell.opened[0].find("1) LAN %26 Wi-Fi%0A"), std::string::npos);
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_TRUE(fake.clipboard.text.empty());
}

TEST_F(ReportsFixture, EmailWithoutMailProgramSaysSo) {
    fake.shell.succeed = false;
    form.mnucopyemail.click();
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, "cfgscope");
}

TEST_F(ReportsFixture, AddressListBox) {
    form.List2.add("192.168.1.10");
    form.List2.add("10.0.0.5");
    form.Text1.setText("Unable to Connect/err1");
    form.mnushowiplist.click();
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].title, "IP Address List        ");
    EXPECT_EQ(fake.dialogs.messages[0].text,
              "Private IPs:\n  192.168.1.10\n  10.0.0.5\n\nPublic IP:\n  Unable to Connect/err1");
}

}  // namespace
