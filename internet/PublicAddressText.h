// Texts of the public-address lookup and the connection status line, as
// plain values: the echo page's address, the "~" cut, the status caption and
// its colour.
#pragma once

#include <string>

#include "ui/Controls.h"

namespace internet {

inline constexpr const char* kErr0 = "Unable to Connect/err0";
inline constexpr const char* kErr1 = "Unable to Connect/err1";
inline constexpr const char* kErr2 = "Unable to Connect/err2";
inline constexpr const char* kFromVorlan = "from Vorlan";
inline constexpr const char* kAcquiring = "Acquiring ...";
inline constexpr const char* kEchoMarker = "Current IP Address:";

// The echo service's page reduced to what follows "Current IP Address:" up
// to the next "<" (searched from the second character after the colon). The
// marker is matched exactly, letter case included. No marker, or a marker
// with no "<" after it: "Unable to Connect/err1".
std::string echoPageResult(const std::string& page);

// The part of a text before its first "~"; the whole text when it holds none.
std::string cutAtTilde(const std::string& text);

// A lookup result counts as failed when it starts with "Unable".
bool isFailureResult(const std::string& result);

struct StatusLine {
    std::string caption;
    ui::Color background;
};

// The status line `Label14` for a text of `Text1`.
StatusLine statusLineFor(const std::string& addressText);

}  // namespace internet
