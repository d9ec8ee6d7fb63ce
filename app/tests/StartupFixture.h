// A main form over the in-memory platform, with a report tool that answers
// getdata.bat by writing a saved report into the working folder.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "forms/MainForm.h"
#include "app/Startup.h"
#include "app/Wiring.h"
#include "fakes/FakePlatform.h"

namespace app_tests {

inline std::vector<std::string> savedReport(const std::string& name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Folder checks answered as scripted: folders in `foreign` exist but are not
// the user's own; creating fails for those in `uncreatable`.
class GuardedFiles : public fakes::FakeFiles {
public:
    std::set<std::string> foreign, uncreatable;
    bool createFolder(const std::string& path) override {
        return uncreatable.count(path) == 0 && fakes::FakeFiles::createFolder(path);
    }
    bool privateFolder(const std::string& path) override {
        return folderExists(path) && foreign.count(path) == 0;
    }
};

struct StartupFixture {
    fakes::FakePlatform fake;
    GuardedFiles files;
    platform::Platform p{files, fake.processes, fake.env, fake.session, fake.clipboard, fake.dialogs, fake.system, fake.download, fake.shell};
    app::MainForm form;
    const std::string folder = "C:\\Temp\\cfgscope";
    const std::string wf = folder + "\\";
    std::vector<std::string> report = savedReport("xp-dhcp-two-dns.txt");

    StartupFixture() {
        fake.env.vars = {{"TEMP", "C:\\Temp"},         {"windir", "C:\\WINDOWS"}, {"username", "alice"},
                         {"userdomain", "OFFICE-PC"}, {"logonserver", "\\\\OFFICE-PC"}, {"COMPUTERNAME", "OFFICE-PC"}};
        fake.system.workstation = platform::WorkstationInfo{500, "OFFICE-PC", std::string("HOMENET\0junk", 12), 5};
        fake.system.memory = std::int64_t{512} * 1024 * 1024;
        fake.system.management["Win32_OperatingSystem.Caption"] = {"Microsoft Windows XP Professional"};
        fake.system.addresses = std::vector<std::string>{"192.168.1.100"};
        fake.processes.onStart = [this](const std::string& command) {
            if (command == wf + "getdata.bat") files.files[wf + "data.txt"] = report;
        };
        app::wireMainForm(form, p);
    }

    int starts(const std::string& command) const {
        int n = 0;
        for (const auto& [line, style] : fake.processes.started)
            if (line == command) ++n;
        return n;
    }
};

}  // namespace app_tests
