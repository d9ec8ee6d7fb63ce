// Both windows and the About window under the desktop palettes people use
// (the default, dark ones, a high-contrast one) and styles with roomy item
// rows: every text keeps a contrast of 4.5:1 with what is behind it, read
// from the colours each widget draws with and from its grabbed pixels, and
// no list hides a line it was designed to show. With CFGSCOPE_SHOTS set to
// a folder, each window is saved there per palette as a PNG.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>

#include "StartupFixture.h"
#include "addrpeek/Monitor.h"
#include "shortcuts/AuxForms.h"
#include "ui/Pictures.h"
#include "ui/qt/Contrast.h"
#include "ui/qt/FormWindow.h"

namespace {

using ui::qt::contrastRatio;

constexpr double kPixelContrast = 3.5;

// qt6ct's "darker" colour scheme, roles in QPalette's order.
QPalette darkerScheme() {
    const char* active[] = {"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
                            "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9",
                            "#0986d3", "#a70b06", "#5c5b5a", "#ffffff", "#3f3f36", "#ffffff", "#80ffffff"};
    QPalette pal;
    for (int role = 0; role < 21; ++role) pal.setColor(QPalette::ColorRole(role), QColor(active[role]));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        pal.setColor(QPalette::Disabled, role, QColor("#808080"));
    return pal;
}

// White on black with yellow selections, as high-contrast desktop themes are.
QPalette highContrastScheme() {
    QPalette pal(Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray, Qt::white, Qt::white, Qt::black, Qt::black);
    pal.setColor(QPalette::Highlight, Qt::yellow);
    pal.setColor(QPalette::HighlightedText, Qt::black);
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::Button, Qt::black);
    return pal;
}

// A style that pads item rows as Adwaita-like styles do.
class RoomyRows : public QProxyStyle {
public:
    RoomyRows() : QProxyStyle(QStyleFactory::create("Fusion")) {}
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_ItemViewItem) s.rheight() += 10;
        return s;
    }
};

struct Look {
    std::string name;
    std::function<QStyle*()> style;  // null: the style found does not exist here
    std::function<QPalette(QStyle*)> palette;
};

std::vector<Look> looks() {
    auto fusion = [] { return QStyleFactory::create("Fusion"); };
    auto standard = [](QStyle* s) { return s->standardPalette(); };
    std::vector<Look> all{
        {"default", fusion, standard},
        {"darker", fusion, [](QStyle*) { return darkerScheme(); }},
        {"high-contrast", fusion, [](QStyle*) { return highContrastScheme(); }},
        {"roomy-rows", [] { return new RoomyRows; }, standard},
    };
    // The Adwaita styles, where the machine has them.
    for (const char* name : {"Adwaita-Dark", "Adwaita-HighContrastInverse", "Adwaita"})
        if (QStyleFactory::keys().contains(name, Qt::CaseInsensitive))
            all.push_back({name, [name] { return QStyleFactory::create(name); }, standard});
    return all;
}

// The colour a widget's text is drawn on: its own filled background, else
// that of the nearest parent that fills its background.
QColor groundOf(QWidget* w, QPalette::ColorRole role) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (p->autoFillBackground() || p->isWindow()) return p->palette().color(p == w ? role : QPalette::Window);
    return w->palette().color(role);
}

// Every text of the window as colour pairs: "name: ratio" for each pair
// below the least ratio.
std::vector<std::string> lowContrast(QWidget* window) {
    std::vector<std::string> faults;
    auto check = [&](QWidget* w, const QColor& ink, const QColor& ground, const char* what) {
        const double ratio = contrastRatio(ink, ground);
        if (ratio < ui::qt::kReadableContrast)
            faults.push_back(w->objectName().toStdString() + " " + what + ": " + std::to_string(ratio));
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled()) continue;
        const QPalette& pal = w->palette();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            check(w, pal.color(QPalette::WindowText), groundOf(w, QPalette::Window), "label");
        else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
            check(w, pal.color(QPalette::Text), pal.color(QPalette::Base), "box");
        else if (qobject_cast<QListWidget*>(w)) {
            check(w, pal.color(QPalette::Text), pal.color(QPalette::Base), "line");
            check(w, pal.color(QPalette::HighlightedText), pal.color(QPalette::Highlight), "selected line");
        } else if (qobject_cast<QPushButton*>(w))
            check(w, pal.color(QPalette::ButtonText), pal.color(QPalette::Button), "button");
    }
    return faults;
}

// The same from the pixels: the colour most of a text's area shows is its
// background; its text must stand out from it somewhere. Smoothed edges of
// thin strokes lower what the pixels show, so this asks less than the
// colours' ratio; it catches a style that draws with other colours.
std::vector<std::string> lowContrastPixels(QWidget* window) {
    std::vector<std::string> faults;
    const QImage shot = window->grab().toImage();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        auto* label = qobject_cast<QLabel*>(w);
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (!(label && !label->text().trimmed().isEmpty()) && !(edit && !edit->text().isEmpty())) continue;
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        std::map<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (shot.valid(x, y)) ++counts[shot.pixel(x, y)];
        if (counts.empty()) continue;
        QRgb ground = counts.begin()->first;
        for (const auto& [rgb, n] : counts)
            if (n > counts[ground]) ground = rgb;
        double best = 1;
        for (const auto& [rgb, n] : counts) best = std::max(best, contrastRatio(QColor(rgb), QColor(ground)));
        if (best < kPixelContrast) faults.push_back(w->objectName().toStdString() + ": " + std::to_string(best));
    }
    return faults;
}

