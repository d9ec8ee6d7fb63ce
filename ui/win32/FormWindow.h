// The Win32 binding of a toolkit-neutral form: one native control per
// visible control (static, edit, list box, button), the menu bar with access
// keys and accelerators, tooltips, fonts and colours, SetTimer for timers,
// all kept in step with the controls and their events routed back. Working
// controls get no window at all.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui::win32 {

struct FormSpec {
    std::string caption;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    ui::Color background{240, 240, 240};
    ui::Font defaultFont{"Arial", 8.25, false};
    int iconResource = 0;  // the window's icon in the program's resources
    std::vector<ui::Control*> controls;
    std::vector<ui::MenuItem*> menuBar;
    HWND owner = nullptr;       // a modal window's owner
    bool titleBar = true;
};

// How a program's main form is drawn: its window, controls and menu bar.
template <class Form>
FormSpec mainFormSpec(const Form& form, int iconResource) {
    FormSpec formSpec;
    formSpec.caption = form.caption;
    formSpec.clientWidth = form.clientWidth;
    formSpec.clientHeight = form.clientHeight;
    formSpec.background = form.background;
    formSpec.defaultFont = form.defaultFont;
    formSpec.iconResource = iconResource;
    formSpec.controls = form.controls;
    formSpec.menuBar = form.menuBar;
    return formSpec;
}

class FormWindow {
public:
    explicit FormWindow(const FormSpec& formSpec);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow();

    HWND handle() const { return hwnd_; }
    HWND controlHandle(const ui::Control& control) const;
    void setCaption(const std::string& caption);
    void showCentred();
    // Asks the window to close, as its close box does.
    void close();
    bool closed() const { return closed_; }

    // Runs when the window closes, whatever closed it.
    std::function<void()> onClose;
    // A click on the window's own surface.
    std::function<void()> onSurfaceClick;
    // While this answers true the pointer over the window is the wait pointer.
    std::function<bool()> waiting;

    // Runs an operation of the form; a close asked for meanwhile waits for
    // the outermost operation to end.
    void run(const std::function<void()>& operation);

    // Keyboard accelerators of the menu, for the message loop.
    bool translateAccelerator(MSG& msg);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void createControl(ui::Control& control);
    void rebuildMenu();
    void appendMenu(HMENU parent, ui::MenuItem& item);
    HFONT font(const ui::Font& f);
    HBRUSH brush(ui::Color c);
    void command(int id, int code);

    FormSpec formSpec_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::map<int, ui::Control*> byId_;
    std::map<const ui::Control*, HWND> windows_;
    std::map<int, ui::MenuItem*> menuItems_;
    std::map<std::string, HFONT> fonts_;
    std::map<unsigned, HBRUSH> brushes_;
    std::vector<HICON> icons_;
    std::vector<HBITMAP> images_;
    std::vector<ui::Control*> bound_;
    int nextId_ = 1000;
    int updating_ = 0;  // text set by the program, not typed
    int busy_ = 0;
    bool closePending_ = false;
    bool menuDirty_ = false;
    bool placed_ = false;
    bool closed_ = false;
};

// Twips to pixels at the screen's resolution.
int pixels(int twips);

// Delivers one message as the program's loop does: the menu's shortcut keys
// first, whatever control has the focus, then the dialog keys, then the control.
void deliver(FormWindow& window, MSG& msg);

// Runs the message loop until `window` has closed.
void runUntilClosed(FormWindow& window);

}  // namespace ui::win32
