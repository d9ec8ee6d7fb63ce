#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "StartupFixture.h"
#include "ui/Pictures.h"
#include "ui/qt/FormWindow.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The main window bound to the form, started over the fakes.
struct WindowFixture : app_tests::StartupFixture {
    std::unique_ptr<ui::qt::FormWindow> window;

    explicit WindowFixture(const std::string& reportName = "xp-dhcp-two-dns.txt") {
        report = app_tests::savedReport(reportName);
        window = std::make_unique<ui::qt::FormWindow>(ui::qt::mainFormSpec(form, ui::kProgramIconPicture));
        form.onShow = [this] { window->showCentred(); };
        app::wireMainForm(form, p, {[this] { window->close(); }});
        window->onClose = [this] { app::shutDown(form, p); };
    }
    void start() {
        app::StartOutcome outcome{};
        window->run([&] { outcome = app::startProgram(form, p); });
        ASSERT_EQ(outcome, app::StartOutcome::Running);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <class W>
    W* find(const char* name) {
        return window->findChild<W*>(name);
    }
    QAction* action(const char* name) {
        for (QAction* a : window->findChildren<QAction*>(name)) return a;
        return nullptr;
    }
};

struct Expected {
    const char* name;
    int left, top, width, height;  // twips
    const char* text;
};

// The visible controls as the window is designed.
const std::vector<Expected> kLabels{
    {"Label7", 630, 120, 6555, 375, nullptr},  // OS caption: set at start-up
    {"Label1", 150, 540, 1305, 255, "Select Adapter"},
    {"Label2", 5610, 570, 1245, 255, "Computer Name"},
    {"Label4", 5490, 900, 1365, 255, "Workgroup"},
    {"Label5", 5940, 1230, 915, 255, "Username"},
    {"Label6", 5820, 1560, 1035, 255, "Windows Dir"},
    {"Label9", 6060, 1890, 795, 225, "Memory"},
    {"Label14", 120, 1890, 5445, 285, " Internet Connection Status: Unknown  (Click 'Get Public IP' to Check)"},
    {"Label10", 120, 5130, 8745, 255, "No errors found"},
    {"cpuname", 3780, 5160, 4935, 225, ""},
};
const std::vector<Expected> kBoxes{
    {"host", 6900, 540, 1815, 315, "OFFICE-PC"},  {"domain", 6900, 870, 1815, 315, "HOMENET"},
    {"user", 6900, 1200, 1815, 315, "alice"},     {"wdir", 6900, 1530, 1815, 285, "C:\\WINDOWS"},
    {"Text2", 6900, 1830, 1815, 285, nullptr},
};
const std::vector<Expected> kButtons{
    {"Command1", 150, 4500, 1185, 525, "Refresh (F5)"},      {"Command7", 1620, 4500, 1005, 525, "Release Adapter 1"},
    {"Command8", 2670, 4500, 1005, 525, "Renew Adapter 1"},  {"Command3", 3990, 4500, 1005, 525, "Release All"},
    {"Command4", 5040, 4500, 1005, 525, "Renew All"},        {"Command6", 6360, 4500, 1125, 525, "Get Public IP Address"},
    {"Command5", 7740, 4500, 1005, 525, "Close"},
};
const std::vector<Expected> kOthers{
    {"Picture1", 90, 60, 480, 480, nullptr}, {"Picture4", 7800, 120, 915, 300, nullptr},
    {"adapters", 120, 750, 5445, 1110, nullptr}, {"List1", 120, 2220, 8625, 2220, nullptr},
};

QRect pixels(const Expected& e) { return QRect(e.left / 15, e.top / 15, e.width / 15, e.height / 15); }

TEST(MainWindow, EveryVisibleControlHasItsWidgetGeometryAndText) {
    WindowFixture t;
    t.start();
    for (const auto& e : kLabels) {
        auto* w = t.find<QLabel>(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_EQ(w->geometry(), pixels(e)) << e.name;
        if (e.text) {
            EXPECT_EQ(w->text(), e.text) << e.name;
        }
    }
    for (const auto& e : kBoxes) {
        auto* w = t.find<QLineEdit>(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_EQ(w->geometry(), pixels(e)) << e.name;
        if (e.text) {
            EXPECT_EQ(w->text(), e.text) << e.name;
        }
        EXPECT_EQ(w->palette().color(QPalette::Base), QColor(224, 224, 224)) << e.name;
    }
    for (const auto& e : kButtons) {
        auto* w = t.find<QPushButton>(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_EQ(w->geometry(), pixels(e)) << e.name;
        EXPECT_EQ(w->text(), e.text) << e.name;
    }
    for (const auto& e : kOthers) {
        auto* w = t.find<QWidget>(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_EQ(w->geometry(), pixels(e)) << e.name;
    }
    EXPECT_EQ(t.find<QWidget>("Line1")->geometry(), QRect(-38, 340, 652, 1));
    EXPECT_EQ(t.find<QWidget>("Line2")->geometry(), QRect(0, 0, 652, 1));
    EXPECT_EQ(t.find<QWidget>("Label7")->font().bold(), true);
    EXPECT_EQ(t.find<QWidget>("Command1")->font().bold(), true);
    EXPECT_EQ(t.find<QWidget>("adapters")->toolTip(), "Click to Select Ethernet Adapter");
    EXPECT_EQ(t.find<QWidget>("List1")->toolTip(), "Double Click to Copy item to Clipboard");
    EXPECT_EQ(t.find<QWidget>("Command6")->toolTip(), "Check Internet Connection and get Public IP Address");
    auto* adapters = t.find<QListWidget>("adapters");
    EXPECT_EQ(adapters->palette().color(QPalette::Base), QColor(0, 0, 192));
    EXPECT_EQ(adapters->palette().color(QPalette::Text), QColor(255, 255, 0));
    auto* list1 = t.find<QListWidget>("List1");
    EXPECT_EQ(list1->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_TRUE(QFontInfo(list1->font()).fixedPitch()) << "the 18-character label column must line up";
}

TEST(MainWindow, WindowIsFixedCentredAndCaptioned) {
    WindowFixture t;
    t.start();
    EXPECT_EQ(t.window->windowTitle(), "VORLAN Lanomat Std");
    EXPECT_EQ(t.find<QWidget>("client")->size(), QSize(591, 361));
    EXPECT_EQ(t.window->minimumSize(), t.window->maximumSize());
    QRect screen = t.window->screen()->availableGeometry();
    EXPECT_LE(std::abs(t.window->geometry().center().x() - screen.center().x()), 2);
}

TEST(MainWindow, WorkingControlsHaveNoWidget) {
    WindowFixture t;
    t.start();
    for (ui::Control* c : t.form.controls) {
        if (!c->working) continue;
        EXPECT_EQ(t.window->findChild<QObject*>(qs(c->name())), nullptr) << c->name();
        EXPECT_EQ(t.window->widgetFor(*c), nullptr) << c->name();
    }
}

struct ExpectedItem {
    const char* name;
    const char* caption;
    const char* shortcut;
};

TEST(MainWindow, MenusHoldEveryItemWithCaptionAndShortcut) {
    const std::vector<std::pair<ExpectedItem, std::vector<ExpectedItem>>> menus{
        {{"mnuadapters", "Adapters", ""},
         {{"mnurefresh", "Refresh", "F5"}, {"mnureleaseall", "Release All", ""}, {"mnurenewall", "Renew All", ""},
          {"dash1", "", ""}, {"mnurelease", nullptr, ""}, {"mnurenew", nullptr, ""}, {"dash2", "", ""},
          {"sel1", "Select Adapter &1", ""}, {"sel1", "Select Adapter &2", ""}, {"sel1", "Select Adapter &3", ""},
          {"sel1", "Select Adapter &4", ""}, {"sel1", "Select Adapter &5", ""}, {"sel1", "Select Adapter &6", ""},
          {"dddash", "", ""}, {"mnushowiplist", "Show IP List", ""}, {"mnuerrorlog", "Show  Log", ""},
          {"mnuclearlog", "Clear Log", ""}}},
        {{"pingmnu", "Ping", ""},
         {{"pinggateway", "Ping &Gateway/Router ", "Ctrl+G"}, {"pingdns1", "Ping DNS 1", ""},
          {"pingdns2", "Ping DNS 2", ""}, {"ping", "&Ping Other ...", "Ctrl+P"}}},
        {{"mnudns", "DNS", ""},
         {{"displaydns", "Display DNS Resolver Cache", ""}, {"Purgedns", "Purge DNS Resolver cache", ""},
          {"dash3", "", ""}, {"nslookup", "NS Lookup", ""}, {"mnutracert", "Trace Route", ""},
          {"edithosts", "Edit Hosts File", ""}}},
        {{"mnurt", "Router/Internet   ", ""},
         {{"mnuwaninfo", "Get Public (WAN) IP Address", ""}, {"mnurouter", "&Router Login", "Ctrl+R"},
          {"dash6", "", ""}, {"mnurtrhelp", "Router Login HELP", ""},
          {"routerweb", "More Router Help on the Web", ""}}},
        {{"menushell", "Command Shell", ""}, {{"mnuopencmd", "Open Cmd &Window", "Ctrl+W"}}},
        {{"mnucontrol", "Control Panels", ""},
         {{"mnureboot", "Restart Computer", "Shift+F12"}, {"mnunetwork", "&Network Connections", "Ctrl+N"},
          {"mnumodem", "M&odem Connections", "Ctrl+O"}, {"mnusystem", "&System", "Ctrl+S"},
          {"mnutasks", "Scheduled &Tasks", "Ctrl+T"}, {"mnuie", "&Internet Explorer Settings", "Ctrl+I"},
          {"mnuusers", "&Users", "Ctrl+U"}, {"mnufirewall", "Windows &Firewall", "Ctrl+F"}, {"m666", "", ""},
          {"mnuusergroups", "&Local Users / Groups MMC", "Ctrl+L"}, {"mnu3", "", ""},
          {"mnuoem", "Computer Manufacturer Info", ""}}},
        {{"mnucopymain", "Copy", ""},
         {{"mnucopyall", "&Copy All to Clipboard", "Ctrl+C"}, {"mnucopyemail", "Copy All to &Email", "Ctrl+E"}}},
        {{"mnu1", "About", ""},
         {{"upgrade", "Upgrade to Lanomat PRO", ""}, {"updates", "Check for Updates", ""},
          {"lanomatweb", "Lanomat Std Web Site", ""}, {"mnu2", "", ""}, {"mnuweb", "Vorlan Support Web Site", ""},
          {"mnudonate", "Make a Donation", ""}, {"mnuabout", "About Lanomat Std", ""}}},
    };
    WindowFixture t;
    t.start();
    QList<QAction*> bar = t.window->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        const auto& [top, items] = menus[m];
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr) << top.name;
        EXPECT_EQ(menu->objectName(), top.name);
        EXPECT_EQ(menu->title(), top.caption);
        QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size())) << top.name;
        for (std::size_t i = 0; i < items.size(); ++i) {
            QAction* a = actions[static_cast<qsizetype>(i)];
            const ExpectedItem& e = items[i];
            EXPECT_EQ(a->objectName(), e.name);
            if (e.caption && *e.caption) {
                EXPECT_EQ(a->text(), e.caption) << e.name;
            }
            if (e.caption && !*e.caption) {
                EXPECT_TRUE(a->isSeparator()) << e.name;
            }
            EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), e.shortcut) << e.name;
        }
    }
}

