#include "ui/qt/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace ui::qt {

namespace {

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string{};
}

// True when a local X server answers on display number `n` (abstract or file socket).
bool localXServer(const std::string& number) {
    const std::string path = "/tmp/.X11-unix/X" + number;
    for (bool abstract : {true, false}) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::size_t offset = abstract ? 1 : 0;  // abstract names start with NUL
        std::memcpy(addr.sun_path + offset, path.data(), path.size());
        socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
        bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
        close(fd);
        if (ok) return true;
    }
    return false;
}

}  // namespace

std::string noDisplayReason() {
    // A platform chosen by name (offscreen, vnc, ...) needs no display here.
    if (!variable("QT_QPA_PLATFORM").empty() || !variable("WAYLAND_DISPLAY").empty()) return {};
    const std::string display = variable("DISPLAY");
    if (display.empty()) return "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)";
    if (display[0] == ':') {
        std::string number = display.substr(1, display.find('.') - 1);
        if (!number.empty() && !localXServer(number)) return "the display " + display + " does not answer";
    }
    return {};
}

bool explainNoDisplay(const std::string& program, std::ostream& err) {
    const std::string why = noDisplayReason();
    if (why.empty()) return false;
    err << program << ": cannot open the window: " << why << ".\n"
        << "Run it on a desktop, or under a virtual display: xvfb-run " << program << "\n";
    return true;
}

}  // namespace ui::qt
