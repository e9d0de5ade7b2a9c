// The tool-bar pictures: every tool button has its picture at 24 x 24 and
// 48 x 48, each one drawn (neither empty nor a filled square) and told apart
// from all the others; other names give an empty icon. A strip of all of
// them, toolbar_strip.png, is kept for a look by eye (tests/support/TestShots.h).
#include "platform/ToolbarIcons.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestShots.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <map>

namespace {

const char* const Buttons[] = {
    "ToolButton9",  "ToolButton8", "PrevGameButton", "NextGameButton", "ToolButton1",
    "ToolButton2",  "ToolButton3", "ToolButton4",    "ToolButton15",   "ToolButton17",
    "EvalButton",   "CopyButton",  "PrintButton",    "ToolButton13",   "ToolButton14",
    "ToolButton16", "SwButton8",   "SwButton9",      "SwButton10",     "SwButton11",
};

// Share of the pixels that are fully transparent.
double TransparentShare(const QImage& image)
{
    int clear = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            clear += qAlpha(image.pixel(x, y)) == 0 ? 1 : 0;
    return double(clear) / (image.width() * image.height());
}

class ToolbarIcons : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
};

} // namespace

TEST_F(ToolbarIcons, EveryButtonHasItsPictureInBothSizes)
{
    std::map<QByteArray, const char*> seen; // image bytes -> button
    QImage strip(50 * std::size(Buttons), 26 + 50, QImage::Format_ARGB32);
    strip.fill(QColor(0xEC, 0xEC, 0xEC));
    QPainter sheet(&strip);
    int x = 0;
    for (const char* name : Buttons) {
        SCOPED_TRACE(name);
        const QIcon icon = ToolbarIcon(name);
        ASSERT_FALSE(icon.isNull());
        const QImage small = icon.pixmap(QSize(24, 24), 1.0).toImage();
        const QImage large = icon.pixmap(QSize(24, 24), 2.0).toImage();
        EXPECT_EQ(small.size(), QSize(24, 24));
        EXPECT_EQ(large.size(), QSize(48, 48)) << "the @2x picture";
        EXPECT_EQ(large, QImage(QStringLiteral(":/toolbar/%1@2x.png").arg(name))
                             .convertToFormat(large.format()));
        const double clear = TransparentShare(small);
        EXPECT_GT(clear, 0.03) << "a filled square";
        EXPECT_LT(clear, 0.85) << "next to nothing drawn";
        const QByteArray bytes(reinterpret_cast<const char*>(small.constBits()),
                               small.sizeInBytes());
        const auto [at, fresh] = seen.emplace(bytes, name);
        EXPECT_TRUE(fresh) << "looks like " << at->second;
        sheet.drawImage(x + 13, 1, small);
        QImage shown = large;
        shown.setDevicePixelRatio(1.0);
        sheet.drawImage(x + 1, 27, shown);
        x += 50;
    }
    sheet.end();
    KeepShot(strip, QStringLiteral("toolbar_strip.png"));
}

TEST_F(ToolbarIcons, OtherNamesGiveAnEmptyIcon)
{
    for (const char* name : {"", "ToolButton5", "SwButton12", "toolbutton9",
                             "../pictures/AboutBox.jpg", "ToolButton9@2x", "ToolButton9.png"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ToolbarIcon(name).isNull());
    }
    // The flip button's own name gives its first picture.
    EXPECT_EQ(ToolbarIcon("SwButton").pixmap(QSize(24, 24), 1.0).toImage(),
              ToolbarIcon("SwButton8").pixmap(QSize(24, 24), 1.0).toImage());
}
