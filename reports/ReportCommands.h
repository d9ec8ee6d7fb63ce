// The Copy menu's two reports and the address list of the Adapters menu:
// they read what the main window holds and change nothing in it.
#pragma once

#include "forms/MainForm.h"
#include "platform/Platform.h"
#include "reports/ConfigReport.h"

namespace reports {

// The window's texts as the report reads them.
ReportFields reportFields(const app::MainForm& form);

// The report, CR LF line ends, replaces the clipboard's content.
void copyAll(const app::MainForm& form, platform::Platform& p);
// A new e-mail message with the report as its body.
void copyAllToEmail(const app::MainForm& form, platform::Platform& p);
// The private and public addresses in a message box.
void showAddressList(const app::MainForm& form, platform::Platform& p);

// mnucopyall, mnucopyemail and mnushowiplist.
void wireReports(app::MainForm& form, platform::Platform& p);

}  // namespace reports
