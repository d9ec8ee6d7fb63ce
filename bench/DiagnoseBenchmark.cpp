// A help desk's day: 1,000 saved reports of every kind and encoding
// diagnosed in one call of `cfgscope --diagnose`, beside `grep` looking for
// the fault labels in the same files; the same with 1,000 reports in every
// language Windows writes (UTF-8 and their console code pages); then the
// memory a 4 MiB report takes.
// Prints the figures and the ratio; no pass or fail.
#include <fcntl.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture/ReportVocabulary.h"

namespace fs = std::filesystem;

namespace {

struct Measure {
    double ms = 0;
    double cpuMs = 0;  // user and system time: steadier than the wall time on a busy machine
    long maxRssKb = 0;
    int exitStatus = -1;
};

// Runs argv with its output thrown away; the wall time and the child's peak memory.
Measure runOnce(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measure m;
    m.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    m.maxRssKb = usage.ru_maxrss;
    auto msOf = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    m.cpuMs = msOf(usage.ru_utime) + msOf(usage.ru_stime);
    m.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m;
}

Measure best(const std::vector<std::string>& args, int runs) {
    Measure b = runOnce(args);
    for (int i = 1; i < runs; ++i) {
        Measure m = runOnce(args);
        double cpu = std::min(b.cpuMs, m.cpuMs);
        if (m.ms < b.ms) b = m;
        b.cpuMs = cpu;
    }
    return b;
}

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string_view localOf(const std::vector<capture::Term>& terms, std::string_view english) {
    for (const auto& t : terms)
        if (t.english == english) return t.local;
    return english;
}

// A report of the newer layout in `t`'s language: an adapter with its
// address and two DNS servers, a disconnected wireless adapter, a tunnel.
std::string composedReport(const capture::LanguageTerms& t) {
    std::string out = std::string(t.titles.front()) + "\r\n\r\n";
    auto label = [&](std::string_view english, std::string_view value) {
        std::string line = "   " + std::string(localOf(t.labels, english)) + " ";
        while (line.size() < 36) line += line.size() % 2 ? '.' : ' ';
        out += line + ": " + std::string(value) + "\r\n";
    };
    auto word = [&](std::string_view english) { return localOf(t.values, english); };
    auto header = [&](std::string_view kind, std::string_view name) {
        out += std::string(localOf(t.kinds, kind)) + " " + std::string(name) + ":\r\n\r\n";
    };
    label("Host Name", "PC-07");
    label("Node Type", word("Hybrid"));
    label("IP Routing Enabled", word("No"));
    out += "\r\n";
    header("Ethernet adapter", "Ethernet");
    label("Connection-specific DNS Suffix", "fritz.box");
    label("Description", "Realtek PCIe GbE Family Controller");
    label("Physical Address", "00-11-22-33-44-55");
    label("DHCP Enabled", word("Yes"));
    label("Autoconfiguration Enabled", word("Yes"));
    label("Link-local IPv6 Address", "fe80::1c2d:3e4f:5a6b:7c8d%12(" + std::string(localOf(t.statuses, "Preferred")) + ")");
    label("IPv4 Address", "192.168.178.20(" + std::string(localOf(t.statuses, "Preferred")) + ")");
    label("Subnet Mask", "255.255.255.0");
    label("Lease Obtained", "Monday, 7 December 2026 08:12:01");
    label("Lease Expires", "Tuesday, 8 December 2026 08:12:01");
    label("Default Gateway", "192.168.178.1");
    label("DHCP Server", "192.168.178.1");
    label("DNS Servers", "192.168.178.1");
    out += std::string(39, ' ') + "fd00::1\r\n";
    label("NetBIOS over Tcpip", word("Enabled"));
    out += "\r\n";
    header("Wireless LAN adapter", "WLAN");
    label("Media State", word("Media disconnected"));
    label("Connection-specific DNS Suffix", "");
    label("Description", "Intel Wireless-AC 9560");
    label("Physical Address", "00-11-22-33-44-66");
    label("DHCP Enabled", word("Yes"));
    out += "\r\n";
    header("Tunnel adapter", "isatap.fritz.box");
    label("Media State", word("Media disconnected"));
    return out;
}

// `text` in a console code page, as `ipconfig /all > file` writes it.
std::string inCodePage(const std::string& text, int page) {
    iconv_t cd = iconv_open(("CP" + std::to_string(page)).c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out(text.size() * 2, '\0');
    char* in = const_cast<char*>(text.data());
    char* to = out.data();
    std::size_t inLeft = text.size(), outLeft = out.size();
    std::size_t done = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return text;
    out.resize(out.size() - outLeft);
    return out;
}

// The reports of every language: each in UTF-8, and those of the console
// pages German, French, Polish, Russian, Greek, Turkish, Japanese, Chinese
// and Korean Windows write in, in that page.
std::vector<std::string> languageSamples() {
    const std::vector<std::pair<std::string_view, int>> pages{{"de", 850}, {"fr", 850}, {"pl", 852}, {"ru", 866},
                                                              {"el", 737}, {"tr", 857}, {"ja", 932}, {"zh-CN", 936},
                                                              {"ko", 949}, {"zh-TW", 950}};
    std::vector<std::string> samples;
    for (const auto& t : capture::reportLanguages()) {
        std::string report = composedReport(t);
        samples.push_back(report);
        for (const auto& [code, page] : pages)
            if (code == t.code) samples.push_back(inCodePage(report, page));
    }
    return samples;
}

std::vector<std::string> writeBatch(const fs::path& folder, const std::string& prefix,
                                    const std::vector<std::string>& samples, int count) {
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        fs::path p = folder / (prefix + std::to_string(i) + ".txt");
        std::ofstream(p, std::ios::binary) << samples[static_cast<std::size_t>(i) % samples.size()];
        files.push_back(p.string());
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const std::string cfgscope = CFGSCOPE_BIN;
    std::string pattern = (fs::temp_directory_path() / "cfgscope-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const fs::path folder = pattern;

    std::vector<std::string> samples;
    for (const auto& entry : fs::directory_iterator(TEST_DATA_DIR))
        if (entry.path().extension() == ".txt") samples.push_back(read(entry.path()));
    std::sort(samples.begin(), samples.end());
    std::vector<std::string> files = writeBatch(folder, "report-", samples, count);
    const std::vector<std::string> languages = languageSamples();
    std::vector<std::string> mixed{cfgscope, "--diagnose"};
    for (auto& file : writeBatch(folder, "language-", languages, count)) mixed.push_back(std::move(file));
    std::vector<std::string> mixedGrep{"grep", "-c", "-E", "Media State|IP Address|DNS Server"};
    mixedGrep.insert(mixedGrep.end(), mixed.begin() + 2, mixed.end());

    std::vector<std::string> ours{cfgscope, "--diagnose"};
    ours.insert(ours.end(), files.begin(), files.end());
    std::vector<std::string> json = ours;
    json.push_back("--json");
    std::vector<std::string> anchor{"grep", "-c", "-E", "Media State|IP Address|DNS Server"};
    anchor.insert(anchor.end(), files.begin(), files.end());

    Measure start = best({cfgscope, "--version"}, 5);
    Measure text = best(ours, 5), asJson = best(json, 5), grep = best(anchor, 5);
    std::printf("diagnose_benchmark: %d saved reports (%zu kinds and encodings), one call each, best of 5\n", count,
                samples.size());
    std::printf("  cfgscope --diagnose         %8.1f ms  %6.1f MB peak  exit %d  (cpu %.1f ms)\n", text.ms,
                text.maxRssKb / 1024.0, text.exitStatus, text.cpuMs);
    std::printf("  cfgscope --diagnose --json  %8.1f ms  %6.1f MB peak\n", asJson.ms, asJson.maxRssKb / 1024.0);
    std::printf("  grep -c (the fault labels)  %8.1f ms  %6.1f MB peak\n", grep.ms, grep.maxRssKb / 1024.0);
    std::printf("  ratio cfgscope / grep       %8.1f\n", text.ms / grep.ms);
    std::printf("  cfgscope start-up alone     %8.1f ms  (--version, cpu %.1f ms)\n", start.ms, start.cpuMs);
    Measure languageRun = best(mixed, 5), languageGrep = best(mixedGrep, 5);
    std::printf("  every language: %d reports (%zu languages and code pages)\n", count, languages.size());
    std::printf("  cfgscope --diagnose         %8.1f ms  %6.1f MB peak  exit %d  (cpu %.1f ms)\n", languageRun.ms,
                languageRun.maxRssKb / 1024.0, languageRun.exitStatus, languageRun.cpuMs);
    std::printf("  grep -c (the fault labels)  %8.1f ms\n", languageGrep.ms);
    std::printf("  ratio cfgscope / grep       %8.1f\n", languageRun.ms / languageGrep.ms);

    // The largest report accepted, in the shapes that cost the parse most.
    const std::size_t limit = 4 * 1024 * 1024;
    Measure worst;
    for (const char* unit : {"a\n", "adapter:\n", "IP Address: a\n", "Media State\n"}) {
        std::string body = "Windows IP Configuration\n";
        while (body.size() + std::char_traits<char>::length(unit) <= limit) body += unit;
        fs::path p = folder / "large.txt";
        std::ofstream(p, std::ios::binary) << body;
        Measure m = best({cfgscope, "--diagnose", p.string()}, 1);
        if (m.maxRssKb > worst.maxRssKb) worst = m;
    }
    std::printf("  4 MiB report, worst shape   %8.1f ms  %6.1f MB peak  (the binary alone: %.1f MB)\n", worst.ms,
                worst.maxRssKb / 1024.0, start.maxRssKb / 1024.0);
    std::error_code ec;
    if (std::getenv("CFGSCOPE_BENCH_KEEP")) std::printf("  files kept in %s\n", folder.c_str());
    else fs::remove_all(folder, ec);
    return 0;
}
