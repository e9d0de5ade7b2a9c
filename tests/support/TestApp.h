// The application object of the Qt test programs. Linking velmora_test_support
// creates it before the first test and ends it after the last one, before the
// program's static objects go (Qt needs that order). Offscreen unless
// QT_QPA_PLATFORM says otherwise.
#pragma once

class QApplication;

// The run's application; made on first use if a test needs it before set-up.
QApplication& TestApp();
