#include "platform/linux/LinuxSystemQueries.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include "platform/linux/AdapterList.h"
#include "platform/linux/DomainMembership.h"
#include "platform/linux/HostIdentity.h"
#include "platform/linux/SystemFacts.h"
#include "platform/linux/TextValues.h"

namespace platform::linux_backend {

std::optional<VersionRecord> LinuxSystemQueries::version(int) { return std::nullopt; }

std::optional<std::string> LinuxSystemQueries::markerWithoutVersionRecord() { return "vista"; }

std::optional<std::string> LinuxSystemQueries::versionLineWithoutVersionRecord() {
    struct utsname names {};
    if (uname(&names) != 0) return std::nullopt;
    return std::string(names.sysname) + " " + names.release + " " + names.machine;
}

std::optional<std::int64_t> LinuxSystemQueries::totalPhysicalMemory() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return std::nullopt;
    // Both factors are widened first: the product passes 32 bits on any
    // machine with more than 4 GB.
    return static_cast<std::int64_t>(info.totalram) * static_cast<std::int64_t>(info.mem_unit);
}

std::optional<std::vector<std::string>> LinuxSystemQueries::managementQuery(const std::string& className,
                                                                            const std::string& property) {
    if (className == "Win32_OperatingSystem" && property == "Caption") {
        // os-release names /usr/lib/os-release as the fallback location.
        auto text = readTextFile("/etc/os-release");
        if (!text) text = readTextFile("/usr/lib/os-release");
        if (!text) return std::nullopt;
        return std::vector<std::string>{prettyName(*text)};
    }
    if (className == "Win32_Processor" && property == "Name") {
        auto text = readTextFile("/proc/cpuinfo");
        if (!text) return std::nullopt;
        return cpuModelNames(*text);
    }
    if (className == "Win32_ComputerSystem" && property == "PartOfDomain")
        return std::vector<std::string>{readDomainMembership().joined ? "True" : "False"};
    return std::nullopt;
}

std::optional<WorkstationInfo> LinuxSystemQueries::workstationInfo(const std::string&) {
    DomainMembership m = readDomainMembership();
    if (m.workgroup.empty()) return std::nullopt;
    WorkstationInfo info;
    info.computerName = computerName();
    info.lanGroup = m.workgroup;
    return info;
}

std::optional<std::vector<std::string>> LinuxSystemQueries::adapterAddresses() { return firstAddressOfEachAdapter(); }

std::string LinuxSystemQueries::decimalSeparator() {
    // The user's numeric locale from LC_ALL, LC_NUMERIC or LANG, without
    // touching the program's global locale.
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return ".";
    std::string separator = nl_langinfo_l(RADIXCHAR, user);
    freelocale(user);
    return separator.empty() ? "." : separator;
}

}  // namespace platform::linux_backend
