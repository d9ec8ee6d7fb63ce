// Dialogs and clipboard for a program run from a terminal without a window:
// messages go to standard error, prompts read standard input.
#pragma once

#include <iosfwd>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"

namespace platform {

class ConsoleDialogs : public Dialogs {
public:
    ConsoleDialogs(std::istream& in, std::ostream& err) : in_(in), err_(err) {}
    using Dialogs::messageBox;
    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultAnswer) override;
    void setWaitCursor(bool) override {}
    void repaintNow() override {}

private:
    std::istream& in_;
    std::ostream& err_;
};

// A terminal has no clipboard of its own; the text is kept for the run.
class ConsoleClipboard : public Clipboard {
public:
    void clear() override { text_.clear(); }
    void setText(const std::string& text) override { text_ = text; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace platform
