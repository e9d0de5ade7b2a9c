#include "TestApp.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class AppEnvironment : public testing::Environment {
public:
    QApplication& App()
    {
        if (!app_) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "velmora_tests";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QApplication>(argc, argv);
        }
        return *app_;
    }
    void SetUp() override { App(); }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

AppEnvironment* const Environment =
    static_cast<AppEnvironment*>(testing::AddGlobalTestEnvironment(new AppEnvironment));  // gtest owns it

}  // namespace

QApplication& TestApp() { return Environment->App(); }
