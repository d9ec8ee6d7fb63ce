#include "platform/windows/ManagementQuery.h"

namespace platform::windows_backend {

bool plainManagementName(const std::string& name) {
    if (name.empty() || name.size() > 128) return false;
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return true;
}

}  // namespace platform::windows_backend
