// JPEG pictures: decoding and encoding with the IJG libjpeg API.
//
// The program's fixed pictures (the about box and the two intro pictures)
// are JPEG files built at build time (resources/pictures) and embedded
// under :/pictures by the library velmora_media. A form shows one with
//   label->setPixmap(QPixmap::fromImage(LoadJpegPicture(AboutBoxPicture.Path)));
//
// Decoding never ends the process: a corrupt, truncated or empty file gives
// a null QImage (libjpeg's fatal errors are caught by a custom error
// manager; its warnings, such as data that ends early, count as failures).
// Left out: progressive display, colour management, EXIF orientation.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

// One embedded picture and the size its form shows it at.
struct JpegPictureResource {
    const char* Path;
    int Width;
    int Height;
};

// About box, ProgramIcon.
inline constexpr JpegPictureResource AboutBoxPicture{":/pictures/AboutBox.jpg", 383, 271};
// Intro, Image1 (top right).
inline constexpr JpegPictureResource IntroImage1Picture{":/pictures/IntroImage1.jpg", 128, 128};
// Intro, Image2 (top left).
inline constexpr JpegPictureResource IntroImage2Picture{":/pictures/IntroImage2.jpg", 114, 135};

inline constexpr std::array<JpegPictureResource, 3> JpegPictureResources{
    AboutBoxPicture, IntroImage1Picture, IntroImage2Picture};

// The largest picture DecodeJpeg accepts: a side of at most JpegMaxSide
// pixels and at most JpegMaxPixels in all (256 MiB as Format_RGB32). A
// header that asks for more is refused before anything is allocated.
inline constexpr int JpegMaxSide = 16384;
inline constexpr std::int64_t JpegMaxPixels = std::int64_t{1} << 26;
// Nor a frame larger than its data can code: a Huffman-coded scan takes at
// least a bit for each 8 x 8 block (512 pixels a byte); an arithmetic-coded
// one may end early and leave the rest to be decoded from nothing, which
// would make decoding time that of the header, not of the data.
inline constexpr std::int64_t JpegMaxPixelsPerByte = 1024;

// Decodes a baseline or progressive JPEG (greyscale, RGB or YCbCr; CMYK is
// refused) into a Format_RGB32 image; a null image on any error and for a
// picture beyond the limits above.
QImage DecodeJpeg(const QByteArray& data);

// Encodes an image as a baseline YCbCr JPEG (greyscale for a
// Format_Grayscale8 image) of the given quality (1..100);
// empty on failure or for a null image.
QByteArray EncodeJpeg(const QImage& image, int quality = 92);

// Reads a file or resource and decodes it; a null image when it cannot be
// read or decoded.
QImage LoadJpegPicture(const QString& path);
