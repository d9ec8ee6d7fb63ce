#include "platform/windows/WindowsSystemQueries.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <lm.h>

#include <vector>

#include "platform/windows/ManagementQuery.h"
#include "platform/windows/WideText.h"

namespace platform::windows_backend {

std::optional<VersionRecord> WindowsSystemQueries::version(int recordSize) {
    // 156 bytes is the extended record (service pack numbers, product type),
    // 148 the short one; the size field tells the system which it gets.
    OSVERSIONINFOEXA info{};
    if (recordSize != static_cast<int>(sizeof(OSVERSIONINFOEXA)) &&
        recordSize != static_cast<int>(sizeof(OSVERSIONINFOA)))
        return std::nullopt;
    info.dwOSVersionInfoSize = static_cast<DWORD>(recordSize);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return std::nullopt;
#pragma GCC diagnostic pop
    VersionRecord record;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.servicePack.assign(info.szCSDVersion, sizeof info.szCSDVersion);
    if (recordSize == static_cast<int>(sizeof(OSVERSIONINFOEXA))) record.productType = info.wProductType;
    return record;
}

std::optional<std::int64_t> WindowsSystemQueries::totalPhysicalMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return std::nullopt;
    return static_cast<std::int64_t>(status.ullTotalPhys);
}

std::optional<std::vector<std::string>> WindowsSystemQueries::managementQuery(const std::string& className,
                                                                              const std::string& property) {
    return queryManagementProperty(className, property);
}

std::optional<WorkstationInfo> WindowsSystemQueries::workstationInfo(const std::string& serverName) {
    std::wstring server = widen(serverName);
    LPBYTE buffer = nullptr;
    NET_API_STATUS status =
        NetWkstaGetInfo(server.empty() ? nullptr : const_cast<LPWSTR>(server.c_str()), 102, &buffer);
    if (status != NERR_Success || !buffer) {
        if (buffer) NetApiBufferFree(buffer);
        return std::nullopt;
    }
    const auto* record = reinterpret_cast<const WKSTA_INFO_102*>(buffer);
    WorkstationInfo info;
    info.platformId = record->wki102_platform_id;
    info.computerName = narrow(record->wki102_computername);
    info.lanGroup = narrow(record->wki102_langroup);
    info.major = record->wki102_ver_major;
    NetApiBufferFree(buffer);
    return info;
}

std::optional<std::vector<std::string>> WindowsSystemQueries::adapterAddresses() {
    // First call: no buffer, the system says how much it needs. The list may
    // grow between the calls, so the second step is retried a few times.
    ULONG size = 0;
    DWORD rc = GetAdaptersInfo(nullptr, &size);
    if (rc == ERROR_NO_DATA) return std::vector<std::string>{};
    if (rc != ERROR_BUFFER_OVERFLOW) return std::nullopt;
    std::vector<unsigned char> buffer;
    for (int attempt = 0; attempt < 3; ++attempt) {
        buffer.assign(size, 0);
        rc = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
        if (rc != ERROR_BUFFER_OVERFLOW) break;
    }
    if (rc != ERROR_SUCCESS) return std::nullopt;
    std::vector<std::string> addresses;
    for (auto* a = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); a; a = a->Next) {
        const char* text = a->IpAddressList.IpAddress.String;
        addresses.emplace_back(text, sizeof a->IpAddressList.IpAddress.String);
    }
    return addresses;
}

std::string WindowsSystemQueries::decimalSeparator() {
    wchar_t buf[8] = {};
    int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
    return n > 1 ? narrow(std::wstring(buf, static_cast<std::size_t>(n - 1))) : std::string(".");
}

}  // namespace platform::windows_backend
