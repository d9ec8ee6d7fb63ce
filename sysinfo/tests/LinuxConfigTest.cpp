// The readers of the Linux configuration and system files, over sample texts.
#include <gtest/gtest.h>

#include "platform/linux/DomainMembership.h"
#include "platform/linux/SystemFacts.h"

namespace {

using platform::linux_backend::DomainMembership;

struct MembershipCase {
    const char* what;
    const char* text;
    bool joined;
    const char* workgroup;
    const char* realm;
    const char* controller;
};

void expectMembership(const DomainMembership& m, const MembershipCase& c) {
    EXPECT_EQ(m.joined, c.joined);
    EXPECT_EQ(m.workgroup, c.workgroup);
    EXPECT_EQ(m.realm, c.realm);
    EXPECT_EQ(m.controller, c.controller);
}

TEST(LinuxConfig, SambaMembership) {
    const MembershipCase cases[] = {
        {"no file", "", false, "", "", ""},
        {"workgroup", "[global]\n   workgroup = Home\n   server string = x\n", false, "HOME", "", ""},
        {"default workgroup", "# comment\n[global]\n  log file = /var/log/samba/log.%m\n", false, "WORKGROUP", "",
         ""},
        {"ads member",
         "[global]\r\n\tworkgroup = CORP\r\n\tsecurity = ADS\r\n\trealm = CORP.EXAMPLE.COM\r\n"
         "\tpassword server = dc1.corp.example.com, dc2\r\n[homes]\r\n\tworkgroup = NOT\r\n",
         true, "CORP", "corp.example.com", "dc1.corp.example.com"},
        {"nt domain, any controller", "[global]\nworkgroup=OLDDOM\nsecurity=domain\npassword server = *\n", true,
         "OLDDOM", "", ""},
        {"commented out", "[global]\n; security = ads\n# workgroup = X\nworkgroup = Y\n", false, "Y", "", ""},
        {"other sections only", "[printers]\npath = /var/spool\n", false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectMembership(platform::linux_backend::sambaMembership(c.text), c);
    }
}

TEST(LinuxConfig, SssdMembership) {
    const MembershipCase cases[] = {
        {"no file", "", false, "", "", ""},
        {"realmd join",
         "[sssd]\ndomains = corp.example.com\nservices = nss, pam\n\n[domain/corp.example.com]\n"
         "ad_domain = corp.example.com\nkrb5_realm = CORP.EXAMPLE.COM\nid_provider = ad\n",
         true, "CORP", "corp.example.com", ""},
        {"named server", "[domain/Lab]\nid_provider = AD\nad_domain = lab.test\nad_server = dc7.lab.test, _srv_\n",
         true, "LAB", "lab.test", "dc7.lab.test"},
        {"discovered server", "[domain/lab.test]\nid_provider = ad\nad_server = _srv_, dc7.lab.test\n", true, "LAB",
         "lab.test", ""},
        {"ipa", "[domain/ipa.example.org]\nid_provider = ipa\nipa_server = ipa1.ipa.example.org\n", true, "IPA",
         "ipa.example.org", "ipa1.ipa.example.org"},
        {"plain ldap is no domain", "[domain/ldap]\nid_provider = ldap\n", false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectMembership(platform::linux_backend::sssdMembership(c.text), c);
    }
}

TEST(LinuxConfig, PrettyName) {
    struct Case {
        const char* text;
        const char* name;
    };
    const Case cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='Single \"quoted\"'\n", "Single \"quoted\""},
        {"PRETTY_NAME=\"Escaped \\\"x\\\" \\$1\"\n", "Escaped \"x\" $1"},
        {"PRETTY_NAME=Bare\n", "Bare"},
        {"# PRETTY_NAME=\"no\"\nID=x\n", "Linux"},
        {"", "Linux"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::linux_backend::prettyName(c.text), c.name) << c.text;
}

TEST(LinuxConfig, CpuModelNames) {
    const char* text =
        "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel\t\t: 85\nmodel name\t: Intel(R) Xeon(R) CPU @ 2.00GHz\n\n"
        "processor\t: 1\nmodel name\t:   Second  \n";
    EXPECT_EQ(platform::linux_backend::cpuModelNames(text),
              (std::vector<std::string>{"Intel(R) Xeon(R) CPU @ 2.00GHz", "Second"}));
    EXPECT_TRUE(platform::linux_backend::cpuModelNames("processor : 0\nHardware : x\n").empty());
}

}  // namespace
