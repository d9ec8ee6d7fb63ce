// What a report says about each adapter, more than the window's table
// keeps: every IPv4 address with its mask and status word, every gateway
// and DNS server, the adapter's kind from its header. Read from the English
// lines of an `ipconfig /all` report. Pure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "capture/AddressMarks.h"

namespace helpdesk {

struct Ipv4Entry {
    std::string value;  // as written, status word removed
    std::string mask;
    capture::AddressMark mark = capture::AddressMark::None;
    bool masked = false;
    bool damaged = false;  // letters that are neither a status word nor masking
};

struct AdapterFacts {
    std::string kind;  // the words before "adapter" in the header: "Ethernet", "PPP", "Tunnel", ...
    std::string name;  // the connection name, as the header writes it
    std::string description;
    bool mediaDisconnected = false;
    std::optional<bool> dhcp;
    std::vector<Ipv4Entry> addresses;
    std::vector<std::string> gateways;  // IPv4 and masked values only
    std::vector<std::string> dnsServers;
    std::string dhcpServer;
    bool hasIpv6 = false;
};

struct MachineFacts {
    // A Copy All report carries no media state: an adapter without an
    // address may just as well be unplugged.
    bool mediaStateKnown = true;
    bool routingEnabled = false;
    std::string primaryDnsSuffix;
    std::vector<AdapterFacts> adapters;
};

MachineFacts readMachineFacts(const std::vector<std::string>& lines);

}  // namespace helpdesk
