// Running a helper program by exec (never through a shell), with a bound
// on how long it may take.
#pragma once

#include <string>
#include <vector>

namespace standins {

struct ExecResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;   // 128 + signal when killed by one
    std::string output;  // stdout and stderr, when captured
    std::string error;   // why it did not start
};

// Runs argv[0] (looked up on PATH), input from /dev/null, in a process
// group of its own, and waits at most `timeoutMs`; the program and every
// process of its group still running then are stopped. With `capture`, its
// output is returned instead of going to this process's stdout and stderr.
// With `keepInput`, it reads this process's input and stays in its group
// (a program that may ask the user, as pkexec does on a terminal).
ExecResult runProgram(const std::vector<std::string>& argv, int timeoutMs, bool capture, bool keepInput = false);

// Runs argv in the foreground with this process's stdio and waits for it
// without a bound (the script runner's commands). Returns the exit code,
// or -1 with `error` set when it cannot start.
int runForeground(const std::vector<std::string>& argv, int outFd, std::string& error);

}  // namespace standins
