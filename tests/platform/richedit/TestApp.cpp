#include "TestApp.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Owns the application for the test run and ends it before the program's
// static objects go, which Qt needs.
class AppEnvironment : public testing::Environment {
public:
    QApplication& App()
    {
        if (!app_) {
            static int argc = 1;
            static char name[] = "richedit_tests";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QApplication>(argc, argv);
        }
        return *app_;
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

AppEnvironment* const Environment =
    static_cast<AppEnvironment*>(testing::AddGlobalTestEnvironment(new AppEnvironment));  // gtest owns it

}  // namespace

QApplication& TestApp() { return Environment->App(); }
