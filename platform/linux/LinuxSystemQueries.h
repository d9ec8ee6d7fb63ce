#pragma once

#include "platform/SystemQueries.h"
#include "platform/linux/DmiData.h"

namespace platform::linux_backend {

// Answers the system queries from Linux sources. There is no Windows version
// record, so that query fails and the family is the one whose report dialect
// the stand-in report tool writes ("vista"). Memory comes from sysinfo(2),
// the management classes from /etc/os-release, /proc/cpuinfo and the domain
// configuration, the LAN group from Samba or the joined domain, the adapters
// from the kernel's interface list.
class LinuxSystemQueries : public SystemQueries {
public:
    std::optional<VersionRecord> version(int recordSize) override;
    std::optional<std::int64_t> totalPhysicalMemory() override;
    // Win32_OperatingSystem.Caption, Win32_Processor.Name and
    // Win32_ComputerSystem.PartOfDomain ("True" or "False"); other classes
    // and properties fail.
    std::optional<std::vector<std::string>> managementQuery(const std::string& className,
                                                            const std::string& property) override;
    std::optional<WorkstationInfo> workstationInfo(const std::string& serverName) override;
    std::optional<std::vector<std::string>> adapterAddresses() override;
    std::string decimalSeparator() override;
    std::optional<std::string> markerWithoutVersionRecord() override;
    // "Linux 6.1.0-28-amd64 x86_64": uname's system, release and machine.
    std::optional<std::string> versionLineWithoutVersionRecord() override;
    // The machine's DMI data as manufacturer-file lines.
    std::optional<std::vector<std::string>> manufacturerLinesWithoutFile() override { return dmiManufacturerLines(); }
};

}  // namespace platform::linux_backend
