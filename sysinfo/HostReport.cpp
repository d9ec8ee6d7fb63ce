#include "sysinfo/HostReport.h"

#include "sysinfo/Edition.h"
#include "sysinfo/HostFacts.h"

namespace sysinfo {

HostReport gatherHostReport(platform::Platform& p) {
    HostReport r;
    r.computerName = p.env.get("COMPUTERNAME");
    r.lanGroup = lanGroup(p).value_or("");
    r.groupKind = groupKindWord(p);
    r.userName = userName(p);
    Edition edition = mainEdition(p);
    r.operatingSystem = operatingSystemCaption(p, edition.versionDetail.value_or("")).value_or(edition.text);
    r.memory = memoryText(p).value_or("");
    r.privateAddresses = privateAddresses(p);
    return r;
}

std::string formatHostReport(const HostReport& r) {
    std::string group = r.lanGroup.empty() ? "(" + r.groupKind + ")" : r.lanGroup + " (" + r.groupKind + ")";
    std::string addresses;
    for (const auto& a : r.privateAddresses) addresses += (addresses.empty() ? "" : " / ") + a;
    return "Computer name: " + r.computerName + "\n" + "Domain/Workgroup: " + group + "\n" + "Username: " +
           r.userName + "\n" + "Operating System: " + r.operatingSystem + "\n" + "Memory: " + r.memory + "\n" +
           "Private IP: " + addresses + "\n";
}

}  // namespace sysinfo
