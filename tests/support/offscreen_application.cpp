// Every test of this program runs inside one QApplication on Qt's offscreen platform:
// fonts and painting need an application, the peers' widgets a widget application, and no
// test may need a screen. The program's settings and palettes go to a configuration folder
// of the test process's own, and the desktop's data to a data folder of its own, never into
// those of whoever runs the tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>

namespace {

class OffscreenApplication : public testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        config_ = std::filesystem::path(testing::TempDir()) / ("tavelin_config_" + std::to_string(::getpid()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.string()));
        // The desktop's data (file types, desktop entries) likewise: a test that registers the
        // program's file types never touches the user's.
        data_ = std::filesystem::path(testing::TempDir()) / ("tavelin_data_" + std::to_string(::getpid()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data_.string()));
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override
    {
        application_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(config_, ignored);
        std::filesystem::remove_all(data_, ignored);
    }

private:
    // QApplication keeps references to these for its whole life.
    int argc_ = 1;
    char name_[24] = "tavelin_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
    std::filesystem::path config_;
    std::filesystem::path data_;
};

// gtest owns the environment and sets it up before the first test.
[[maybe_unused]] testing::Environment* const application =
    testing::AddGlobalTestEnvironment(new OffscreenApplication);

} // namespace
