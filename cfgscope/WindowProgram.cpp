#include "cfgscope/WindowProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "platform/linux/NativePath.h"

namespace cfgscope {

namespace {
constexpr const char* kWindowProgram = "cfgscope-window";
}

std::string windowProgramPath() {
    const std::string self = platform::linux_backend::programFolder();
    if (self.empty()) return {};
    for (const std::string& folder : {self, self + "/../libexec/cfgscope"}) {
        std::string candidate = folder + "/" + kWindowProgram;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

int openWindow(char** argv, std::ostream& err) {
    const std::string path = windowProgramPath();
    if (path.empty()) {
        err << "cfgscope: cannot open the window: " << kWindowProgram
            << " is not installed beside cfgscope or in its libexec folder.\n"
               "The diagnosis needs no window: cfgscope --diagnose\n";
        return 2;
    }
    execv(path.c_str(), argv);
    err << "cfgscope: cannot open the window: " << path << ": " << std::strerror(errno) << ".\n";
    return 2;
}

}  // namespace cfgscope
