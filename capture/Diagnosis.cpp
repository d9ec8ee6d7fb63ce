#include "capture/Diagnosis.h"

#include "capture/ReportText.h"

namespace capture {

namespace {
std::string num(int n) { return std::to_string(n); }
}  // namespace

void Diagnosis::mediaFault(int adapter, std::string_view adapterName) {
    // Exact case on purpose: "ireless" matches Wireless and wireless, not WIRELESS.
    const char* kind = adapterName.find("ireless") != std::string_view::npos ? "Wireless Network Disconnected"
                                                                             : "Cable Error";
    status = " Connection error. Click to see log.";
    log.push_back(time + " Adapter " + num(adapter) + " Media not connected: " + kind);
    ++faults;
}

void Diagnosis::automaticAddressFault(std::string_view tested, int adapter) {
    if (tested.find("169.254") == std::string_view::npos) return;
    status = " ERRORS detected.  Click to see log.";
    log.push_back(time + " Adapter " + num(adapter));
    log.push_back("No DHCP address assigned.");
    log.emplace_back(tested);
    ++faults;
}

void Diagnosis::damagedStack(std::string_view tested, int adapter) {
    status = " WINSOCK CORRUPTION ERROR detected.  Click to see log.";
    log.push_back(time + " Adapter " + num(adapter));
    log.push_back("WINSOCK CORRUPTION ERROR detected. Run ipconfig from the Command Shell.");
    log.emplace_back(tested);
    ++faults;
}

void Diagnosis::unsetAddress(std::string_view tested, int adapter) {
    status = "Adapter " + num(adapter) + " : An IP address is not set.  Click to see log.";
    log.push_back(time + " Adapter " + num(adapter) + " : IP address is not set. (" + std::string(tested) + ")");
    ++faults;
}

bool Diagnosis::xpAddressRules(std::string_view tested, int adapter) {
    if (failsLetterTest(tested)) {
        damagedStack(tested, adapter);
        return true;
    }
    if (tested == "0.0.0.0") unsetAddress(tested, adapter);
    return false;
}

bool Diagnosis::vistaAddressRules(std::string_view tested, int adapter) {
    if (failsLetterTest(tested)) {
        // The modern report marks addresses "(Preferred)"; IPv6 holds hex letters.
        if (tested.find("(Preferred)") != std::string_view::npos || isIpv6Address(tested)) return false;
        damagedStack(tested, adapter);
        return true;
    }
    if (tested == "0.0.0.0") unsetAddress(tested, adapter);
    return false;
}

void Diagnosis::dnsFault(int which, std::string_view value) {
    if (!failsLetterTest(value) || isIpv6Address(value)) return;
    status = " DNS " + num(which) + " CORRUPTION ERROR detected.  Click to see log.";
    log.push_back(time + " DNS " + num(which) + " ERROR detected.");
    ++faults;
}

void Diagnosis::internalError(std::string_view line) {
    status = "Windows IP Configuration - An internal error occurred. Click to see log.";
    log.push_back("Windows IP Configuration - An internal error occurred.");
    log.push_back("Run ipconfig from the Command Shell for more information.");
    log.push_back("Detail:");
    log.emplace_back(line);
    ++faults;
}

void Diagnosis::noFaultReport() {
    status = kNoErrorsFound;
    log.push_back(time + " No errors found");
}

void Diagnosis::unreadReport() {
    status = kReportNotRead;
    log.push_back(time + " Report not read: no field was recognised (unknown language or layout).");
    ++faults;
}

}  // namespace capture
