#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every widget test needs the one application object; it is made before the
// first test fixture is constructed.
class QtApp : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "wingui_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtApp);

} // namespace
