#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/MoveNotation.h"
#include "database/NagGlyphs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Plain move texts for the move tree and the bookmarks.
TEST(FormatMoveText, ByOptions)
{
    struct Row {
        const char* name;
        const char* fen; // nullptr: the start position
        const char* moves;
        std::function<void()> options;
        std::string last; // text of the last move
    } rows[] = {
        {"castling", nullptr, "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1", [] {}, "0-0"},
        {"queen-side castling", "r3k3/8/8/8/8/8/8/R3K3 w Qq - 0 1", "e1c1", [] {}, "0-0-0"},
        {"figurine is one byte", nullptr, "g1f3", [] { FigurineNotation = true; },
         "\xA4"
         "f3"},
        {"never coloured", nullptr, "g1f3", [] { ColoredPieces = 1; }, "Nf3"},
        {"check with figurines", nullptr, "e2e4 f7f6 d1h5", [] { FigurineNotation = true; },
         "\xA3h5~"},
        {"check with letters, even in the own font", nullptr, "e2e4 f7f6 d1h5", [] {}, "Qh5+"},
        {"mate", nullptr, "f2f3 e7e5 g2g4 d8h4", [] {}, "Qh4#"},
        {"long notation", nullptr, "g1f3", [] { LongNotation = true; }, "Ng1-f3"},
        {"promotion figurine", "8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8q",
         [] { FigurineNotation = true; }, "e8\xA3"},
        {"promotion letter chosen", "8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8n",
         [] { PieceLetterChars = {' ', 'g', 'H', 'F', 'B', 'V', 'K'}; }, "e8H"},
        {"longest text fits", "k7/8/8/8/8/8/1p6/2R1K3 b - - 0 1", "b2c1q",
         [] { LongNotation = true; }, "b2xc1Q+"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ResetDocument();
        r.options();
        GameBuilder game = r.fen ? GameBuilder(r.fen) : GameBuilder();
        game.Moves(r.moves);
        ASSERT_FALSE(game.MoveTexts.empty());
        EXPECT_EQ(game.MoveTexts.back(), r.last);
    }
    ResetDocument();
}

TEST(NagGlyphs, Table)
{
    struct Row {
        int nag;
        std::string_view glyph;
    } rows[] = {{0, ""},           {1, "!"},          {7, "!"},      {9, "??"},
                {12, "=A"},        {13, "\xF7"},      {25, ""},      {42, "\xA9/\xB3"},
                {43, "\xA9/\xB2"}, {47, "\xA9/\xB3"}, {140, "\x85"}, {141, ""},
                {142, "\xB9"},     {151, "\xAD"},     {217, "ty"},   {220, "i\x82\xA2"},
                {221, "TT"},       {222, ""},         {255, ""},     {256, ""}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nag);
        EXPECT_EQ(NagGlyphText(r.nag), r.glyph);
    }
}

} // namespace
