// Lease records of the DHCP clients, parsed from their own files. Pure.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace standins {

struct Lease {
    std::string address;
    std::string server;
    std::vector<std::string> dns;
    std::string domain;
    std::optional<std::time_t> obtained;
    std::optional<std::time_t> expires;
};

// The last lease of `ifname` in a dhclient lease file; times written either
// as "W YYYY/MM/DD HH:MM:SS" (UTC) or "epoch N".
std::optional<Lease> parseDhclientLeases(const std::string& text, const std::string& ifname);

// A systemd-networkd lease file (KEY=VALUE lines); `written` is the file's
// modification time, from which LIFETIME counts.
std::optional<Lease> parseNetworkdLease(const std::string& text, std::time_t written);

// The [dhcp4] section of NetworkManager's per-device state file (keys with
// or without their "dhcp4." prefix).
std::optional<Lease> parseNetworkManagerDevice(const std::string& text);

// What `dhcpcd -U IFACE` prints (KEY=VALUE lines); `written` is the time of
// its lease file, from which the lease time counts.
std::optional<Lease> parseDhcpcdDump(const std::string& text, std::optional<std::time_t> written);

// Splits "a b, c" on blanks and commas.
std::vector<std::string> splitList(const std::string& text);

// The value of the first "KEY=VALUE" line of `text`, without its line end;
// empty when there is none.
std::string keyValue(const std::string& text, const std::string& key);

}  // namespace standins
