#include "ui/qt/FormWindow.h"

#include <algorithm>
#include <optional>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSignalBlocker>
#include <QTimer>

#include "ui/qt/Accessibility.h"
#include "ui/qt/Contrast.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtText.h"
#include "ui/qt/TabOrder.h"
#include "ui/qt/Twips.h"
#include "ui/qt/Widgets.h"

namespace ui::qt {

namespace {

QColor qc(ui::Color c) { return QColor(c.r, c.g, c.b); }

QRect pixelRect(const ui::Rect& r) { return QRect(pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)); }

Qt::Alignment alignment(ui::Align a) {
    switch (a) {
    case ui::Align::Right: return Qt::AlignRight | Qt::AlignTop;
    case ui::Align::Center: return Qt::AlignHCenter | Qt::AlignTop;
    case ui::Align::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// Colours: `window` roles for labels, `base` roles for boxes and lists.
// `behind` is the fixed colour the control's text is drawn on, if any (its
// own background, or the window's behind a label). Text on a fixed colour
// gets a fixed colour that reads on it, whatever the desktop's palette; on
// the palette's own background a wanted colour is kept readable there.
void applyColours(QWidget* w, const ui::Control& c, QPalette::ColorRole back, QPalette::ColorRole text,
                  std::optional<QColor> behind) {
    QPalette pal = w->palette();
    if (c.background) {
        pal.setColor(back, qc(*c.background));
        // Some styles paint a read-only box in the window colour.
        if (back == QPalette::Base) pal.setColor(QPalette::Window, qc(*c.background));
    }
    const QColor ground = behind.value_or(pal.color(back));
    if (behind || c.foreground) {
        std::optional<QColor> wanted;
        if (c.foreground) wanted = qc(*c.foreground);
        const QColor ink = readableOn(ground, wanted);
        pal.setColor(text, ink);
        // Greyed: halfway to the background.
        pal.setColor(QPalette::Disabled, text,
                     QColor((ink.red() + ground.red()) / 2, (ink.green() + ground.green()) / 2,
                            (ink.blue() + ground.blue()) / 2));
    }
    w->setPalette(pal);
}

std::optional<QColor> ownBackground(const ui::Control& c) {
    if (c.background) return qc(*c.background);
    return std::nullopt;
}

void syncCommon(QWidget* w, const ui::Control& c) {
    w->setEnabled(c.enabled());
    w->setVisible(c.visible());
}

void syncList(QListWidget* w, const ui::ListBox& c) {
    QSignalBlocker block(w);
    const auto& items = c.items();
    // Adds usually append one line at a time: keep the common prefix.
    int keep = std::min(w->count(), static_cast<int>(items.size()));
    for (int i = 0; i < keep; ++i)
        if (w->item(i)->text() != qs(items[static_cast<std::size_t>(i)])) {
            keep = i;
            break;
        }
    while (w->count() > keep) delete w->takeItem(w->count() - 1);
    // A line too long for the list shows in full as its tooltip.
    const int room = w->contentsRect().width() - 2 * w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) - 4;
    const QFontMetrics metrics(w->font());
    for (std::size_t i = static_cast<std::size_t>(keep); i < items.size(); ++i) {
        auto* item = new QListWidgetItem(qs(items[i]), w);
        if (metrics.horizontalAdvance(item->text()) > room) item->setToolTip(item->text());
    }
    if (w->currentRow() != c.selected()) w->setCurrentRow(c.selected());
    syncCommon(w, c);
}

}  // namespace

FormWindow::FormWindow(const FormSpec& formSpec, QWidget* parent) : QMainWindow(parent) {
    setObjectName("form");
    installAccessibility();
    setWindowTitle(qs(formSpec.caption));
    if (!formSpec.icon.empty()) setWindowIcon(QIcon(picture(formSpec.icon, QSize(32, 32))));

    const QFont defaultFont = toQFont(formSpec.defaultFont);
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->setFixedSize(pixels(formSpec.clientWidth), pixels(formSpec.clientHeight));
    client_->setFont(defaultFont);
    client_->setAutoFillBackground(true);
    // The window's own colour, and a text colour that reads on it, whatever
    // the desktop's palette: labels draw on it.
    background_ = qc(formSpec.background);
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, background_);
    pal.setColor(QPalette::WindowText, readableOn(background_));
    client_->setPalette(pal);
    setCentralWidget(client_);

