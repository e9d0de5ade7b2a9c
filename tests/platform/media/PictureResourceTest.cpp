// The pictures embedded for the about box and the intro: each decodes at the
// size its form shows, and shows what it was drawn with. A sheet of all three,
// media_sheet.png, is kept for a look by eye (tests/support/TestShots.h).

#include "platform/Jpeg.h"
#include "tests/platform/media/MediaTestSupport.h"
#include "tests/support/TestShots.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// A colour channel by channel within a tolerance.
bool Near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

} // namespace

TEST(Pictures, EachDecodesAtItsFormSize)
{
    for (const JpegPictureResource& picture : JpegPictureResources) {
        SCOPED_TRACE(picture.Path);
        const QByteArray data = ReadBytes(picture.Path);
        ASSERT_FALSE(data.isEmpty()) << "not embedded";
        const QImage image = DecodeJpeg(data);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), picture.Width);
        EXPECT_EQ(image.height(), picture.Height);
        EXPECT_EQ(LoadJpegPicture(picture.Path), image);
    }
}

TEST(Pictures, PixelsShowWhatWasDrawn)
{
    const QImage about = LoadJpegPicture(AboutBoxPicture.Path);
    const QImage intro1 = LoadJpegPicture(IntroImage1Picture.Path);
    const QImage intro2 = LoadJpegPicture(IntroImage2Picture.Path);
    ASSERT_FALSE(about.isNull());
    ASSERT_FALSE(intro1.isNull());
    ASSERT_FALSE(intro2.isNull());

    struct Case {
        const char* name;
        const QImage& image;
        int x, y;
        QRgb expected;
    };
    const Case cases[] = {
        {"about: dark maroon sky, top left", about, 2, 2, qRgb(0x2B, 0x0A, 0x12)},
        {"about: the title's first letter", about, 24, 40, qRgb(0xFF, 0xF4, 0xE0)},
        {"intro 1: light square, top left", intro1, 2, 2, qRgb(0xF4, 0xEC, 0xDC)},
        {"intro 1: dark square, top right", intro1, 125, 2, qRgb(0xC8, 0xB8, 0xA0)},
        {"intro 1: dark square, bottom left", intro1, 2, 125, qRgb(0xC8, 0xB8, 0xA0)},
        {"intro 2: white, top left", intro2, 2, 2, qRgb(0xFF, 0xFF, 0xFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRgb p = c.image.pixel(c.x, c.y);
        EXPECT_TRUE(Near(p, c.expected, 24))
            << std::hex << "got " << (p & 0xFFFFFF) << " want " << (c.expected & 0xFFFFFF);
    }

    // The four coloured pieces of the first intro picture: pure blue, green,
    // red and cyan bodies, each a visible area.
    const QRgb bodies[] = {qRgb(0, 0, 0xFF), qRgb(0, 0x98, 0), qRgb(0xFF, 0, 0),
                           qRgb(0x06, 0xB5, 0xB5)};
    for (QRgb body : bodies) {
        SCOPED_TRACE(std::to_string(body & 0xFFFFFF));
        EXPECT_GT(CountPixels(intro1, [body](QRgb p) { return Near(p, body, 40); }), 200);
    }
    // The king of the second picture is a large black area.
    EXPECT_GT(CountPixels(intro2, [](QRgb p) { return qGray(p) < 40; }), 1500);

    EnsureGuiApplication();
    QImage sheet(about.width() + intro1.width() + intro2.width() + 40, about.height() + 10,
                 QImage::Format_RGB32);
    sheet.fill(Qt::gray);
    QPainter p(&sheet);
    int x = 10;
    for (const QImage* image : {&about, &intro1, &intro2}) {
        p.drawImage(x, 5, *image);
        x += image->width() + 10;
    }
    p.end();
    KeepShot(sheet, QStringLiteral("media_sheet.png"));
}
