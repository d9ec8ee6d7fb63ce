#pragma once

#include "platform/SystemQueries.h"

namespace platform::windows_backend {

// The system's own answers: GetVersionExA, GlobalMemoryStatusEx (64-bit, so
// more than 2 GB of memory is not read as a negative number),
// NetWkstaGetInfo level 102, GetAdaptersInfo, the management service (WMI)
// and the user's number format.
class WindowsSystemQueries : public SystemQueries {
public:
    std::optional<VersionRecord> version(int recordSize) override;
    std::optional<std::int64_t> totalPhysicalMemory() override;
    std::optional<std::vector<std::string>> managementQuery(const std::string& className,
                                                            const std::string& property) override;
    std::optional<WorkstationInfo> workstationInfo(const std::string& serverName) override;
    std::optional<std::vector<std::string>> adapterAddresses() override;
    std::string decimalSeparator() override;
    std::optional<std::string> markerWithoutVersionRecord() override { return std::nullopt; }
};

}  // namespace platform::windows_backend
