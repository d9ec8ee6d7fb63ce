#include "cfgscope/qt/AuxWindows.h"

#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/linux/NativePath.h"
#include "shortcuts/AuxForms.h"
#include "ui/Pictures.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Twips.h"

// The bundled pictures live in a static library: registered on first use.
static bool loadBundledPictures() {
    Q_INIT_RESOURCE(lanomat_pictures);
    return true;
}

namespace ui::qt {

namespace {

// The program's own pictures, bundled as resources; a picture file named by
// the "file:" prefix; else the binding's drawn pictures stay.
QPixmap auxPicture(const std::string& resource, QSize size) {
    static const bool bundled = loadBundledPictures();
    (void)bundled;
    QPixmap pixmap;
    if (resource == ui::kLogoPicture || resource == ui::kAboutPicture)
        pixmap.load(qs(":/pictures/" + resource + ".png"));
    else if (const std::string file = ui::pictureFile(resource); !file.empty())
        pixmap.load(qs(platform::linux_backend::nativePath(file)));
    if (pixmap.isNull()) return pixmap;
    return pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// Calls `action` on a mouse press over the watched widgets.
class ClickFilter : public QObject {
public:
    ClickFilter(std::function<void()> action, QObject* parent) : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && action_) action_();
        return false;
    }

private:
    std::function<void()> action_;
};

// Keys of a small window: Escape closes it; on a window that closes with a
// click on its surface (the About window), Escape, Enter and Space act as
// that click.
class KeyFilter : public QObject {
public:
    KeyFilter(shortcuts::AuxWindow& w, FormWindow& window) : QObject(&window), w_(w), window_(window) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool escape = key == Qt::Key_Escape;
        const bool confirm = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        if (w_.onWindowClick && (escape || confirm)) {
            window_.run([this] { w_.onWindowClick(); });
            return true;
        }
        if (escape) {
            window_.run([this] { w_.hide(); });
            return true;
        }
        return false;
    }

private:
    shortcuts::AuxWindow& w_;
    FormWindow& window_;
};

}  // namespace

void showAuxWindow(shortcuts::AuxWindow& w, QWidget* owner) {
    FormSpec formSpec;
    formSpec.caption = w.caption;
    formSpec.clientWidth = w.clientWidth;
    formSpec.clientHeight = w.clientHeight;
    formSpec.background = w.background;
    formSpec.defaultFont = w.defaultFont;
    formSpec.controls = w.controls;
    FormWindow window(formSpec, owner);
    window.setObjectName("auxWindow");
    window.setWindowModality(Qt::ApplicationModal);
    window.setWindowIcon(QIcon(auxPicture(ui::kAboutPicture, QSize(32, 32))));
    // A window without a caption has no title bar either.
    if (w.caption.empty()) window.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    else window.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* surfaceClicks = new ClickFilter([&w, &window] { window.run([&w] { if (w.onWindowClick) w.onWindowClick(); }); }, &window);
    window.centralWidget()->installEventFilter(surfaceClicks);
    for (ui::Control* c : w.controls) {
        QWidget* widget = window.widgetFor(*c);
        if (!widget) continue;
        if (auto* picture = dynamic_cast<ui::Picture*>(c)) {
            QPixmap pixmap = auxPicture(picture->resource, widget->size());
            if (!pixmap.isNull()) static_cast<QLabel*>(widget)->setPixmap(pixmap);
            widget->installEventFilter(surfaceClicks);  // pictures take no clicks of their own
        }
    }

    window.installEventFilter(new KeyFilter(w, window));
    // A window without a control that takes the keyboard takes it itself.
    QWidget* client = window.centralWidget();
    client->setFocusPolicy(Qt::StrongFocus);

    QEventLoop loop;
    w.close = [&window] { window.close(); };
    window.onClose = [&loop] { loop.quit(); };
    window.showCentred();
    if (!window.focusWidget() || window.focusWidget() == &window) client->setFocus();
    loop.exec();
    w.close = nullptr;
    w.shown = false;
}

std::optional<platform::linux_backend::SessionEndChoice> askSessionEnd(QWidget* owner) {
    using Choice = platform::linux_backend::SessionEndChoice;
    QMessageBox box(QMessageBox::Question, "Restart Computer", "Do you want to restart or shut down the computer?",
                    QMessageBox::NoButton, owner);
    box.setObjectName("restartQuestion");
    QPushButton* restart = box.addButton("&Restart", QMessageBox::AcceptRole);
    QPushButton* shutDown = box.addButton("&Shut Down", QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    restart->setObjectName("restart");
    shutDown->setObjectName("shutDown");
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == restart) return Choice::Restart;
    if (box.clickedButton() == shutDown) return Choice::ShutDown;
    return Choice::Cancel;
}

}  // namespace ui::qt
