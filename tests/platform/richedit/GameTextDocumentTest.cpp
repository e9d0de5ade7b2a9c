// A file's names and comments in the notation document as the program reads
// it back: each character as its file means it, never one of the notation
// fonts' figurines or symbols, while the program's own glyphs stay glyphs.
// Keeps document_<file>.png and .pdf (printed) for a look by eye
// (tests/support/TestShots.h).
#include "platform/CodePage.h"
#include "platform/Fonts.h"
#include "platform/GameText.h"
#include "platform/Printer.h"
#include "platform/RichEdit.h"
#include "platform/RtfReader.h"

#include "tests/database/index/IndexTestSupport.h"
#include "tests/database/rtf/RtfTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestShots.h"

#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/GameLoader.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"
#include "rules/GameStore.h"

#include <QPrinter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <string>

namespace {

void LoadTextFonts()
{
    static const bool loaded = [] {
        TestApp();
        AtTestAppEnd([] { EmbeddedFontHandles.Release(); });
        return LoadEmbeddedFont("VelmoraChess Swiss", EmbeddedFontHandles[1], SwissFontId) &&
               LoadEmbeddedFont("VelmoraChess Times", EmbeddedFontHandles[2], TimesFontId);
    }();
    ASSERT_TRUE(loaded);
}

bool IsGlyph(QChar c)
{
    return c.unicode() >= NotationGlyphBase && c.unicode() <= NotationGlyphLast;
}

// True when the character at pos of doc is drawn with one of the chess
// glyphs of its font. "+", plus-minus, one half and times are exempt: their
// symbol is the character's own shape.
bool DrawnAsChessGlyph(QTextDocument& doc, int pos)
{
    const QChar c = doc.characterAt(pos);
    if (QStringView(u"+\u00B1\u00BD\u00D7").contains(c)) return false;
    QTextCursor cursor(&doc);
    cursor.setPosition(pos + 1);
    const QRawFont raw = QRawFont::fromFont(cursor.charFormat().font());
    const QList<quint32> glyph = raw.glyphIndexesForString(QString(c));
    for (int b = 0; b < 0x100; ++b) {
        if (!IsNotationGlyphByte(static_cast<unsigned char>(b))) continue;
        const QList<quint32> chess =
            raw.glyphIndexesForString(QString(QChar(NotationGlyphBase + b)));
        if (!chess.isEmpty() && chess[0] != 0 && glyph == chess) return true;
    }
    return false;
}

// Every glyph byte of the notation fonts as text, decoded both ways: as its
// cp1252 byte and as its character in UTF-8; in a header cell, the
// annotator's italics and a comment, in each of the document's fonts.
TEST(GameTextDocument, NoGlyphByteOfTheTextBecomesAGlyph)
{
    LoadTextFonts();
    int checked = 0;
    for (int b = 0x20; b < 0x100; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (!IsNotationGlyphByte(byte)) continue;
        std::string utf8 = "\xC3\xA9"; // makes the text UTF-8 also for "~"
        AppendUtf8(utf8, Cp1252ToUnicode(byte));
        for (const std::string& text : {std::string(1, static_cast<char>(byte)), utf8}) {
            SCOPED_TRACE(std::to_string(b) + (text.size() > 1 ? " utf-8" : " cp1252"));
            ResetDocument();
            FigurineNotation = true;
            MoveFontType = b % 5;
            GameHeaderCells cells;
            cells.White = "<" + text + ">";
            cells.Annotator = "(" + text + ")";
            GameBuilder game;
            game.Move("g1f3").Nag(14).Comment("[" + text + "]");
            BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, cells));
            QTextDocument doc;
            ReadRtf(WholeDocument(), doc);
            const QString shown = doc.toRawText();

            const QString expected = DecodeGameText(text);
            for (const QString& span :
                 {"<" + expected + ">", "(" + expected + ")", "[" + expected + "]"}) {
                const qsizetype at = shown.indexOf(span);
                ASSERT_GE(at, 0) << span.toStdString() << " in " << shown.toStdString();
                for (qsizetype i = at; i < at + span.size(); ++i)
                    EXPECT_FALSE(DrawnAsChessGlyph(doc, static_cast<int>(i)))
                        << "U+" << std::hex << static_cast<unsigned>(shown[i].unicode());
            }
            // The program's figurine and symbol stay glyphs, and are the only ones.
            QString glyphs;
            for (QChar c : shown)
                if (IsGlyph(c)) glyphs += c;
            EXPECT_EQ(glyphs, QString(QChar(0xF0A4)) + QChar(0xF0B2));
            EXPECT_TRUE(DrawnAsChessGlyph(doc, static_cast<int>(shown.indexOf(QChar(0xF0A4)))));
            ++checked;
        }
    }
    EXPECT_EQ(checked, 64);
}

