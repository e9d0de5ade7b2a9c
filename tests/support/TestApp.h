// The application object (TApplication) of the Qt test programs. Linking velmora_test_support
// creates it before the first test and ends it after the last one, before the
// program's static objects go (Qt needs that order). Offscreen unless
// QT_QPA_PLATFORM says otherwise; named after the test program.
#pragma once

#include <functional>

class QApplication;

// The run's application; made on first use if a test needs it before set-up.
QApplication& TestApp();

// Runs release after the last test, before the application ends (latest
// first): for static Qt objects (images, font handles) that must go first.
// Safe to call during static initialisation.
void AtTestAppEnd(std::function<void()> release);
