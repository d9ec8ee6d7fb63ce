// Attacks of another local user on the program's private places: the live
// diagnosis's working folder in a shared TEMP, the single-instance lock and
// the fallback temporary folder. Each attack runs as a user the test makes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ThrowawayUser.h"
#include "platform/linux/LinuxEnvironment.h"
#include "platform/linux/LinuxSession.h"

extern char** environ;

namespace fs = std::filesystem;
using testing_support::ThrowawayUser;

namespace {

// A folder of the test's: shared (sticky, writable by all) or private.
struct TestFolder {
    explicit TestFolder(const char* kind, mode_t mode) {
        std::string pattern = std::string("/tmp/cfgscope-") + kind + "-XXXXXX";
        path = mkdtemp(pattern.data());
        chmod(path.c_str(), mode);
    }
    ~TestFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string path;
};

void writeFile(const std::string& path, const std::string& text, mode_t mode) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0) return;
    ssize_t ignored = write(fd, text.data(), text.size());
    (void)ignored;
    fchmod(fd, mode);
    close(fd);
}

struct Outcome {
    int status = -1;  // the wait status
    std::string output;
};

// Runs cfgscope with `args`, the environment changed by `env`; `beforeStart`
// runs once its process id is known, before it starts; `whileRunning` runs
// while it does. Stopped after 60 s.
Outcome runCfgscope(const std::vector<std::string>& args, const std::vector<std::string>& env,
                const std::function<void(pid_t)>& beforeStart, const std::function<void(pid_t)>& whileRunning = {},
                const ThrowawayUser* as = nullptr) {
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) {
        std::string var = *e;
        bool replaced = false;
        for (const auto& set : env) replaced |= var.substr(0, var.find('=') + 1) == set.substr(0, set.find('=') + 1);
        if (!replaced) envText.push_back(var);
    }
    envText.insert(envText.end(), env.begin(), env.end());
    std::vector<std::string> argText{CFGSCOPE_BIN};
    argText.insert(argText.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (auto& a : argText) argv.push_back(a.data());
    for (auto& e : envText) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    int go[2], out[2];
    if (pipe(go) != 0 || pipe2(out, O_CLOEXEC) != 0) return {};
    pid_t child = fork();
    if (child == 0) {
        close(go[1]);
        char c;
        if (read(go[0], &c, 1) != 1) _exit(126);
        if (as != nullptr && (setgroups(0, nullptr) != 0 || setgid(as->gid()) != 0 || setuid(as->uid()) != 0))
            _exit(125);
        dup2(out[1], 1);
        dup2(out[1], 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(go[0]);
    close(out[1]);
    beforeStart(child);
    ssize_t ignored = write(go[1], "g", 1);
    (void)ignored;
    close(go[1]);
    if (whileRunning) whileRunning(child);

    Outcome run;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (true) {
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            char buf[4096];
            ssize_t n = read(out[0], buf, sizeof buf);
            if (n > 0) run.output.append(buf, static_cast<std::size_t>(n));
            if (n <= 0) break;  // every writer has gone
        }
        if (std::chrono::steady_clock::now() > deadline) kill(child, SIGKILL);
    }
    close(out[0]);
    waitpid(child, &run.status, 0);
    return run;
}

// Gone, or a zombie waiting for its parent: it runs no more.
bool stopped(pid_t pid) {
    for (int i = 0; i < 100; ++i) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        if (!std::getline(stat, line)) return true;
        if (line.substr(line.rfind(')') + 2, 1) == "Z") return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::vector<std::string> diagnoseFolders(const std::string& temp) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(temp))
        if (entry.path().filename().string().rfind("cfgscope-diagnose-", 0) == 0) found.push_back(entry.path());
    return found;
}

}  // namespace

// Another user makes the folder the command would use for its process id,
// open to all, and keeps swapping its getdata.bat for one of theirs: the
// command must work in a folder of its own and run nothing of theirs.
TEST(HostileDiagnose, FolderPlantedForItsProcessIdIsNeverUsed) {
    ThrowawayUser attacker("atk");
    if (!attacker.ok()) GTEST_SKIP() << "needs root and useradd";
    TestFolder shared("shared", 01777);
    const std::string pwned = shared.path + "/pwned";
    std::string planted;
    pid_t swapper = 0;
    Outcome victim = runCfgscope({"--diagnose"}, {"TEMP=" + shared.path}, [&](pid_t pid) {
        planted = shared.path + "/cfgscope-diagnose-" + std::to_string(pid);
        const std::string evil = "touch " + pwned + "\r\n";
        attacker.runAs([&] {
            mkdir(planted.c_str(), 0777);
            chmod(planted.c_str(), 0777);
            writeFile(planted + "/getdata.bat", evil, 0777);
            return 0;
        });
        swapper = attacker.startAs([&] {
            for (int i = 0; i < 100000; ++i) {
                writeFile(planted + "/evil.tmp", evil, 0777);
                rename((planted + "/evil.tmp").c_str(), (planted + "/getdata.bat").c_str());
                usleep(100);
            }
        });
    });
    ThrowawayUser::stop(swapper);

    ASSERT_TRUE(WIFEXITED(victim.status)) << victim.output;
    EXPECT_LE(WEXITSTATUS(victim.status), 1) << victim.output;
    EXPECT_NE(victim.output.find("Status: "), std::string::npos) << victim.output;
    EXPECT_FALSE(fs::exists(pwned)) << "the attacker's script ran as the victim";
    // Nothing of the victim's went into the planted folder.
    for (const auto& entry : fs::directory_iterator(planted)) {
        struct stat st {};
        lstat(entry.path().c_str(), &st);
        EXPECT_EQ(st.st_uid, attacker.uid()) << entry.path() << " was written by the victim";
    }
    // And its own folder is gone again.
    for (const auto& folder : diagnoseFolders(shared.path)) EXPECT_EQ(folder, planted);
}