TEST(MainWindow, WidgetsAndActionsFollowTheControlsState) {
    WindowFixture t;
    t.start();
    for (ui::Control* c : t.form.controls) {
        QWidget* w = t.window->widgetFor(*c);
        if (!w) continue;
        EXPECT_EQ(w->isEnabled(), c->enabled()) << c->name();
        EXPECT_EQ(w->isVisibleTo(t.window.get()), c->visible()) << c->name();
    }
    for (ui::MenuItem* top : t.form.menuBar)
        for (ui::MenuItem* item : top->children) {
            QAction* a = t.window->actionFor(*item);
            ASSERT_NE(a, nullptr) << item->name();
            EXPECT_EQ(a->isEnabled(), item->enabled()) << item->name();
            EXPECT_EQ(a->isVisible(), item->visible()) << item->name();
        }
    // A DHCP adapter is shown: its release and renew controls are on.
    EXPECT_TRUE(t.find<QPushButton>("Command7")->isEnabled());
    EXPECT_FALSE(t.action("sel1")->isEnabled()) << "the shown adapter is not offered again";
    // Later changes reach the widgets.
    t.form.Label10.setCaption(" DNS 1 ERROR detected.");
    EXPECT_EQ(t.find<QLabel>("Label10")->text(), " DNS 1 ERROR detected.");
    t.form.mnufirewall.setEnabled(false);
    EXPECT_FALSE(t.action("mnufirewall")->isEnabled());
    t.form.List1.setVisible(false);
    EXPECT_FALSE(t.find<QWidget>("List1")->isVisibleTo(t.window.get()));
    EXPECT_EQ(t.find<QListWidget>("adapters")->count(), t.form.adapters.count());
    EXPECT_EQ(t.find<QListWidget>("List1")->count(), t.form.List1.count());
}

