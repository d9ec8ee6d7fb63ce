// The small windows drawn by the Qt binding: opened modally, their controls
// by name, and closed by the clicks that hide them. With CFGSCOPE_SHOTS set
// to a folder, each window is also saved there as a PNG.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fakes/FakePlatform.h"
#include "shortcuts/AuxForms.h"
#include "cfgscope/qt/AuxWindows.h"

namespace {

// Runs `act` on the modal window once it is open; a window that never
// appeared fails the test instead of blocking it.
void whenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            ADD_FAILURE() << "no modal window";
            return;
        }
        if (const QByteArray folder = qgetenv("CFGSCOPE_SHOTS"); !folder.isEmpty()) {
            QApplication::processEvents();
            w->grab().save(QString::fromLocal8Bit(folder) + "/" + w->windowTitle().replace(' ', '-') + "-" +
                           w->objectName() + ".png");
        }
        act(w);
    });
}

template <class T>
T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(AuxWindows, AboutHidesOnAClickOnItsPicture) {
    shortcuts::AboutForm about;
    shortcuts::loadAbout(about);
    QString version, flag;
    bool logo = false;
    whenModal([&](QWidget* w) {
        version = child<QLabel>(w, "Label2")->text();
        flag = child<QLabel>(w, "Label4")->text();
        auto* picture = child<QLabel>(w, "Picture1");
        logo = !picture->pixmap().isNull();
        QTest::mouseClick(picture, Qt::LeftButton);
    });
    ui::qt::showAuxWindow(about, nullptr);
    EXPECT_TRUE(version.startsWith("Version 1.3.0"));
    EXPECT_EQ(flag, "WORKS with VISTA");
    EXPECT_TRUE(logo) << "the bundled logo loads";
    EXPECT_FALSE(about.shown);
}

TEST(AuxWindows, AboutTakesTheKeyboardAndClosesWithEscapeEnterOrSpace) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        shortcuts::AboutForm about;
        shortcuts::loadAbout(about);
        bool focused = false, stayed = false;
        whenModal([&](QWidget* w) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(w));
            QWidget* focus = QApplication::focusWidget();
            focused = focus && (focus == w || w->isAncestorOf(focus));
            QTest::keyClick(focus ? focus : w, key);
            // A window the key left open is closed here, and the test fails.
            QTimer::singleShot(1000, w, [&stayed, w] {
                stayed = true;
                w->close();
            });
        });
        ui::qt::showAuxWindow(about, nullptr);
        EXPECT_TRUE(focused) << key;
        EXPECT_FALSE(stayed) << key;
    }
}

TEST(AuxWindows, ManufacturerWindowShowsSupportLinesAndCloses) {
    fakes::FakePlatform fake;
    fake.system.manufacturerLines =
        std::vector<std::string>{"Manufacturer=Acme", "Model=X1", "SupportURL=http://acme.example", "Line1=\"Call us\"",
                                 "Line2=Mon-Fri 9-5"};
    shortcuts::ManufacturerForm form;
    shortcuts::loadManufacturerForm(form, fake.platform, "");
    QString title, maker, lines;
    whenModal([&](QWidget* w) {
        title = w->windowTitle();
        maker = child<QLabel>(w, "Label1")->text();
        lines = child<QPlainTextEdit>(w, "Text1")->toPlainText();
        QTest::mouseClick(child<QPushButton>(w, "Command2"), Qt::LeftButton);
    });
    ui::qt::showAuxWindow(form, nullptr);
    EXPECT_EQ(title, "Manufacturer Information");
    EXPECT_EQ(maker, "Acme");
    EXPECT_TRUE(lines.contains("  Call us")) << lines.toStdString();
    EXPECT_TRUE(lines.contains("  Mon-Fri 9-5"));
}

TEST(AuxWindows, OemEditorLinkStaysOpenCloseHides) {
    shortcuts::OemEditorForm editor;
    int opened = 0;
    shortcuts::loadOemEditor(editor, "http://products.test", [&] { ++opened; });
    bool stillOpen = false;
    whenModal([&](QWidget* w) {
        QTest::mouseClick(child<QLabel>(w, "Label1"), Qt::LeftButton);
        stillOpen = w->isVisible();
        QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    });
    ui::qt::showAuxWindow(editor, nullptr);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(stillOpen);
}

TEST(AuxWindows, RestartQuestionAnswers) {
    using Choice = platform::linux_backend::SessionEndChoice;
    struct Case {
        const char* button;  // nullptr: Escape
        Choice expected;
    };
    for (const auto& c : std::vector<Case>{{"restart", Choice::Restart}, {"shutDown", Choice::ShutDown}, {nullptr, Choice::Cancel}}) {
        whenModal([&](QWidget* w) {
            if (c.button) QTest::mouseClick(child<QPushButton>(w, c.button), Qt::LeftButton);
            else QTest::keyClick(w, Qt::Key_Escape);
        });
        EXPECT_EQ(ui::qt::askSessionEnd(nullptr), c.expected) << (c.button ? c.button : "Escape");
    }
}

}  // namespace