namespace {

// A victim of its own (not root: root's home is everyone's in tests), with a
// home only it can enter.
struct Victim {
    ThrowawayUser user{"vic"};
    TestFolder home{"home", 0700};
    Victim() { chown(home.path.c_str(), user.uid(), user.gid()); }
    // Runs `body` as the victim with TEMP set to `temp` (unset when empty).
    int run(const std::string& temp, const std::function<int()>& body) const {
        return user.runAs(body, [&] {
            if (temp.empty()) unsetenv("TEMP");
            else setenv("TEMP", temp.c_str(), 1);
            setenv("HOME", home.path.c_str(), 1);
            unsetenv("XDG_RUNTIME_DIR");
            unsetenv("XDG_CACHE_HOME");
        });
    }
};

bool inside(const std::string& path, const std::string& folder) { return path.rfind(folder + "/", 0) == 0 || path == folder; }

}  // namespace

// The victim's TEMP lies in a folder open to all (1777) that another user
// owns (in his home, say): its owner may rename anything in it, sticky bit or
// not. He renames each of the victim's folders away and puts his own there,
// with a getdata.bat of his. The victim's programs use a folder of their own
// elsewhere, so nothing of the victim's ever appears in his folder and
// nothing of his runs: the temporary folder, the lock, the live diagnosis.
TEST(HostileDiagnose, TempInsideAnotherUsersFolderIsNeverUsed) {
    ThrowawayUser attacker("atk");
    Victim victim;
    if (!attacker.ok() || !victim.user.ok()) GTEST_SKIP() << "needs root and useradd";
    TestFolder attackersHome("atkhome", 0755);
    chown(attackersHome.path.c_str(), attacker.uid(), attacker.gid());
    const std::string shared = attackersHome.path + "/shared", pwned = attackersHome.path + "/pwned";
    attacker.runAs([&] {
        mkdir(shared.c_str(), 01777);
        return chmod(shared.c_str(), 01777);
    });

    int places = victim.run(shared, [&] {
        return (inside(platform::linux_backend::userTempFolder(), shared) ? 1 : 0) +
               (inside(platform::linux_backend::instanceLockFolder(), shared) ? 2 : 0);
    });
    EXPECT_EQ(places, 0) << "1: the temporary folder, 2: the lock lies in the other user's folder";

    const std::string evil = "touch " + pwned + "\r\n";
    pid_t swapper = attacker.startAs([&] {
        for (int round = 0; round < 200000; ++round) {
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(shared, ec)) {
                const std::string name = entry.path().filename();
                if (name.rfind("taken-", 0) == 0) continue;
                const std::string moved = shared + "/taken-" + std::to_string(round) + "-" + name;
                if (rename(entry.path().c_str(), moved.c_str()) != 0) continue;
                mkdir(entry.path().c_str(), 0777);
                chmod(entry.path().c_str(), 0777);
                writeFile(entry.path().string() + "/getdata.bat", evil, 0777);
            }
            usleep(200);
        }
    });
    std::vector<std::string> env{"TEMP=" + shared, "HOME=" + victim.home.path};
    Outcome run = runCfgscope({"--diagnose"}, env, [](pid_t) {}, {}, &victim.user);
    ThrowawayUser::stop(swapper);

    ASSERT_TRUE(WIFEXITED(run.status)) << run.output;
    EXPECT_LE(WEXITSTATUS(run.status), 1) << run.output;
    EXPECT_NE(run.output.find("Status: "), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(pwned)) << "the other user's script ran as the victim";
    for (const auto& entry : fs::recursive_directory_iterator(shared)) {
        struct stat st {};
        lstat(entry.path().c_str(), &st);
        EXPECT_NE(st.st_uid, victim.user.uid()) << entry.path() << " was made by the victim";
    }
}

