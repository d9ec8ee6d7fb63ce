// Whether a window can open here, and the words both programs use when it
// cannot. No toolkit types: it runs before the toolkit starts.
#pragma once

#include <iosfwd>
#include <string>

namespace ui::qt {

// Why no window can be opened here (no display set, or the display named by
// DISPLAY cannot be reached); empty when a window can be opened.
std::string noDisplayReason();

// When no window can be opened: says why on `err` as "PROGRAM: cannot open
// the window: REASON." with how to run it, and answers true.
bool explainNoDisplay(const std::string& program, std::ostream& err);

// The exit status of a program whose window cannot open.
inline constexpr int kNoDisplayStatus = 2;

}  // namespace ui::qt
