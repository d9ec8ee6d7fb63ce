#include "ui/qt/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QInputDialog>
#include <QMessageBox>

#include "ui/qt/QtText.h"

namespace ui::qt {

namespace {

// While a box waits for the user, the pointer is an arrow even inside a
// wait (the capture's "Timeout error" comes while the wait pointer shows).
class ArrowWhileModal {
public:
    ArrowWhileModal() : active_(QApplication::overrideCursor() != nullptr) {
        if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileModal() {
        if (active_) QApplication::restoreOverrideCursor();
    }

private:
    bool active_;
};

}  // namespace

QString displayText(const std::string& text) {
    QString out = qs(text);
    out.replace("\r\n", "\n");
    out.replace('\r', '\n');
    return out;
}

QWidget* QtDialogs::parentWidget() const { return owner_ && owner_->isVisible() ? owner_.data() : nullptr; }

void QtDialogs::messageBox(const std::string& text, const std::string& title, platform::MessageIcon icon) {
    ArrowWhileModal arrow;
    QMessageBox box(icon == platform::MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon, displayText(title), displayText(text), QMessageBox::Ok, parentWidget());
    box.setObjectName("messageBox");
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::yesNoBox(const std::string& text, const std::string& title) {
    ArrowWhileModal arrow;
    QMessageBox box(QMessageBox::NoIcon, displayText(title), displayText(text), QMessageBox::Yes | QMessageBox::No,
                    parentWidget());
    box.setObjectName("questionBox");
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultAnswer) {
    ArrowWhileModal arrow;
    QInputDialog dialog(parentWidget());
    dialog.setObjectName("inputBox");
    dialog.setWindowTitle(displayText(title));
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(qs(defaultAnswer));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void QtDialogs::setWaitCursor(bool on) {
    if (on == waiting_) return;
    waiting_ = on;
    if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void QtDialogs::keepPainted() {
    // Expose and update requests are no user input: they are handled now,
    // clicks and keys wait until the operation has ended, and so do the
    // timers: no tick may start work (a second fetch, a count) inside a wait.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
}

void QtDialogs::repaintNow() {
    // A window that was just shown is mapped and laid out, then painted at once.
    keepPainted();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->repaint();
}

void QtClipboard::clear() { QApplication::clipboard()->clear(); }

void QtClipboard::setText(const std::string& text) {
    QApplication::clipboard()->setText(qs(text));
}

}  // namespace ui::qt
