#include "tools/ReleaseRenew.h"

#include <string>

#include "capture/AdapterScripts.h"
#include "capture/Capture.h"
#include "reports/ErrorLog.h"
#include "tools/CommandTexts.h"
#include "tools/StartOrSay.h"

namespace tools {

namespace {

// The display until the next Refresh: no adapters, one report line.
void blankDisplay(app::MainForm& form) {
    form.adapters.clear();
    form.List1.clear();
    form.List1.add(kClickRefresh);
}

void tellAndLog(app::MainForm& form, platform::Platform& p, const std::string& messageLine,
                const std::string& logText) {
    p.dialogs.messageBox(waitThenRefreshMessage(messageLine), app::kAppTitle);
    reports::logEntry(form, p, logText);
}

// Renew all and the two adapter commands: a script that is missing or does
// not start is named in a message and logged; nothing claims success then.
bool startOrLog(app::MainForm& form, platform::Platform& p, const std::string& script) {
    if (startScriptOrSay(form, p, script, platform::WindowStyle::Hidden)) return true;
    reports::logEntry(form, p, " Could not start " + script);
    return false;
}

void adapterCommand(app::MainForm& form, platform::Platform& p, const char* scriptSuffix, const char* done) {
    const std::string n = std::to_string(form.selectedAdapter);
    capture::removeReport(form, p);
    // The next parse shows this adapter again.
    form.lastSelectedAdapter = form.selectedAdapter;
    if (!startOrLog(form, p, n + scriptSuffix)) return;
    blankDisplay(form);
    tellAndLog(form, p, "Adapter " + n + done, " Adapter " + n + done);
}

}  // namespace

void releaseAll(app::MainForm& form, platform::Platform& p) {
    // Every step is guarded and a failing one is skipped without a word.
    capture::removeReport(form, p);
    p.processes.start(form.workingFolder + capture::kReleaseAllScript, platform::WindowStyle::Hidden);
    blankDisplay(form);
    tellAndLog(form, p, "All Adapters Released", " All Adapters Released");
}

void renewAll(app::MainForm& form, platform::Platform& p) {
    capture::removeReport(form, p);
    if (!startOrLog(form, p, capture::kRenewAllScript)) return;
    blankDisplay(form);
    tellAndLog(form, p, "All Adapters Renewed.", " All Adapters Renewed");
}

void releaseAdapter(app::MainForm& form, platform::Platform& p) {
    adapterCommand(form, p, capture::kReleaseSuffix, " Released");
}

void renewAdapter(app::MainForm& form, platform::Platform& p) {
    adapterCommand(form, p, capture::kRenewSuffix, " Renewed");
}

}  // namespace tools
