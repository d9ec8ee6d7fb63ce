// Parse and diagnose of a ten-adapter report, as a Refresh does it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "capture/DiagnosisReport.h"

namespace {

std::string labelled(const std::string& label, const std::string& value) {
    std::string field = label + " ";
    while (field.size() < 34) field += field.size() % 2 ? " " : ".";
    return "   " + field + ": " + value;
}

std::vector<std::string> tenAdapters() {
    std::vector<std::string> lines{"", "Windows IP Configuration", "", labelled("Host Name", "bench-host"),
                                   labelled("Node Type", "Hybrid"), ""};
    for (int i = 1; i <= 10; ++i) {
        std::string n = std::to_string(i);
        lines.push_back("Ethernet adapter eth" + n + ":");
        lines.push_back("");
        lines.push_back(labelled("Connection-specific DNS Suffix", "lan"));
        lines.push_back(labelled("Description", "Virtual Ethernet Controller " + n));
        lines.push_back(labelled("Physical Address", "52-54-00-12-34-" + std::to_string(10 + i)));
        lines.push_back(labelled("DHCP Enabled", "Yes"));
        lines.push_back(labelled("Autoconfiguration Enabled", "Yes"));
        lines.push_back(labelled("Link-local IPv6 Address", "fe80::5054:ff:fe12:34" + n + "%" + n + "(Preferred) "));
        lines.push_back(labelled("IPv4 Address", "10.0." + n + ".2(Preferred) "));
        lines.push_back(labelled("Subnet Mask", "255.255.255.0"));
        lines.push_back(labelled("Lease Obtained", "Monday, December 7, 2026 6:00:00 AM"));
        lines.push_back(labelled("Lease Expires", "Tuesday, December 8, 2026 6:00:00 AM"));
        lines.push_back(labelled("Default Gateway", "10.0." + n + ".1"));
        lines.push_back(labelled("DHCP Server", "10.0." + n + ".1"));
        lines.push_back(labelled("DNS Servers", "10.0." + n + ".1"));
        lines.push_back(std::string(39, ' ') + "9.9.9.9");
        lines.push_back(labelled("NetBIOS over Tcpip", "Enabled"));
        lines.push_back("");
    }
    return lines;
}

void ParseAndDiagnoseTenAdapters(benchmark::State& state) {
    const auto lines = tenAdapters();
    for (auto _ : state) {
        auto summary = capture::diagnoseLines(lines, "vista", "06:00:00");
        benchmark::DoNotOptimize(summary);
    }
}
BENCHMARK(ParseAndDiagnoseTenAdapters)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
