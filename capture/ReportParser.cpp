#include "capture/ReportParser.h"

#include "capture/Diagnosis.h"
#include "capture/FieldLabels.h"
#include "capture/ReportText.h"

namespace capture {

namespace {

constexpr std::size_t kHeaderColumnLimit = 40;
constexpr std::string_view kHeaderKeyword = "adapter";

bool startsInFirstColumn(std::string_view line) { return !line.empty() && line[0] != ' ' && line[0] != '\t'; }

// Walks the report once; one instance per parse.
class Walker {
public:
    Walker(const std::vector<std::string>& lines, std::string_view marker, std::string_view time,
           app::AdapterTable& table, bool withScripts)
        : lines_(lines), vista_(marker == "vista"), xp_(marker == "xp"), withScripts_(withScripts), table_(table) {
        diag_.time = std::string(time);
    }

    ParseResult run() {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!line(i)) return finishWithInternalError();
        }
        return finish();
    }

private:
    int current() const { return static_cast<int>(list_.size()); }

    void store(int field, const std::string& value) {
        ++recognised_;
        if (value.empty()) return;
        std::size_t row = list_.size();
        if (row >= table_.size()) return;  // no row for the eleventh adapter and later
        const auto f = static_cast<std::size_t>(field);
        table_[row][f] = labelColumn(kFieldLabels[f]) + value;
    }

    void script(ScriptFile file) {
        if (withScripts_) result_.scripts.push_back(std::move(file));
    }
    // A ping script, written unless its value holds a special character;
    // true when written.
    bool pingScript(std::optional<ScriptFile> file, std::string name) {
        if (!file) {
            if (withScripts_) result_.withheldScripts.push_back(std::move(name));
            return false;
        }
        script(std::move(*file));
        return true;
    }

    // Labels are matched without regard to case: against a lower-cased copy
    // of the line, with lower-case labels. A label stands before the line's
    // first colon; what follows it is a value, which may come from a DHCP
    // server and say anything ("default gateway -n 99 ..."). A line without a
    // colon is searched whole.
    bool has(std::string_view label) const {
        return std::string_view(lower_).substr(0, lower_.find(':')).find(label) != std::string_view::npos;
    }

    // Applies the line rules to line i; false when the parse ends here.
    bool line(std::size_t i) {
        const std::string& text = lines_[i];
        lowerAscii(text, lower_);
        // "error" anywhere, values included, reports the tool's internal error.
        if (lower_.find("error") != std::string::npos) {
            diag_.internalError(text);
            result_.reportList = {"Windows IP Configuration - An internal error occurred.", "", "",
                                  "Run ipconfig from the Command Shell for more information."};
            return false;
        }
        if (has("host name")) {
            ++recognised_;
            result_.hostName = upperAscii(takeValue(text, cut_));
        }
        // 1-based position of the keyword; npos + 1 wraps to 0 when absent.
        if (std::size_t k = lower_.find(kHeaderKeyword) + 1) {
            cut_ = k - 1;
            // Every detail line of a report is indented: an indented line is
            // never a header, whatever its value says (a DNS suffix from a
            // DHCP server may read "adapter ...:").
            if (k - 1 <= kHeaderColumnLimit && startsInFirstColumn(text)) {
                if (vista_ && text.find("Tunnel adapter") != std::string::npos) {
                    list_.push_back(kTunnelSkip);
                    inTunnel_ = true;
                    return true;
                }
                header(text, k);
            }
        }
        // A skipped tunnel's own lines describe no listed adapter: a
        // disconnected tunnel is no cable fault and fills no row.
        if (inTunnel_) return true;

        if (has("media state")) {
            store(13, takeValue(text, cut_));
            diag_.mediaFault(current(), adapterName_);
        }
        if (has("description")) store(1, takeValue(text, cut_));
        if (has(vista_ ? "ipv4 address" : "ip address")) address(text);
        if (has("physical address")) store(3, takeValue(text, cut_));
        if (has("dhcp enabled")) store(4, takeValue(text, cut_));
        if (has("autoconfiguration enabled")) store(5, takeValue(text, cut_));
        if (has("subnet mask")) store(6, takeValue(text, cut_));
        if (has("default gateway")) {
            std::string gateway = takeValue(text, cut_);
            if (!gateway.empty()) {
                store(7, gateway);
                if (pingScript(pingGatewayScript(current(), gateway), std::to_string(current()) + kPingGatewaySuffix))
                    result_.showPingGateway = true;
            }
        }
        if (has("dns servers")) dns(i);
        if (has("dhcp server")) store(8, takeValue(text, cut_));
        if (has("lease obtained")) store(9, takeValue(text, cut_));
        if (has("lease expires")) store(10, takeValue(text, cut_));
        return true;
    }

