#include "ui/qt/ShutdownSignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QSocketNotifier>

#include "ui/qt/FormWindow.h"

namespace ui::qt {

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte down the pipe.
extern "C" void onTerminationSignal(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
}

}  // namespace

void endOnTerminationSignals(FormWindow& window, std::function<void()> cleanUp) {
    if (signalPipe[0] >= 0) return;
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, cleanUp] {
        char buf[16];
        while (read(signalPipe[0], buf, sizeof buf) > 0) {
        }
        if (!window.busy() && !QApplication::activeModalWidget()) {
            window.close();
            return;
        }
        cleanUp();
        std::fflush(nullptr);
        std::_Exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &action, nullptr);
}

}  // namespace ui::qt
