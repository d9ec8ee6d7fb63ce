// In-memory platform for headless tests: records what was asked and answers
// as scripted.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace fakes {

class FakeFiles : public platform::Files {
public:
    std::map<std::string, std::vector<std::string>> files;  // path -> lines
    std::set<std::string> folders;
    std::set<std::string> unwritable;  // writes to these paths fail
    std::vector<std::string> deleted;
    // Called before each readLines, so a test can change the file between polls.
    std::function<void(const std::string&)> beforeRead;
    int reads = 0;

    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    bool folderExists(const std::string& path) override { return folders.count(path) != 0; }
    bool createFolder(const std::string& path) override { return folders.insert(path).second; }
    bool deleteFile(const std::string& path) override {
        deleted.push_back(path);
        return files.erase(path) != 0;
    }
    bool deleteAllFiles(const std::string& folder) override {
        for (auto it = files.begin(); it != files.end();)
            it = it->first.rfind(folder, 0) == 0 ? files.erase(it) : std::next(it);
        return true;
    }
    bool removeFolder(const std::string& folder) override { return folders.erase(folder) != 0; }
    std::optional<std::vector<std::string>> readLines(const std::string& path) override {
        ++reads;
        if (beforeRead) beforeRead(path);
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> readAll(const std::string& path) override {
        auto lines = readLines(path);
        if (!lines) return std::nullopt;
        std::string text;
        for (const auto& l : *lines) text += l + "\r\n";
        return text;
    }
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override {
        if (unwritable.count(path)) return false;
        files[path] = lines;
        return true;
    }
};

class FakeProcesses : public platform::Processes {
public:
    std::vector<std::pair<std::string, platform::WindowStyle>> started;
    bool succeed = true;
    std::function<void(const std::string&)> onStart;
    bool start(const std::string& commandLine, platform::WindowStyle style) override {
        started.emplace_back(commandLine, style);
        if (onStart) onStart(commandLine);
        return succeed;
    }
};

class FakeEnvironment : public platform::Environment {
public:
    std::map<std::string, std::string> vars;
    std::string get(const std::string& name) override {
        auto it = vars.find(name);
        return it == vars.end() ? std::string{} : it->second;
    }
};

class FakeSession : public platform::Session {
public:
    std::string time = "12:34:56";
    std::vector<int> sleeps;
    bool other = false;
    std::optional<int> ended;
    std::string timeOfDayText() override { return time; }
    std::string date = "2024-05-17";
    std::string dateText() override { return date; }
    void sleepMs(int ms) override { sleeps.push_back(ms); }
    bool otherInstance(const std::string&) override { return other; }
    void endProgram(int code) override { ended = code; }
};

class FakeClipboard : public platform::Clipboard {
public:
    std::string text;
    int clears = 0;
    void clear() override {
        ++clears;
        text.clear();
    }
    void setText(const std::string& t) override { text = t; }
};

class FakeDialogs : public platform::Dialogs {
public:
    struct Message {
        std::string text, title;
        platform::MessageIcon icon = platform::MessageIcon::None;
    };
    std::vector<Message> messages;
    std::vector<std::optional<std::string>> answers;  // consumed in order
    std::vector<Message> prompts;
    std::vector<bool> waitCursor;
    int repaints = 0;
    using platform::Dialogs::messageBox;
    void messageBox(const std::string& text, const std::string& title, platform::MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultAnswer) override {
        prompts.push_back({prompt, title});
        if (answers.empty()) return defaultAnswer;
        auto a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    std::vector<Message> questions;
    std::vector<bool> yesAnswers;  // consumed in order; No when none is left
    bool yesNoBox(const std::string& text, const std::string& title) override {
        questions.push_back({text, title});
        if (yesAnswers.empty()) return false;
        bool yes = yesAnswers.front();
        yesAnswers.erase(yesAnswers.begin());
        return yes;
    }
    void setWaitCursor(bool on) override { waitCursor.push_back(on); }
    void repaintNow() override { ++repaints; }
};

class FakeSystemQueries : public platform::SystemQueries {
public:
    std::optional<platform::VersionRecord> extended, shortRecord;
    std::optional<std::int64_t> memory;
    std::map<std::string, std::vector<std::string>> management;  // "Class.Property" -> values
    std::optional<platform::WorkstationInfo> workstation;
    std::optional<std::vector<std::string>> addresses;
    std::string separator = ".";
    std::optional<std::string> markerWithoutRecord;
    std::vector<int> versionSizes;        // record sizes asked, in order
    std::vector<std::string> serverNames;  // workstation servers asked
    std::optional<platform::VersionRecord> version(int recordSize) override {
        versionSizes.push_back(recordSize);
        return recordSize == 156 ? extended : shortRecord;
    }
    std::optional<std::int64_t> totalPhysicalMemory() override { return memory; }
    std::optional<std::vector<std::string>> managementQuery(const std::string& c, const std::string& prop) override {
        auto it = management.find(c + "." + prop);
        if (it == management.end()) return std::nullopt;
        return it->second;
    }
    std::optional<platform::WorkstationInfo> workstationInfo(const std::string& server) override {
        serverNames.push_back(server);
        return workstation;
    }
    std::optional<std::vector<std::string>> adapterAddresses() override { return addresses; }
    std::string decimalSeparator() override { return separator; }
    std::optional<std::string> markerWithoutVersionRecord() override { return markerWithoutRecord; }
    std::optional<std::string> versionLineWithoutRecord;
    std::optional<std::string> versionLineWithoutVersionRecord() override { return versionLineWithoutRecord; }
    std::optional<std::vector<std::string>> manufacturerLines;
    std::optional<std::vector<std::string>> manufacturerLinesWithoutFile() override { return manufacturerLines; }
};

class FakeDownload : public platform::Download {
public:
    std::map<std::string, std::vector<std::string>> pages;  // url -> lines written on success
    std::vector<std::string> cacheRemoved;
    std::vector<std::pair<std::string, std::string>> fetched;  // url, local path
    FakeFiles* files = nullptr;
    void removeCachedCopy(const std::string& url) override { cacheRemoved.push_back(url); }
    bool toFile(const std::string& url, const std::string& localPath) override {
        fetched.emplace_back(url, localPath);
        auto it = pages.find(url);
        if (it == pages.end()) return false;
        if (files) files->files[localPath] = it->second;
        return true;
    }
};

class FakeShell : public platform::Shell {
public:
    std::vector<std::string> opened;
    int restartDialogs = 0;
    bool succeed = true;
    bool open(const std::string& target) override {
        opened.push_back(target);
        return succeed;
    }
    bool restartDialog() override {
        ++restartDialogs;
        return succeed;
    }
};

struct FakePlatform {
    FakeFiles files;
    FakeProcesses processes;
    FakeEnvironment env;
    FakeSession session;
    FakeClipboard clipboard;
    FakeDialogs dialogs;
    FakeSystemQueries system;
    FakeDownload download;
    FakeShell shell;
    platform::Platform platform{files, processes, env, session, clipboard, dialogs, system, download, shell};
    FakePlatform() { download.files = &files; }
};

}  // namespace fakes
