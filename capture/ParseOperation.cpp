#include "capture/ParseOperation.h"

#include <algorithm>

#include "capture/AdapterView.h"
#include "capture/Diagnosis.h"
#include "capture/ReportParser.h"
#include "capture/ReportTranslation.h"
#include "reports/ErrorLog.h"

namespace capture {

void clearTable(app::MainForm& form) {
    // Every row, the tenth adapter's included, so no value of an earlier
    // report can show under a later one.
    clearAdapterTable(form.adapterTable);
}

void parse(app::MainForm& form, platform::Platform& p) {
    form.Label10.setCaption(kNoErrorsFound);
    form.pinggateway.setVisible(false);
    form.pingdns1.setVisible(false);
    form.pingdns2.setVisible(false);
    form.adapters.clear();

    // A report in any language is read as the English one.
    ParseResult result = parseReport(translateReport(form.List1.items()).lines, form.os.caption(),
                                     p.session.timeOfDayText(), form.adapterTable);

    if (result.hostName) form.host.setText(*result.hostName);
    for (const auto& entry : result.adapterEntries) form.adapters.add(entry);
    for (const auto& script : result.scripts) p.files.writeLines(form.workingFolder + script.name, script.lines);
    for (const auto& name : result.withheldScripts) {
        auto written = [&](const ScriptFile& s) { return s.name == name; };
        if (std::none_of(result.scripts.begin(), result.scripts.end(), written) &&
            p.files.fileExists(form.workingFolder + name))
            p.files.deleteFile(form.workingFolder + name);
    }
    if (result.showPingGateway) form.pinggateway.setVisible(true);
    if (result.showPingDns1) form.pingdns1.setVisible(true);
    if (result.showPingDns2) form.pingdns2.setVisible(true);
    for (const auto& entry : result.log) form.errorlog.add(entry);
    form.Label10.setCaption(result.status);

    if (result.internalError) {
        form.List1.clear();
        for (const auto& entry : result.reportList) form.List1.add(entry);
        form.List1.setVisible(true);
        return;
    }

    form.List1.clear();
    form.List1.setVisible(true);
    form.addrpeek.click();  // collect the private addresses
    int position = reselectPosition(form.adapters.items(), form.lastSelectedAdapter);
    if (position >= 0) form.adapters.select(position);
    reports::trimLog(form);
}

}  // namespace capture
