// The update question as the Qt binding shows it: Yes and No, the exact
// title and text, and the answer back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "internet/VersionText.h"
#include "ui/qt/QtDialogs.h"

namespace {

TEST(QuestionBox, YesNoOrClosedAnswers) {
    struct Case {
        const char* press;  // "yes", "no", "escape"
        bool answer;
    } cases[] = {{"yes", true}, {"no", false}, {"escape", false}};
    const std::string question = internet::updateQuestion("1.04.0", "Faster\nSmaller");
    for (const auto& c : cases) {
        ui::qt::QtDialogs dialogs;
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
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
