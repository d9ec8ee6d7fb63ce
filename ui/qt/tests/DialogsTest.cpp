#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "internet/VersionText.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/QtDialogs.h"

namespace {

// Runs `act` on the modal box once it is open.
void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* box = QApplication::activeModalWidget();
        if (box) act(box);
    });
}

TEST(QtDialogs, MessageBoxShowsExactTitleLineBreaksAndIcon) {
    struct Case {
        std::string text;
        QString shown;
        platform::MessageIcon icon;
        QMessageBox::Icon drawn;
    };
    using platform::MessageIcon;
    for (const Case& c : std::vector<Case>{{"one\ntwo", "one\ntwo", MessageIcon::None, QMessageBox::NoIcon},
                                           {"one\r\ntwo\r\n", "one\ntwo\n", MessageIcon::Information,
                                            QMessageBox::Information},
                                           {"<b>not markup</b>", "<b>not markup</b>", MessageIcon::None,
                                            QMessageBox::NoIcon}}) {
        ui::qt::QtDialogs dialogs;
        QString title, text;
        Qt::TextFormat format{};
        QMessageBox::Icon icon{};
        bool iconDrawn = false;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            icon = box->icon();
            iconDrawn = !box->iconPixmap().isNull();
            box->accept();
        });
        dialogs.messageBox(c.text, "Error Log        ", c.icon);
        EXPECT_EQ(title, "Error Log        ");
        EXPECT_EQ(text, c.shown);
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(icon, c.drawn);
        EXPECT_EQ(iconDrawn, c.icon != MessageIcon::None);
    }
}

TEST(QtDialogs, InputBoxReturnsTheAnswerOrNothing) {
    ui::qt::QtDialogs dialogs;
    QString prompt;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        prompt = dialog->labelText();
        EXPECT_EQ(dialog->textValue(), "www.example.org");
        dialog->setTextValue("10.0.0.1");
        dialog->accept();
    });
    EXPECT_EQ(dialogs.inputBox("Host to ping:\r\n(name or address)", "Cfgscope", "www.example.org"), "10.0.0.1");
    EXPECT_EQ(prompt, "Host to ping:\n(name or address)");

    whenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs.inputBox("Host:", "Cfgscope", "x"), std::nullopt);
}

TEST(QtDialogs, WaitCursorIsBalanced) {
    ui::qt::QtDialogs dialogs;
    dialogs.setWaitCursor(true);
    dialogs.setWaitCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    dialogs.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Fonts, MissingFamiliesFallBackByKind) {
    QFont mono = ui::qt::toQFont({"Lucida Console", 9, false});
    EXPECT_TRUE(QFontInfo(mono).fixedPitch()) << mono.family().toStdString();
    EXPECT_EQ(mono.pixelSize(), 12);
    QFont sans = ui::qt::toQFont({"Arial", 8.25, true});
    EXPECT_EQ(sans.pixelSize(), 11);
    EXPECT_TRUE(sans.bold());
    if (QFontDatabase::families().contains("Liberation Sans") && !QFontDatabase::families().contains("Arial")) {
        EXPECT_EQ(sans.family(), "Liberation Sans");
    }
}

// The update question: Yes and No, the exact title and text, and the answer back.
TEST(QtDialogs, YesNoOrClosedAnswers) {
    struct Case {
        const char* press;  // "yes", "no", "escape"
        bool answer;
    } cases[] = {{"yes", true}, {"no", false}, {"escape", false}};
    const std::string question = internet::updateQuestion("1.04.0", "Faster\nSmaller");
    for (const auto& c : cases) {
        ui::qt::QtDialogs dialogs;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            std::string press = c.press;
            if (press == "escape") box->reject();
            else box->button(press == "yes" ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(dialogs.yesNoBox(question, internet::kUpdaterTitle), c.answer) << c.press;
        EXPECT_EQ(title, "Lanomat Std Updater");
        EXPECT_EQ(text.toStdString(), question);
        EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

}  // namespace

// During a download's wait the window is repainted (its input stays queued
// until the wait ends: Qt's ExcludeUserInputEvents).
TEST(QtDialogs, KeepPaintedRepaintsDuringAWait) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    QLabel label("waiting");
    label.installEventFilter(&counter);
    label.show();
    QApplication::processEvents();
    counter.paints = 0;
    label.setText("still waiting");  // asks for a repaint, which only an event loop delivers
    ui::qt::QtDialogs dialogs;
    dialogs.keepPainted();
    EXPECT_GT(counter.paints, 0);
}

// No timer of the window ticks while a download waits (a tick could count
// on or start a second fetch inside the first); an overdue one ticks once
// the wait has ended.
TEST(QtDialogs, KeepPaintedHoldsTheTimers) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);
    ui::qt::QtDialogs dialogs;
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 150) {
        dialogs.keepPainted();
        QThread::msleep(10);
    }
    EXPECT_EQ(ticks, 0);
    QTest::qWait(30);
    EXPECT_GT(ticks, 0);
}
