// Decoding and encoding with libjpeg: round trips of drawn images; damaged
// data and pictures beyond the size limits give a null image instead of
// ending the process or asking for memory.

#include "platform/Jpeg.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

namespace {

// Four flat quadrants: red, green, blue, white.
QImage Quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.setPixel(x, y,
                           !bottom ? (right ? qRgb(0, 200, 0) : qRgb(220, 0, 0))
                                   : (right ? qRgb(255, 255, 255) : qRgb(0, 0, 210)));
        }
    return image;
}

// Colours match within what lossy coding changes in a flat area.
void ExpectNear(QRgb actual, QRgb expected, int tolerance, const std::string& where)
{
    SCOPED_TRACE(where);
    EXPECT_LE(std::abs(qRed(actual) - qRed(expected)), tolerance);
    EXPECT_LE(std::abs(qGreen(actual) - qGreen(expected)), tolerance);
    EXPECT_LE(std::abs(qBlue(actual) - qBlue(expected)), tolerance);
}

// Position of the first marker ff <code> after the start of image.
int MarkerAt(const QByteArray& jpeg, unsigned char code)
{
    for (int i = 2; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF &&
            static_cast<unsigned char>(jpeg[i + 1]) == code)
            return i;
    return -1;
}

// The same picture with the frame size in its header replaced.
QByteArray WithFrameSize(QByteArray jpeg, int width, int height)
{
    const int sof = MarkerAt(jpeg, 0xC0);
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

// A field of /proc/self/status in kB (VmPeak: the largest address space
// the process ever had); -1 when it cannot be read.
long long StatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::atoll(line.c_str() + field.size() + 1);
    return -1;
}

} // namespace

