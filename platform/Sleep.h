// Sleep: blocks the calling thread for ms milliseconds, or calls the
// installed handler instead (tests record the pause and go on at once).
#pragma once

#include "platform/ScopedInstall.h"

#include <functional>

void SleepMs(int ms);

using SleepHandler = std::function<void(int ms)>;
// Installs a handler (empty returns to real sleeping); gives back the old one.
SleepHandler SetSleepHandler(SleepHandler handler);

using ScopedSleepHandler = ScopedInstall<SleepHandler, &SetSleepHandler>;
