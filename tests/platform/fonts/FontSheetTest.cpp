// Renders every glyph of the four fonts, the board's piece images and sample
// notation and diagram text into a sheet, kept as font_sheet.png for a look by
// eye (tests/support/TestShots.h); the test checks that every part is drawn
// and that the sheet holds it all.
#include "tests/platform/fonts/FontTestSupport.h"
#include "tests/support/TestShots.h"

#include "platform/Fonts.h"
#include "platform/GameText.h"

#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QString FromCp1252(const std::string& bytes)
{
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString out;
    for (unsigned char c : bytes)
        out += (c >= 0x80 && c < 0xA0) ? QChar(high[c - 0x80]) : QChar(c);
    return out;
}

// Notation bytes as the program's RTF reader shows them: the glyph bytes at
// U+F000 + byte, the rest as cp1252 text.
QString Notation(const std::string& bytes)
{
    QString out;
    for (unsigned char c : bytes)
        out += IsNotationGlyphByte(c) ? QChar(NotationGlyphBase + c)
                                      : FromCp1252(std::string(1, char(c)))[0];
    return out;
}

QFont PixelFont(const QString& family, int px)
{
    QFont f(family);
    f.setPixelSize(px);
    f.setStyleStrategy(QFont::NoFontMerging);
    return f;
}

int DrawBoardGlyphs(QPainter& p, int top, const QString& letters)
{
    const int cell = 72;
    QFont font = BoardFont(cell);
    p.setFont(PixelFont("DejaVu Sans", 14));
    p.setPen(Qt::black);
    p.drawText(10, top + 14, "Kavdiag at 72 px: each grey box is one em, the glyph's text cell");
    top += 24;
    int x = 10;
    for (QChar c : letters) {
        if (c == ' ') {
            x += 24;
            continue;
        }
        p.setPen(QColor(200, 200, 200));
        p.drawRect(x, top, cell - 1, cell - 1);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(x, top + QFontMetrics(font).ascent(), QString(c));
        p.setFont(PixelFont("DejaVu Sans", 11));
        p.drawText(x + 2, top + cell + 12, QString(c));
        x += cell;
    }
    return top + cell + 24;
}

// One rank of piece images on alternating squares, as the board builds them.
int DrawPieceRow(QPainter& p, int top, const QString& letters, int s, int pct, int zoom,
                 const PieceColours& colours, const QString& label)
{
    p.setFont(PixelFont("DejaVu Sans", 14));
    p.setPen(Qt::black);
    p.drawText(10, top + 14, label);
    top += 20;
    int x = 10;
    int i = 0;
    for (QChar c : letters) {
        const QColor square = (i++ % 2) ? QColor(0xEE, 0xEE, 0xD2) : QColor(0x76, 0x96, 0x56);
        QImage piece = RenderPieceImage(c, s, pct, colours);
        QImage shown(s, s, QImage::Format_ARGB32);
        for (int y = 0; y < s; ++y)
            for (int xx = 0; xx < s; ++xx)
                shown.setPixel(xx, y,
                               SameColour(piece.pixel(xx, y), KeyColour) ? square.rgb()
                                                                         : piece.pixel(xx, y));
        p.drawImage(QRect(x, top, s * zoom, s * zoom), shown);
        x += s * zoom;
    }
    return top + s * zoom + 10;
}

int DrawText(QPainter& p, int top, const QString& family)
{
    p.setFont(PixelFont("DejaVu Sans", 14));
    p.setPen(Qt::black);
    p.drawText(10, top + 14, family + ": every cp1252 byte 0x20..0xFF as text, then notation");
    top += 22;
    QFont font = PixelFont(family, 26);
    p.setFont(font);
    for (int row = 0; row < 7; ++row) {
        std::string bytes;
        for (int b = 0x20 + row * 32; b < 0x20 + (row + 1) * 32 && b < 0x100; ++b)
            bytes += static_cast<char>(b);
        p.drawText(10, top + 26, FromCp1252(bytes));
        top += 34;
    }
    const std::string game = "1.e4 e5 2.\xA4"
                             "f3 \xA4"
                             "c6 3.\xA5"
                             "b5 a6 4.\xA5"
                             "a4 \xA4"
                             "f6 5.0-0 \xA5"
                             "e7 6.\xA6"
                             "e1 b5 7.\xA5"
                             "b3 d6 8.c3 0-0 9.h3 \xA2"
                             "h8 10.\xA3"
                             "d2~ \xA7 ";
    p.drawText(10, top + 26, Notation(game));
    top += 34;
    const std::string nags =
        "! ? !! ?? \x99 \xF7 \xB2 \xB3 \xB1 \xB5 +- -+ \xB7 \x9E \x89 \x82 \xA9/\xB3 "
        "\x84 \x85 \xB9 \xD7 \xAC \x91 \x92 \xAD \xAE \xAF \xDE \xA0 \x80 \xBD-\xBD";
    p.drawText(10, top + 26, Notation(nags));
    return top + 44;
}

