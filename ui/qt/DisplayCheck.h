// Whether a window can open here, on which of the displays the environment
// names, and the words both programs use when it cannot. It runs before the
// toolkit starts: the toolkit aborts when its display cannot be opened.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace ui::qt {

// The toolkit's platform to open the window on, or why none answers.
struct DisplayChoice {
    std::string platform;  // e.g. "wayland", "xcb", "offscreen"; empty when none answers
    std::string reason;    // why no window can open, when `platform` is empty
    // The X connection the check opened, to be held until the toolkit has its
    // own: an X server that resets when its last client leaves (Xvfb,
    // xvfb-run, a bare X) refuses connections while it does, and the toolkit
    // then aborts.
    std::shared_ptr<void> probe;
};

// Tries, in order, the platforms QT_QPA_PLATFORM lists (";"-separated), or
// else the Wayland display (WAYLAND_DISPLAY) and then the X display
// (DISPLAY): the first that answers is chosen. Platforms without a display
// (offscreen, vnc, ...) are taken as named.
DisplayChoice chooseDisplay();

// The program's arguments for the toolkit, with "-platform NAME" added, so
// the toolkit opens the display that answered (and processes it starts do not
// inherit the choice through the environment).
class ToolkitArguments {
public:
    ToolkitArguments(int argc, char** argv, const std::string& platform);
    int& argc() { return argc_; }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
    int argc_ = 0;
};

// When no window can be opened: says why on `err` as "PROGRAM: cannot open
// the window: REASON." with how to run it, and answers true.
bool explainNoDisplay(const std::string& program, const DisplayChoice& choice, std::ostream& err);

// The exit status of a program whose window cannot open.
inline constexpr int kNoDisplayStatus = 2;

}  // namespace ui::qt
