#include "capture/Diagnosis.h"

#include "capture/AddressMarks.h"
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
    // An address that begins with the link-local prefix, not one that
    // merely holds those digits (10.169.254.5).
    if (!isAutomaticAddress(tested)) return;
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
    return addressRules(tested, adapter, false);
}

bool Diagnosis::vistaAddressRules(std::string_view tested, int adapter) {
    return addressRules(tested, adapter, true);
}

bool Diagnosis::addressRules(std::string_view tested, int adapter, bool vista) {
    if (failsLetterTest(tested)) {
        // Windows marks addresses with a status word ("(Preferred)",
        // "(Tentative)", ...) and IPv6 holds hex letters: only other letters
        // mean a damaged stack. A conflict is a fault of its own.
        MarkedAddress a = splitAddressMark(tested);
        if (a.mark == AddressMark::Duplicate) {
            addressConflict(a.address, adapter);
            return false;
        }
        if (carriesStatusWord(tested) || (vista && isIpv6Address(tested))) return false;
        damagedStack(tested, adapter);
        return true;
    }
    if (tested == "0.0.0.0") unsetAddress(tested, adapter);
    return false;
}

void Diagnosis::addressConflict(std::string_view address, int adapter) {
    status = "Adapter " + num(adapter) + " : IP address conflict.  Click to see log.";
    log.push_back(time + " Adapter " + num(adapter) + " : IP address conflict. Another device also uses " +
                  std::string(address));
    ++faults;
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
