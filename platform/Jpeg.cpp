#include "platform/Jpeg.h"

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
// This manager jumps back to the caller's setjmp instead of exiting, and
// treats warnings (corrupt data, a premature end) as errors too, so that a
// damaged picture is refused rather than shown half grey.
struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

[[noreturn]] void OnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->Jump, 1);
}

void OnMessage(j_common_ptr info, int level)
{
    if (level < 0) OnError(info);
}

void Quiet(j_common_ptr) {}

void InstallErrorManager(ErrorManager& manager, j_common_ptr info)
{
    info->err = jpeg_std_error(&manager.Base);
    manager.Base.error_exit = OnError;
    manager.Base.emit_message = OnMessage;
    manager.Base.output_message = Quiet;
}

// The decoding steps between setjmp and the end. No object with a
// destructor lives here, since a longjmp out of libjpeg skips destructors;
// the output image is owned by the caller.
bool DecodeInto(jpeg_decompress_struct& info, ErrorManager& manager, const QByteArray& data,
                QImage& image)
{
    if (setjmp(manager.Jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    // The header's size alone decides what start_decompress and the image
    // allocate (whole-picture buffers for a progressive file).
    if (info.image_width > JpegMaxSide || info.image_height > JpegMaxSide ||
        std::int64_t{info.image_width} * info.image_height > JpegMaxPixels ||
        std::int64_t{info.image_width} * info.image_height >
            JpegMaxPixelsPerByte * static_cast<std::int64_t>(data.size()))
        return false;
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) return false;
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const int channels = info.output_components;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               static_cast<JDIMENSION>(width * channels), 1);
    // The first row is decoded before the picture is made, so that data that
    // ends after the header never reserves the picture's memory.
    if (jpeg_read_scanlines(&info, row, 1) != 1) return false;
    image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) return false;
    for (int y = 0;;) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const unsigned char* in = row[0];
        for (int x = 0; x < width; ++x, in += channels)
            out[x] = channels == 1 ? qRgb(in[0], in[0], in[0]) : qRgb(in[0], in[1], in[2]);
        if (++y == height) break;
        if (jpeg_read_scanlines(&info, row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&info);
    return true;
}

// rows: RGB888 (bytes r, g, b) or Grayscale8, tightly packed per row.
bool EncodeInto(jpeg_compress_struct& info, ErrorManager& manager, const QImage& rows, int quality,
                unsigned char*& buffer, unsigned long& size)
{
    if (setjmp(manager.Jump)) return false;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    const bool grey = rows.format() == QImage::Format_Grayscale8;
    info.image_width = static_cast<JDIMENSION>(rows.width());
    info.image_height = static_cast<JDIMENSION>(rows.height());
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        JSAMPROW row[1] = {const_cast<unsigned char*>(rows.constScanLine(y))};
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    if (data.isEmpty()) return {};
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    InstallErrorManager(manager, reinterpret_cast<j_common_ptr>(&info));
    QImage image;
    const bool ok = DecodeInto(info, manager, data, image);
    jpeg_destroy_decompress(&info);
    return ok ? image : QImage();
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    if (image.isNull()) return {};
    const QImage rows = image.format() == QImage::Format_Grayscale8
                            ? image
                            : image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    ErrorManager manager{};
    InstallErrorManager(manager, reinterpret_cast<j_common_ptr>(&info));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = EncodeInto(info, manager, rows, std::clamp(quality, 1, 100), buffer, size);
    jpeg_destroy_compress(&info);
    QByteArray out;
    if (ok && buffer)
        out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return out;
}

QImage LoadJpegPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return DecodeJpeg(file.readAll());
}
