#pragma once

#include <string>

namespace platform {

class Environment {
public:
    virtual ~Environment() = default;
    // Value of a variable by its Windows name (TEMP, windir, username, ...);
    // empty when unset. A backend may supply a stand-in for a missing one.
    virtual std::string get(const std::string& name) = 0;
};

}  // namespace platform
