#include "platform/linux/DomainMembership.h"

#include <map>
#include <sstream>
#include <vector>

#include "platform/linux/CommandWords.h"
#include "platform/linux/TextValues.h"

namespace platform::linux_backend {

namespace {

using Section = std::map<std::string, std::string>;

// Section name (lower case) -> key (lower case, blanks removed) -> value.
// Comments start with '#' or ';'.
std::map<std::string, Section> parseIni(std::string_view text) {
    std::map<std::string, Section> sections;
    std::string current;
    std::istringstream in{std::string(text)};
    for (std::string raw; std::getline(in, raw);) {
        std::string line = trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            current = lower(trim(std::string_view(line).substr(1, line.size() - 2)));
            sections[current];
            continue;
        }
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key;
        for (char c : lower(line.substr(0, eq)))
            if (c != ' ' && c != '\t') key += c;
        sections[current][key] = trim(std::string_view(line).substr(eq + 1));
    }
    return sections;
}

std::string value(const Section& s, const std::string& key) {
    auto it = s.find(key);
    return it == s.end() ? std::string{} : it->second;
}

// The first name of a list separated by commas or blanks.
std::string firstOf(const std::string& list) {
    auto end = list.find_first_of(", \t");
    return list.substr(0, end);
}

}  // namespace

DomainMembership sambaMembership(std::string_view smbConf) {
    auto sections = parseIni(smbConf);
    DomainMembership m;
    auto it = sections.find("global");
    if (it == sections.end()) return m;
    const Section& g = it->second;
    // Samba's own default when no workgroup is configured.
    m.workgroup = upper(value(g, "workgroup"));
    if (m.workgroup.empty()) m.workgroup = "WORKGROUP";
    std::string security = lower(value(g, "security"));
    m.joined = security == "ads" || security == "domain";
    if (m.joined) {
        m.realm = lower(value(g, "realm"));
        std::string server = firstOf(value(g, "passwordserver"));
        if (server != "*") m.controller = server;
    }
    return m;
}

DomainMembership sssdMembership(std::string_view sssdConf) {
    DomainMembership m;
    for (const auto& [name, section] : parseIni(sssdConf)) {
        if (name.rfind("domain/", 0) != 0) continue;
        std::string provider = lower(value(section, "id_provider"));
        if (provider != "ad" && provider != "ipa") continue;
        m.joined = true;
        m.realm = lower(value(section, provider + "_domain"));
        if (m.realm.empty()) m.realm = name.substr(7);
        std::string server = firstOf(value(section, provider + "_server"));
        if (server != "_srv_") m.controller = server;
        // The short name is the first label of the domain's DNS name.
        m.workgroup = upper(m.realm.substr(0, m.realm.find('.')));
        break;
    }
    return m;
}

DomainMembership readDomainMembership() {
    DomainMembership sssd = sssdMembership(readTextFile("/etc/sssd/sssd.conf").value_or(""));
    DomainMembership samba = sambaMembership(readTextFile("/etc/samba/smb.conf").value_or(""));
    if (sssd.joined && !samba.joined) return sssd;
    return samba.workgroup.empty() ? sssd : samba;
}

}  // namespace platform::linux_backend
