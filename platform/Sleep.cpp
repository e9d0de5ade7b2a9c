#include "platform/Sleep.h"

#include <QThread>

namespace {
SleepHandler sleepHandler;
}

void SleepMs(int ms)
{
    if (sleepHandler) {
        sleepHandler(ms);
        return;
    }
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

SleepHandler SetSleepHandler(SleepHandler handler)
{
    SleepHandler previous = std::move(sleepHandler);
    sleepHandler = std::move(handler);
    return previous;
}
