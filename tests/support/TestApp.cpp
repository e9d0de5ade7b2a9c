#include "TestApp.h"

#include "platform/Application.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace {

std::vector<std::function<void()>>& EndHooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

class AppEnvironment : public testing::Environment {
public:
    QApplication& App()
    {
        if (!app_) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char* argv[] = {program_invocation_name, nullptr};
            app_ = std::make_unique<TApplication>(argc, argv);
        }
        return *app_;
    }
    void SetUp() override { App(); }
    void TearDown() override
    {
        auto& hooks = EndHooks();
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
            (*it)();
        hooks.clear();
        app_.reset();
    }

private:
    std::unique_ptr<TApplication> app_;
};

AppEnvironment* const Environment = static_cast<AppEnvironment*>(
    testing::AddGlobalTestEnvironment(new AppEnvironment)); // gtest owns it

} // namespace

QApplication& TestApp()
{
    return Environment->App();
}

void AtTestAppEnd(std::function<void()> release)
{
    EndHooks().push_back(std::move(release));
}
