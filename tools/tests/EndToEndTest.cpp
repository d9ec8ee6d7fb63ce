// The toolbox on this machine: scripts written by the commands run through
// the script runner and reach the real tools (ping; ipconfig and dhclient in
// network namespaces served by dnsmasq).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

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
    Netns* ns = nullptr;
    std::vector<std::string> outputs;
    bool start(const std::string& commandLine, platform::WindowStyle) override {
        auto argv = platform::linux_backend::argvFor(commandLine);
        if (argv.empty()) return false;
        ExecResult r = ns ? ns->exec(argv, 60000) : runProgram(argv, 60000, true);
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

// dnsmasq serves one namespace; dhclient holds a lease in the other.
class DhcpClientReached : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why = namespaceSkipReason();
        if (!why.empty()) GTEST_SKIP() << why;
        for (const char* tool : {"dnsmasq", "dhclient"})
            if (findProgram(tool).empty()) GTEST_SKIP() << "skipped: " << tool << " is not installed";
        srv_ = std::make_unique<Netns>("tsrv");
        cli_ = std::make_unique<Netns>("tcli");
        ASSERT_TRUE(srv_->ok() && cli_->ok());
        ASSERT_TRUE(srv_->ip({"link", "add", "vsrv", "type", "veth", "peer", "name", "vlease"}));
        ASSERT_TRUE(srv_->ip({"link", "set", "vlease", "netns", cli_->name()}));
        ASSERT_TRUE(srv_->ip({"addr", "add", "10.31.0.1/24", "dev", "vsrv"}));
        ASSERT_TRUE(srv_->ip({"link", "set", "vsrv", "up"}));
        ASSERT_TRUE(cli_->ip({"link", "set", "vlease", "up"}));

        const std::string s = srv_->folder();
        leases_ = s + "/dnsmasq.leases";
        ExecResult d = srv_->exec({"dnsmasq", "--conf-file=/dev/null", "--port=0", "--user=root",
                                   "--interface=vsrv", "--bind-interfaces", "--dhcp-authoritative",
                                   "--dhcp-range=10.31.0.50,10.31.0.60,255.255.255.0,1h",
                                   "--dhcp-option=3,10.31.0.1", "--dhcp-leasefile=" + leases_,
                                   "--pid-file=" + s + "/dnsmasq.pid", "--log-facility=" + s + "/dnsmasq.log"});
        ASSERT_EQ(d.exitCode, 0) << d.output;

        // The lease is applied inside the client's namespace only.
        const std::string c = cli_->folder();
        ASSERT_TRUE(writeFile(c + "/hook.sh",
                              "#!/bin/sh\ncase \"$reason\" in\n"
                              "BOUND|RENEW|REBIND|REBOOT) ip -4 addr flush dev \"$interface\"; "
                              "ip addr add \"$new_ip_address/$new_subnet_mask\" dev \"$interface\";;\n"
                              "RELEASE|EXPIRE|STOP|FAIL) ip -4 addr flush dev \"$interface\";;\n"
                              "esac\nexit 0\n"));
        chmod((c + "/hook.sh").c_str(), 0755);
        ASSERT_TRUE(writeFile(c + "/dhclient.conf", "timeout 20;\nrequest subnet-mask, routers;\n"));
        ExecResult dh = cli_->exec({"dhclient", "-4", "-cf", c + "/dhclient.conf", "-lf", c + "/dhclient.leases",
                                    "-pf", c + "/dhclient.pid", "-sf", c + "/hook.sh", "vlease"},
                                   30000);
        ASSERT_EQ(dh.exitCode, 0) << "dhclient got no lease: " << dh.output;
    }

    std::string clientAddress() {
        ExecResult r = cli_->exec({"ip", "-4", "-o", "addr", "show", "dev", "vlease"});
        auto at = r.output.find("inet ");
        if (at == std::string::npos) return {};
        return r.output.substr(at + 5, r.output.find('/', at) - at - 5);
    }

    // A capture as the program makes it: the report of the client's namespace, parsed into the form.
    void capture(LiveForm& t) {
        ExecResult run = cli_->exec({binPath("ipconfig"), "/all"});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        t.form.os.setCaption("vista");
        t.form.List1.clear();
        for (const auto& line : capture::reportListFrom(splitCrLf(run.output))) t.form.List1.add(line);
        capture::clearTable(t.form);
        capture::parse(t.form, t.p);
    }

    std::unique_ptr<Netns> srv_, cli_;
    std::string leases_;
};

TEST_F(DhcpClientReached, AdapterScriptsReleaseAndRenewTheLease) {
    LiveForm t;
    t.processes.ns = cli_.get();
    std::string address = clientAddress();
    ASSERT_FALSE(address.empty());

    capture(t);
    ASSERT_GE(t.form.adapters.count(), 1);
    ASSERT_TRUE(t.form.adapters.select(0));
    ASSERT_EQ(t.form.selectedAdapter, 1);
    EXPECT_EQ(readFile(t.dir + "/1renew.bat").value_or(""), "ipconfig /renew *vlease*\r\n");

    t.form.Command7.click();
    ASSERT_EQ(t.processes.outputs.size(), 1u);
    EXPECT_NE(t.processes.outputs[0].find("vlease: released through dhclient"), std::string::npos)
        << t.processes.outputs[0];
    EXPECT_EQ(clientAddress(), "");
    EXPECT_EQ(readFile(leases_).value_or("").find(address), std::string::npos) << "the server saw the release";
    EXPECT_EQ(t.form.List1.items(), std::vector<std::string>{"Click Refresh"});

    t.form.Command8.click();
    ASSERT_EQ(t.processes.outputs.size(), 2u);
    std::string renewed = clientAddress();
    EXPECT_FALSE(renewed.empty()) << t.processes.outputs[1];
    EXPECT_NE(readFile(leases_).value_or("").find(renewed), std::string::npos) << "the server leased it again";

    std::vector<std::string> messages;
    for (const auto& m : t.fake.dialogs.messages) messages.push_back(m.text.substr(0, m.text.find('\n')));
    EXPECT_EQ(messages, (std::vector<std::string>{"Adapter 1 Released", "Adapter 1 Renewed"}));
}

}  // namespace
