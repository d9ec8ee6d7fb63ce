// The QApplication the widgets need, made once for the test run. The
// offscreen platform is the default, so the tests also run (and are listed)
// on a machine without a display.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "qt_window_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const qtEnvironment = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
