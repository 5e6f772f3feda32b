// Every test of this program runs inside one QApplication on Qt's offscreen platform:
// fonts and painting need an application, the peers' widgets a widget application, and no
// test may need a screen.

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

class OffscreenApplication : public testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    // QApplication keeps references to these for its whole life.
    int argc_ = 1;
    char name_[24] = "tavelin_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

// gtest owns the environment and sets it up before the first test.
[[maybe_unused]] testing::Environment* const application =
    testing::AddGlobalTestEnvironment(new OffscreenApplication);

} // namespace
