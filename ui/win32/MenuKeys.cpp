#include "ui/win32/MenuKeys.h"

#include <cctype>

namespace ui::win32 {

namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<int> keyCode(const std::string& key) {
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) return key[0];
    if (key.size() >= 2 && key[0] == 'F') {
        int n = 0;
        for (std::size_t i = 1; i < key.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(key[i]))) return std::nullopt;
            n = n * 10 + (key[i] - '0');
            if (n > 24) return std::nullopt;
        }
        if (n >= 1) return 0x70 + n - 1;
    }
    if (key == "DEL" || key == "DELETE") return 0x2E;
    if (key == "INS" || key == "INSERT") return 0x2D;
    return std::nullopt;
}

}  // namespace

std::optional<AcceleratorKey> acceleratorKey(const std::string& shortcut) {
    AcceleratorKey k;
    std::string rest = upper(shortcut);
    for (;;) {
        std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) break;
        std::string modifier = rest.substr(0, plus);
        if (modifier == "CTRL") k.ctrl = true;
        else if (modifier == "SHIFT") k.shift = true;
        else if (modifier == "ALT") k.alt = true;
        else return std::nullopt;
        rest = rest.substr(plus + 1);
    }
    auto code = keyCode(rest);
    if (!code) return std::nullopt;
    k.virtualKey = *code;
    return k;
}

std::string menuText(const std::string& caption, const std::string& shortcut) {
    return shortcut.empty() ? caption : caption + "\t" + shortcut;
}

}  // namespace ui::win32
