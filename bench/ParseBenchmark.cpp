// Parse and diagnose of a ten-adapter report, as a Refresh does it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ReportBuilder.h"
#include "capture/DiagnosisReport.h"

namespace {

using testing_support::vista;
using testing_support::vistaMore;

std::vector<std::string> tenAdapters() {
    std::vector<std::string> lines{"", "Windows IP Configuration", "", vista("Host Name", "bench-host"),
                                   vista("Node Type", "Hybrid"), ""};
    for (int i = 1; i <= 10; ++i) {
        std::string n = std::to_string(i);
        lines.push_back("Ethernet adapter eth" + n + ":");
        lines.push_back("");
        lines.push_back(vista("Connection-specific DNS Suffix", "lan"));
        lines.push_back(vista("Description", "Virtual Ethernet Controller " + n));
        lines.push_back(vista("Physical Address", "52-54-00-12-34-" + std::to_string(10 + i)));
        lines.push_back(vista("DHCP Enabled", "Yes"));
        lines.push_back(vista("Autoconfiguration Enabled", "Yes"));
        lines.push_back(vista("Link-local IPv6 Address", "fe80::5054:ff:fe12:34" + n + "%" + n + "(Preferred) "));
        lines.push_back(vista("IPv4 Address", "10.0." + n + ".2(Preferred) "));
        lines.push_back(vista("Subnet Mask", "255.255.255.0"));
        lines.push_back(vista("Lease Obtained", "Monday, December 7, 2026 6:00:00 AM"));
        lines.push_back(vista("Lease Expires", "Tuesday, December 8, 2026 6:00:00 AM"));
        lines.push_back(vista("Default Gateway", "10.0." + n + ".1"));
        lines.push_back(vista("DHCP Server", "10.0." + n + ".1"));
        lines.push_back(vista("DNS Servers", "10.0." + n + ".1"));
        lines.push_back(vistaMore("9.9.9.9"));
        lines.push_back(vista("NetBIOS over Tcpip", "Enabled"));
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
