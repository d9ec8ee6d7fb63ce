#include "standins/ipconfig/DnsCache.h"

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

}  // namespace

int displayDns(std::ostream& out) {
    out << kReportBanner;
    switch (cacheInUse()) {
        case Cache::Resolved: {
            ExecResult r = runProgram({"resolvectl", "show-cache"}, kTimeoutMs, true);
            if (!r.started || r.exitCode != 0) r = runProgram({"resolvectl", "statistics"}, kTimeoutMs, true);
            if (!r.started || r.exitCode != 0) {
                out << "Could not display the DNS Resolver Cache: systemd-resolved does not answer.\r\n";
                return 1;
            }
            out << crlf(r.output);
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
