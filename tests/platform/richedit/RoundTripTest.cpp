// Documents of the notation writer read back through the rich edit: the text
// at every move's [TextPos, TextPos + TextLength) is that move.
#include "platform/CodePage.h"
#include "platform/RichEdit.h"

#include "tests/database/rtf/RtfTestSupport.h"
#include "tests/platform/richedit/TextFonts.h"
#include "tests/support/TestApp.h"

#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/GameStore.h"

#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const GameHeaderCells Cells{"Player {One}", "2400", "Two\\Player", "2300", "B12",
                            "Event",        "Site", "2001.02.03",  "4",    "Annotator"};

int Pick(std::mt19937& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

void RandomLine(GameBuilder& game, std::mt19937& rng, int depth, int plies)
{
    static const std::vector<std::string> comments = {"good",
                                                      "\\N and \\K",
                                                      "{braces}",
                                                      "line\nbreak",
                                                      "#",
                                                      "##",
                                                      "#diagram",
                                                      "caf\xE9",
                                                      "O\x92Kelly ~ \xA2\xDE",
                                                      "\xD0\x9A\xD0\xB0 \xF0\x9F\x98\x80"};
    for (int k = 0; k < plies; ++k) {
        if (!game.RandomMove(rng)) return;
        if (Pick(rng, 1, 100) <= 20)
            game.Nag(Pick(rng, 1, 100) <= 30 ? (Pick(rng, 0, 1) ? 140 : 142) : Pick(rng, 1, 22));
        if (Pick(rng, 1, 100) <= 15)
            game.Comment(comments[Pick(rng, 0, static_cast<int>(comments.size()) - 1)]);
        while (depth < 6 && Pick(rng, 1, 100) <= (depth == 0 ? 25 : 15)) {
            game.Start();
            RandomLine(game, rng, depth + 1, Pick(rng, 1, 6));
            game.End();
        }
    }
}

void RandomOptions(std::mt19937& rng)
{
    RestoreFirstRunOptions();
    ExpandDepth = Pick(rng, 2, 7);
    MoveNumberStyle = Pick(rng, 0, 2);
    MoveFontSize = Pick(rng, 0, 2);
    MoveFontType = Pick(rng, 0, 4);
    LongNotation = Pick(rng, 0, 1);
    FigurineNotation = Pick(rng, 0, 1);
    ColoredPieces = static_cast<std::uint8_t>(Pick(rng, 0, 1));
    NoDiagrams = Pick(rng, 0, 3) == 0;
    DiagCoords = Pick(rng, 0, 1);
}

// The move as the control shows it, for comparing with FormatMoveText's
// bytes: the non-breaking hyphen of castling as "-", check as "+".
QString Normal(QString text)
{
    text.replace(QChar(0x2011), '-');
    text.replace('~', '+');
    return text;
}

// A pinned rival may add one disambiguation character after the piece sign
// that the text taken when the game was built lacks.
bool EndsWithMove(const QString& slice, const QString& move)
{
    if (slice.endsWith(move)) return true;
    const qsizetype k = slice.size() - move.size(); // the extra character
    if (move.size() < 2 || k < 1 || !slice.endsWith(move.mid(1))) return false;
    const QChar extra = slice[k];
    const bool square = (extra >= 'a' && extra <= 'h') || (extra >= '1' && extra <= '8');
    return square && slice[k - 1] == move[0];
}

TEST(RichEditRoundTrip, EveryMoveIsFoundWhereTheWriterPutIt)
{
    TestApp();
    TRichEdit edit;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        RandomOptions(rng);
        GameBuilder game;
        RandomLine(game, rng, 0, Pick(rng, 1, 50));
        game.Result(Pick(rng, 0, 2));
        ResetRtfBuffer();
        RtfPrologEnd = WriteRtfProlog(0);
        BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, Cells));

        ASSERT_TRUE(edit.LoadRtf(WholeDocument()));
        const std::string shown = ShownText(DocumentAfterProlog());
        ASSERT_EQ(edit.GetTextLen(), static_cast<int>(shown.size()));
        for (int i = 0; i < MoveNodeCount; ++i) {
            const MoveNode& node = MoveNodes[i];
            if (node.Kind != NodeKind::nkMove) continue;
            const QString slice = Normal(edit.TextRange(node.TextPos, node.TextLength));
            QString move = Normal(DecodeCp1252(game.MoveTexts[i]));
            EXPECT_EQ(slice, Normal(DecodeCp1252(shown.substr(node.TextPos, node.TextLength))))
                << "node " << i;
            // Number and separator in front.
            const bool ends = EndsWithMove(slice, move);
            EXPECT_TRUE(ends) << "node " << i << ": '" << slice.toStdString() << "' / '"
                              << move.toStdString() << "'";
            EXPECT_TRUE(slice.front().isDigit() || slice.startsWith(move.left(1)))
                << slice.toStdString();
        }
        if (HasFailure()) break;
    }
    RestoreFirstRunOptions();
}

// The line of the layout that holds document position pos.
int LineAt(const QTextDocument& doc, int pos)
{
    const QTextBlock block = doc.findBlock(pos);
    return block.layout()->lineForTextPosition(pos - block.position()).lineNumber();
}

TEST(RichEditRoundTrip, NoLineEndsBetweenAMoveNumberAndItsMove)
{
    ASSERT_TRUE(UseTextFonts());
    TRichEdit edit;
    QTextDocument& doc = *edit.document();
    for (unsigned seed = 1; seed <= 10 && !HasFailure(); ++seed) {
        std::mt19937 rng(seed);
        RandomOptions(rng);
        FigurineNotation = 1;
        LongNotation = 0;    // "e2-e4" may break at its hyphen
        MoveNumberStyle = 0; // "8." straight before the move
        GameBuilder game;
        RandomLine(game, rng, 0, 160);
        ResetRtfBuffer();
        RtfPrologEnd = WriteRtfProlog(0);
        BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, Cells));
        ASSERT_TRUE(edit.LoadRtf(WholeDocument()));
        for (const int width : {180, 230, 290, 350, 430, 520, 640}) {
            doc.setTextWidth(width);
            doc.size(); // lays the whole document out
            for (int i = 0; i < MoveNodeCount; ++i) {
                const MoveNode& node = MoveNodes[i];
                if (node.Kind != NodeKind::nkMove || node.TextLength == 0) continue;
                // Number, move and a sign in front break at most at a blank ("15... e5").
                int pos = RichToDocPos(doc, node.TextPos);
                while (pos > doc.findBlock(pos).position() && doc.characterAt(pos - 1) != ' ')
                    --pos;
                for (const int end = RichToDocPos(doc, node.TextPos + node.TextLength);
                     ++pos < end;)
                    ASSERT_TRUE(LineAt(doc, pos) == LineAt(doc, pos - 1) ||
                                doc.characterAt(pos - 1) == ' ')
                        << "seed " << seed << ", width " << width << ": "
                        << edit.TextRange(node.TextPos, node.TextLength).toStdString();
            }
        }
    }
    RestoreFirstRunOptions();
}

} // namespace
