// Message, question and input boxes over the owner window, the wait pointer
// and an immediate repaint.
#pragma once

#include <windows.h>

#include "platform/Dialogs.h"

namespace ui::win32 {

class Win32Dialogs : public platform::Dialogs {
public:
    using platform::Dialogs::messageBox;
    void messageBox(const std::string& text, const std::string& title, platform::MessageIcon icon) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultAnswer) override;
    bool yesNoBox(const std::string& text, const std::string& title) override;
    void setWaitCursor(bool on) override;
    void repaintNow() override;
    void keepPainted() override;

    HWND owner = nullptr;
    bool waiting() const { return wait_; }

private:
    bool wait_ = false;
};

}  // namespace ui::win32