// A list shows every line it holds, without scrolling.
std::vector<std::string> hiddenLines(QWidget* window) {
    std::vector<std::string> faults;
    for (auto* list : window->findChildren<QListWidget*>())
        if (list->isVisible() && list->count() > 0 &&
            list->visualItemRect(list->item(list->count() - 1)).bottom() >= list->viewport()->height())
            faults.push_back(list->objectName().toStdString() + " with " + std::to_string(list->count()) + " lines");
    return faults;
}

void saveShot(QWidget* window, const std::string& look, const char* which) {
    if (const QByteArray folder = qgetenv("CFGSCOPE_SHOTS"); !folder.isEmpty())
        window->grab().save(QString::fromLocal8Bit(folder) + "/" + QString::fromStdString(look) + "-" + which + ".png");
}

// Sets the style and palette for the test's life, and puts the old ones back.
struct UnderLook {
    QPalette old = QApplication::palette();
    QString oldStyle = QApplication::style()->name();
    explicit UnderLook(const Look& look) {
        QStyle* style = look.style();
        QApplication::setStyle(style);
        QApplication::setPalette(look.palette(style));
    }
    ~UnderLook() {
        QApplication::setStyle(QStyleFactory::create(oldStyle));
        QApplication::setPalette(old);
    }
};

// The details list as long as it gets: eight lines of an adapter.
const std::vector<std::string> kDetails{
    "Description       : Intel(R) PRO/1000 MT Network Connection with a name longer than the list",
    "Physical Address  : 00-0C-29-12-34-56", "DHCP Enabled      : Yes", "IP Address        : 192.168.1.100",
    "Subnet Mask       : 255.255.255.0",    "Default Gateway   : 192.168.1.1",
    "DHCP Server       : 192.168.1.1",      "DNS Servers       : 192.168.1.1"};

TEST(Palettes, MainAndAboutWindowsReadInEveryPaletteAndShowEveryLine) {
    for (const Look& look : looks()) {
        UnderLook under(look);
        struct : app_tests::StartupFixture {} t;
        ui::qt::FormWindow window(ui::qt::mainFormSpec(t.form, ui::kProgramIconPicture));
        t.form.onShow = [&] { window.showCentred(); };
        app::StartOutcome outcome{};
        window.run([&] { outcome = app::startProgram(t.form, t.p); });
        ASSERT_EQ(outcome, app::StartOutcome::Running);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        t.form.adapters.select(0);
        t.form.List1.clear();
        for (const auto& line : kDetails) t.form.List1.add(line);
        t.form.cpuname.setCaption("Intel(R) Core(TM) i5 CPU");
        t.form.List1.select(0);
        saveShot(&window, look.name, "cfgscope");
        EXPECT_EQ(lowContrast(&window), std::vector<std::string>{}) << look.name;
        EXPECT_EQ(lowContrastPixels(&window), std::vector<std::string>{}) << look.name;
        EXPECT_EQ(hiddenLines(&window), std::vector<std::string>{}) << look.name;
        app::shutDown(t.form, t.p);

        // The About window, drawn on the main window's binding.
        shortcuts::AboutForm about;
        shortcuts::loadAbout(about);
        ui::qt::FormWindow aboutWindow({"", about.clientWidth, about.clientHeight, about.background,
                                        about.defaultFont, {}, about.controls, {}});
        aboutWindow.showCentred();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&aboutWindow));
        saveShot(&aboutWindow, look.name, "about");
        EXPECT_EQ(lowContrast(&aboutWindow), std::vector<std::string>{}) << look.name;
        EXPECT_EQ(lowContrastPixels(&aboutWindow), std::vector<std::string>{}) << look.name;
    }
}

TEST(Palettes, AddrpeekReadsInEveryPaletteInEveryStatusColour) {
    for (const Look& look : looks()) {
        UnderLook under(look);
        addrpeek::MonitorForm form;
        fakes::FakePlatform fake;
        fake.env.vars["TEMP"] = "/tmp/u";
        fake.system.addresses = std::vector<std::string>{"192.168.1.20"};
        fake.system.memory = std::int64_t{512} * 1024 * 1024;
        addrpeek::Monitor m{form, fake.platform, "http://127.0.0.1:1", {}};
        ui::qt::FormWindow window(ui::qt::mainFormSpec(form, ui::kProgramIconPicture));
        form.onShow = [&] { window.showCentred(); };
        addrpeek::wireMonitor(m);
        fake.download.pages["http://127.0.0.1:1/ip.shtml"] = {"203.0.113.9"};
        ASSERT_TRUE(addrpeek::startMonitor(m));
        form.Timer1.tick();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Connected, not connected, acquiring: each status in its colour.
        for (const char* page : {"203.0.113.9", "Cannot Acquire", ""}) {
            form.Text2.setText(page);
            saveShot(&window, look.name, "addrpeek");
            EXPECT_EQ(lowContrast(&window), std::vector<std::string>{}) << look.name << " " << page;
            EXPECT_EQ(lowContrastPixels(&window), std::vector<std::string>{}) << look.name << " " << page;
            EXPECT_EQ(hiddenLines(&window), std::vector<std::string>{}) << look.name << " " << page;
        }
    }
}

}  // namespace
