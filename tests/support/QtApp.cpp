#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every widget test needs the one application object; it is made before the
// first test fixture is constructed. CTest runs each case as its own process,
// several at once, so each process keeps its settings in a folder of its own
// rather than racing the others for one settings file.
class QtApp : public ::testing::Environment {
public:
    void SetUp() override {
        settings_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_->path()));
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        app_.reset();
        settings_.reset();
    }

private:
    int argc_ = 1;
    char name_[13] = "wingui_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QTemporaryDir> settings_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtApp);

} // namespace
