// The toolbox on this machine: scripts written by the commands run through
// the script runner and reach the real tools (ping; ipconfig and dhclient in
// the network lab served by dnsmasq).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "Lab.h"
#include "Netns.h"
#include "forms/MainForm.h"
#include "capture/AdapterViewOperation.h"
#include "capture/Capture.h"
#include "capture/ParseOperation.h"
#include "fakes/FakePlatform.h"
#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxProcesses.h"
#include "standins/common/Files.h"
#include "tools/ToolsWiring.h"

using namespace standins;
using namespace standins::testing;

namespace {

// Runs each started command line as the backend maps it, to its end, with
// its output kept; inside a namespace when one is given.
class RunToEnd : public platform::Processes {
public:
    Lab* lab = nullptr;
    std::vector<std::string> outputs;
    bool start(const std::string& commandLine, platform::WindowStyle) override {
        auto argv = platform::linux_backend::argvFor(commandLine);
        if (argv.empty()) return false;
        ExecResult r = lab ? lab->run(argv, 60000) : runProgram(argv, 60000, true);
        outputs.push_back(r.output);
        return r.started && !r.timedOut;
    }
};

// A main form whose working folder is a real temporary folder.
struct LiveForm {
    app::MainForm form;
    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    RunToEnd processes;
    platform::Platform p{files,         processes,     fake.env,      fake.session, fake.clipboard,
                         fake.dialogs,  fake.system,   fake.download, fake.shell};
    std::string dir;

    LiveForm() {
        char tmpl[] = "/tmp/cfte-XXXXXX";
        dir = mkdtemp(tmpl) ? tmpl : "";
        setenv("CFGSCOPE_STANDINS", STANDINS_BIN_DIR, 1);
        form.workingFolder = dir + "\\";  // as start-up builds it: TEMP + "\cfgscope\"
        form.adapters.onClick = [this] { capture::showSelectedAdapter(form); };
        wireTools(form, p);
    }
    ~LiveForm() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

TEST(EndToEnd, PingScriptForLoopbackPrintsFourReplies) {
    if (findProgram("ping").empty()) GTEST_SKIP() << "skipped: ping is not installed";
    LiveForm t;
    ASSERT_FALSE(t.dir.empty());
    t.fake.dialogs.answers = {"127.0.0.1"};
    t.form.ping.click();
    EXPECT_EQ(readFile(t.dir + "/pingother.bat").value_or(""),
              "@echo off\r\n@echo ---------------------------------------------------------\r\n"
              "@echo Ping 127.0.0.1\r\n@echo ---------------------------------------------------------\r\n"
              "ping 127.0.0.1\r\n@echo ---------------------------------------------------------\r\n@pause\r\n");
    ASSERT_EQ(t.processes.outputs.size(), 1u);
    const std::string& out = t.processes.outputs[0];
    if (out.find("Operation not permitted") != std::string::npos) GTEST_SKIP() << "skipped: ping may not run here";
    EXPECT_EQ(count(out, "bytes from 127.0.0.1"), 4) << out;
    EXPECT_NE(out.find("Ping 127.0.0.1"), std::string::npos) << out;
    EXPECT_NE(out.find("Press any key to continue"), std::string::npos) << out;
    EXPECT_TRUE(t.fake.dialogs.messages.empty());
}

// A host pasted with a line break and a second command, or a redirection:
// the script runner would run the second line as the user. Nothing runs and
// no file is touched.
TEST(HostileHosts, PastedCommandsAndRedirectionsNeverRun) {
    LiveForm t;
    ASSERT_FALSE(t.dir.empty());
    const std::string mark = t.dir + "/ran", target = t.dir + "/profile";
    for (const std::string& host : {"127.0.0.1\r\ntouch " + mark, "127.0.0.1\ntouch " + mark,
                                   "127.0.0.1 > " + target, "127.0.0.1 -c 1 >> " + target}) {
        for (auto* item : {&t.form.ping, &t.form.mnutracert, &t.form.nslookup}) {
            t.fake.dialogs.answers = {host};
            item->click();
        }
    }
    EXPECT_FALSE(exists(mark));
    EXPECT_FALSE(exists(target));
    EXPECT_TRUE(t.processes.outputs.empty());
    EXPECT_EQ(t.fake.dialogs.messages.size(), 12u);
}

// dhclient holds vnm0's lease in the lab (standins/tests/lab/lab.sh).
class DhcpClientReached : public ::testing::Test {
protected:
    void SetUp() override {
        lab_ = std::make_unique<Lab>("dhclient");
        if (lab_->skip()) GTEST_SKIP() << lab_->error();
        ASSERT_TRUE(lab_->ok()) << lab_->error();
    }

    // A capture as the program makes it: the report of the lab, parsed into the form.
    void capture(LiveForm& t) {
        ExecResult run = lab_->run({binPath("ipconfig"), "/all"});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        t.form.os.setCaption("vista");
        t.form.List1.clear();
        for (const auto& line : capture::reportListFrom(splitCrLf(run.output))) t.form.List1.add(line);
        capture::clearTable(t.form);
        capture::parse(t.form, t.p);
    }

    std::unique_ptr<Lab> lab_;
};

TEST_F(DhcpClientReached, AdapterScriptsReleaseAndRenewTheLease) {
    LiveForm t;
    t.processes.lab = lab_.get();
    std::string address = lab_->address();
    ASSERT_FALSE(address.empty());

    capture(t);
    ASSERT_GE(t.form.adapters.count(), 1);
    ASSERT_TRUE(t.form.adapters.select(0));
    ASSERT_EQ(t.form.selectedAdapter, 1);
    EXPECT_EQ(readFile(t.dir + "/1renew.bat").value_or(""), "ipconfig /renew *vnm0*\r\n");

    t.form.Command7.click();
    ASSERT_EQ(t.processes.outputs.size(), 1u);
    EXPECT_NE(t.processes.outputs[0].find("vnm0: released through dhclient"), std::string::npos)
        << t.processes.outputs[0];
    EXPECT_EQ(lab_->address(), "");
    EXPECT_EQ(lab_->serverLeaseExpiry(address), 0) << "the server saw the release";
    EXPECT_EQ(t.form.List1.items(), std::vector<std::string>{"Click Refresh"});

    t.form.Command8.click();
    ASSERT_EQ(t.processes.outputs.size(), 2u);
    std::string renewed = lab_->address();
    EXPECT_FALSE(renewed.empty()) << t.processes.outputs[1];
    EXPECT_NE(lab_->serverLeaseExpiry(renewed), 0) << "the server leased it again";

    std::vector<std::string> messages;
    for (const auto& m : t.fake.dialogs.messages) messages.push_back(m.text.substr(0, m.text.find('\n')));
    EXPECT_EQ(messages, (std::vector<std::string>{"Adapter 1 Released", "Adapter 1 Renewed"}));
}

}  // namespace
