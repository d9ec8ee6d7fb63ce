// Figures for the main window with the real Linux backend and stand-ins:
// start-up to the first adapter view painted, F5 to the filled view, and the
// CPU the open window uses while idle. Prints medians; asserts nothing.
//
//   window_benchmark [RUNS]      (offscreen unless a display is chosen)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "forms/MainForm.h"
#include "app/Startup.h"
#include "app/Wiring.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/NativePath.h"
#include "ui/Pictures.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtDialogs.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace lx = platform::linux_backend;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// One run of the program's window in this process.
struct Window {
    lx::LinuxServices services;
    ui::qt::QtClipboard clipboard;
    ui::qt::QtDialogs dialogs;
    platform::Platform p = services.with(clipboard, dialogs);
    app::MainForm form;
    ui::qt::FormWindow window{ui::qt::mainFormSpec(form, ui::kProgramIconPicture)};

    Window() {
        dialogs.setOwner(&window);
        form.onShow = [this] { window.showCentred(); };
        app::wireMainForm(form, p, {[this] { window.close(); }, {}});
        window.onClose = [this] { app::shutDown(form, p); };
    }
    bool start() {
        app::StartOutcome outcome = app::StartOutcome::Stopped;
        window.run([&] { outcome = app::startProgram(form, p); });
        window.repaint();
        return outcome == app::StartOutcome::Running && form.adapters.count() > 0;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QApplication application(argc, argv);

    for (const char* tool : {"batrun", "ipconfig"})
        if (lx::standInPath(tool).empty()) {
            std::fprintf(stderr, "window_benchmark: the stand-in '%s' is not built beside this program\n", tool);
            return 2;
        }
    // A private TEMP for the runs.
    std::string temp = (std::filesystem::temp_directory_path() / ("cfgscope-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directory(temp);
    std::filesystem::permissions(temp, std::filesystem::perms::owner_all);
    setenv("TEMP", temp.c_str(), 1);

    std::vector<double> startup, refresh;
    double idlePercent = 0;
    std::string marker;
    for (int run = 0; run < runs; ++run) {
        auto t0 = Clock::now();
        Window w;
        if (!w.start()) {
            std::fprintf(stderr, "window_benchmark: start-up did not reach an adapter view\n");
            return 1;
        }
        startup.push_back(ms(Clock::now() - t0));
        marker = w.form.os.caption();
        w.window.activateWindow();
        if (!QTest::qWaitForWindowExposed(&w.window) || !QTest::qWaitForWindowActive(&w.window, 1000))
            std::fprintf(stderr, "window_benchmark: the window did not become active; F5 may not reach it\n");
        for (int i = 0; i < 3; ++i) {
            auto r0 = Clock::now();
            QTest::keyClick(&w.window, Qt::Key_F5);
            w.window.repaint();
            refresh.push_back(ms(Clock::now() - r0));
        }
        if (run == 0) {
            // Idle: the open window with nothing to do, for two seconds.
            QApplication::processEvents();
            double cpu0 = cpuSeconds();
            auto i0 = Clock::now();
            QEventLoop idle;
            QTimer::singleShot(2000, &idle, &QEventLoop::quit);
            idle.exec();
            idlePercent = 100.0 * (cpuSeconds() - cpu0) / (ms(Clock::now() - i0) / 1000.0);
        }
        w.window.close();
    }
    std::filesystem::remove_all(temp);

    std::printf("platform                          %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("start-up to first adapter view    median %.1f ms over %zu runs (target 300 ms)\n", median(startup),
                startup.size());
    std::printf("F5 to filled view (Refresh)       median %.1f ms over %zu runs (target 30 ms)\n", median(refresh),
                refresh.size());
    std::printf("  of which the settle pause after the report appears on the \"vista\" family: %d ms\n",
                marker == "vista" ? 250 : 0);
    std::printf("idle CPU, window open             %.2f %% over 2 s\n", idlePercent);
    return 0;
}
