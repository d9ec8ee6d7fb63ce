// Questions about the machine: version record, memory, management
// properties, workstation information, the adapter list and the user's
// number format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The fields of the Windows version record that the programs read. Texts
// are raw: callers cut them at NUL.
struct VersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
    std::string servicePack;
    std::uint8_t productType = 0;
};

struct WorkstationInfo {
    std::uint32_t platformId = 0;
    std::string computerName;
    std::string lanGroup;  // raw: cut at NUL, at most 127 characters
    std::uint32_t major = 0;
};

class SystemQueries {
public:
    virtual ~SystemQueries() = default;
    // recordSize 156 (extended) or 148 (short); nothing when the query fails.
    virtual std::optional<VersionRecord> version(int recordSize) = 0;
    // Total physical memory in bytes; nothing when unknown.
    virtual std::optional<std::int64_t> totalPhysicalMemory() = 0;
    // One property of each instance of a management class; nothing when the
    // query itself fails.
    virtual std::optional<std::vector<std::string>> managementQuery(const std::string& className,
                                                                    const std::string& property) = 0;
    virtual std::optional<WorkstationInfo> workstationInfo(const std::string& serverName) = 0;
    // First address text of each adapter, in the platform's order (raw 16
    // bytes, NUL-terminated); nothing when the list cannot be fetched.
    virtual std::optional<std::vector<std::string>> adapterAddresses() = 0;
    // The decimal separator of the user's number settings.
    virtual std::string decimalSeparator() = 0;
    // On a platform without a Windows version record: the Windows-family
    // marker matching the report dialect its report tool writes. Nothing on
    // Windows itself, where a failed version query leaves the marker alone.
    virtual std::optional<std::string> markerWithoutVersionRecord() = 0;
    // On a platform without a Windows version record: the version line the
    // address monitor shows under the system's caption instead (on Linux the
    // kernel's name, release and machine). Nothing on Windows itself.
    virtual std::optional<std::string> versionLineWithoutVersionRecord() { return std::nullopt; }
    // On a platform without the manufacturer file oeminfo.ini: the maker's
    // data of the machine presented as that file's "key=value" lines.
    // Nothing on Windows itself, or when the machine tells nothing.
    virtual std::optional<std::vector<std::string>> manufacturerLinesWithoutFile() { return std::nullopt; }
};

}  // namespace platform
