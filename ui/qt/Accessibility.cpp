#include "ui/qt/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "ui/Pictures.h"

namespace ui::qt {

namespace {

constexpr const char* kStatusLineProperty = "cfgscopeStatusLine";

class StatusLineAccessible : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text().trimmed();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* statusLineFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(kStatusLineProperty).toBool()) return new StatusLineAccessible(label);
    return nullptr;
}

}  // namespace

void makeStatusLine(QLabel* label) {
    static const bool installed = [] {
        QAccessible::installFactory(statusLineFactory);
        return true;
    }();
    (void)installed;
    label->setProperty(kStatusLineProperty, true);
}

QString pictureDescription(const std::string& resource) {
    if (resource == ui::kProgramIconPicture || resource == ui::kAboutPicture) return "Program icon";
    if (resource == ui::kBannerPicture) return "VORLAN logo";
    if (resource == ui::kLogoPicture) return "Lanomat logo";
    if (!ui::pictureFile(resource).empty()) return "Manufacturer logo";
    return "Picture";
}

}  // namespace ui::qt
