#include "platform/console/ConsoleDialogs.h"

#include <istream>
#include <ostream>

namespace platform {

void ConsoleDialogs::messageBox(const std::string& text, const std::string& title, MessageIcon) {
    err_ << title << ": ";
    for (char c : text)
        if (c != '\r') err_ << c;
    err_ << '\n';
}

std::optional<std::string> ConsoleDialogs::inputBox(const std::string& prompt, const std::string& title,
                                                    const std::string& defaultAnswer) {
    err_ << title << ": ";
    for (char c : prompt)
        if (c != '\r') err_ << c;
    err_ << " [" << defaultAnswer << "] " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) return std::nullopt;
    return answer.empty() ? defaultAnswer : answer;
}

}  // namespace platform
