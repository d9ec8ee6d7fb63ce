// Starting command scripts and programs without waiting for them.
#pragma once

#include <string>

namespace platform {

enum class WindowStyle { Hidden, Normal, Minimized, Maximized };

class Processes {
public:
    virtual ~Processes() = default;
    // A command line as the Windows shell takes it: a script path, or a
    // program followed by its arguments. Returns false if it cannot start.
    virtual bool start(const std::string& commandLine, WindowStyle style) = 0;
};

}  // namespace platform
