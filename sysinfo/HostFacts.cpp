#include "sysinfo/HostFacts.h"

#include "sysinfo/MemoryText.h"
#include "sysinfo/TextCut.h"

namespace sysinfo {

namespace {

constexpr std::size_t kLanGroupChars = 127;
constexpr std::size_t kAddressBytes = 16;
constexpr std::size_t kIpv6AddressBytes = 46;

// The trimmed property of the last instance; nothing without an instance.
std::optional<std::string> lastInstance(platform::Platform& p, const std::string& cls, const std::string& property) {
    auto values = p.system.managementQuery(cls, property);
    if (!values || values->empty()) return std::nullopt;
    return trimBlanks(values->back());
}

}  // namespace

std::optional<std::string> memoryText(platform::Platform& p) {
    auto total = p.system.totalPhysicalMemory();
    if (!total) return std::nullopt;
    return formatMemory(*total, p.system.decimalSeparator());
}

std::optional<std::string> operatingSystemCaption(platform::Platform& p, const std::string& versionDetail) {
    auto caption = lastInstance(p, "Win32_OperatingSystem", "Caption");
    if (!caption) return std::nullopt;
    return *caption + versionDetail;
}

std::optional<std::string> cpuName(platform::Platform& p) { return lastInstance(p, "Win32_Processor", "Name"); }

std::string userName(platform::Platform& p) { return p.env.get("username"); }

std::string groupKindWord(platform::Platform& p) {
    const std::string domain = lowerAscii(p.env.get("userdomain"));
    const std::string server = lowerAscii(p.env.get("logonserver"));
    // Without a logon-server name there is no domain to have logged on to.
    if (server.size() < 2) return "Workgroup";
    return domain == server.substr(2) ? "Workgroup" : "Domain";
}

std::optional<std::string> lanGroup(platform::Platform& p) {
    auto info = p.system.workstationInfo("\\\\" + p.env.get("COMPUTERNAME"));
    if (!info) return std::nullopt;
    return firstCharacters(cutAtNul(info->lanGroup), kLanGroupChars);
}

std::vector<std::string> privateAddresses(platform::Platform& p) {
    std::vector<std::string> out;
    if (auto addresses = p.system.adapterAddresses())
        for (const auto& address : *addresses) {
            // The 16-byte field holds a dotted address; an IPv6 one (a
            // machine without IPv4) is kept whole.
            std::string_view text(address);
            bool ipv6 = text.substr(0, kAddressBytes).find(':') != std::string_view::npos;
            out.push_back(cutAtNul(text.substr(0, ipv6 ? kIpv6AddressBytes : kAddressBytes)));
        }
    return out;
}

void collectPrivateAddresses(ui::ListBox& list, platform::Platform& p) {
    list.clear();
    for (auto& address : privateAddresses(p)) list.add(std::move(address));
}

}  // namespace sysinfo
