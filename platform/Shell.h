// Handing an address or a document to the desktop, and the system's
// restart dialog.
#pragma once

#include <string>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web address, a "mailto:" address or a document with its
    // default handler; false when nothing could open it.
    virtual bool open(const std::string& target) = 0;
    // Shows the system's restart / shut-down dialog; false when there is none.
    virtual bool restartDialog() = 0;
};

}  // namespace platform