    for (ui::Control* c : formSpec.controls) {
        if (c->working) continue;  // storage and actions only: no widget
        if (QWidget* w = createWidget(*c, client_)) {
            widgets_[c] = w;
            bound_.push_back(c);
        }
    }

    bindAccessibility();
    orderTabs();

    menuBar()->setFont(defaultFont);
    for (ui::MenuItem* top : formSpec.menuBar) bindMenu(*top, nullptr);
    // F10 opens the first menu, as on the desktops.
    if (!formSpec.menuBar.empty()) {
        auto* openMenu = new QAction(this);
        openMenu->setObjectName("openFirstMenu");
        openMenu->setShortcut(Qt::Key_F10);
        QObject::connect(openMenu, &QAction::triggered, this, [this] {
            for (QAction* top : menuBar()->actions())
                if (top->isVisible() && top->isEnabled()) {
                    menuBar()->setActiveAction(top);
                    break;
                }
        });
        addAction(openMenu);
    }

    // The window is never resized: its size is the client area plus the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

FormWindow::~FormWindow() {
    // The form may outlive its widgets: stop it from reaching them.
    for (ui::Control* c : bound_) c->changed = nullptr;
}

QWidget* FormWindow::createWidget(ui::Control& control, QWidget* parent) {
    QWidget* w = nullptr;
    QRect rect = pixelRect(control.geometry);
    if (auto* c = dynamic_cast<ui::Label*>(&control)) {
        auto* label = new ClickLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(alignment(c->align));
        label->clicked = [this, c] { run([c] { c->click(); }); };
        label->doubleClicked = [this, c] { run([c] { c->doubleClick(); }); };
        // A see-through label without actions lets clicks reach what lies beneath.
        if (c->transparent && !c->onClick && !c->onDoubleClick)
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (c->announced) makeStatusLine(label);
        const QColor formBackground = background_;
        c->changed = [label, c, formBackground] {
            if (label->text() != qs(c->caption())) label->setText(qs(c->caption()));
            // Status lines change colour with their text.
            const bool ownGround = !c->transparent && c->background.has_value();
            applyColours(label, *c, QPalette::Window, QPalette::WindowText,
                         ownGround ? qc(*c->background) : formBackground);
            label->setAutoFillBackground(ownGround);
            syncCommon(label, *c);
        };
        w = label;
    } else if (auto* c = dynamic_cast<ui::TextBox*>(&control); c && c->multiLine) {
        // A box of several lines: read-only, scrolled when its text is longer.
        auto* area = new QPlainTextEdit(parent);
        area->setReadOnly(true);
        applyColours(area, *c, QPalette::Base, QPalette::Text, ownBackground(*c));
        c->changed = [area, c] {
            if (area->toPlainText() != qs(c->text())) area->setPlainText(qs(c->text()));
            syncCommon(area, *c);
        };
        w = area;
    } else if (auto* c = dynamic_cast<ui::TextBox*>(&control)) {
        auto* edit = new QLineEdit(parent);
        edit->setReadOnly(c->readOnly);
        applyColours(edit, *c, QPalette::Base, QPalette::Text, ownBackground(*c));
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this, c](const QString& text) {
            run([c, text] { c->setText(text.toStdString()); });
        });
        c->changed = [edit, c] {
            if (edit->text() != qs(c->text())) edit->setText(qs(c->text()));
            syncCommon(edit, *c);
        };
        w = edit;
    } else if (auto* c = dynamic_cast<ui::ListBox*>(&control)) {
        auto* list = new ActionList(parent);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setUniformItemSizes(true);
        list->setItemDelegate(new TextLineRows(list));
        applyColours(list, *c, QPalette::Base, QPalette::Text, ownBackground(*c));
        // The selected line in the palette's selection colour; its text in
        // the palette's colour where that reads there, else black or white.
        QPalette selection = list->palette();
        const QColor highlight = selection.color(QPalette::Highlight);
        if (contrastRatio(highlight, selection.color(QPalette::HighlightedText)) < kReadableContrast) {
            selection.setColor(QPalette::Active, QPalette::HighlightedText, readableOn(highlight));
            selection.setColor(QPalette::Inactive, QPalette::HighlightedText,
                               readableOn(selection.color(QPalette::Inactive, QPalette::Highlight)));
            list->setPalette(selection);
        }
        QObject::connect(list, &QListWidget::currentRowChanged, list, [this, c](int row) {
            if (row >= 0 && row != c->selected()) run([c, row] { c->select(row); });
        });
        auto doubleClickRow = [this, c](int row) {
            run([c, row] {
                if (row != c->selected()) c->select(row);
                c->doubleClick();
            });
        };
        QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                         [list, doubleClickRow](QListWidgetItem* item) { doubleClickRow(list->row(item)); });
        // Enter or Space on a line does what a double click on it does.
        list->activated = [list, c, doubleClickRow] {
            if (!c->onDoubleClick) return false;
            doubleClickRow(list->currentRow());
            return true;
        };
        c->changed = [list, c] { syncList(list, *c); };
        w = list;
    } else if (auto* c = dynamic_cast<ui::Button*>(&control)) {
        auto* button = new WrapButton(parent);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, button, [this, c] { run([c] { c->click(); }); });
        c->changed = [button, c] {
            if (button->text() != qs(c->caption())) button->setText(qs(c->caption()));
            syncCommon(button, *c);
        };
        w = button;
    } else if (auto* c = dynamic_cast<ui::Picture*>(&control)) {
        auto* pic = new QLabel(parent);
        pic->setPixmap(picture(c->resource, pixelRect(c->geometry).size()));
        // A picture without a name of its own is named by what it shows.
        if (c->accessibleName.empty()) pic->setAccessibleName(pictureDescription(c->resource));
        c->changed = [pic, c] { syncCommon(pic, *c); };
        w = pic;
    } else if (auto* c = dynamic_cast<ui::Line*>(&control)) {
        // A one-pixel rule in the system's shadow colour.
        auto* rule = new QWidget(parent);
        rule->setAutoFillBackground(true);
        QPalette pal = rule->palette();
        pal.setColor(QPalette::Window, c->systemShadowColor ? pal.color(QPalette::Dark) : QColor(Qt::black));
        rule->setPalette(pal);
        const int x1 = pixels(std::min(c->x1, c->x2)), y1 = pixels(std::min(c->y1, c->y2));
        const int x2 = pixels(std::max(c->x1, c->x2)), y2 = pixels(std::max(c->y1, c->y2));
        rect = QRect(x1, y1, std::max(x2 - x1, 1), std::max(y2 - y1, 1));
        c->changed = [rule, c] { syncCommon(rule, *c); };
        w = rule;
    } else if (auto* c = dynamic_cast<ui::Timer*>(&control)) {
        auto* timer = new QTimer(this);
        timer->setObjectName(qs(c->name()));
        QObject::connect(timer, &QTimer::timeout, timer, [this, c] { run([c] { c->tick(); }); });
        c->changed = [timer, c] {
            if (c->enabled() && c->intervalMs > 0) {
                if (!timer->isActive() || timer->interval() != c->intervalMs) timer->start(c->intervalMs);
            } else {
                timer->stop();
            }
        };
        c->changed();
        bound_.push_back(c);
        return nullptr;
    } else {
        return nullptr;
    }

    w->setObjectName(qs(control.name()));
    w->setGeometry(rect);
    w->installEventFilter(this);
    if (control.font) w->setFont(toQFont(*control.font));
    if (!control.tooltip.empty()) w->setToolTip(qs(control.tooltip));
    if (!control.accessibleName.empty()) w->setAccessibleName(qs(control.accessibleName));
    control.changed();
    return w;
}

