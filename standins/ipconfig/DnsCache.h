// /displaydns and /flushdns through the caching resolver in use.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace standins {

int displayDns(std::ostream& out);
int flushDns(std::ostream& out);

// What /displaydns says where systemd-resolved runs but cannot list its
// entries (before `resolvectl show-cache`); its statistics follow.
inline constexpr const char* kCannotList =
    "This systemd-resolved cannot list the entries of its cache; its statistics follow.";

struct CacheRecord {
    std::string name;
    std::string type;  // "A", "AAAA", "CNAME", ...
    std::string ttl;   // empty when not listed
    std::string data;
};

// The records of `resolvectl show-cache` ("NAME IN TYPE DATA" lines, TTL
// after the name when given); other lines are left out.
std::vector<CacheRecord> parseResolvedCache(const std::string& text);
// The records in the layout of the report tool: the name, a rule, then the
// labelled fields of each record.
std::string formatCacheRecords(const std::vector<CacheRecord>& records);

}  // namespace standins
