// The application object the widget tests need, created on first use.
#pragma once

class QApplication;
QApplication& TestApp();