void FormWindow::bindAccessibility() {
    for (ui::Control* c : bound_) {
        auto* caption = dynamic_cast<ui::Label*>(c);
        QWidget* target = caption && caption->captionOf ? widgetFor(*caption->captionOf) : nullptr;
        auto* label = caption ? qobject_cast<QLabel*>(widgetFor(*caption)) : nullptr;
        if (!target || !label) continue;
        // The label-for and labelled-by relations; the name follows the caption.
        label->setBuddy(target);
        auto follow = [label, target, previous = caption->changed] {
            if (previous) previous();
            target->setAccessibleName(label->text().trimmed());
        };
        caption->changed = follow;
        follow();
    }
}

void FormWindow::orderTabs() {
    std::vector<QWidget*> stops;
    std::vector<ui::Rect> places;
    for (ui::Control* c : bound_)
        if (QWidget* w = widgetFor(*c); w && w->focusPolicy() & Qt::TabFocus) {
            stops.push_back(w);
            places.push_back(c->geometry);
        }
    const std::vector<int> order = tabOrder(places);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(stops[static_cast<std::size_t>(order[i - 1])], stops[static_cast<std::size_t>(order[i])]);
}

void FormWindow::bindMenu(ui::MenuItem& item, QMenu* parentMenu) {
    QAction* action = nullptr;
    if (!item.children.empty()) {
        QMenu* menu = parentMenu ? parentMenu->addMenu(qs(item.caption())) : menuBar()->addMenu(qs(item.caption()));
        menu->setObjectName(qs(item.name()));
        menu->setFont(menuBar()->font());
        action = menu->menuAction();
        for (ui::MenuItem* child : item.children) bindMenu(*child, menu);
    } else if (item.isSeparator) {
        action = parentMenu->addSeparator();
    } else {
        action = parentMenu ? parentMenu->addAction(qs(item.caption())) : menuBar()->addAction(qs(item.caption()));
        if (!item.shortcut().empty()) {
            action->setShortcut(QKeySequence::fromString(qs(item.shortcut()), QKeySequence::PortableText));
            // Reachable from anywhere in the window, also with the menus closed.
            addAction(action);
        }
        ui::MenuItem* target = &item;
        QObject::connect(action, &QAction::triggered, this, [this, target] { run([target] { target->click(); }); });
    }
    action->setObjectName(qs(item.name()));
    // The sel1 items share their name; their index tells them apart.
    actions_[&item] = action;
    item.changed = [action, &item] {
        if (!item.isSeparator && action->text() != qs(item.caption())) action->setText(qs(item.caption()));
        action->setEnabled(item.enabled());
        action->setVisible(item.visible());
        if (item.checkable) {
            action->setCheckable(true);
            action->setChecked(item.checked());
        }
    };
    item.changed();
    bound_.push_back(&item);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const auto& [item, action] : actions_)
            if (action->isEnabled() && action->isVisible() && action->shortcut() == keys) {
                // Unaccepted, the key goes on to the window's shortcuts.
                event->ignore();
                return true;
            }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormWindow::setCaption(const std::string& caption) { setWindowTitle(qs(caption)); }

void FormWindow::showCentred() {
    if (!placed_) {
        adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
        placed_ = true;
        // Start with the keyboard on the first button rather than in a text box.
        for (ui::Control* c : bound_)
            if (auto* button = qobject_cast<QPushButton*>(widgetFor(*c)); button && c->enabled() && c->visible()) {
                button->setFocus();
                break;
            }
    }
    show();
    raise();
    activateWindow();
}

QWidget* FormWindow::widgetFor(const ui::Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

QAction* FormWindow::actionFor(const ui::MenuItem& item) const {
    auto it = actions_.find(&item);
    return it == actions_.end() ? nullptr : it->second;
}

void FormWindow::run(const std::function<void()>& operation) {
    ++busy_;
    operation();
    --busy_;
    if (busy_ == 0 && closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (busy_ > 0) {
        closePending_ = true;
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        if (onClose) onClose();
    }
    event->accept();
}

}  // namespace ui::qt
