// A main form wired to the capture operations over the fake platform.
#pragma once

#include <string>
#include <vector>

#include "forms/MainForm.h"
#include "capture/AdapterViewOperation.h"
#include "capture/Capture.h"
#include "capture/ParseOperation.h"
#include "fakes/FakePlatform.h"

namespace testing_support {

struct FormFixture {
    app::MainForm form;
    fakes::FakePlatform fake;
    platform::Platform& p = fake.platform;
    int addressCollections = 0;
    const std::string folder = "/tmp\\cfgscope\\";

    FormFixture() {
        form.workingFolder = folder;
        form.lastSelectedAdapter = 1;
        form.adapters.onClick = [this] { capture::showSelectedAdapter(form); };
        form.addrpeek.onClick = [this] { ++addressCollections; };
    }

    // Puts the lines into the report list as a capture would, then parses.
    void parse(const std::vector<std::string>& reportLines, const std::string& marker = "xp") {
        form.os.setCaption(marker);
        form.List1.clear();
        for (const auto& line : capture::reportListFrom(reportLines)) form.List1.add(line);
        capture::clearTable(form);
        capture::parse(form, p);
    }

    std::vector<std::string> visibleSelMenu() const {
        std::vector<std::string> out;
        for (const auto& item : form.sel1)
            if (item.visible()) out.push_back(item.caption() + (item.enabled() ? "" : " (off)"));
        return out;
    }
};

}  // namespace testing_support
