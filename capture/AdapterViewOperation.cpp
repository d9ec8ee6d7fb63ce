#include "capture/AdapterViewOperation.h"

#include "capture/AdapterScripts.h"
#include "capture/AdapterView.h"
#include "capture/ReportText.h"

namespace capture {

namespace {

// Whether the parse wrote the adapter's ping script for a field: it writes
// none for a value that is no address (one that would stop the script).
bool pingScriptFor(const app::MainForm& form, int n, int field) {
    if (n < 1 || n >= static_cast<int>(form.adapterTable.size())) return false;
    const std::string& cell = form.adapterTable[static_cast<std::size_t>(n)][static_cast<std::size_t>(field)];
    if (cell.size() <= kLabelColumn) return false;
    const std::string_view value = std::string_view(cell).substr(kLabelColumn);
    return field == 7 ? pingGatewayScript(n, value).has_value() : pingDnsScript(n, field - 10, value).has_value();
}

}  // namespace

void showSelectedAdapter(app::MainForm& form) {
    for (auto& item : form.sel1) {
        item.setVisible(false);
        item.setEnabled(false);
    }
    // The menu offers the first six adapters; later ones stay selectable in the list.
    for (int pos = 0; pos < form.adapters.count() && pos < static_cast<int>(form.sel1.size()); ++pos) {
        form.sel1[static_cast<std::size_t>(pos)].setVisible(true);
        form.sel1[static_cast<std::size_t>(pos)].setEnabled(true);
    }
    for (ui::MenuItem* item : {&form.mnurouter, &form.pinggateway, &form.pingdns1, &form.pingdns2, &form.mnurelease,
                               &form.mnurenew})
        item->setEnabled(false);
    form.Command7.setEnabled(false);
    form.Command8.setEnabled(false);
    form.List1.clear();

    int position = form.adapters.selected();
    const std::string* entry = form.adapters.selectedItem();
    // The number that begins the entry names the table row and the scripts,
    // also when skipped tunnels made it differ from the list position.
    int n = entry ? adapterNumberOf(*entry, position + 1) : position + 1;
    form.selectedAdapter = n;

    AdapterDetails details = adapterDetails(form.adapterTable, n);
    // A ping item is offered only when the adapter has its script.
    if (details.hasGateway) {
        form.pinggateway.setCaption("Ping &Gateway/Router ");
        form.pinggateway.setEnabled(pingScriptFor(form, n, 7));
        form.mnurouter.setEnabled(true);
    }
    if (details.hasDns1) form.pingdns1.setEnabled(pingScriptFor(form, n, 11));
    if (details.hasDns2) form.pingdns2.setEnabled(pingScriptFor(form, n, 12));
    for (const auto& line : details.lines) form.List1.add(line);

    form.lastSelectedAdapter = n;
    if (position >= 0 && position < static_cast<int>(form.sel1.size()))
        form.sel1[static_cast<std::size_t>(position)].setEnabled(false);

    std::string number = std::to_string(n);
    form.Command7.setCaption("Release Adapter " + number);
    form.Command8.setCaption("Renew Adapter " + number);
    form.mnurenew.setCaption("Renew Adapter " + number);
    form.mnurelease.setCaption("Release Adapter " + number);
    if (details.dhcp) {
        form.Command7.setEnabled(true);
        form.Command8.setEnabled(true);
        form.mnurelease.setEnabled(true);
        form.mnurenew.setEnabled(true);
    }
}

void selectAdapterByMenu(app::MainForm& form, int index) {
    form.adapters.select(index);
}

void copyDetailLine(app::MainForm& form, platform::Platform& p) {
    const std::string* line = form.List1.selectedItem();
    if (!line) return;  // nothing selected: the clipboard keeps what it held
    p.clipboard.clear();
    p.clipboard.setText(copiedValue(*line));
}

}  // namespace capture
