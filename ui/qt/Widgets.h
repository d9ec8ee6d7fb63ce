// Widgets that give Qt controls the behaviour the toolkit-neutral controls
// describe: labels that report clicks, buttons whose captions wrap.
#pragma once

#include <functional>

#include <QLabel>
#include <QPushButton>

namespace ui::qt {

// A label that reports a click (press and release inside it) and a double click.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clicked;
    std::function<void()> doubleClicked;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A push button whose caption wraps onto a second line when it is too wide,
// as the window's narrow buttons ("Release Adapter 1") need.
class WrapButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::qt
