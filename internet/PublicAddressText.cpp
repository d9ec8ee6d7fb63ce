#include "internet/PublicAddressText.h"

#include <cstring>

namespace internet {

std::string echoPageResult(const std::string& page) {
    std::size_t marker = page.find(kEchoMarker);
    if (marker == std::string::npos) return kErr1;
    std::size_t colon = marker + std::strlen(kEchoMarker) - 1;
    // The search for "<" starts one character past the one after the colon;
    // the result starts right after the colon.
    std::size_t end = page.find('<', colon + 2);
    if (end == std::string::npos) return kErr1;
    return page.substr(colon + 1, end - (colon + 1));
}

std::string cutAtTilde(const std::string& text) { return text.substr(0, text.find('~')); }

bool isFailureResult(const std::string& result) { return result.compare(0, 6, "Unable") == 0; }

StatusLine statusLineFor(const std::string& t) {
    if (t.empty()) return {" Internet Connection Status (Click 'Get Public IP' to Check)", {224, 224, 224}};
    if (t == kAcquiring) return {" Internet Connection Status: Checking ...", {255, 255, 128}};
    if (t == kErr0 || t == kErr1 || t == kErr2) return {" Internet Connection Status: None", {255, 0, 0}};
    return {" Internet: Connected ... Public IP Address: " + t, {0, 192, 0}};
}

}  // namespace internet
