#include "TestApp.h"

#include <QApplication>

QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "richedit_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