TEST(JpegRoundTrip, SizesAndFlatColoursSurvive)
{
    struct Case {
        const char* name;
        int width;
        int height;
    };
    // Odd sizes cross the 8 and 16 pixel block edges.
    const Case cases[] = {
        {"about box size", 383, 271},
        {"intro top right", 128, 128},
        {"intro top left", 114, 135},
        {"odd and small", 33, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage source = Quadrants(c.width, c.height);
        const QByteArray jpeg = EncodeJpeg(source, 95);
        ASSERT_FALSE(jpeg.isEmpty());
        EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
        const QImage decoded = DecodeJpeg(jpeg);
        ASSERT_FALSE(decoded.isNull());
        EXPECT_EQ(decoded.size(), source.size());
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        const int qx = c.width / 4, qy = c.height / 4;
        ExpectNear(decoded.pixel(qx, qy), source.pixel(qx, qy), 12, "top left");
        ExpectNear(decoded.pixel(3 * qx, qy), source.pixel(3 * qx, qy), 12, "top right");
        ExpectNear(decoded.pixel(qx, 3 * qy), source.pixel(qx, 3 * qy), 12, "bottom left");
        ExpectNear(decoded.pixel(3 * qx, 3 * qy), source.pixel(3 * qx, 3 * qy), 12, "bottom right");
    }
}

TEST(JpegRoundTrip, GreyImagesDecodeAsGrey)
{
    QImage grey(40, 24, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    const QImage decoded = DecodeJpeg(EncodeJpeg(grey));
    ASSERT_FALSE(decoded.isNull());
    const QRgb p = decoded.pixel(20, 12);
    ExpectNear(p, qRgb(90, 90, 90), 4, "centre");
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
}

TEST(JpegRoundTrip, QualityIsClampedAndNullImagesAreRefused)
{
    const QImage source = Quadrants(32, 32);
    EXPECT_TRUE(EncodeJpeg(QImage()).isEmpty());
    for (int quality : {-5, 0, 1, 100, 250}) {
        SCOPED_TRACE(quality);
        EXPECT_FALSE(DecodeJpeg(EncodeJpeg(source, quality)).isNull());
    }
    // A lower quality must give a smaller file, or the setting is ignored.
    EXPECT_LT(EncodeJpeg(Quadrants(200, 200), 10).size(),
              EncodeJpeg(Quadrants(200, 200), 100).size());
}

TEST(JpegDamage, DamagedDataGivesANullImage)
{
    const QByteArray good = EncodeJpeg(Quadrants(96, 64), 90);
    ASSERT_FALSE(DecodeJpeg(good).isNull());
    const int sof = MarkerAt(good, 0xC0);
    const int sos = MarkerAt(good, 0xDA);
    ASSERT_GT(sof, 0);
    ASSERT_GT(sos, sof);

    struct Case {
        const char* name;
        std::function<QByteArray()> make;
    };
    const Case cases[] = {
        {"empty", [] { return QByteArray(); }},
        {"text, no JPEG", [] { return QByteArray("not a picture at all, only text"); }},
        {"start marker only", [] { return QByteArray("\xFF\xD8", 2); }},
        {"cut inside the header", [&] { return good.left(sof + 4); }},
        {"cut before the scan", [&] { return good.left(sos); }},
        {"cut in the middle of the scan", [&] { return good.left((sos + good.size()) / 2); }},
        {"end marker missing", [&] { return good.left(good.size() - 2); }},
        {"height zero",
         [&] {
             QByteArray bad = good;
             bad[sof + 5] = 0; // the frame height, two bytes after the precision
             bad[sof + 6] = 0;
             return bad;
         }},
        {"unknown marker inside the scan",
         [&] {
             QByteArray bad = good;
             const int middle = (sos + good.size()) / 2;
             bad[middle] = static_cast<char>(0xFF);
             bad[middle + 1] = static_cast<char>(0xD3); // a restart that no interval allows
             return bad;
         }},
        {"huffman table removed",
         [&] {
             const int dht = MarkerAt(good, 0xC4);
             const int length = (static_cast<unsigned char>(good[dht + 2]) << 8) |
                                static_cast<unsigned char>(good[dht + 3]);
             QByteArray bad = good;
             bad.remove(dht, 2 + length);
             // libjpeg falls back to the standard tables for a missing one,
             // so also break the scan header's table reference.
             const int scan = MarkerAt(bad, 0xDA);
             bad[scan + 6] = static_cast<char>(0x33);
             return bad;
         }},
        {"garbage instead of the scan data",
         [&] { return good.left(sos) + QByteArray(64, '\xFF'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(DecodeJpeg(c.make()).isNull());
    }
}

TEST(JpegDamage, DecodingAgainAfterAFailureWorks)
{
    const QByteArray good = EncodeJpeg(Quadrants(48, 48), 90);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        EXPECT_TRUE(DecodeJpeg(good.left(good.size() / 3)).isNull());
        EXPECT_FALSE(DecodeJpeg(good).isNull());
    }
}

TEST(JpegDamage, MissingFileGivesANullImage)
{
    EXPECT_TRUE(LoadJpegPicture(":/pictures/NoSuchPicture.jpg").isNull());
    EXPECT_TRUE(LoadJpegPicture("/nonexistent/folder/picture.jpg").isNull());
}

TEST(JpegLimits, PicturesBeyondTheSideLimitAreRefused)
{
    for (const auto& [width, height, shown] :
         {std::tuple{JpegMaxSide, 8, true}, std::tuple{8, JpegMaxSide, true},
          std::tuple{JpegMaxSide + 1, 8, false}, std::tuple{8, JpegMaxSide + 1, false}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        QImage grey(width, height, QImage::Format_Grayscale8);
        grey.fill(QColor(100, 100, 100));
        const QImage decoded = DecodeJpeg(EncodeJpeg(grey));
        EXPECT_EQ(decoded.size(), shown ? grey.size() : QSize(0, 0)); // 0 x 0: null
    }
}

TEST(JpegLimits, HugeFrameOfASmallFileIsRefused)
{
    // A few hundred bytes whose header asks for gigabytes.
    ASSERT_GT(StatusKb("VmPeak"), 0);
    const QByteArray small = EncodeJpeg(Quadrants(16, 16), 50);
    ASSERT_LT(small.size(), 1000);
    // The first is within the side limit, beyond the pixel limit.
    for (const auto& [width, height] : {std::pair{JpegMaxSide, JpegMaxSide}, std::pair{65535, 1},
                                        std::pair{50000, 40000}, std::pair{65535, 65535}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const long long before = std::max(StatusKb("VmPeak"), StatusKb("VmSize"));
        EXPECT_TRUE(DecodeJpeg(WithFrameSize(small, width, height)).isNull());
        // No memory of the picture's size was reserved, not even untouched.
        EXPECT_LT(StatusKb("VmPeak"), before + 256 * 1024);
    }
}

TEST(JpegLimits, DataEndingAfterTheHeaderReservesNoPicture)
{
    // Frames within the limits whose data is that of a 16 x 16 picture: the
    // first row already runs out of data.
    const QByteArray small = EncodeJpeg(Quadrants(16, 16), 50);
    for (const auto& [width, height] : {std::pair{JpegMaxSide, 4096}, std::pair{8192, 8192}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const long long before = std::max(StatusKb("VmPeak"), StatusKb("VmSize"));
        EXPECT_TRUE(DecodeJpeg(WithFrameSize(small, width, height)).isNull());
        EXPECT_LT(StatusKb("VmPeak"), before + 64 * 1024);
    }
}

TEST(JpegLimits, FlatLargePictureStillDecodes)
{
    // A flat picture codes the most pixels a byte (some 60 here): it still decodes.
    QImage flat(2048, 2048, QImage::Format_RGB32);
    flat.fill(qRgb(40, 90, 160));
    const QByteArray jpeg = EncodeJpeg(flat, 50);
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_EQ(DecodeJpeg(jpeg).size(), flat.size());
}
