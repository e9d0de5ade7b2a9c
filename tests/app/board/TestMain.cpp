// The board tests need a GUI application that outlives every test and ends
// before the program's static images and fonts are destroyed.
#include "app/BoardView.h"
#include "platform/Fonts.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    for (QImage& image : PieceBitmaps) image = QImage();
    BoardBitmap = QImage();
    DragBitmap = QImage();
    EmbeddedFontHandles.Release();
    return result;
}
