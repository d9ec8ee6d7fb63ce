// Median wall time of `ipconfig /all` over 10 interfaces and the lab's
// kinds of links (bridges with and without a port, tun and tap, macvlan,
// vxlan, a link-local alias, IPv6, a policy rule) in a namespace, beside
// `ip -j addr` on the same namespace in the same run; the same again with
// 2,000 extra processes on the machine; and a capture from the start of
// getdata.bat (hidden, through the runner) to the filled adapter table.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "Netns.h"
#include "capture/ReportParser.h"
#include "platform/linux/LinuxProcesses.h"
#include "standins/common/Files.h"

using namespace standins;
using namespace standins::testing;

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double median(const std::function<bool()>& body, int runs) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        double start = nowMs();
        if (!body()) return -1;
        t.push_back(nowMs() - start);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;
    std::string why = namespaceSkipReason();
    if (!why.empty()) {
        std::printf("standins_bench %s\n", why.c_str());
        return 0;
    }
    Netns ns("bench");
    if (!ns.ok()) {
        std::fprintf(stderr, "cannot create a namespace\n");
        return 1;
    }
    // 10 interfaces: 5 veth pairs, each end up with an IPv4 address.
    for (int i = 0; i < 5; ++i) {
        std::string a = "bench" + std::to_string(i) + "a", b = "bench" + std::to_string(i) + "b";
        ns.ip({"link", "add", a, "type", "veth", "peer", "name", b});
        ns.ip({"addr", "add", "10.50." + std::to_string(i) + ".1/24", "dev", a});
        ns.ip({"addr", "add", "10.50." + std::to_string(i) + ".2/24", "dev", b});
        ns.ip({"link", "set", a, "up"});
        ns.ip({"link", "set", b, "up"});
    }
    // The lab's links, as a Docker, libvirt and VPN host has them.
    const std::vector<std::vector<std::string>> lab = {
        {"link", "add", "docker0", "type", "bridge"},
        {"addr", "add", "172.17.0.1/16", "dev", "docker0"},
        {"link", "set", "docker0", "up"},
        {"link", "add", "virbr0", "type", "bridge"},
        {"link", "set", "bench4b", "master", "virbr0"},
        {"addr", "add", "192.168.122.1/24", "dev", "virbr0"},
        {"link", "set", "virbr0", "up"},
        {"tuntap", "add", "dev", "tun0", "mode", "tun"},
        {"addr", "add", "10.8.0.2/24", "dev", "tun0"},
        {"link", "set", "tun0", "up"},
        {"tuntap", "add", "dev", "tap0", "mode", "tap"},
        {"link", "set", "tap0", "up"},
        {"link", "add", "mac0", "link", "bench0a", "type", "macvlan", "mode", "bridge"},
        {"link", "set", "mac0", "up"},
        {"link", "add", "vx0", "type", "vxlan", "id", "42", "dstport", "4789", "dev", "bench0a"},
        {"link", "set", "vx0", "up"},
        {"addr", "add", "169.254.9.9/16", "dev", "bench0a"},
        {"-6", "addr", "add", "2001:db8:50::1/64", "dev", "bench1a", "nodad"},
        {"route", "add", "default", "via", "10.50.0.2"},
        {"route", "add", "default", "dev", "tun0", "table", "51820"},
        {"rule", "add", "not", "fwmark", "51820", "table", "51820"},
    };
    for (const auto& args : lab)
        if (!ns.ip(args)) std::fprintf(stderr, "note: ip %s %s %s failed\n", args[0].c_str(), args[1].c_str(),
                                       args[2].c_str());
    int fd = open(("/run/netns/" + ns.name()).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || setns(fd, CLONE_NEWNET) != 0) {
        std::fprintf(stderr, "cannot enter the namespace\n");
        return 1;
    }
    close(fd);

    const std::string ipconfig = binPath("ipconfig");
    double tool = median([&] { return runProgram({ipconfig, "/all"}, 10000, true).exitCode == 0; }, runs);
    double ipj = median([&] { return runProgram({"ip", "-j", "addr"}, 10000, true).exitCode == 0; }, runs);

    // 2,000 extra processes, each waiting to be killed; the report tool
    // must not ask each of them.
    std::vector<pid_t> extra;
    for (int i = 0; i < 2000; ++i) {
        pid_t pid = fork();
        if (pid == 0) {
            pause();
            _exit(0);
        }
        if (pid < 0) break;
        extra.push_back(pid);
    }
    double crowded = median([&] { return runProgram({ipconfig, "/all"}, 10000, true).exitCode == 0; }, runs);
    double crowdedIpj = median([&] { return runProgram({"ip", "-j", "addr"}, 10000, true).exitCode == 0; }, runs);
    for (pid_t pid : extra) kill(pid, SIGKILL);
    for (pid_t pid : extra) waitpid(pid, nullptr, 0);

    // Capture: script start to parsed table, the way a Refresh does it.
    setenv("CFGSCOPE_STANDINS", STANDINS_BIN_DIR, 1);
    platform::linux_backend::LinuxProcesses processes;
    std::string folder = ns.folder();
    writeFile(folder + "/getdata.bat", "ipconfig /all > " + folder + "/data.txt\r\n");
    int adapters = 0;
    double capture = median(
        [&] {
            unlink((folder + "/data.txt").c_str());
            if (!processes.start(folder + "/getdata.bat", platform::WindowStyle::Hidden)) return false;
            for (int i = 0; i < 20000; ++i) {
                auto text = readFile(folder + "/data.txt");
                if (text && text->find("\r\nWindows IP Configuration\r\n") == 0) {
                    auto lines = splitCrLf(*text);
                    app::AdapterTable table{};
                    adapters = static_cast<int>(capture::parseReport(lines, "vista", "0", table).adapterEntries.size());
                    return true;
                }
                timespec pause{0, 200000};
                nanosleep(&pause, nullptr);
            }
            return false;
        },
        runs);

    std::printf("runs per figure: %d, interfaces: 10 veth + 2 bridges, tun, tap, macvlan, vxlan (+ loopback)\n",
                runs);
    std::printf("ipconfig /all          median %7.2f ms\n", tool);
    std::printf("ip -j addr             median %7.2f ms\n", ipj);
    std::printf("ratio ipconfig/ip      %7.2f\n", ipj > 0 ? tool / ipj : 0.0);
    std::printf("with %zu more processes:\n", extra.size());
    std::printf("ipconfig /all          median %7.2f ms (%+.2f ms)\n", crowded, crowded - tool);
    std::printf("ip -j addr             median %7.2f ms (%+.2f ms)\n", crowdedIpj, crowdedIpj - ipj);
    std::printf("capture to table       median %7.2f ms (%d adapters; without the program's 250 ms settle pause)\n",
                capture, adapters);
    return 0;
}
