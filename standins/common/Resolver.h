// DNS servers and search domains: systemd-resolved's per-link state, else
// resolv.conf.
#pragma once

#include <string>
#include <vector>

namespace standins {

struct ResolvConf {
    std::vector<std::string> servers;
    std::vector<std::string> search;
    std::string domain;
};

// Pure: "nameserver", "search" and "domain" lines.
ResolvConf parseResolvConf(const std::string& text);

// resolv.conf of this namespace (/etc/resolv.conf).
ResolvConf systemResolvConf();

// systemd-resolved's servers for one link; empty when it keeps none.
std::vector<std::string> resolvedLinkServers(int ifindex);

// systemd-networkd's servers for one link (its links/IFINDEX "DNS="), which
// systemd-resolved takes from it without a file of its own.
std::vector<std::string> networkdLinkServers(int ifindex);

// IPv4 servers first, each once, stub addresses of a local resolver left out.
std::vector<std::string> orderServers(const std::vector<std::string>& servers);

}  // namespace standins
