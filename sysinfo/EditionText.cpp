#include "sysinfo/EditionText.h"

#include <cstdint>

#include "sysinfo/TextCut.h"

namespace sysinfo {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::size_t kServicePackChars = 128;

// "SP (vM.m Build B)": the service-pack text and the version numbers. The
// build is written whole, as the signed number the record holds.
std::string versionLine(const platform::VersionRecord& r, const std::string& sp) {
    return sp + " (v" + std::to_string(r.major) + "." + std::to_string(r.minor) + " Build " +
           std::to_string(static_cast<std::int32_t>(r.build)) + ")";
}

std::string name9x(std::uint32_t minor) {
    switch (minor) {
        case 0: return "Windows 95";
        case 10: return "Windows 98";
        case 90: return "Windows Millenium";
        default: return "Windows 9?";
    }
}

std::string xpEdition(Layout layout, const XpEditionFiles& files) {
    if (layout == Layout::SingleLine) {
        if (files.mediaCenter) return std::string(" Media Center") + kCrLf;
        return files.professional ? " Professional" : " Home";
    }
    std::string text = files.mediaCenter ? " Media Center" : "";
    return text + (files.professional ? " Professional" : " Home");
}

std::string productSuffix(Layout layout, std::uint8_t productType) {
    if (productType == 3) return layout == Layout::TwoLine ? std::string(" Server") + kCrLf : " Server";
    if (productType == 2) return " Domain Controller";
    return {};
}

}  // namespace

std::string mediaCenterFile(const std::string& systemRoot) { return systemRoot + "\\ehome\\ehshell.exe"; }
std::string professionalFile(const std::string& systemRoot) { return systemRoot + "\\system32\\efsadu.dll"; }

bool needsXpEditionFiles(const platform::VersionRecord& r) {
    return r.platformId == kPlatformNt && r.major == 5 && r.minor == 1;
}

Edition composeEdition(Layout layout, const platform::VersionRecord& r, bool extended, const XpEditionFiles& files) {
    Edition e;
    const std::string sp = firstCharacters(cutAtNul(r.servicePack), kServicePackChars);
    const std::string m = std::to_string(r.major) + "." + std::to_string(r.minor);

    if (r.platformId == kPlatformNt) {
        std::string name;
        if (r.major == 3 || r.major == 4) {
            name = "Windows NT";
        } else if (r.major == 5) {
            if (r.minor == 2) {
                name = "Windows Server 2003";
            } else if (r.minor == 1) {
                name = "Windows XP" + xpEdition(layout, files);
                if (layout == Layout::SingleLine) e.marker = "xp";
            } else {
                name = "Windows 2000";
            }
        } else if (r.major == 6) {
            name = "Windows Vista";
            if (layout == Layout::SingleLine) e.marker = "vista";
        }
        if (extended) name += productSuffix(layout, r.productType);
        e.text = name + (layout == Layout::SingleLine ? " " : kCrLf) + versionLine(r, sp);
    } else if (r.platformId == kPlatform9x) {
        std::string tail = "v" + m + " " + sp + " (Build " + std::to_string(static_cast<std::int32_t>(r.build)) + ")";
        e.text = name9x(r.minor) + (layout == Layout::SingleLine ? " " : kCrLf) + tail;
    } else {
        return e;  // unknown family: empty text, no side values
    }

    if (layout == Layout::SingleLine) e.versionDetail = ", " + versionLine(r, sp);
    else e.verser = versionLine(r, sp);
    return e;
}

Edition unknownEdition(Layout layout) {
    Edition e;
    e.text = layout == Layout::SingleLine ? "Windows (Unknown)" : "Microsoft Windows (Unknown)";
    return e;
}

}  // namespace sysinfo
