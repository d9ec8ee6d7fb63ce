#include "reports/ReportCommands.h"

#include <algorithm>

namespace reports {

ReportFields reportFields(const app::MainForm& f) {
    ReportFields r;
    r.host = f.host.text();
    r.domain = f.domain.text();
    r.groupKind = f.Label4.caption();
    r.user = f.user.text();
    r.windowsFolder = f.wdir.text();
    r.operatingSystem = f.Label7.caption();
    r.memory = f.Text2.text();
    r.publicAddress = f.Text1.text();
    // The adapter list counts the adapters; the table has rows for adapter
    // numbers 1 to 10 only, so a longer list cannot reach past its end.
    const int last = std::min(f.adapters.count(), app::kAdapterRows - 1);
    for (int n = 1; n <= last; ++n) {
        std::array<std::string, kReportFieldsPerAdapter> fields;
        const auto& row = f.adapterTable[static_cast<std::size_t>(n)];
        std::copy_n(row.begin(), kReportFieldsPerAdapter, fields.begin());
        r.adapters.push_back(std::move(fields));
    }
    return r;
}

void copyAll(const app::MainForm& form, platform::Platform& p) {
    const std::string text = configurationReport(reportFields(form), "\r\n");
    p.clipboard.clear();
    p.clipboard.setText(text);
}

void copyAllToEmail(const app::MainForm& form, platform::Platform& p) {
    if (!p.shell.open(mailtoAddress(reportFields(form))))
        p.dialogs.messageBox("No mail program could be started for the report.", app::kAppTitle);
}

void showAddressList(const app::MainForm& form, platform::Platform& p) {
    p.dialogs.messageBox(addressListText(form.List2.items(), form.Text1.text()), kAddressListTitle);
}

void wireReports(app::MainForm& f, platform::Platform& p) {
    f.mnucopyall.onClick = [&f, &p] { copyAll(f, p); };
    f.mnucopyemail.onClick = [&f, &p] { copyAllToEmail(f, p); };
    f.mnushowiplist.onClick = [&f, &p] { showAddressList(f, p); };
}

}  // namespace reports
