// The help desk's verdict on a report: is the machine online, through which
// adapters, and what is really wrong. Unlike the window's status line,
// which names the last fault any rule found, it weighs the adapters
// against each other: an idle Bluetooth adapter is no fault while Wi-Fi
// carries the connection. Pure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "helpdesk/AdapterModel.h"

namespace helpdesk {

inline constexpr const char* kWholeMachine = "*";

struct Finding {
    std::string kind;     // "automatic-address", "idle-adapter", ...
    std::string adapter;  // a connection name, or "*"
    std::string text;     // one sentence for a person
};

struct Route {
    std::string adapter, address, gateway;
};

struct Verdict {
    std::optional<bool> connected;  // none: the values that decide were masked
    std::vector<Route> via;
    std::vector<Finding> findings;
};

Verdict judge(const MachineFacts& facts);

// Fault kinds count against the machine; the others only inform.
bool isFault(const Finding& finding);
inline bool hasFault(const Verdict& v) {
    for (const auto& f : v.findings)
        if (isFault(f)) return true;
    return false;
}
// 0 connected with no fault, 1 otherwise.
inline int exitStatusOf(const Verdict& v) { return v.connected.value_or(false) && !hasFault(v) ? 0 : 1; }

// "Connected through Wi-Fi (10.0.0.27, gateway 10.0.0.1)", "Not connected: ..."
std::string verdictLine(const Verdict& v);

}  // namespace helpdesk
