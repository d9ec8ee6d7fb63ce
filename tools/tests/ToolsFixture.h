// A main form wired to the toolbox commands over the in-memory platform.
#pragma once

#include <string>

#include "forms/MainForm.h"
#include "fakes/FakePlatform.h"
#include "tools/ToolsWiring.h"

namespace tools_tests {

struct ToolsFixture {
    app::MainForm form;
    fakes::FakePlatform fake;
    platform::Platform& p = fake.platform;
    const std::string wf = "C:\\Temp\\cfgscope\\";

    ToolsFixture() {
        form.workingFolder = wf;
        form.targetHost = "www.google.com";
        form.captureStarted = "no";
        wireTools(form, p);
    }

    // A file of the working folder, as start-up or a parse would have written it.
    void have(const std::string& name) { fake.files.files[wf + name] = {"ipconfig /x"}; }

    std::vector<std::pair<std::string, platform::WindowStyle>>& started() { return fake.processes.started; }
    std::vector<fakes::FakeDialogs::Message>& messages() { return fake.dialogs.messages; }
};

}  // namespace tools_tests
