#include "ui/qt/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>

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

// An information field: a text that can be read and selected, never
// edited (Qt's own line edit says "editable" even when read-only).
class InformationFieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit InformationFieldAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = false;
        s.readOnly = true;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? edit()->text() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The text, its selection and the cursor.
    QString text(int start, int end) const override { return edit()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + static_cast<int>(edit()->selectedText().size());
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int start, int end) override { edit()->setSelection(start, end - start); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* bindingFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->property(kStatusLineProperty).toBool()) return new StatusLineAccessible(label);
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit && edit->isReadOnly()) return new InformationFieldAccessible(edit);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(bindingFactory);
        return true;
    }();
    (void)installed;
}

void makeStatusLine(QLabel* label) { label->setProperty(kStatusLineProperty, true); }

QString pictureDescription(const std::string& resource) {
    if (resource == ui::kProgramIconPicture || resource == ui::kAboutPicture) return "Program icon";
    if (resource == ui::kBannerPicture) return "VORLAN logo";
    if (resource == ui::kLogoPicture) return "Lanomat logo";
    if (!ui::pictureFile(resource).empty()) return "Manufacturer logo";
    return "Picture";
}

}  // namespace ui::qt
