// The Qt binding of a toolkit-neutral form: one widget per visible control
// (object name = control name), the menu bar with its actions and shortcuts,
// both kept in step with the controls, and events routed back to them.
// Working controls get no widget: they can be neither seen nor reached.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QColor>
#include <QMainWindow>

#include "ui/Controls.h"

class QAction;
class QMenu;

namespace ui::qt {

struct FormSpec {
    std::string caption;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    ui::Color background{240, 240, 240};
    ui::Font defaultFont{"Arial", 8.25, false};
    std::string icon;  // picture resource of the window icon
    std::vector<ui::Control*> controls;
    std::vector<ui::MenuItem*> menuBar;
};

// How a program's main form is drawn: its window, controls and menu bar.
template <class Form>
FormSpec mainFormSpec(const Form& form, std::string icon) {
    return {form.caption, form.clientWidth, form.clientHeight, form.background,
            form.defaultFont, std::move(icon), form.controls, form.menuBar};
}

class FormWindow : public QMainWindow {
public:
    explicit FormWindow(const FormSpec& formSpec, QWidget* parent = nullptr);
    ~FormWindow() override;

    void setCaption(const std::string& caption);
    // Shows the window centred on its screen (once placed, it stays put).
    void showCentred();

    QWidget* widgetFor(const ui::Control& control) const;
    QAction* actionFor(const ui::MenuItem& item) const;

    // Runs when the window closes, whatever closed it.
    std::function<void()> onClose;
    // An operation runs (a box of it may be open); a close waits for its end.
    bool busy() const { return busy_ > 0; }

    // Runs an operation of the form. A close asked for while one runs (a
    // blocking capture repaints and so takes window events) waits until the
    // outermost operation has ended.
    void run(const std::function<void()>& operation);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Menu shortcuts come first: a text box or list with the focus does not
    // keep a key that runs a menu item (Ctrl+C copies the report, not the box).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createWidget(ui::Control& control, QWidget* parent);
    // Ties each caption label to its field or list (name and relations).
    void bindAccessibility();
    // Tab order by place: rows, then the columns within a row.
    void orderTabs();
    void bindMenu(ui::MenuItem& item, QMenu* parentMenu);

    QWidget* client_ = nullptr;
    QColor background_;
    std::vector<ui::Control*> bound_;
    std::map<const ui::Control*, QWidget*> widgets_;
    std::map<const ui::MenuItem*, QAction*> actions_;
    int busy_ = 0;
    bool closePending_ = false;
    bool placed_ = false;
    bool closed_ = false;
};

}  // namespace ui::qt
