// Attacks on the DHCP client that /release and /renew drive, in the lab:
// another local user's fake dhclient, a client that outlives its time-out,
// an interface named like an option.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "Lab.h"
#include "standins/common/Files.h"

using namespace standins;
using namespace standins::testing;

namespace {

// The processes named `comm` in the lab's network namespace.
int countInLab(Lab& lab, const std::string& comm) {
    ExecResult r = runProgram({"ip", "netns", "pids", lab.env("nsa")}, 5000, true);
    std::istringstream in(r.output);
    std::string pid;
    int n = 0;
    while (in >> pid)
        if (readFile("/proc/" + pid + "/comm").value_or("") == comm + "\n") ++n;
    return n;
}

#define START_LAB(lab)                                   \
    if ((lab).skip()) GTEST_SKIP() << (lab).error();     \
    ASSERT_TRUE((lab).ok()) << (lab).error()

}  // namespace

// cfgevil starts "dhclient -sf evil.sh -lf ... vnm0" (a script named
// dhclient) in the NetworkManager lab. Root's release and renew go through
// NetworkManager and never run evil.sh.
TEST(HostileDhcpClient, FakeClientOfAnotherUserRunsNothingAsRoot) {
    Lab lab("nm");
    START_LAB(lab);
    const std::string home = lab.dir() + "/home/cfgevil";
    const std::string marker = lab.dir() + "/pwned";
    // The lease file the fake names makes a real dhclient -r run the script.
    const std::string lease =
        "lease {\\n  interface \"vnm0\";\\n  fixed-address 10.77.0.99;\\n"
        "  option subnet-mask 255.255.255.0;\\n  option dhcp-server-identifier 10.77.0.1;\\n"
        "  renew epoch 4102444800;\\n  rebind epoch 4102444800;\\n  expire epoch 4102444800;\\n}\\n";
    ExecResult plant = lab.runAs("cfgevil", {"sh", "-c",
                                             "printf '#!/bin/sh\\nid -u > " + marker + "\\n' > " + home + "/evil.sh; "
                                             "printf '#!/bin/sh\\nwhile :; do sleep 1; done\\n' > " + home + "/dhclient; "
                                             "printf '" + lease + "' > " + home + "/evil.leases; "
                                             "chmod 755 " + home + " " + home + "/evil.sh " + home + "/dhclient; "
                                             "setsid " + home + "/dhclient -sf " + home + "/evil.sh -lf " + home +
                                                 "/evil.leases vnm0 >/dev/null 2>&1 & "
                                             "sleep 0.5"});
    ASSERT_EQ(plant.exitCode, 0) << plant.output;
    ASSERT_EQ(countInLab(lab, "dhclient"), 1) << "the fake client runs";

    for (const char* verb : {"/release", "/renew"}) {
        ExecResult r = lab.run({kLabIpconfig, verb, "*nm0*"}, 60000);
        EXPECT_EQ(r.exitCode, 0) << verb << r.output;
        EXPECT_NE(r.output.find("through NetworkManager"), std::string::npos) << verb << r.output;
        EXPECT_FALSE(exists(marker)) << verb << " ran the other user's script: " << readFile(marker).value_or("");
    }
    EXPECT_TRUE(lab.waitForAddress(true, 15000));
}

// A renew that gets no answer: dhclient (whose configuration gives up after
// 3 s and would then go on in the background) is stopped when it fails, so
// no root dhclient is left behind without a parent.
TEST(HostileDhcpClient, ClientOutlivingItsTimeOutIsStopped) {
    Lab lab("dhclient");
    START_LAB(lab);
    ASSERT_EQ(lab.run({"sh", "-c", "echo 'timeout 3;' >> /etc/dhcp/dhclient.conf"}).exitCode, 0);
    ASSERT_TRUE(runProgram({"ip", "-n", lab.env("nsb"), "link", "set", "vnm1", "down"}, 5000, true).exitCode == 0);
    ExecResult r = lab.run({"env", "CFGSCOPE_DHCP_TIMEOUT=8", kLabIpconfig, "/renew", "vnm0"}, 60000);
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("no DHCP server answered"), std::string::npos) << r.output;
    usleep(300000);
    EXPECT_EQ(countInLab(lab, "dhclient"), 0) << "a dhclient was left running";
    EXPECT_EQ(countInLab(lab, "dhclient-script"), 0);
}

// An interface whose name begins with "-" never reaches a client's command
// line, where it would be read as an option.
TEST(HostileDhcpClient, InterfaceNamedLikeAnOptionIsRefused) {
    Lab lab("dhclient");
    START_LAB(lab);
    ASSERT_EQ(lab.run({"sh", "-c",
                       "ip link add name -sf type veth peer name evilpeer && ip link set evilpeer up && "
                       "ip link set dev -sf up && "
                       "ns=$(readlink /proc/self/ns/net | tr -cd 0-9) && mkdir -p /run/cfgscope-ipconfig && "
                       "printf dhclient > /run/cfgscope-ipconfig/released-$ns--sf"})
                  .exitCode,
              0);
    ExecResult r = lab.run({kLabIpconfig, "/renew", "*s*"}, 60000);
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("Adapter -sf: not renewed (dhclient): its name begins with \"-\""), std::string::npos)
        << r.output;
    EXPECT_EQ(countInLab(lab, "dhclient"), 1) << "only the lab's own client runs";
}
