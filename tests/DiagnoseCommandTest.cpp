#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
#include <sstream>

#include "ThrowawayUser.h"
#include "cfgscope/DiagnoseCommand.h"

namespace {

struct Run {
    int code;
    std::string out, err;
};

Run run(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = cfgscope::runCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

std::string data(const std::string& name) { return std::string(TEST_DATA_DIR) + "/" + name; }

// The output with the time stamps replaced, so it can be compared whole.
std::string withoutTimes(const std::string& text) {
    static const std::regex stamp("(^|\n)[0-9]{1,2}:[0-9]{2}:[0-9]{2}( [AP]M)?");
    return std::regex_replace(text, stamp, "$1T");
}

std::string tempFile(const std::string& content) {
    char name[] = "/tmp/cfgscope-test-XXXXXX";
    int fd = mkstemp(name);
    std::FILE* f = fdopen(fd, "wb");
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    return name;
}

}  // namespace

// The diagnosis proper, after the host facts.
std::string fromStatus(const std::string& text) {
    auto at = text.find("Status: ");
    return at == std::string::npos ? text : text.substr(at);
}

TEST(DiagnoseCommand, SavedXpReport) {
    auto r = run({"--diagnose", data("xp-cable-apipa-unset.txt")});
    EXPECT_EQ(r.code, 1);
    // The facts the report holds come first: its computer, addresses and language.
    EXPECT_EQ(r.out.rfind("Computer name: LAB-07\nPrivate IP: 169.254.23.5 / 0.0.0.0\nLanguage: en\nStatus: ", 0), 0u) << r.out;
    EXPECT_EQ(withoutTimes(fromStatus(r.out)),
              "Status: Adapter 3 : An IP address is not set.  Click to see log.\n"
              "Adapters:\n"
              "1) Ethernet adapter Local Area Connection\n"
              "  Name:             Realtek RTL8139 Family PCI Fast Ethernet NIC\n"
              "  Mac Address:      00-11-2F-AA-01-02\n"
              "  Media State:      Media disconnected\n"
              "2) Ethernet adapter Wireless Network Connection\n"
              "  Name:             Intel(R) PRO/Wireless 2200BG Network Connection\n"
              "  IP Address:       169.254.23.5\n"
              "  Mac Address:      00-13-CE-11-22-33\n"
              "  Dhcp Enabled:     Yes\n"
              "  Autocfg. Enabled: Yes\n"
              "  Subnet Mask:      255.255.0.0\n"
              "3) Ethernet adapter 1394 Connection\n"
              "  Name:             1394 Net Adapter\n"
              "  IP Address:       0.0.0.0\n"
              "  Mac Address:      52-E5-3B-9F-00-01-02-03\n"
              "  Dhcp Enabled:     No\n"
              "  Subnet Mask:      0.0.0.0\n"
              "Log:\n"
              "T Refreshing ...\n"
              "T Adapter 1 Media not connected: Cable Error\n"
              "T Adapter 2\n"
              "No DHCP address assigned.\n"
              "169.254.23.5\n"
              "T Adapter 3 : IP address is not set. (0.0.0.0)\n");
}

TEST(DiagnoseCommand, ExitStatusAndDialect) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* inOutput;
    } cases[] = {
        {{"--diagnose", data("xp-dhcp-two-dns.txt")}, 0, "\nStatus: No errors found\n"},
        {{"--diagnose", data("xp-internal-error.txt")}, 1, "Detail:\n"},
        // Detected as the newer layout from its "IPv4 Address" line.
        {{"--diagnose", data("vista-ethernet-wifi-tunnels.txt")}, 1, "IP Address:       192.168.1.102(Preferred) \n"},
        // Read as the older layout, "IPv4 Address" is no address label and tunnels are adapters.
        {{"--diagnose", data("vista-ethernet-wifi-tunnels.txt"), "--dialect", "xp"}, 1, "3) Tunnel adapter"},
    };
    for (const auto& c : cases) {
        auto r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args[1];
        EXPECT_NE(r.out.find(c.inOutput), std::string::npos) << r.out;
    }
}