TEST(MainWindow, RefreshFromF5ButtonAndMenu) {
    using Trigger = std::function<void(WindowFixture&)>;
    const std::vector<std::pair<const char*, Trigger>> triggers{
        {"F5", [](WindowFixture& t) { QTest::keyClick(t.window.get(), Qt::Key_F5); }},
        {"F5 in a text box", [](WindowFixture& t) { QTest::keyClick(t.find<QLineEdit>("user"), Qt::Key_F5); }},
        {"button", [](WindowFixture& t) { QTest::mouseClick(t.find<QPushButton>("Command1"), Qt::LeftButton); }},
        {"menu", [](WindowFixture& t) { t.action("mnurefresh")->trigger(); }},
    };
    for (const auto& [what, trigger] : triggers) {
        WindowFixture t;
        t.start();
        t.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get())) << what;
        t.report[3] = "        Host Name . . . . . . . . . . . . : refreshed";
        trigger(t);
        EXPECT_EQ(t.starts(t.wf + "getdata.bat"), 2) << what;
        EXPECT_EQ(t.find<QLineEdit>("host")->text(), "REFRESHED") << what;
        EXPECT_TRUE(t.find<QWidget>("List1")->isVisibleTo(t.window.get())) << what;
    }
}

// Every menu shortcut runs its item whatever control has the keyboard; a text
// box's own Ctrl+C, Ctrl+U, Ctrl+I ... does not shadow it.
TEST(MainWindow, EveryShortcutRunsItsItemFromATextBoxOrAList) {
    for (const char* focus : {"user", "host", "List1", "adapters"}) {
        WindowFixture t;
        t.start();
        t.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
        QWidget* target = t.find<QWidget>(focus);
        target->setFocus();
        ASSERT_TRUE(target->hasFocus()) << focus;
        int tried = 0;
        for (ui::MenuItem* top : t.form.menuBar)
            for (ui::MenuItem* item : top->children) {
                if (item->shortcut().empty() || !item->visible() || !item->enabled()) continue;
                ++tried;
                int clicks = 0;
                item->onClick = [&] { ++clicks; };
                const QKeySequence keys = QKeySequence::fromString(qs(item->shortcut()), QKeySequence::PortableText);
                QTest::keyClick(target, keys[0].key(), keys[0].keyboardModifiers());
                EXPECT_EQ(clicks, 1) << item->shortcut() << " in " << focus;
                EXPECT_TRUE(target->hasFocus()) << item->shortcut() << " in " << focus;
                item->onClick = nullptr;
            }
        EXPECT_GE(tried, 14) << focus;
    }

    // Ctrl+C in a text box puts the whole report on the clipboard.
    WindowFixture t;
    t.start();
    t.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
    auto* box = t.find<QLineEdit>("host");
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_NE(t.fake.clipboard.text.find("Computer name:    OFFICE-PC\r\n"), std::string::npos) << t.fake.clipboard.text;
    EXPECT_NE(t.fake.clipboard.text.find("Default Gateway:  192.168.1.1"), std::string::npos) << t.fake.clipboard.text;
}

