// A download for programs that fetch nothing (the help desk's diagnosis):
// every fetch fails, and the program needs no transfer library.
#pragma once

#include "platform/Download.h"

namespace platform {

class NoDownload : public Download {
public:
    void removeCachedCopy(const std::string&) override {}
    bool toFile(const std::string&, const std::string&) override { return false; }
};

}  // namespace platform