int DrawDiagram(QPainter& p, int top, int x)
{
    const char* rows[] = {"XIIIIIIIIY",     "8rsnlwqkvlntr0", "7zppzppzppzpp0", "6-+-+-+-+0",
                          "5+-+-+-+-0",     "4-+-+-+-+0",     "3+-+-+-+-0",     "2PzPPzPPzPPzP0",
                          "1tRNvLQmKLsNR0", "xabcdefghy"};
    QFont font = PixelFont("Velmora Diagram", 32);
    p.setFont(font);
    p.setPen(Qt::black);
    const int ascent = QFontMetrics(font).ascent();
    for (const char* r : rows) {
        p.drawText(x, top + ascent, QString::fromLatin1(r));
        top += 32;
    }
    return top + 10;
}

} // namespace

// Pixels darker than mid-grey in an area of the image.
int DarkPixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 100;
    return n;
}

TEST(FontSheet, EveryPartIsDrawnAndTheSheetHoldsThemAll)
{
    RegisterEmbeddedFonts();
    QImage sheet(1500, 2250, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    std::vector<int> tops{10}; // where each part starts; the last, where they end
    tops.push_back(DrawBoardGlyphs(p, tops.back(), "pnbrqk omvtwl ghij"));
    tops.push_back(DrawBoardGlyphs(p, tops.back(), "PNBRQK OMVTWL"));
    const PieceColours traditionalWhite{0xFF064053, 0xFFD6FFFF, 0xFF929292};
    const PieceColours traditionalBlack{0xFF090909, 0xFFFFFFFF, 0xFF909090};
    tops.push_back(DrawPieceRow(
        p, tops.back(), "pnbrqkPNBRQKgi", 68, 91, 1, traditionalWhite,
        "Piece images, square 68 px, piece size 91: light sets (modern, classic, generic)"));
    tops.push_back(
        DrawPieceRow(p, tops.back(), "omvtwlOMVTWLhj", 68, 91, 1, traditionalBlack, "Dark sets"));
    tops.push_back(DrawPieceRow(p, tops.back(), "pnbrqkomvtwlgh", 18, 91, 4, traditionalWhite,
                                "Square 18 px, shown x4"));
    tops.push_back(DrawPieceRow(p, tops.back(), "PNBRQKOMVTWLij", 18, 91, 4, traditionalWhite,
                                "Square 18 px, classic and generic, x4"));
    tops.push_back(DrawPieceRow(p, tops.back(), "PNBRQKOMVTWLij", 14, 80, 4, traditionalWhite,
                                "Square 14 px, piece size 80, x4"));
    tops.push_back(DrawText(p, tops.back(), "VelmoraChess Swiss"));
    tops.push_back(DrawText(p, tops.back(), "VelmoraChess Times"));
    tops.push_back(DrawDiagram(p, tops.back(), 10));
    p.end();
    KeepShot(sheet, QStringLiteral("font_sheet.png"));

    // Each part has glyphs below its caption line.
    const int caption = 24;
    for (std::size_t i = 0; i + 1 < tops.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "part " << i << " at " << tops[i]);
        ASSERT_LT(tops[i] + caption, tops[i + 1]);
        EXPECT_GT(DarkPixels(sheet, QRect(0, tops[i] + caption, sheet.width(),
                                          tops[i + 1] - tops[i] - caption)),
                  100);
    }
    // Nothing runs off the sheet: its last rows and columns stay white.
    ASSERT_LE(tops.back(), sheet.height());
    EXPECT_EQ(DarkPixels(sheet, QRect(0, sheet.height() - 5, sheet.width(), 5)), 0);
    EXPECT_EQ(DarkPixels(sheet, QRect(sheet.width() - 5, 0, 5, sheet.height())), 0);
}