// However the live diagnosis ends, its working folder goes and the report
// tool it started is stopped first: the capture's time-out and a signal.
TEST(HostileDiagnose, EveryWayOutStopsTheToolAndRemovesTheFolder) {
    TestFolder standIns("standins", 0755), temp("temp", 0700);
    const std::string toolPid = standIns.path + "/tool.pid";
    // A report tool that never writes the report.
    writeFile(standIns.path + "/batrun", "#!/bin/sh\necho $$ > " + toolPid + "\nexec sleep 120\n", 0755);
    writeFile(standIns.path + "/ipconfig", "#!/bin/sh\nexit 0\n", 0755);
    struct Case {
        const char* name;
        int signal;  // 0: the capture times out
    } cases[] = {{"time-out", 0}, {"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
    for (const auto& c : cases) {
        std::remove(toolPid.c_str());
        Outcome run = runCfgscope(
            {"--diagnose"}, {"TEMP=" + temp.path, "CFGSCOPE_STANDINS=" + standIns.path}, [](pid_t) {},
            [&](pid_t pid) {
                if (!c.signal) return;
                for (int i = 0; i < 250 && !fs::exists(toolPid); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                kill(pid, c.signal);
            });
        if (c.signal) {
            EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == c.signal) << c.name << run.output;
        } else {
            ASSERT_TRUE(WIFEXITED(run.status)) << run.output;
            EXPECT_EQ(WEXITSTATUS(run.status), 2);
            EXPECT_NE(run.output.find("Timeout error"), std::string::npos) << run.output;
        }
        std::ifstream in(toolPid);
        pid_t tool = 0;
        ASSERT_TRUE(in >> tool) << c.name << ": the tool never started";
        EXPECT_TRUE(stopped(tool)) << c.name << ": the report tool still runs";
        if (!stopped(tool)) kill(tool, SIGKILL);
        EXPECT_EQ(diagnoseFolders(temp.path), std::vector<std::string>{}) << c.name;
    }
}

// In a shared TEMP another user creates the lock file, open to all, and
// holds it: the victim's program still starts, and still refuses its own
// second copy.
TEST(HostileSession, LockHeldInASharedTempKeepsNoOneOut) {
    ThrowawayUser attacker("atk");
    Victim victim;
    if (!attacker.ok() || !victim.user.ok()) GTEST_SKIP() << "needs root and useradd";
    TestFolder shared("shared", 01777);
    const std::string lock = shared.path + "/.cfgscope.lock";
    pid_t holder = attacker.startAs([&] {
        umask(0);
        int fd = open(lock.c_str(), O_RDWR | O_CREAT, 0666);
        flock(fd, LOCK_EX);
        while (true) pause();
    });
    for (int i = 0; i < 250 && !fs::exists(lock); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    int result = victim.run(shared.path, [] {
        platform::linux_backend::LinuxSession first;
        if (first.otherInstance("cfgscope")) return 1;  // kept out by the attacker
        pid_t second = fork();
        if (second == 0) _exit(platform::linux_backend::LinuxSession().otherInstance("cfgscope") ? 0 : 1);
        return ThrowawayUser::waitFor(second) == 0 ? 0 : 2;
    });
    ThrowawayUser::stop(holder);
    EXPECT_EQ(result, 0) << (result == 1 ? "another user's lock kept the program from starting"
                                         : "a second copy of the victim's own was not refused");
}

// Without TEMP and XDG_RUNTIME_DIR the temporary folder falls back to a
// folder of the user's; another user who creates the name it would have in
// /tmp first neither gets it used nor keeps the program from having one.
TEST(HostileSession, FallbackFolderCannotBeTakenFirst) {
    ThrowawayUser attacker("atk");
    Victim victim;
    if (!attacker.ok() || !victim.user.ok()) GTEST_SKIP() << "needs root and useradd";
    const std::string taken = "/tmp/cfgscope-" + std::to_string(victim.user.uid());
    attacker.runAs([&] {
        mkdir(taken.c_str(), 0777);
        return chmod(taken.c_str(), 0777);
    });
    auto check = [] {
        std::string temp = platform::linux_backend::userTempFolder();
        if (temp.empty()) return 1;
        struct stat st {};
        if (lstat(temp.c_str(), &st) != 0 || st.st_uid != geteuid() || (st.st_mode & 022) != 0) return 2;
        return platform::linux_backend::LinuxSession().otherInstance("cfgscope") ? 3 : 0;
    };
    int withHome = victim.run("", check);
    // A user without a home of their own gets a folder made for the run.
    int homeless = victim.user.runAs(check, [] {
        unsetenv("TEMP");
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("XDG_CACHE_HOME");
        setenv("HOME", "/nonexistent", 1);
    });
    std::error_code ec;
    fs::remove_all(taken, ec);
    for (const auto& entry : fs::directory_iterator("/tmp"))
        if (entry.path().filename().string().rfind(fs::path(taken).filename().string() + "-", 0) == 0)
            fs::remove_all(entry.path(), ec);
    for (int result : {withHome, homeless})
        EXPECT_EQ(result, 0) << (result == 1 ? "no temporary folder at all" : "not a private folder of the victim's");
}
