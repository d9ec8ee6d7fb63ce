#include "standins/ipconfig/DnsCache.h"

#include <sstream>

#include "standins/common/Exec.h"
#include "standins/common/Files.h"
#include "standins/common/Report.h"

namespace standins {

namespace {

constexpr int kTimeoutMs = 10000;

enum class Cache { None, Resolved, Nscd };

Cache cacheInUse() {
    if (exists("/run/systemd/resolve/io.systemd.Resolve") && !findProgram("resolvectl").empty())
        return Cache::Resolved;
    if (exists("/var/run/nscd/socket") && !findProgram("nscd").empty()) return Cache::Nscd;
    return Cache::None;
}

// CR LF line ends, as the console output of the report tool always has.
std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
        out += c;
    }
    return out;
}

constexpr const char* kNoCache =
    "There is no DNS resolver cache on this machine (neither systemd-resolved nor nscd runs).";

// One field of a record: four blanks, the label padded with ". " to the
// dots' column, ": ", the value.
std::string recordLine(const std::string& label, const std::string& value) {
    std::string line = "    " + label;
    bool dot = line.size() % 2 == 0;
    while (line.size() < 26) {
        line += dot ? '.' : ' ';
        dot = !dot;
    }
    return line + ": " + value + "\r\n";
}

std::string typeNumber(const std::string& type) {
    static const std::pair<const char*, const char*> kTypes[] = {
        {"A", "1"}, {"NS", "2"}, {"CNAME", "5"}, {"SOA", "6"}, {"PTR", "12"}, {"MX", "15"}, {"TXT", "16"}, {"AAAA", "28"}, {"SRV", "33"}};
    for (const auto& [name, number] : kTypes)
        if (type == name) return number;
    return type;
}

std::string recordLabel(const std::string& type) {
    if (type == "A") return "A (Host) Record";
    if (type == "AAAA") return "AAAA Record";
    if (type == "CNAME") return "CNAME Record";
    if (type == "PTR") return "PTR Record";
    return type + " Record";
}

}  // namespace

std::vector<CacheRecord> parseResolvedCache(const std::string& text) {
    std::vector<CacheRecord> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        std::string x;
        while (words >> x) w.push_back(x);
        // "NAME IN TYPE DATA..." or "NAME TTL IN TYPE DATA..."
        std::size_t at = 1;
        std::string ttl;
        if (w.size() >= 5 && w[2] == "IN") ttl = w[1], at = 2;
        if (w.size() < at + 3 || w[at] != "IN") continue;
        CacheRecord r;
        r.name = w[0];
        if (!r.name.empty() && r.name.back() == '.') r.name.pop_back();
        r.type = w[at + 1];
        r.ttl = ttl;
        for (std::size_t i = at + 2; i < w.size(); ++i) r.data += (r.data.empty() ? "" : " ") + w[i];
        out.push_back(r);
    }
    return out;
}

std::string formatCacheRecords(const std::vector<CacheRecord>& records) {
    std::string out;
    for (const auto& r : records) {
        out += "    " + r.name + "\r\n    ----------------------------------------\r\n";
        out += recordLine("Record Name", r.name);
        out += recordLine("Record Type", typeNumber(r.type));
        if (!r.ttl.empty()) out += recordLine("Time To Live", r.ttl);
        out += recordLine("Section", "Answer");
        out += recordLine(recordLabel(r.type), r.data);
        out += "\r\n\r\n";
    }
    return out;
}

int displayDns(std::ostream& out) {
    out << kReportBanner;
    switch (cacheInUse()) {
        case Cache::Resolved: {
            ExecResult r = runProgram({"resolvectl", "show-cache"}, kTimeoutMs, true);
            if (r.started && r.exitCode == 0) {
                out << formatCacheRecords(parseResolvedCache(r.output));
                return 0;
            }
            r = runProgram({"resolvectl", "statistics"}, kTimeoutMs, true);
            if (!r.started || r.exitCode != 0) {
                out << "Could not display the DNS Resolver Cache: systemd-resolved does not answer.\r\n";
                return 1;
            }
            out << kCannotList << "\r\n\r\n" << crlf(r.output);
            return 0;
        }
        case Cache::Nscd: {
            ExecResult r = runProgram({"nscd", "-g"}, kTimeoutMs, true);
            out << crlf(r.output);
            return r.started && r.exitCode == 0 ? 0 : 1;
        }
        default: break;
    }
    out << "Could not display the DNS Resolver Cache.\r\n" << kNoCache << "\r\n";
    return 1;
}

int flushDns(std::ostream& out) {
    out << kReportBanner;
    ExecResult r;
    switch (cacheInUse()) {
        case Cache::Resolved: r = runProgram({"resolvectl", "flush-caches"}, kTimeoutMs, true); break;
        case Cache::Nscd: r = runProgram({"nscd", "-i", "hosts"}, kTimeoutMs, true); break;
        default:
            out << "Could not flush the DNS Resolver Cache.\r\n" << kNoCache << "\r\n";
            return 1;
    }
    if (r.started && r.exitCode == 0) {
        out << "Successfully flushed the DNS Resolver Cache.\r\n";
        return 0;
    }
    out << "Could not flush the DNS Resolver Cache: " << (r.started ? crlf(r.output) : r.error) << "\r\n";
    return 1;
}

}  // namespace standins
