// Widgets that give Qt controls the behaviour the toolkit-neutral controls
// describe: labels that report clicks, buttons whose captions wrap.
#pragma once

#include <functional>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

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

// A list whose current line acts on Enter or Space as on a double click:
// `activated` returns whether the list has such an action.
class ActionList : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<bool()> activated;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Rows one text line high, whatever padding the style gives item views, so
// that a list shows as many lines as its height was designed for.
class TextLineRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace ui::qt