TEST(MainWindow, StatusLineClickShowsTheLog) {
    WindowFixture t;
    t.start();
    QTest::mouseClick(t.find<QLabel>("Label10"), Qt::LeftButton);
    ASSERT_EQ(t.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fake.dialogs.messages[0].title, "Error Log        ");
    // cpuname lies over the status line; a click there still reaches the status line.
    QWidget* client = t.find<QWidget>("client");
    EXPECT_EQ(client->childAt(t.find<QLabel>("cpuname")->geometry().center()), t.find<QLabel>("Label10"));
}

TEST(MainWindow, AdapterClickShowsThatAdapter) {
    WindowFixture t("vista-ethernet-wifi-tunnels.txt");
    t.start();
    auto* list = t.find<QListWidget>("adapters");
    ASSERT_GE(list->count(), 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(t.form.adapters.selected(), 1);
    EXPECT_EQ(t.find<QPushButton>("Command7")->text(), qs("Release Adapter " + std::to_string(t.form.selectedAdapter)));
    auto* details = t.find<QListWidget>("List1");
    ASSERT_GT(details->count(), 0);
    EXPECT_EQ(details->item(0)->text(), qs(t.form.List1.items()[0]));

    // A double click on a detail line copies its value.
    const QPoint at = details->visualItemRect(details->item(0)).center();
    QTest::mouseClick(details->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, details->viewport()->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(details->viewport(), &dbl);
    EXPECT_EQ(t.fake.clipboard.text, t.form.List1.items()[0].substr(18));

    // Enter or Space on a line copies it as the double click does.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        details->setCurrentRow(1);
        t.fake.clipboard.text.clear();
        QTest::keyClick(details, key);
        EXPECT_EQ(t.fake.clipboard.text, t.form.List1.items()[1].substr(18)) << key;
    }
}

TEST(MainWindow, AccessibleNamesRelationsReadOnlyFieldsAndStatusLines) {
    WindowFixture t;
    t.start();
    auto iface = [&](const char* name) { return QAccessible::queryAccessibleInterface(t.find<QWidget>(name)); };
    // Each field and list: named by the label beside it, related to it both ways.
    const std::pair<const char*, const char*> captioned[] = {{"adapters", "Label1"}, {"host", "Label2"},
                                                             {"domain", "Label4"},   {"user", "Label5"},
                                                             {"wdir", "Label6"},     {"Text2", "Label9"}};
    for (const auto& [field, label] : captioned) {
        EXPECT_EQ(iface(field)->text(QAccessible::Name), t.find<QLabel>(label)->text()) << field;
        bool labelled = false;
        for (const auto& [other, relation] : iface(field)->relations(QAccessible::Label))
            labelled = labelled || other->object() == t.find<QWidget>(label);
        bool labels = false;
        for (const auto& [other, relation] : iface(label)->relations(QAccessible::Labelled))
            labels = labels || other->object() == t.find<QWidget>(field);
        EXPECT_TRUE(labels) << field;
        // Qt's item views do not report the relation from their side.
        if (std::string(field) != "adapters") {
            EXPECT_TRUE(labelled) << field;
            EXPECT_TRUE(iface(field)->state().readOnly) << field;
            EXPECT_FALSE(iface(field)->state().editable) << field;
        }
    }
    // A caption that changes renames its field.
    t.form.Label4.setCaption("Domain");
    EXPECT_EQ(iface("domain")->text(QAccessible::Name), "Domain");
    // Everything else that can be reached or seen has a name of its own.
    for (const char* name : {"List1", "Picture1", "Picture4", "Command1", "Command7", "Command5"})
        EXPECT_FALSE(iface(name)->text(QAccessible::Name).isEmpty()) << name;
    EXPECT_EQ(iface("Command1")->text(QAccessible::Name), "Refresh (F5)");

    // The status lines are status bars named by their text (QLabel sends
    // each new text as a change of name).
    t.form.Label14.setCaption(" Internet Connection Status: Connected");
    for (const char* name : {"Label14", "Label10"}) EXPECT_EQ(iface(name)->role(), QAccessible::StatusBar) << name;
    EXPECT_EQ(iface("Label14")->text(QAccessible::Name), "Internet Connection Status: Connected");
}

TEST(MainWindow, KeyboardF10TabOrderByColumnsAndLongNamesAsTooltips) {
    WindowFixture t;
    t.start();
    t.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));

    // F10 opens the first menu.
    QTest::keyClick(t.window.get(), Qt::Key_F10);
    EXPECT_EQ(t.window->menuBar()->activeAction(), t.action("mnuadapters"));
    auto* menu = t.window->findChild<QMenu*>("mnuadapters");
    EXPECT_TRUE(menu && menu->isVisible());
    if (menu) menu->close();

    // Tab: the adapter list, the fields of the right column top down, the
    // details, then the buttons left to right.
    const std::vector<std::string> expected{"adapters", "host",     "domain",   "user",     "wdir",
                                            "Text2",    "List1",    "Command1", "Command7", "Command8",
                                            "Command3", "Command4", "Command6", "Command5"};
    std::vector<std::string> order;
    QWidget* w = t.find<QWidget>("adapters");
    while (order.size() < expected.size()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && !w->objectName().isEmpty())
            order.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);

    // A name too long for the adapter list shows whole as its tooltip.
    const std::string longName = "2) Ethernet adapter Intel(R) Ethernet Connection (7) I219-V with a very long name";
    t.form.adapters.add(longName);
    auto* adapters = t.find<QListWidget>("adapters");
    EXPECT_EQ(adapters->item(adapters->count() - 1)->toolTip(), qs(longName));
    EXPECT_TRUE(adapters->item(0)->toolTip().isEmpty()) << "a name that fits keeps the list's own tooltip";
}

