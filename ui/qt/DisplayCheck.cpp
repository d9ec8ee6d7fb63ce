#include "ui/qt/DisplayCheck.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace ui::qt {

namespace {

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string{};
}

// True when something accepts a connection on the local socket `path`
// (`abstract`: in the abstract namespace).
bool socketAnswers(const std::string& path, bool abstract) {
    sockaddr_un addr{};
    const std::size_t offset = abstract ? 1 : 0;  // abstract names start with NUL
    if (path.size() + offset >= sizeof addr.sun_path) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + offset, path.data(), path.size());
    socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
    close(fd);
    return ok;
}

// The X connection of the last check that answered, until chooseDisplay
// hands it on.
std::shared_ptr<void> openProbe;

// The client libraries' own connect, loaded only for this check, so every
// form of address, authority and fallback is judged as the toolkit will.
// 1: answers (the connection stays open in `openProbe`), 0: does not, -1:
// the library is missing.
int xServerAnswers(const std::string& display) {
    void* lib = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return -1;
    auto connectTo = reinterpret_cast<void* (*)(const char*, int*)>(dlsym(lib, "xcb_connect"));
    auto hasError = reinterpret_cast<int (*)(void*)>(dlsym(lib, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<void (*)(void*)>(dlsym(lib, "xcb_disconnect"));
    if (!connectTo || !hasError || !disconnect) {
        dlclose(lib);
        return -1;
    }
    void* connection = connectTo(display.c_str(), nullptr);  // never null: an error object at worst
    const bool answered = connection && hasError(connection) == 0;
    std::shared_ptr<void> held(connection, [lib, disconnect](void* c) {
        if (c) disconnect(c);
        dlclose(lib);
    });
    if (answered) openProbe = std::move(held);
    return answered ? 1 : 0;
}

int waylandAnswers() {
    void* lib = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return -1;
    auto connectTo = reinterpret_cast<void* (*)(const char*)>(dlsym(lib, "wl_display_connect"));
    auto disconnect = reinterpret_cast<void (*)(void*)>(dlsym(lib, "wl_display_disconnect"));
    int answered = -1;
    if (connectTo && disconnect) {
        void* connection = connectTo(nullptr);  // WAYLAND_DISPLAY, as the toolkit reads it
        answered = connection ? 1 : 0;
        if (connection) disconnect(connection);
    }
    dlclose(lib);
    return answered;
}

std::string xReason() {
    const std::string display = variable("DISPLAY");
    if (display.empty()) return "DISPLAY is not set";
    int answered = xServerAnswers(display);
    if (answered == -1 && display[0] == ':') {
        // Without the library: a local server's socket, abstract or file.
        const std::string path = "/tmp/.X11-unix/X" + display.substr(1, display.find('.') - 1);
        answered = socketAnswers(path, true) || socketAnswers(path, false);
    }
    return answered == 0 ? "the display " + display + " does not answer" : std::string{};
}

bool pluginInstalled(const std::string& file) {
    QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath)};
    for (const QString& f : QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH")).split(':', Qt::SkipEmptyParts))
        folders << f;
    for (const QString& folder : folders)
        if (QFileInfo(QDir(folder).filePath("platforms/" + QString::fromStdString(file))).isFile()) return true;
    return false;
}

std::string waylandReason(const std::string& platform) {
    const std::string display = variable("WAYLAND_DISPLAY");
    const std::string plugin = platform == "wayland-egl" ? "libqwayland-egl.so" : "libqwayland-generic.so";
    if (!pluginInstalled(plugin)) return "the Wayland platform plugin is not installed (qt6-wayland)";
    // A socket handed over by the compositor is used once: leave it to the toolkit.
    if (!variable("WAYLAND_SOCKET").empty()) return {};
    if (display.empty()) return "WAYLAND_DISPLAY is not set";
    // A name is looked up in XDG_RUNTIME_DIR; without it the library only complains.
    if (display[0] != '/' && variable("XDG_RUNTIME_DIR").empty())
        return "the Wayland display " + display + " does not answer (XDG_RUNTIME_DIR is not set)";
    int answered = waylandAnswers();
    if (answered == -1) {
        const std::string runtime = variable("XDG_RUNTIME_DIR");
        answered = socketAnswers(display[0] == '/' ? display : runtime + "/" + display, false);
    }
    return answered == 0 ? "the Wayland display " + display + " does not answer" : std::string{};
}

// Why the platform named (with its options after ":") cannot open a window here.
std::string platformReason(const std::string& named) {
    const std::string platform = named.substr(0, named.find(':'));
    if (platform == "xcb") return xReason();
    if (platform.rfind("wayland", 0) == 0) return waylandReason(platform);
    return {};
}

}  // namespace

DisplayChoice chooseDisplay() {
    std::vector<std::string> candidates;
    const std::string named = variable("QT_QPA_PLATFORM");
    for (std::size_t start = 0; !named.empty() && start <= named.size();) {
        std::size_t end = named.find(';', start);
        if (end == std::string::npos) end = named.size();
        if (end > start) candidates.push_back(named.substr(start, end - start));
        start = end + 1;
    }
    if (candidates.empty()) {
        if (variable("WAYLAND_DISPLAY").empty() && variable("DISPLAY").empty())
            return {{}, "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)", {}};
        if (!variable("WAYLAND_DISPLAY").empty()) candidates.push_back("wayland");
        if (!variable("DISPLAY").empty()) candidates.push_back("xcb");
    }
    DisplayChoice choice;
    for (const std::string& candidate : candidates) {
        std::string why = platformReason(candidate);
        if (why.empty()) return {candidate, {}, std::move(openProbe)};
        choice.reason += (choice.reason.empty() ? "" : ", and ") + why;
    }
    return choice;
}

ToolkitArguments::ToolkitArguments(int argc, char** argv, const std::string& platform) {
    for (int i = 0; i < argc; ++i) words_.emplace_back(argv[i]);
    if (words_.empty()) words_.emplace_back("cfgscope");
    if (!platform.empty()) words_.insert(words_.begin() + 1, {"-platform", platform});
    for (std::string& w : words_) pointers_.push_back(w.data());
    pointers_.push_back(nullptr);
    argc_ = static_cast<int>(words_.size());
}

bool explainNoDisplay(const std::string& program, const DisplayChoice& choice, std::ostream& err) {
    if (!choice.platform.empty()) return false;
    err << program << ": cannot open the window: " << choice.reason << ".\n"
        << "Run it on a desktop, or under a virtual display: xvfb-run " << program << "\n";
    return true;
}

}  // namespace ui::qt
