// The monitor window in Qt (offscreen): its three visible elements with their
// geometry and fonts, no widget for the value holders, the menus with their
// shortcuts, the check mark and the countdown item, and keys reaching the
// operations.
#include <gtest/gtest.h>

#include <memory>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>

#include "addrpeek/Monitor.h"
#include "fakes/FakePlatform.h"
#include "ui/Pictures.h"
#include "ui/qt/Contrast.h"
#include "ui/qt/FormWindow.h"

namespace addrpeek {
namespace {

struct MonitorWindow : testing::Test {
    MonitorForm form;
    fakes::FakePlatform fake;
    Monitor m{form, fake.platform, "http://127.0.0.1:1", {}};
    std::unique_ptr<ui::qt::FormWindow> window;

    void SetUp() override {
        fake.env.vars["TEMP"] = "/tmp/u";
        fake.system.addresses = std::vector<std::string>{"192.168.1.20"};
        fake.download.pages["http://127.0.0.1:1/ip.shtml"] = {"203.0.113.9"};
        window = std::make_unique<ui::qt::FormWindow>(ui::qt::mainFormSpec(form, ui::kProgramIconPicture));
        form.onShow = [this] { window->showCentred(); };
        wireMonitor(m);
        ASSERT_TRUE(startMonitor(m));
    }
    void TearDown() override { window.reset(); }

    QAction* action(const ui::MenuItem& item) { return window->actionFor(item); }
};

TEST_F(MonitorWindow, ThreeVisibleElementsAndNoOthers) {
    EXPECT_EQ(window->windowTitle(), "VORLAN Addrpeek Tool");
    struct Case {
        const ui::Control* control;
        QRect pixels;
    } cases[] = {{&form.Label13, {13, 3, 227, 31}}, {&form.List2, {10, 34, 233, 101}}, {&form.Label14, {7, 135, 239, 18}}};
    for (const auto& c : cases) {
        QWidget* w = window->widgetFor(*c.control);
        ASSERT_NE(w, nullptr) << c.control->name();
        EXPECT_EQ(w->objectName().toStdString(), c.control->name());
        EXPECT_EQ(w->geometry(), c.pixels) << c.control->name();
    }
    EXPECT_TRUE(window->widgetFor(form.List2)->font().fixedPitch());
    for (const ui::Control* c : form.controls) {
        if (c != &form.Label13 && c != &form.List2 && c != &form.Label14) {
            EXPECT_EQ(window->widgetFor(*c), nullptr) << c->name();
        }
    }
    auto* list = qobject_cast<QListWidget*>(window->widgetFor(form.List2));
    EXPECT_EQ(list->item(0)->text(), "Private IP     192.168.1.20");
}

TEST_F(MonitorWindow, MenusShortcutsCheckMarkAndCountdown) {
    struct Case {
        const ui::MenuItem* item;
        const char* text;
        const char* shortcut;
    } cases[] = {{&form.mnuprivate, "Refresh Private IP", "F5"},
                 {&form.mnupublic, "Refresh Public IP", "F6"},
                 {&form.autorefresh, "Auto Refresh", ""},
                 {&form.mnucopy, "Copy All", "Ctrl+C"},
                 {&form.mnuclose, "Close", ""}};
    for (const auto& c : cases) {
        QAction* a = action(*c.item);
        ASSERT_NE(a, nullptr) << c.text;
        EXPECT_EQ(a->text(), c.text);
        EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), c.shortcut) << c.text;
    }
    EXPECT_FALSE(action(form.cap)->isVisible());
    EXPECT_TRUE(action(form.autorefresh)->isCheckable());
    EXPECT_FALSE(action(form.autorefresh)->isChecked());

    action(form.autorefresh)->trigger();
    EXPECT_TRUE(form.autorefresh.checked());
    EXPECT_TRUE(action(form.autorefresh)->isChecked());
    EXPECT_TRUE(action(form.cap)->isVisible());
    form.Timer2.tick();
    EXPECT_EQ(action(form.cap)->text(), "Refresh in 300 sec");
    action(form.cap)->trigger();
    EXPECT_FALSE(action(form.autorefresh)->isChecked());
    EXPECT_FALSE(action(form.cap)->isVisible());
}

TEST_F(MonitorWindow, KeysReachTheOperations) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    form.Timer1.tick();
    auto* status = qobject_cast<QLabel*>(window->widgetFor(form.Label14));
    EXPECT_EQ(status->text(), "Connected to Internet");
    // The status colours, darkened just enough to read on the window's colour.
    const QColor ground(236, 233, 216);
    EXPECT_EQ(status->palette().color(QPalette::WindowText), ui::qt::readableOn(ground, QColor(0, 192, 0)));
    EXPECT_GE(ui::qt::contrastRatio(status->palette().color(QPalette::WindowText), ground), 4.5);

    // F6 asks anew; Ctrl+C copies, also with the summary list in focus.
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(status->text(), "Checking Internet Connection ...");
    EXPECT_EQ(status->palette().color(QPalette::WindowText), ui::qt::readableOn(ground, QColor(255, 128, 0)));
    form.Timer1.tick();
    EXPECT_EQ(status->text(), "Connected to Internet");
    window->widgetFor(form.List2)->setFocus();
    QTest::keyClick(window->widgetFor(form.List2), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fake.clipboard.clears, 1);
    EXPECT_NE(fake.clipboard.text.find("Public IP: 203.0.113.9\r\n"), std::string::npos);

    fake.system.addresses = std::vector<std::string>{"10.9.9.9"};
    QTest::keyClick(window.get(), Qt::Key_F5);
    auto* list = qobject_cast<QListWidget*>(window->widgetFor(form.List2));
    EXPECT_EQ(list->item(0)->text(), "Private IP     10.9.9.9");
}

}  // namespace
}  // namespace addrpeek

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