TEST(DiagnoseCommand, LfAndCrLfGiveTheSameResult) {
    std::ifstream in(data("xp-dhcp-two-dns.txt"), std::ios::binary);
    std::string crlf((std::istreambuf_iterator<char>(in)), {});
    std::string lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    auto a = tempFile(crlf), b = tempFile(lf);
    auto ra = run({"--diagnose", a}), rb = run({"--diagnose", b});
    EXPECT_EQ(withoutTimes(fromStatus(ra.out)), withoutTimes(fromStatus(rb.out)));
    std::remove(a.c_str());
    std::remove(b.c_str());
}

TEST(DiagnoseCommand, BadInputIsReportedClearly) {
    const std::string fifo = tempFile("");
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // 200 MB that take no room: a sparse file.
    const std::string huge = tempFile("");
    ASSERT_EQ(truncate(huge.c_str(), 200L * 1024 * 1024), 0);
    std::mt19937 rng(2);
    std::string randomBytes(100000, '\0');
    for (auto& c : randomBytes) c = static_cast<char>(rng());
    const std::string empty = tempFile(""), random = tempFile(randomBytes),
                      passwd = tempFile("root:x:0:0:root:/root:/bin/bash\n");
    struct Case {
        std::vector<std::string> args;
        std::string inError;
    } cases[] = {
        {{"--diagnose", "/nonexistent/report.txt"}, "cannot read the report '/nonexistent/report.txt'"},
        {{"--diagnose", "/"}, "cannot read the report"},
        {{"--diagnose", data("xp-dhcp-two-dns.txt"), "--dialect", "win7"}, "unknown dialect 'win7'"},
        {{"--diagnose", data("xp-dhcp-two-dns.txt"), "--dialect"}, "--dialect needs a value"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"--diagnose", data("xp-dhcp-two-dns.txt"), "--codepage", "1234"}, "unknown code page '1234': use one of 437"},
        {{"--diagnose", data("xp-dhcp-two-dns.txt"), "--codepage", "-850"}, "unknown code page '-850'"},
        {{"--json", data("xp-dhcp-two-dns.txt")}, "reports are diagnosed with --diagnose FILE..."},
        // What is not a report is refused, and nothing is opened that could block.
        {{"--diagnose", fifo}, "'" + fifo + "': it is not a regular file but a FIFO"},
        {{"--diagnose", "/dev/zero"}, "it is not a regular file but a character device"},
        {{"--diagnose", "/tmp"}, "'/tmp': it is a folder"},
        {{"--diagnose", huge}, "it is larger than 4 MiB"},
        {{"--diagnose", empty}, "it is empty"},
        {{"--diagnose", random}, "it is not a report: neither an 'ipconfig /all' report"},
        {{"--diagnose", passwd}, "it is not a report"},
    };
    for (const auto& c : cases) {
        auto r = run(c.args);
        EXPECT_EQ(r.code, 2) << c.inError;
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    for (const auto& file : {fifo, huge, empty, random, passwd}) std::remove(file.c_str());
}

TEST(DiagnoseCommand, ManyReportsInOneCall) {
    struct Case {
        std::vector<std::string> files;
        int code;
    } cases[] = {
        {{data("xp-dhcp-two-dns.txt"), data("utf8-linux-report.txt")}, 0},
        {{data("xp-dhcp-two-dns.txt"), data("copyall-xp-clipboard.txt"), data("cp437-xp-us-names.txt")}, 1},
        {{data("xp-cable-apipa-unset.txt"), "/nonexistent", data("xp-dhcp-two-dns.txt")}, 2},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--diagnose"};
        args.insert(args.end(), c.files.begin(), c.files.end());
        auto text = run(args);
        EXPECT_EQ(text.code, c.code);
        // Each block is headed by its file, in the order given.
        std::size_t at = 0;
        for (const auto& file : c.files) {
            std::size_t heading = text.out.find("Report: " + file + "\n", at);
            ASSERT_NE(heading, std::string::npos) << file << "\n" << text.out;
            at = heading + 1;
        }
        if (c.code == 2) {
            EXPECT_NE(text.out.find("Report: /nonexistent\nNot diagnosed: No such file"), std::string::npos);
        }

        args.push_back("--json");
        auto json = run(args);
        EXPECT_EQ(json.code, c.code);
        std::istringstream lines(json.out);
        std::size_t n = 0;
        for (std::string line; std::getline(lines, line); ++n) {
            auto j = nlohmann::json::parse(line);
            EXPECT_EQ(j["file"], c.files[n]);
            EXPECT_LE(j["exitStatus"].get<int>(), c.code);
            EXPECT_EQ(j.contains("error"), c.files[n] == "/nonexistent") << line;
        }
        EXPECT_EQ(n, c.files.size());
    }
}

