// The Linux backend against this machine's own facts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "fakes/FakePlatform.h"
#include "platform/linux/DomainMembership.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxSystemQueries.h"
#include "sysinfo/Edition.h"
#include "sysinfo/HostFacts.h"
#include "sysinfo/MemoryText.h"

namespace {

using platform::linux_backend::LinuxEnvironment;
using platform::linux_backend::LinuxSystemQueries;

std::string fileText(const char* path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Value of a "Key: value" line of a /proc file.
std::string procValue(const char* path, const std::string& key) {
    std::istringstream in(fileText(path));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0) continue;
        auto value = line.substr(line.find(':') + 1);
        return value.substr(value.find_first_not_of(" \t"));
    }
    return {};
}

// Sets or unsets variables for one test and puts them back afterwards.
class ScopedEnv {
public:
    void set(const char* name, const std::optional<std::string>& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

std::string upperShortHostName() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    std::string text(name);
    text = text.substr(0, text.find('.'));
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(LinuxMachine, MemoryMatchesProcMeminfo) {
    LinuxSystemQueries q;
    auto total = q.totalPhysicalMemory();
    ASSERT_TRUE(total);
    std::string memTotal = procValue("/proc/meminfo", "MemTotal");  // "16384256 kB"
    ASSERT_FALSE(memTotal.empty());
    std::int64_t expected = std::stoll(memTotal) * 1024;
    EXPECT_EQ(*total, expected);

    ScopedEnv env;
    env.set("LC_ALL", "C");
    EXPECT_EQ(q.decimalSeparator(), ".");
    fakes::FakePlatform f;
    platform::Platform p{f.files, f.processes, f.env, f.session, f.clipboard, f.dialogs, q, f.download, f.shell};
    EXPECT_EQ(sysinfo::memoryText(p), sysinfo::formatMemory(expected, "."));
}

TEST(LinuxMachine, OperatingSystemCaptionIsPrettyName) {
    std::istringstream in(fileText("/etc/os-release"));
    std::string pretty;
    for (std::string l; std::getline(in, l);)
        if (l.rfind("PRETTY_NAME=", 0) == 0) pretty = l.substr(12);
    if (pretty.empty()) GTEST_SKIP() << "/etc/os-release has no PRETTY_NAME";
    if (pretty.front() == '"') pretty = pretty.substr(1, pretty.size() - 2);

    LinuxSystemQueries q;
    EXPECT_EQ(q.managementQuery("Win32_OperatingSystem", "Caption"), (std::vector<std::string>{pretty}));
    fakes::FakePlatform f;
    platform::Platform p{f.files, f.processes, f.env, f.session, f.clipboard, f.dialogs, q, f.download, f.shell};
    // No version record here, so there is no version detail to append.
    auto edition = sysinfo::mainEdition(p);
    EXPECT_EQ(edition.text, "Windows (Unknown)");
    EXPECT_EQ(edition.marker, "vista");
    EXPECT_EQ(sysinfo::operatingSystemCaption(p, edition.versionDetail.value_or("")), pretty);

    // The monitor's line under it: the kernel and the machine.
    std::string release = fileText("/proc/sys/kernel/osrelease");
    release = release.substr(0, release.find('\n'));
    auto line = sysinfo::monitorEdition(p).verser;
    ASSERT_TRUE(line);
    EXPECT_EQ(line->rfind("Linux " + release + " ", 0), 0u) << *line;
    EXPECT_GT(line->size(), ("Linux " + release + " ").size()) << *line;
}

TEST(LinuxMachine, CpuNameIsModelName) {
    std::string model = procValue("/proc/cpuinfo", "model name");
    if (model.empty()) GTEST_SKIP() << "/proc/cpuinfo names no model on this machine";
    LinuxSystemQueries q;
    fakes::FakePlatform f;
    platform::Platform p{f.files, f.processes, f.env, f.session, f.clipboard, f.dialogs, q, f.download, f.shell};
    EXPECT_EQ(sysinfo::cpuName(p), model);
}

TEST(LinuxMachine, UnknownQueriesFail) {
    LinuxSystemQueries q;
    EXPECT_EQ(q.version(156), std::nullopt);
    EXPECT_EQ(q.version(148), std::nullopt);
    EXPECT_EQ(q.managementQuery("Win32_BIOS", "Name"), std::nullopt);
    auto part = q.managementQuery("Win32_ComputerSystem", "PartOfDomain");
    ASSERT_TRUE(part);
    EXPECT_EQ(*part, (std::vector<std::string>{
                         platform::linux_backend::readDomainMembership().joined ? "True" : "False"}));
}

TEST(LinuxEnvironmentTest, SetVariablesWin) {
    ScopedEnv env;
    env.set("username", "someone");
    env.set("COMPUTERNAME", "BOX7");
    env.set("userdomain", "LAB");
    env.set("logonserver", "\\\\DC9");
    LinuxEnvironment e;
    EXPECT_EQ(e.get("username"), "someone");
    EXPECT_EQ(e.get("COMPUTERNAME"), "BOX7");
    EXPECT_EQ(e.get("userdomain"), "LAB");
    EXPECT_EQ(e.get("logonserver"), "\\\\DC9");
}

TEST(LinuxEnvironmentTest, StandInsFromTheMachine) {
    ScopedEnv env;
    for (const char* name : {"username", "COMPUTERNAME", "userdomain", "logonserver", "windir", "SystemRoot"})
        env.set(name, std::nullopt);
    LinuxEnvironment e;
    EXPECT_EQ(e.get("COMPUTERNAME"), upperShortHostName());
    EXPECT_FALSE(e.get("COMPUTERNAME").empty());
    EXPECT_EQ(e.get("windir"), "");
    EXPECT_EQ(e.get("SystemRoot"), "");
    EXPECT_FALSE(e.get("username").empty());
    if (geteuid() == 0) {
        EXPECT_EQ(e.get("username"), "root");
    }

    if (platform::linux_backend::readDomainMembership().joined) GTEST_SKIP() << "this machine is in a domain";
    // A machine in no domain logs its users on itself: a workgroup.
    EXPECT_EQ(e.get("userdomain"), upperShortHostName());
    EXPECT_EQ(e.get("logonserver"), "\\\\" + upperShortHostName());
    LinuxSystemQueries q;
    fakes::FakePlatform f;
    platform::Platform p{f.files, f.processes, e, f.session, f.clipboard, f.dialogs, q, f.download, f.shell};
    EXPECT_EQ(sysinfo::groupKindWord(p), "Workgroup");
    // Without Samba there is no LAN group to name.
    if (platform::linux_backend::readDomainMembership().workgroup.empty()) {
        EXPECT_EQ(sysinfo::lanGroup(p), std::nullopt);
    }
}

TEST(LinuxEnvironmentTest, TempStaysAvailableWhereNoOtherUserControlsIt) {
    ScopedEnv env;
    char pattern[] = "/tmp/cfgscope-temp-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    env.set("TEMP", pattern);
    EXPECT_EQ(LinuxEnvironment().get("TEMP"), pattern);
    // A folder that is missing, or open to all without root's sticky bit: the next private place.
    chmod(pattern, 0777);
    EXPECT_NE(LinuxEnvironment().get("TEMP"), pattern);
    env.set("TEMP", "/some/where");
    EXPECT_NE(LinuxEnvironment().get("TEMP"), "/some/where");
    rmdir(pattern);
}

}  // namespace
