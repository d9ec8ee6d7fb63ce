#pragma once

#include "platform/Environment.h"

namespace platform::windows_backend {

// The process environment (names are case-blind on Windows). TEMP falls
// back to the system's temporary folder, without its trailing "\".
class WindowsEnvironment : public Environment {
public:
    std::string get(const std::string& name) override;
};

std::string environmentVariable(const std::string& name);

}  // namespace platform::windows_backend
