// Toolkit-neutral controls. A form is a struct of these; operations read and
// write their properties, and a toolkit binding (Qt, Win32) mirrors them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// Geometry in twips (1/1440 inch; 15 twips a pixel at 96 dpi).
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

struct Font {
    std::string family;
    double points = 8.25;
    bool bold = false;
};

// The families the forms use for columns that must line up ("Lucida
// Console", "Courier New"); a binding that lacks them takes another
// fixed-pitch font.
bool isFixedPitchFamily(const std::string& family);

enum class Align { Left, Right, Center };

// Properties common to all controls. `changed` is set by a toolkit binding
// and called after every property change so the widget can follow.
class Control {
public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; notify(); }
    bool visible() const { return visible_; }
    void setVisible(bool on) { visible_ = on; notify(); }

    // Working controls hold state or actions and are never drawn or reachable.
    bool working = false;
    Rect geometry;
    std::string tooltip;
    std::optional<Font> font;
    std::optional<Color> background;
    std::optional<Color> foreground;
    // What assistive technology calls a control that has neither a caption
    // of its own nor a label beside it (a picture, a list without a label).
    std::string accessibleName;

    std::function<void()> changed;

protected:
    void notify() const {
        if (changed) changed();
    }

private:
    std::string name_;
    bool enabled_ = true;
    bool visible_ = true;
};

class Label : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text) { caption_ = std::move(text); notify(); }

    Align align = Align::Left;
    bool transparent = false;
    // The field or list this label captions: its name for assistive technology.
    Control* captionOf = nullptr;
    // A status line: assistive technology announces each change of its text.
    bool announced = false;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    void click() const { if (onClick) onClick(); }
    void doubleClick() const { if (onDoubleClick) onDoubleClick(); }

private:
    std::string caption_;
};

class TextBox : public Control {
public:
    using Control::Control;
    const std::string& text() const { return text_; }
    // Every change of the text runs onChange, as the user's typing would.
    void setText(std::string text) {
        if (text == text_) return;
        text_ = std::move(text);
        notify();
        if (onChange) onChange();
    }
    std::function<void()> onChange;
    // A box of several lines, shown read-only with a vertical scroll bar.
    bool multiLine = false;
    // A box that shows information: selectable, not editable.
    bool readOnly = false;

private:
    std::string text_;
};

class ListBox : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    int selected() const { return selected_; }
    const std::string* selectedItem() const {
        return selected_ >= 0 && selected_ < count() ? &items_[static_cast<std::size_t>(selected_)] : nullptr;
    }

    void add(std::string item) { items_.push_back(std::move(item)); notify(); }
    void clear() { items_.clear(); selected_ = -1; notify(); }
    bool removeAt(int index);
    // Setting the selection to an existing position runs onClick, whether the
    // user clicked or a program step selected; other positions fail.
    bool select(int index);

    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    void doubleClick() const { if (onDoubleClick) onDoubleClick(); }

private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

class Button : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text) { caption_ = std::move(text); notify(); }
    std::function<void()> onClick;
    void click() const { if (onClick) onClick(); }

private:
    std::string caption_;
};

class Picture : public Control {
public:
    using Control::Control;
    std::string resource;  // name of the bundled image
};

// A straight rule; coordinates in twips.
class Line : public Control {
public:
    using Control::Control;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool systemShadowColor = true;
};

class Timer : public Control {
public:
    using Control::Control;
    int intervalMs = 0;
    std::function<void()> onTick;
    // Bindings call this from a real timer; tests call it directly.
    void tick() const { if (enabled() && onTick) onTick(); }
};

class MenuItem : public Control {
public:
    MenuItem(std::string name, std::string caption, std::string shortcut = {})
        : Control(std::move(name)), caption_(std::move(caption)), shortcut_(std::move(shortcut)) {}
    struct SeparatorTag {};
    MenuItem(std::string name, SeparatorTag) : Control(std::move(name)), caption_("-") { isSeparator = true; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string text) { caption_ = std::move(text); notify(); }
    // Key sequence in portable text form: "F5", "Ctrl+G", "Shift+F12".
    const std::string& shortcut() const { return shortcut_; }

    bool isSeparator = false;
    // An item that carries a check mark, shown while checked() is true.
    bool checkable = false;
    bool checked() const { return checked_; }
    void setChecked(bool on) { checked_ = on; notify(); }
    std::vector<MenuItem*> children;
    std::function<void()> onClick;
    // A menu command runs only while the item and all its parents could be chosen.
    void click() const { if (enabled() && visible() && onClick) onClick(); }

private:
    std::string caption_;
    std::string shortcut_;
    bool checked_ = false;
};

}  // namespace ui