TEST(MainWindow, RestartShortcutOnlyWhereTheItemShows) {
    for (bool vista : {false, true}) {
        WindowFixture t;
        // The newer Windows family, known from its version record.
        if (vista) t.fake.system.extended = platform::VersionRecord{6, 0, 6000, 2, "", 1};
        t.start();
        int restarts = 0;
        t.form.mnureboot.onClick = [&] { ++restarts; };
        t.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
        QTest::keyClick(t.window.get(), Qt::Key_F12, Qt::ShiftModifier);
        EXPECT_EQ(restarts, vista ? 0 : 1) << (vista ? "vista" : "xp");
    }
}

TEST(MainWindow, ClosingByAnyMeansRemovesTheWorkingFolder) {
    for (bool byButton : {true, false}) {
        WindowFixture t;
        t.start();
        ASSERT_TRUE(t.files.folders.count(t.folder));
        if (byButton) QTest::mouseClick(t.find<QPushButton>("Command5"), Qt::LeftButton);
        else t.window->close();
        QTRY_VERIFY(!t.window->isVisible());
        EXPECT_FALSE(t.files.folders.count(t.folder)) << (byButton ? "Close button" : "close box");
        EXPECT_TRUE(t.files.files.empty());
    }
}

TEST(MainWindow, CloseDuringAnOperationWaitsForItsEnd) {
    WindowFixture t;
    t.start();
    bool folderDuring = false;
    t.window->run([&] {
        t.window->close();
        folderDuring = t.files.folders.count(t.folder) == 1;
    });
    EXPECT_TRUE(folderDuring);
    QTRY_VERIFY(!t.window->isVisible());
    EXPECT_FALSE(t.files.folders.count(t.folder));
}

}  // namespace
