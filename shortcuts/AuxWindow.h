// A small window of the main program shown modally over the main window and
// closed by hiding it. Toolkit-neutral: a binding draws its controls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace shortcuts {

struct AuxWindow {
    AuxWindow(std::string caption, int clientWidth, int clientHeight)
        : caption(std::move(caption)), clientWidth(clientWidth), clientHeight(clientHeight) {}
    AuxWindow(const AuxWindow&) = delete;
    AuxWindow& operator=(const AuxWindow&) = delete;
    virtual ~AuxWindow() = default;

    std::string caption;  // empty: a window without a title bar
    int clientWidth, clientHeight;  // twips
    ui::Color background{236, 233, 216};
    ui::Font defaultFont{"Arial", 8.25, false};
    std::vector<ui::Control*> controls;

    // A click on the window's own surface (outside any control).
    std::function<void()> onWindowClick;
    // Set by a binding while the window is on screen: takes it away.
    std::function<void()> close;
    bool shown = false;

    void hide() {
        shown = false;
        if (close) close();
    }
};

// Shows a window modally and returns once it has been hidden.
using ShowModal = std::function<void(AuxWindow&)>;

}  // namespace shortcuts
