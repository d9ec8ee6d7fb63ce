// Message and input boxes, the wait pointer and the immediate repaint, in Qt.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"

namespace ui::qt {

// Line breaks as the program writes them (LF, CR LF, a lone CR) as Qt's LF.
QString displayText(const std::string& text);

class QtDialogs : public platform::Dialogs {
public:
    // Boxes are centred over `owner` while it is on screen.
    void setOwner(QWidget* owner) { owner_ = owner; }

    using platform::Dialogs::messageBox;
    void messageBox(const std::string& text, const std::string& title, platform::MessageIcon icon) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultAnswer) override;
    bool yesNoBox(const std::string& text, const std::string& title) override;
    void setWaitCursor(bool on) override;
    void repaintNow() override;
    void keepPainted() override;

private:
    QWidget* parentWidget() const;
    QPointer<QWidget> owner_;
    bool waiting_ = false;
};

class QtClipboard : public platform::Clipboard {
public:
    void clear() override;
    void setText(const std::string& text) override;
};

}  // namespace ui::qt
