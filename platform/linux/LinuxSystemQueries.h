#pragma once

#include "platform/SystemQueries.h"

namespace platform::linux_backend {

// Answers the system queries from Linux sources; there is no Windows version record.
class LinuxSystemQueries : public SystemQueries {
public:
    std::optional<VersionRecord> version(int recordSize) override;
    std::optional<std::int64_t> totalPhysicalMemory() override;
    std::optional<std::vector<std::string>> managementQuery(const std::string& className,
                                                            const std::string& property) override;
    std::optional<WorkstationInfo> workstationInfo(const std::string& serverName) override;
    std::optional<std::vector<std::string>> adapterAddresses() override;
};

}  // namespace platform::linux_backend
