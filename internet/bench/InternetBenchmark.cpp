// Round trips over loopback to the shipped product web server: one download
// to file, a whole Get Public IP, a whole Check for Updates.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "forms/MainForm.h"
#include "fakes/FakePlatform.h"
#include "internet/InternetWiring.h"
#include "internet/server/testing/WebServerProcess.h"
#include "platform/linux/CurlDownload.h"
#include "platform/linux/LinuxFiles.h"

namespace {

namespace fs = std::filesystem;

struct Bench {
    webserver_testing::WebServerProcess server;
    fs::path temp = fs::temp_directory_path() / ("internet-bench-" + std::to_string(getpid()));
    app::MainForm form;
    fakes::FakePlatform fake;
    platform::linux_backend::LinuxFiles files;
    platform::linux_backend::CurlDownload download;
    platform::Platform p{files, fake.processes, fake.env, fake.session, fake.clipboard,
                         fake.dialogs, fake.system, download, fake.shell};
    Bench() {
        fs::create_directories(temp / "cfgscope");
        form.workingFolder = temp.string() + "/cfgscope/";
        fake.env.vars["TEMP"] = temp.string();
        fake.env.vars["CFGSCOPE_PRODUCT_SERVER"] = server.baseUrl();
        fake.env.vars["CFGSCOPE_ECHO_SERVICE"] = "http://127.0.0.1:9/";
        internet::wireInternet(form, p);
    }
    ~Bench() { fs::remove_all(temp); }
};

Bench& bench() {
    static Bench b;
    return b;
}

void BM_DownloadToFile(benchmark::State& state) {
    Bench& b = bench();
    const std::string target = (b.temp / "ip.txt").string();
    for (auto _ : state)
        if (!b.download.toFile(b.server.baseUrl() + "/ip.shtml", target)) state.SkipWithError("download failed");
}
BENCHMARK(BM_DownloadToFile)->Unit(benchmark::kMicrosecond);

void BM_GetPublicIp(benchmark::State& state) {
    Bench& b = bench();
    b.form.Command6.click();  // the first one runs the quiet update check; the rest do not
    for (auto _ : state) {
        b.form.Command6.click();
        if (b.form.Text1.text() != "127.0.0.1") state.SkipWithError("lookup failed");
        b.form.errorlog.clear();
    }
}
BENCHMARK(BM_GetPublicIp)->Unit(benchmark::kMicrosecond);

void BM_CheckForUpdates(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state) {
        b.form.updates.click();
        b.fake.dialogs.messages.clear();
        b.form.errorlog.clear();
    }
}
BENCHMARK(BM_CheckForUpdates)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
