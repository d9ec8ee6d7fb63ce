#pragma once

#include <optional>

#include "platform/Clipboard.h"

namespace platform::windows_backend {

// The system clipboard as ANSI text (CF_TEXT). Another program may hold the
// clipboard open for a moment: opening is retried a few times, briefly.
class WindowsClipboard : public Clipboard {
public:
    void clear() override;
    void setText(const std::string& text) override;
    // The clipboard's text, when it holds one.
    std::optional<std::string> text();
};

}  // namespace platform::windows_backend
