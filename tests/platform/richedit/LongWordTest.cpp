// Games with very long words (a comment without blanks, a run of evaluation
// symbols) shown in the rich edit. Line breaking scans a word to its end for
// every line it fills, so the work of showing a game is bounded only when
// the longest stretch between two break opportunities is; the positions the
// writer counted must not move for it.
#include "platform/CodePage.h"
#include "platform/RichEdit.h"
#include "platform/RtfReader.h"

#include "tests/database/rtf/RtfTestSupport.h"
#include "tests/support/TestApp.h"

#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/GameStore.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Qt's own line-break opportunities: the longest stretch of a block without one.
int LongestUnbreakable(const QTextDocument& doc)
{
    int longest = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
        int last = 0;
        for (qsizetype at = finder.toNextBoundary(); at >= 0; at = finder.toNextBoundary()) {
            longest = std::max(longest, static_cast<int>(at) - last);
            last = static_cast<int>(at);
        }
    }
    return longest;
}

// Longest stretch a long word may keep: where the first break is offered,
// plus the pieces after it.
constexpr int UnbreakableBound = 72;

std::string Repeat(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct GameCase {
    const char* name;
    std::function<void(GameBuilder&)> annotate; // after 1.e4 e5 2.Nf3
    friend void PrintTo(const GameCase& c, std::ostream* os) { *os << c.name; }
};

class LongWordGame : public testing::TestWithParam<GameCase> {};

TEST_P(LongWordGame, BreaksAreOfferedAndPositionsStay)
{
    TestApp();
    GameBuilder game;
    ResetDocument();
    game.Moves("e2e4 e7e5 g1f3");
    GetParam().annotate(game);
    game.Moves("b8c6 f1b5");
    game.Result(2);
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd,
                                     GameHeaderCells{"W", "", "B", "", "", "", "", "", "", ""}));

    TRichEdit edit;
    edit.resize(500, 400);
    ASSERT_TRUE(edit.LoadRtf(WholeDocument()));
    EXPECT_LE(LongestUnbreakable(*edit.document()), UnbreakableBound);

    const std::string shown = ShownText(DocumentAfterProlog());
    ASSERT_EQ(edit.GetTextLen(), static_cast<int>(shown.size()));
    EXPECT_EQ(edit.TextRange(0, edit.GetTextLen()).replace(QChar(0x2011), '-'),
              DecodeCp1252(shown).replace(QStringLiteral("\n\n"), QStringLiteral("\r\n")));
    for (int i = 0; i < MoveNodeCount; ++i) {
        const MoveNode& node = MoveNodes[i];
        if (node.Kind != NodeKind::nkMove) continue;
        EXPECT_EQ(edit.TextRange(node.TextPos, node.TextLength),
                  DecodeCp1252(shown.substr(node.TextPos, node.TextLength)))
            << "node " << i;
        edit.SetSelStart(node.TextPos);
        edit.SetSelLength(node.TextLength);
        EXPECT_EQ(edit.SelStart(), static_cast<int>(node.TextPos));
        EXPECT_EQ(edit.SelLength(), node.TextLength);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Annotations, LongWordGame,
    testing::Values(GameCase{"OneWordComment",
                             [](GameBuilder& g) {
                                 g.Comment(Repeat("abcdefghijklmnop", 16 << 10));
                             }},
                    GameCase{"WordWithEscapesAndFigurines",
                             [](GameBuilder& g) { g.Comment(Repeat("ab\xE9\\Nc\\K", 3000)); }},
                    GameCase{"EvaluationSymbolRun",
                             [](GameBuilder& g) {
                                 for (int i = 0; i < 20000; ++i)
                                     g.Nag(13 + i % 5);
                             }},
                    GameCase{"LongWordInAVariation",
                             [](GameBuilder& g) {
                                 g.Start().Moves("b1c3").Comment(Repeat("+-", 3000)).End();
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LongWordReader, ShortWordsAndBlanksAreLeftAlone)
{
    TestApp();
    const std::string a(64, 'a'), b(64, 'b'), c(64, 'c');
    struct Case {
        const char* name;
        std::string rtf;
        std::string shown; // "~" for a zero-width space of the RTF; empty: not checked
        bool untouched;
    };
    const Case cases[] = {
        {"word of 64", a, a, true},
        {"words of 64 around blanks", a + " " + b + "\\tab " + c, a + " " + b + "\t" + c, true},
        {"words of 64 around a paragraph", a + "\\par " + b, a + "\n" + b, true},
        {"words of 64 across formats", a.substr(34) + "{\\b " + b.substr(30) + "} c",
         a.substr(34) + b.substr(30) + " c", true},
        {"word of 65", a + "a", a + "a", false},
        {"long word across formats", a + "{\\i " + b + "}", a + b, false},
        {"long word after a zero-width space", std::string("a\\u8203?").append(a).append(b),
         std::string("a~").append(a).append(b), false},
        {"surrogate pairs", std::string("x") + Repeat("\\u-10179?\\u-8704?", 50), "", false},
        {"combining marks", std::string("x") + Repeat("e\\u769?", 50), "", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QTextDocument doc;
        ReadRtf("{\\rtf1 " + k.rtf + "}", doc);
        const QString text = doc.toPlainText();
        const QString expected = k.shown.empty()
                                     ? QString(text).remove(QChar(0x200B))
                                     : QString::fromStdString(k.shown).replace('~', QChar(0x200B));
        for (qsizetype at = text.indexOf(QChar(0x200B)); at >= 0;
             at = text.indexOf(QChar(0x200B), at + 1)) {
            EXPECT_FALSE(at + 1 < text.size() &&
                         (text[at + 1].isLowSurrogate() || text[at + 1].isMark()));
        }
        EXPECT_EQ(text == expected, k.untouched);
        EXPECT_EQ(QString(text).remove(QChar(0x200B)), QString(expected).remove(QChar(0x200B)));
        EXPECT_LE(LongestUnbreakable(doc), UnbreakableBound);
        EXPECT_EQ(RichTextLength(doc), expected.size() + doc.blockCount() - 1);
    }
}

} // namespace
