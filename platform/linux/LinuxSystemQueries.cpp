#include "platform/linux/LinuxSystemQueries.h"

namespace platform::linux_backend {

std::optional<VersionRecord> LinuxSystemQueries::version(int) { return std::nullopt; }
std::optional<std::int64_t> LinuxSystemQueries::totalPhysicalMemory() { return std::nullopt; }
std::optional<std::vector<std::string>> LinuxSystemQueries::managementQuery(const std::string&, const std::string&) {
    return std::nullopt;
}
std::optional<WorkstationInfo> LinuxSystemQueries::workstationInfo(const std::string&) { return std::nullopt; }
std::optional<std::vector<std::string>> LinuxSystemQueries::adapterAddresses() { return std::nullopt; }

}  // namespace platform::linux_backend
