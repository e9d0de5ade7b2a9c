// Draws the program's fixed pictures and writes them as JPEG files:
//   AboutBox.jpg     383 x 271  the about box
//   IntroImage1.jpg  128 x 128  the intro, top right: pieces told apart by colour
//   IntroImage2.jpg  114 x 135  the intro, top left: a king over a board corner
// The pieces are glyphs of the board font "Kavdiag" (light set "pnbrqk",
// dark set "omvtwl"), the lettering is "VelmoraChess Swiss"; both are read
// from the font build folder.
//
// Usage: make_pictures <output folder> <font folder>

#include "platform/Jpeg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

QString BoardFamily = QStringLiteral("DejaVu Sans");
QString TextFamily = QStringLiteral("DejaVu Sans");

QString AddFont(const QString& path, const QString& fallback)
{
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "make_pictures: %s not loaded, using %s\n", qPrintable(path),
                     qPrintable(fallback));
        return fallback;
    }
    return families.first();
}

QFont PixelFont(const QString& family, int pixels, int weight = QFont::Normal)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Draws one board glyph centred in a cell, with an optional fill colour that
// paints the piece body first (the solid glyph) under its outline.
void DrawPiece(QPainter& p, const QRectF& cell, QChar outline, QChar solid, const QColor& body,
               const QColor& line)
{
    p.setFont(PixelFont(BoardFamily, static_cast<int>(cell.height())));
    if (body.isValid()) {
        p.setPen(body);
        p.drawText(cell, Qt::AlignCenter, QString(solid));
    }
    p.setPen(line);
    p.drawText(cell, Qt::AlignCenter, QString(outline));
}

void DrawBoard(QPainter& p, const QRectF& area, int files, int ranks, const QColor& light,
               const QColor& dark)
{
    const qreal w = area.width() / files;
    const qreal h = area.height() / ranks;
    for (int r = 0; r < ranks; ++r)
        for (int f = 0; f < files; ++f)
            p.fillRect(QRectF(area.left() + f * w, area.top() + r * h, w, h),
                       (f + r) % 2 ? dark : light);
}