    void header(const std::string& text, std::size_t keyword) {
        inTunnel_ = false;
        adapterName_ = text.substr(0, text.size() - 1);  // drop the trailing ":"
        std::string shortName = shortNameOf(adapterName_, keyword);
        int n = current() + 1;
        std::string entry = std::to_string(n) + ") " + adapterName_;
        list_.push_back(entry);
        if (static_cast<std::size_t>(n) < table_.size()) table_[static_cast<std::size_t>(n)][0] = entry;
        script(releaseScript(n, shortName));
        script(renewScript(n, shortName));
    }

    void address(const std::string& text) {
        ++recognised_;
        // The tested value is cut at the position kept from earlier lines.
        std::string tested = cutAt(text, cut_);
        diag_.automaticAddressFault(tested, current());
        if (xp_) {
            // An IPv6 address on an "IP Address" line is no fault, but the
            // adapter keeps its IPv4 address in the table.
            if (isIpv6Address(tested)) {
                takeValue(text, cut_);
                return;
            }
            if (!diag_.xpAddressRules(tested, current())) store(2, takeValue(text, cut_));
        } else if (vista_) {
            if (!diag_.vistaAddressRules(tested, current())) store(2, takeValue(text, cut_));
        }
    }

    void dns(std::size_t i) {
        ++recognised_;
        std::string first = takeValue(lines_[i], cut_);
        if (!first.empty()) {
            diag_.dnsFault(1, first);
            store(11, first);
            if (pingScript(pingDnsScript(current(), 1, first), std::to_string(current()) + pingDnsSuffix(1)))
                result_.showPingDns1 = true;
        }
        if (i + 1 >= lines_.size()) return;
        const std::string& next = lines_[i + 1];
        std::string second = cutAt(next, cut_);
        // An indented continuation: blank in column 9 and a leading blank, so
        // a following adapter header is never taken for a second server.
        bool continuation = next.size() >= 9 && next[8] == ' ' && next[0] == ' ';
        if (second.empty() || !continuation) return;
        diag_.dnsFault(2, second);
        store(12, second);
        if (pingScript(pingDnsScript(current(), 2, second), std::to_string(current()) + pingDnsSuffix(2)))
            result_.showPingDns2 = true;
    }

    ParseResult finishWithInternalError() {
        result_.internalError = true;
        result_.adapterEntries = list_;
        return collect();
    }

    ParseResult finish() {
        for (const auto& entry : list_)
            if (!(vista_ && entry == kTunnelSkip)) result_.adapterEntries.push_back(entry);
        // A report none of whose fields was read (a language or layout not
        // known) is no report without faults.
        if (diag_.faults == 0) {
            if (recognised_ == 0) diag_.unreadReport();
            else diag_.noFaultReport();
        }
        return collect();
    }

    ParseResult collect() {
        result_.status = diag_.status;
        result_.log = std::move(diag_.log);
        result_.faultCount = diag_.faults;
        return std::move(result_);
    }

    const std::vector<std::string>& lines_;
    bool vista_;
    bool xp_;
    bool withScripts_;
    app::AdapterTable& table_;
    Diagnosis diag_;
    ParseResult result_;
    std::vector<std::string> list_;
    std::size_t cut_ = 0;
    std::string adapterName_;
    bool inTunnel_ = false;
    int recognised_ = 0;  // label lines read
    std::string lower_;
};

}  // namespace

std::string shortNameOf(std::string_view adapterName, std::size_t keywordPosition) {
    std::size_t start = keywordPosition - 1 + kHeaderKeyword.size();
    if (start >= adapterName.size()) return {};
    std::string_view rest = adapterName.substr(start);
    if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return std::string(rest.substr(0, rest.find(' ')));
}

std::vector<std::string> reportListFrom(const std::vector<std::string>& fileLines) {
    std::vector<std::string> list{kPleaseWait};
    for (const auto& line : fileLines)
        if (!line.empty()) list.push_back(line);
    return list;
}

void clearAdapterTable(app::AdapterTable& table) {
    for (auto& row : table)
        for (auto& cell : row) cell.clear();
}

ParseResult parseReport(const std::vector<std::string>& lines, std::string_view marker, std::string_view timeText,
                        app::AdapterTable& table, bool withScripts) {
    return Walker(lines, marker, timeText, table, withScripts).run();
}

}  // namespace capture
