#include "reports/ErrorLog.h"

namespace reports {

void addLogEntry(app::MainForm& form, platform::Platform& p, const std::string& message) {
    form.errorlog.add(p.session.timeOfDayText() + message);
}

void trimLog(app::MainForm& form) {
    while (form.errorlog.count() > kLogLimit) form.errorlog.removeAt(0);
}

void logEntry(app::MainForm& form, platform::Platform& p, const std::string& message) {
    addLogEntry(form, p, message);
    trimLog(form);
}

std::string logText(const app::MainForm& form) {
    std::string text;
    for (const auto& entry : form.errorlog.items()) {
        text += "  ";
        text += entry;
        text += '\n';
    }
    return text;
}

void showLog(app::MainForm& form, platform::Platform& p) {
    p.dialogs.messageBox(logText(form), kLogTitle);
}

void clearLog(app::MainForm& form, platform::Platform& p) {
    form.errorlog.clear();
    addLogEntry(form, p, " Log cleared");
}

}  // namespace reports
