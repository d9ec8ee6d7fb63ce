// What the window shows for one adapter: pure over the adapter table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/AdapterTable.h"

namespace capture {

struct AdapterDetails {
    std::vector<std::string> lines;  // fields 1-19 that are present, in order
    bool hasGateway = false;
    bool hasDns1 = false;
    bool hasDns2 = false;
    bool dhcp = false;  // stored DHCP line ends in "yes", any case
};

// Row `adapter` of the table; an adapter without a row has no details.
AdapterDetails adapterDetails(const app::AdapterTable& table, int adapter);

// The adapter number that begins an adapter list entry ("3) ..."), or
// `fallback` when the entry does not start with one.
int adapterNumberOf(std::string_view entry, int fallback);

// Position of the entry to show again after a parse: the entry that carries
// `lastSelected`, else position lastSelected - 1; -1 when neither exists.
int reselectPosition(const std::vector<std::string>& entries, int lastSelected);

// The value a double click on a detail line copies; the whole line when it
// is shorter than the label column.
std::string copiedValue(std::string_view detailLine);

}  // namespace capture