struct SampleFile {
    const char* File;
    const char* Names[4]; // UTF-8, each shown in the header of its game
    const char* Comment;  // UTF-8, shown in the first game's move list
    friend void PrintTo(const SampleFile& c, std::ostream* os) { *os << c.File; }
};

class SampleDocuments : public ::testing::TestWithParam<SampleFile> {};

// The test files' games through index, loader, writer and rich edit.
TEST_P(SampleDocuments, NamesAndCommentsShowAsWritten)
{
    LoadTextFonts();
    const SampleFile& sample = GetParam();
    const std::string text = ReadTestFile(sample.File);
    const IndexResult index = IndexText(text);
    ASSERT_EQ(index.Rows.size(), 2u);
    InitGameStore();
    TRichEdit edit;
    edit.resize(620, 330);
    QString shownAll;
    for (int row = 1; row <= 2; ++row) {
        const GameRow& cells = index.Rows[static_cast<std::size_t>(row - 1)];
        ASSERT_EQ(LoadGameFrom(MemoryByteSource(text), row, cells, false, LoadToLastMove).Status,
                  LoadStatus::Loaded);
        RestoreFirstRunOptions();
        FigurineNotation = true;
        ResetRtfBuffer();
        RtfPrologEnd = WriteRtfProlog(0);
        const GameHeaderCells header = HeaderCellsOf([&](int col) { return cells[col]; });
        BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, header));
        ASSERT_TRUE(edit.LoadRtf(WholeDocument()));
        EXPECT_EQ(edit.GetTextLen(), static_cast<int>(ShownText(DocumentAfterProlog()).size()));
        shownAll += edit.document()->toPlainText();
        if (row == 1) {
            const QString shot = QStringLiteral("document_%1")
                                     .arg(QString::fromLatin1(sample.File).section('.', 0, 0));
            edit.show();
            KeepShot(edit.grab().toImage(), shot + ".png");
            edit.hide();
            const QTemporaryDir dir;
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(ShotPath(dir, shot + ".pdf"));
            QtPrinterDevice printer(pdf);
            edit.PageRect = PrintPageRect(printer, 20, 20, 25, 25);
            EXPECT_EQ(edit.Print(printer, "").Pages, 1);
        }
    }
    for (const char* name : sample.Names)
        EXPECT_TRUE(shownAll.contains(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(shownAll.contains(QString::fromUtf8(sample.Comment))) << sample.Comment;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SampleDocuments,
    ::testing::Values(SampleFile{"names-utf8.pgn",
                                 {"Nepomniachtchi, Ian", "O\u2019Kelly de Galway, Alberic",
                                  "\u041A\u0430\u0440\u043F\u043E\u0432, "
                                  "\u0410\u043D\u0430\u0442\u043E\u043B\u0438\u0439",
                                  "\u00DEorhallsson, \u00DEr\u00F6stur"},
                                 "O\u2019Kelly \u00A9 1952, \u017E \u00DE ~ \u00F7 \u00BD \u00B1"},
                      SampleFile{"names-cp1252.pgn",
                                 {"O\u2019Kelly de Galway, Alberic", "Ko\u017Eul, Zdenko",
                                  "\u00DEorhallsson, \u00DEr\u00F6stur",
                                  "\u017D\u00F7\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7, \u00A9"},
                                 "O\u2019Kelly \u017E \u00DE \u00A9 ~ \u00F7 \u00BD \u00B1 \u2013 "
                                 "prices \u00A2\u00A3\u00A4\u00A5\u00A6\u00A7"}),
    [](const auto& info) { return std::string(info.index == 0 ? "Utf8" : "Cp1252"); });

} // namespace
