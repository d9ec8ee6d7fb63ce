#include "helpdesk/ReportOutput.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "capture/AdapterView.h"
#include "capture/FieldLabels.h"
#include "capture/ReportText.h"

namespace helpdesk {

namespace {

using Json = nlohmann::ordered_json;

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : separator) + item;
    return out;
}

std::string hostText(const HostFacts& h) {
    std::string out;
    auto line = [&out](const char* label, const std::optional<std::string>& value) {
        if (value) out += label + *value + "\n";
    };
    line("Computer name: ", h.computerName);
    if (h.lanGroup || h.groupKind)
        out += "Domain/Workgroup: " + h.lanGroup.value_or("") + " (" + h.groupKind.value_or("") + ")\n";
    line("Username: ", h.userName);
    line("Windows Dir: ", h.windowsFolder);
    line("Operating System: ", h.operatingSystem);
    line("Memory: ", h.memory);
    line("Public IP: ", h.publicAddress);
    if (!h.privateAddresses.empty()) out += "Private IP: " + joined(h.privateAddresses, " / ") + "\n";
    return out;
}

Json hostJson(const HostFacts& h) {
    Json j = Json::object();
    auto put = [&j](const char* key, const std::optional<std::string>& value) {
        if (value) j[key] = *value;
    };
    put("computerName", h.computerName);
    put("lanGroup", h.lanGroup);
    put("groupKind", h.groupKind);
    put("userName", h.userName);
    put("windowsFolder", h.windowsFolder);
    put("operatingSystem", h.operatingSystem);
    put("memory", h.memory);
    put("publicAddress", h.publicAddress);
    j["privateAddresses"] = h.privateAddresses;
    return j;
}

Json adaptersJson(const capture::DiagnosisSummary& s) {
    Json adapters = Json::array();
    for (std::size_t pos = 0; pos < s.adapterEntries.size(); ++pos) {
        const std::string& entry = s.adapterEntries[pos];
        const int n = capture::adapterNumberOf(entry, static_cast<int>(pos) + 1);
        std::size_t name = entry.find(") ");
        Json fields = Json::object();
        if (n >= 1 && n < app::kAdapterRows) {
            // Every stored cell is its field's label padded to the label column, then the value.
            for (std::size_t f = 1; f < capture::kFieldLabels.size(); ++f) {
                const std::string& cell = s.table[static_cast<std::size_t>(n)][f];
                if (cell.empty()) continue;
                std::string_view label = capture::kFieldLabels[f];
                label.remove_suffix(1);  // its ":"
                fields[std::string(label)] = cell.size() > capture::kLabelColumn ? cell.substr(capture::kLabelColumn) : "";
            }
        }
        adapters.push_back(Json{{"number", n},
                                {"name", name == std::string::npos ? entry : entry.substr(name + 2)},
                                {"fields", std::move(fields)}});
    }
    return adapters;
}

Json verdictJson(const Verdict& v) {
    Json via = Json::array();
    for (const auto& r : v.via) via.push_back(r.adapter);
    Json findings = Json::array();
    for (const auto& f : v.findings) findings.push_back(Json{{"kind", f.kind}, {"adapter", f.adapter}, {"text", f.text}});
    return Json{{"connected", v.connected ? Json(*v.connected) : Json(nullptr)},
                {"via", std::move(via)},
                {"findings", std::move(findings)}};
}

std::string line(const Json& j) {
    // Text from a report may hold bytes that are no UTF-8 (a file name):
    // they become U+FFFD rather than ending the output.
    return j.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string printable(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = capture::utf8Length(text, i);
        if ((c < 0x20 && c != '\n') || c == 0x7F) {
            out += '?';
        } else if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += '?';  // a C1 control character
        } else if (length == 0) {
            out += "\xEF\xBF\xBD";  // U+FFFD for bytes that are no whole character, as in the JSON
            length = 1;
        } else {
            out.append(text, i, length);
        }
        i += length == 0 ? 1 : length;
    }
    return out;
}

std::string reportText(const DiagnosedReport& r) {
    std::string out = hostText(r.host);
    out += "Language: " + (r.language.empty() ? std::string("not recognised") : r.language) + "\n";
    if (!carriesMediaState(r.kind)) out += std::string(kNoMediaStateLine) + "\n";
    out += withVerdict(capture::formatDiagnosis(r.summary), r.verdict);
    return printable(std::move(out));
}

std::string verdictText(const Verdict& v) {
    std::string out = "Verdict: " + verdictLine(v) + "\n" + "Findings:\n";
    for (const auto& f : v.findings)
        out += "  " + f.kind + (f.adapter == kWholeMachine ? "" : " on " + f.adapter) + ": " + f.text + "\n";
    if (v.findings.empty()) out += "  none\n";
    return out;
}

std::string withVerdict(std::string diagnosis, const Verdict& v) {
    std::size_t adapters = diagnosis.find("\nAdapters:\n");
    std::size_t at = adapters == std::string::npos ? diagnosis.size() : adapters + 1;
    diagnosis.insert(at, verdictText(v));
    return diagnosis;
}

std::string printableName(const std::string& file) {
    std::string name = printable(file);
    std::replace(name.begin(), name.end(), '\n', '?');
    return name;
}

std::string reportHeading(const std::string& file) { return "Report: " + printableName(file) + "\n"; }

std::string reportJson(const DiagnosedReport& r, const std::optional<std::string>& file) {
    Json j;
    j["file"] = file ? Json(*file) : Json(nullptr);
    j["kind"] = kindName(r.kind);
    j["encoding"] = r.encoding;
    j["dialect"] = r.dialect;
    j["language"] = r.language.empty() ? Json(nullptr) : Json(r.language);
    j["mediaState"] = carriesMediaState(r.kind);
    j["host"] = hostJson(r.host);
    j["status"] = r.summary.status;
    j["faultCount"] = r.summary.faultCount;
    j["exitStatus"] = exitStatusOf(r);
    j["verdict"] = verdictJson(r.verdict);
    j["adapters"] = adaptersJson(r.summary);
    j["log"] = r.summary.log;
    return line(j);
}

std::string refusalJson(const std::string& file, const std::string& reason) {
    return line(Json{{"file", file}, {"error", reason}, {"exitStatus", 2}});
}

}  // namespace helpdesk