QImage AboutBox()
{
    QImage image(383, 271, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, 271);
    sky.setColorAt(0.0, QColor(0x2B, 0x0A, 0x12));
    sky.setColorAt(0.55, QColor(0x6E, 0x14, 0x22));
    sky.setColorAt(1.0, QColor(0x1A, 0x08, 0x10));
    p.fillRect(image.rect(), sky);

    // A board seen from above, tilted away from the viewer, with a glow.
    QRadialGradient glow(QPointF(270, 175), 150);
    glow.setColorAt(0.0, QColor(255, 220, 170, 110));
    glow.setColorAt(1.0, QColor(255, 220, 170, 0));
    p.fillRect(image.rect(), glow);

    p.save();
    QTransform tilt;
    tilt.translate(190, 120);
    tilt.scale(1.0, 0.62);
    tilt.rotate(12);
    p.setTransform(tilt);
    const QRectF board(0, 0, 176, 176);
    p.fillRect(board.adjusted(-6, -6, 6, 6), QColor(0x3A, 0x22, 0x10));
    DrawBoard(p, board, 8, 8, QColor(0xF0, 0xD9, 0xB5), QColor(0xB5, 0x88, 0x63));
    p.restore();

    // Three standing pieces in front of the board.
    DrawPiece(p, QRectF(196, 118, 66, 66), 'q', 'w', QColor(0xF6, 0xEE, 0xE0), Qt::black);
    DrawPiece(p, QRectF(252, 140, 74, 74), 'l', 'l', QColor(), QColor(0x10, 0x10, 0x10));
    DrawPiece(p, QRectF(306, 170, 58, 58), 'n', 'm', QColor(0xD1, 0x03, 0xB6), Qt::black);

    // The name, with a soft shadow.
    const QFont title = PixelFont(TextFamily, 44, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(QRectF(22, 24, 360, 56), Qt::AlignLeft | Qt::AlignVCenter, "Velmora");
    p.setPen(QColor(0xFF, 0xF4, 0xE0));
    p.drawText(QRectF(20, 22, 360, 56), Qt::AlignLeft | Qt::AlignVCenter, "Velmora");
    p.setFont(PixelFont(TextFamily, 30, QFont::Normal));
    p.setPen(QColor(0xF2, 0xC9, 0x8A));
    p.drawText(QRectF(22, 74, 360, 36), Qt::AlignLeft | Qt::AlignVCenter, "Chess");

    p.setFont(PixelFont(TextFamily, 13));
    p.setPen(QColor(0xE8, 0xD8, 0xC8));
    p.drawText(QRectF(22, 226, 200, 20), Qt::AlignLeft | Qt::AlignVCenter, "read, browse and");
    p.drawText(QRectF(22, 244, 200, 20), Qt::AlignLeft | Qt::AlignVCenter, "annotate PGN games");
    return image;
}

QImage IntroImage1()
{
    QImage image(128, 128, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawBoard(p, QRectF(0, 0, 128, 128), 2, 2, QColor(0xF4, 0xEC, 0xDC), QColor(0xC8, 0xB8, 0xA0));
    // One and the same outline, four colours: colour alone tells them apart.
    const QColor colours[4] = {QColor(0x00, 0x00, 0xFF), QColor(0x00, 0x98, 0x00),
                               QColor(0xFF, 0x00, 0x00), QColor(0x06, 0xB5, 0xB5)};
    const char outlines[4] = {'k', 'q', 'r', 'n'};
    const char solids[4] = {'l', 'w', 't', 'm'};
    for (int i = 0; i < 4; ++i) {
        const QRectF cell((i % 2) * 64 + 4, (i / 2) * 64 + 4, 56, 56);
        DrawPiece(p, cell, outlines[i], solids[i], colours[i], Qt::black);
    }
    return image;
}

QImage IntroImage2()
{
    QImage image(114, 135, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fade(0, 0, 0, 135);
    fade.setColorAt(0.0, Qt::white);
    fade.setColorAt(1.0, QColor(0xF3, 0xE2, 0xE2));
    p.fillRect(image.rect(), fade);
    // A board corner seen at an angle at the bottom.
    p.save();
    QTransform tilt;
    tilt.translate(57, 92);
    tilt.scale(1.0, 0.45);
    tilt.rotate(45);
    p.setTransform(tilt);
    DrawBoard(p, QRectF(-48, -48, 96, 96), 4, 4, QColor(0xF0, 0xD9, 0xB5),
              QColor(0x80, 0x00, 0x00));
    p.restore();
    DrawPiece(p, QRectF(17, 10, 80, 96), 'l', 'l', QColor(), Qt::black);
    p.setFont(PixelFont(TextFamily, 22, QFont::Bold));
    p.setPen(QColor(0x80, 0x00, 0x00));
    p.drawText(QRectF(0, 108, 114, 26), Qt::AlignCenter, "?");
    return image;
}

// Writes the picture under the file name of its resource path, after
// checking that it was drawn at the size its form shows.
bool Write(const QString& folder, const JpegPictureResource& resource, const QImage& image)
{
    QFile file(QDir(folder).filePath(QFileInfo(resource.Path).fileName()));
    if (image.width() != resource.Width || image.height() != resource.Height) {
        std::fprintf(stderr, "make_pictures: %s drawn at the wrong size\n", resource.Path);
        return false;
    }
    const QByteArray jpeg = EncodeJpeg(image, 92);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size()) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pictures <output folder> <font folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QDir fonts(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out);
    BoardFamily = AddFont(fonts.filePath("Kavdiag.ttf"), BoardFamily);
    TextFamily = AddFont(fonts.filePath("VelmoraChessSwiss.ttf"), TextFamily);

    const bool ok = Write(out, AboutBoxPicture, AboutBox()) &&
                    Write(out, IntroImage1Picture, IntroImage1()) &&
                    Write(out, IntroImage2Picture, IntroImage2());
    return ok ? 0 : 1;
}
