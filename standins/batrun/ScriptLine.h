// One line of a command script, taken apart the way the command
// interpreter does for the forms the program writes. Pure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace standins::batrun {

struct ScriptLine {
    bool quiet = false;       // "@" prefix: the line itself is not echoed
    std::string command;      // without "@", without the redirection
    std::string redirect;     // target file as written (Windows path), empty when none
    bool append = false;      // ">>"
};

ScriptLine parseLine(std::string_view raw);

// Script text to lines: CR LF or LF ends, a final line without an end too.
std::vector<std::string> scriptLines(std::string_view text);

// Words of a command, double quotes grouping blanks (quotes removed).
std::vector<std::string> splitWords(std::string_view command);

// The echo built-in: the text it prints for "echo REST", or the new echo
// state for "echo on" / "echo off".
struct EchoResult {
    bool changesState = false;
    bool newState = true;
    std::string text;  // printed when !changesState
};
EchoResult echoCommand(std::string_view command, bool echoOn);

// The Linux command lines of the network tools, from their Windows
// arguments: ping sends 4 echoes unless told otherwise.
std::vector<std::string> pingArgs(const std::vector<std::string>& windowsArgs);
std::vector<std::string> tracertArgs(const std::vector<std::string>& windowsArgs, bool haveTraceroute);

// Lower-case copy, for command names.
std::string lowerAscii(std::string_view text);

}  // namespace standins::batrun
