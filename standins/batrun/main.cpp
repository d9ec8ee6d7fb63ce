// batrun: the command-script runner. Runs the .bat scripts the program
// writes, line by line, without a shell.
#include <signal.h>

#include <cstdio>
#include <string>

#include "platform/linux/NativePath.h"
#include "standins/batrun/Runner.h"

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "/?") {
        std::fprintf(argc < 2 ? stderr : stdout,
                     "Usage: batrun SCRIPT.bat\n"
                     "Runs a command script: @, echo, pause, > and >> redirection, ipconfig, ping,\n"
                     "tracert, nslookup, and any other program by name.\n");
        return argc < 2 ? 2 : 0;
    }
    // Ctrl+C stops the running command (ping -t), not the script: its
    // closing lines and pause still run.
    signal(SIGINT, SIG_IGN);
    return standins::batrun::runScript(platform::linux_backend::nativePath(argv[1]));
}
