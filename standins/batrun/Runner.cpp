#include "standins/batrun/Runner.h"

#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <optional>
#include <set>

#include "platform/linux/NativePath.h"
#include "platform/linux/TrustedFolder.h"
#include "standins/batrun/ScriptLine.h"
#include "standins/common/Exec.h"
#include "standins/common/Files.h"

namespace standins::batrun {

namespace {

// "Press any key": one key from a terminal, else one byte (or end of input).
void waitForKey() {
    char c;
    if (isatty(0)) {
        termios old{};
        if (tcgetattr(0, &old) == 0) {
            termios raw = old;
            raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG));
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            tcsetattr(0, TCSANOW, &raw);
            while (read(0, &c, 1) < 0 && errno == EINTR) {
            }
            tcsetattr(0, TCSANOW, &old);
            return;
        }
    }
    while (read(0, &c, 1) < 0 && errno == EINTR) {
    }
}

// nslookup's stand-in when the tool is missing: the system resolver's answer.
int resolverLookup(const std::vector<std::string>& args, int out) {
    std::string host;
    for (const auto& a : args)
        if (!a.empty() && a[0] != '-') {
            host = a;
            break;
        }
    writeAll(out, "nslookup is not installed; the system resolver answers instead.\n");
    if (host.empty()) {
        writeAll(out, "No host name given.\n");
        return 1;
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    int rc = getaddrinfo(host.c_str(), nullptr, &hints, &res);
    if (rc != 0) {
        writeAll(out, "*** Can't find " + host + ": " + gai_strerror(rc) + "\n");
        return 1;
    }
    std::string text = "Name:\t" + host + "\n";
    std::set<std::string> seen;
    for (addrinfo* a = res; a; a = a->ai_next) {
        char buf[INET6_ADDRSTRLEN] = {};
        const void* bin = a->ai_family == AF_INET ? static_cast<const void*>(&reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr)
                                                  : static_cast<const void*>(&reinterpret_cast<sockaddr_in6*>(a->ai_addr)->sin6_addr);
        if (inet_ntop(a->ai_family, bin, buf, sizeof buf) && seen.insert(buf).second)
            text += std::string("Address: ") + buf + "\n";
    }
    freeaddrinfo(res);
    writeAll(out, text);
    return 0;
}

std::string currentFolder() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string("?");
}

class Runner {
public:
    int run(const std::vector<std::string>& lines) {
        for (const auto& raw : lines) {
            if (!line(raw)) break;
        }
        return status_;
    }

private:
    // False when the script ends here ("exit").
    bool line(const std::string& raw) {
        ScriptLine l = parseLine(raw);
        if (l.command.empty() && l.redirect.empty()) return true;
        if (echo_ && !l.quiet) writeAll(1, "\n" + currentFolder() + ">" + raw + "\n");
        int out = 1;
        if (!l.redirect.empty()) {
            std::string file = platform::linux_backend::nativePath(l.redirect);
            out = open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (l.append ? O_APPEND : O_TRUNC), 0666);
            if (out < 0) {
                writeAll(2, "The file " + file + " cannot be written: " + std::strerror(errno) + "\n");
                status_ = 1;
                return true;
            }
        }
        bool goOn = command(l.command, out);
        if (out != 1) close(out);
        return goOn;
    }

    bool command(const std::string& text, int out) {
        auto words = splitWords(text);
        if (words.empty()) return true;
        std::string name = lowerAscii(words[0]);
        if (name.size() > 4 && name.substr(name.size() - 4) == ".exe") name.resize(name.size() - 4);
        std::vector<std::string> args(words.begin() + 1, words.end());
        std::string lowered = lowerAscii(text);

        if (name == "rem" || text.rfind("::", 0) == 0) return true;
        if (name == "exit") return false;
        if (lowered.rfind("echo", 0) == 0 && (text.size() == 4 || std::strchr(" .,:", text[4]))) {
            EchoResult e = echoCommand(text, echo_);
            if (e.changesState) echo_ = e.newState;
            else writeAll(out, e.text + "\n");
            status_ = 0;
            return true;
        }
        if (name == "pause") {
            writeAll(out, "Press any key to continue . . . ");
            waitForKey();
            writeAll(out, "\n");
            status_ = 0;
            return true;
        }
        if (name == "cls") {
            if (isatty(out)) writeAll(out, "\033[H\033[2J");
            return true;
        }
        if (name == "ipconfig") {
            std::string tool = platform::linux_backend::standInPath("ipconfig");
            if (tool.empty()) return missing("ipconfig", "the report tool is not installed beside the script runner");
            args.insert(args.begin(), tool);
            return exec(args, out);
        }
        if (name == "ping") return exec(pingArgs(args), out);
        if (name == "tracert") {
            bool traceroute = !findProgram("traceroute").empty();
            if (!traceroute && findProgram("tracepath").empty())
                return missing("tracert", "neither traceroute nor tracepath is installed");
            return exec(tracertArgs(args, traceroute), out);
        }
        if (name == "nslookup" && findProgram("nslookup").empty()) {
            status_ = resolverLookup(args, out);
            return true;
        }
        // Any other program, its Windows-style paths made native.
        std::vector<std::string> argv{words[0]};
        for (const auto& a : args)
            argv.push_back(a.find('\\') != std::string::npos ? platform::linux_backend::nativePath(a) : a);
        return exec(argv, out);
    }

    bool exec(const std::vector<std::string>& argv, int out) {
        std::string error;
        int rc = runForeground(argv, out, error);
        if (rc < 0) {
            writeAll(2, "'" + argv[0] + "' is not recognized as a command here: " + error + ". The script goes on.\n");
            status_ = 9009;
            return true;
        }
        status_ = rc;
        return true;
    }

    bool missing(const std::string& name, const std::string& why) {
        writeAll(2, "'" + name + "' cannot run: " + why + ". The script goes on.\n");
        status_ = 9009;
        return true;
    }

    bool echo_ = true;
    int status_ = 0;
};

}  // namespace

namespace {

// The script's text, read only from a regular file in a folder that only
// root and the user control from / down (another user could otherwise swap
// the script, or the folder, between the check and the read): opened
// through a descriptor of the checked folder, without waiting (a FIFO or a
// device would block the open or the read for ever), then checked through
// its own descriptor; why not, when it cannot be read.
std::optional<std::string> scriptText(std::string path, std::string& why) {
    if (path.empty() || path[0] != '/') path = currentFolder() + "/" + path;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash), name = path.substr(slash + 1);
    int dir = platform::linux_backend::openTrustedFolder(folder, why);
    if (dir < 0) return std::nullopt;
    int fd = openat(dir, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    close(dir);
    if (fd < 0) {
        why = errno == ELOOP ? "it is a link" : std::strerror(errno);
        return std::nullopt;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        close(fd);
        return std::nullopt;
    }
    std::string text;
    char buffer[8192];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            why = std::strerror(errno);
            close(fd);
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return text;
}

}  // namespace

int runScript(const std::string& path) {
    std::string why;
    auto text = scriptText(path, why);
    if (!text) {
        writeAll(2, "batrun: cannot read the script " + path + ": " + why + "\n");
        return 1;
    }
    return Runner().run(scriptLines(*text));
}

}  // namespace standins::batrun
