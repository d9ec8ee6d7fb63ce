// What the user sees outside the form itself: message and input boxes, the
// wait pointer, and an immediate repaint before a blocking wait.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The symbol a message box shows beside its text.
enum class MessageIcon {
    None,
    Information,
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal message with an OK button. Line breaks are LF or CR LF.
    virtual void messageBox(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    void messageBox(const std::string& text, const std::string& title) { messageBox(text, title, MessageIcon::None); }
    // Modal prompt; nothing when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultAnswer) = 0;
    // Modal question with Yes and No buttons; true for Yes. A backend that
    // cannot ask answers No.
    virtual bool yesNoBox(const std::string& text, const std::string& title) {
        (void)text;
        (void)title;
        return false;
    }
    virtual void setWaitCursor(bool on) = 0;
    virtual void repaintNow() = 0;
    // Called again and again during a blocking wait (a download): lets the
    // windows repaint what needs it, leaving the user's input for later.
    virtual void keepPainted() {}
};

}  // namespace platform