TEST(DiagnoseCommand, StandardInput) {
    std::ifstream in(data("utf16-vista-powershell.txt"), std::ios::binary);
    std::string report((std::istreambuf_iterator<char>(in)), {});
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], report.data(), report.size()), static_cast<ssize_t>(report.size()));
    close(fds[1]);
    int saved = dup(0);
    dup2(fds[0], 0);
    close(fds[0]);
    auto r = run({"--diagnose", "-", "--json"});
    dup2(saved, 0);
    close(saved);
    EXPECT_EQ(r.code, 1) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["file"], "-");
    EXPECT_EQ(j["encoding"], "utf-16le");
    EXPECT_EQ(j["adapters"][0]["name"], "Wireless LAN adapter Wireless Network Connection Küche");
}

// Running out of memory is a report that cannot be read: exit status 2
// with a message, never an abort, and the next report is still diagnosed.
TEST(DiagnoseCommand, OutOfMemoryEndsInStatusTwo) {
    std::string lines = "Windows IP Configuration\n";
    while (lines.size() < 4000000) lines += "IP Address: a\n";
    const std::string big = tempFile(lines);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = fork();
    if (child == 0) {
        // Room for what is mapped now and a little more.
        std::ifstream status("/proc/self/status");
        long vmKb = 0;
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmSize:", 0) == 0) vmKb = std::stol(line.substr(7));
        rlimit limit{static_cast<rlim_t>(vmKb + 30 * 1024) * 1024, static_cast<rlim_t>(vmKb + 30 * 1024) * 1024};
        setrlimit(RLIMIT_AS, &limit);
        std::ostringstream out, err;
        int code = cfgscope::runCommandLine({"--diagnose", big, data("xp-dhcp-two-dns.txt")}, out, err);
        std::string text = err.str() + "|" + (out.str().find("Status: No errors found") != std::string::npos ? "next" : "");
        ssize_t ignored = write(fds[1], text.data(), text.size());
        (void)ignored;
        _exit(code);
    }
    close(fds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::remove(big.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(text.find("': out of memory\n"), std::string::npos) << text;
    EXPECT_NE(text.find("|next"), std::string::npos) << text;
}

TEST(DiagnoseCommand, UnreadableFileIsRefusedWithTheReason) {
    testing_support::ThrowawayUser reader("rd");
    if (!reader.ok()) GTEST_SKIP() << "needs root and useradd";
    const std::string secret = tempFile("Windows IP Configuration\n");  // 0600, root's
    int code = reader.runAs([&] {
        std::ostringstream out, err;
        int status = cfgscope::runCommandLine({"--diagnose", secret}, out, err);
        return status == 2 && err.str().find("': Permission denied") != std::string::npos ? 0 : 1;
    });
    std::remove(secret.c_str());
    EXPECT_EQ(code, 0);
}

TEST(DiagnoseCommand, HelpAndVersion) {
    auto h = run({"--help"});
    EXPECT_EQ(h.code, 0);
    EXPECT_NE(h.out.find("--diagnose FILE"), std::string::npos);
    auto v = run({"--version"});
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out, "cfgscope 1.3.0\n");
}
