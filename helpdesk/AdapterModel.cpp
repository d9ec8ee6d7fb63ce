#include "helpdesk/AdapterModel.h"

#include "capture/ReportText.h"

namespace helpdesk {

namespace {

// The label without its leader dots and blanks, lower-cased.
std::string labelOf(std::string_view label) {
    label = capture::trimmed(label);
    while (!label.empty() && (label.back() == '.' || label.back() == ' ')) label.remove_suffix(1);
    std::string out;
    capture::lowerAscii(label, out);
    return out;
}

bool yes(std::string_view value) { return capture::containsNoCase(value, "yes"); }

enum class Field { None, Gateway, Dns };

class Reader {
public:
    MachineFacts run(const std::vector<std::string>& lines) {
        for (const auto& line : lines) read(line);
        return std::move(facts_);
    }

private:
    void read(std::string_view line) {
        if (line.empty()) return;
        std::size_t colon = line.find(':');
        const bool indented = line.front() == ' ' || line.front() == '\t';
        if (!indented) {
            header(capture::trimmed(line));
            return;
        }
        // A further gateway or DNS server stands alone on its line, deep in.
        if (colon == std::string_view::npos || !hasLeader(line.substr(0, colon))) {
            more(capture::trimmed(line));
            return;
        }
        std::string label = labelOf(line.substr(0, colon));
        std::string_view value = capture::trimmed(line.substr(colon + 1));
        last_ = Field::None;
        if (label == "ip routing enabled") facts_.routingEnabled = yes(value);
        else if (label == "primary dns suffix") facts_.primaryDnsSuffix = std::string(value);
        if (!adapter_) return;
        AdapterFacts& a = *adapter_;
        if (label == "media state") a.mediaDisconnected = capture::containsNoCase(value, "disconnected");
        else if (label == "description") a.description = std::string(value);
        else if (label == "dhcp enabled") a.dhcp = yes(value);
        else if (label == "dhcp server") a.dhcpServer = std::string(value);
        else if (label == "subnet mask") {
            if (!a.addresses.empty() && a.addresses.back().mask.empty()) a.addresses.back().mask = std::string(value);
        } else if (label == "default gateway") {
            last_ = Field::Gateway;
            more(value);
        } else if (label == "dns servers") {
            last_ = Field::Dns;
            more(value);
        } else if (label.find("ipv6 address") != std::string::npos) {
            a.hasIpv6 = true;
        } else if (label == "ip address" || label == "ipv4 address" || label == "autoconfiguration ip address" ||
                   label == "autoconfiguration ipv4 address") {
            address(value);
        }
    }

    static bool hasLeader(std::string_view label) {
        label = capture::trimmed(label);
        return !label.empty() && label.find_first_not_of("0123456789abcdefABCDEF.%") != std::string_view::npos;
    }

    void header(std::string_view line) {
        std::size_t at = capture::findNoCase(line, " adapter ");
        if (at == 0 || line.back() != ':') {
            adapter_ = nullptr;
            last_ = Field::None;
            return;
        }
        AdapterFacts a;
        a.kind = std::string(line.substr(0, at - 1));
        a.name = std::string(capture::trimmed(line.substr(at - 1 + 9, line.size() - (at - 1 + 9) - 1)));
        facts_.adapters.push_back(std::move(a));
        adapter_ = &facts_.adapters.back();
        last_ = Field::None;
    }

    void address(std::string_view value) {
        if (value.empty()) return;
        capture::MarkedAddress m = capture::splitAddressMark(value);
        std::string_view plain = m.address;
        // An "IP Address" line of the older report may carry IPv6.
        if (capture::isIpv6Address(plain)) {
            adapter_->hasIpv6 = true;
            return;
        }
        Ipv4Entry e;
        e.value = std::string(plain);
        e.mark = m.mark;
        e.masked = capture::isMaskedValue(plain);
        e.damaged = !e.masked && capture::failsLetterTest(plain);
        adapter_->addresses.push_back(std::move(e));
    }

    void more(std::string_view value) {
        if (!adapter_ || value.empty()) return;
        std::string_view plain = capture::splitAddressMark(value).address;
        if (last_ == Field::Dns) adapter_->dnsServers.emplace_back(plain);
        else if (last_ == Field::Gateway && (capture::ipv4Number(plain) || capture::isMaskedValue(plain) ||
                                             plain.find(':') == std::string_view::npos))
            adapter_->gateways.emplace_back(plain);
    }

    MachineFacts facts_;
    AdapterFacts* adapter_ = nullptr;
    Field last_ = Field::None;
};

}  // namespace

MachineFacts readMachineFacts(const std::vector<std::string>& lines) {
    MachineFacts facts;
    Reader reader;
    facts = reader.run(lines);
    return facts;
}

}  // namespace helpdesk
