#include "MalformedCorpus.h"

#include "database/GameIndex.h"
#include "rules/Board.h"

#include <random>

namespace {

constexpr std::size_t MiB = 1 << 20;

std::string Repeat(const std::string& unit, std::size_t count)
{
    std::string text;
    text.reserve(unit.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

std::string Game(const std::string& moves, const std::string& tags = "[Event \"T\"]\n")
{
    return tags + "\n" + moves + "\n\n";
}

// Knights going out and back: legal for as many plies as asked, numbered.
std::string KnightShuffle(int plies)
{
    static const char* const Moves[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text;
    for (int ply = 0; ply < plies; ++ply) {
        if (ply % 2 == 0) text += std::to_string(ply / 2 + 1) + ". ";
        text += Moves[ply % 4];
        text += ' ';
    }
    return text;
}

std::string Games(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text +=
            "[Event \"G" + std::to_string(i) + "\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 1-0\n\n";
    return text;
}

std::string Junk(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Tokens of move text in random order: every state of the readers meets every token.
std::string TokenSoup(std::size_t size, unsigned seed)
{
    static const char* const Tokens[] = {"[Event \"x\"]\n",
                                         "1.",
                                         "e4 ",
                                         "Nf3 ",
                                         "(",
                                         ")",
                                         "{",
                                         "}",
                                         "$12 ",
                                         "!?",
                                         "1-0 ",
                                         "*",
                                         "\n",
                                         "O-O ",
                                         "exd5 ",
                                         "e8=Q ",
                                         "[",
                                         "\"",
                                         "\\",
                                         "0",
                                         "1/2",
                                         "\r",
                                         "\t",
                                         "Kxe8# "};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += Tokens[random() % std::size(Tokens)];
    return text;
}

std::string Utf16(const std::string& ascii, bool bigEndian)
{
    std::string text = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        if (bigEndian) text += '\0';
        text += c;
        if (!bigEndian) text += '\0';
    }
    return text;
}

std::string FenGame(const std::string& fen)
{
    return Game("1. e4 e5 2. Kd2 *", "[Event \"F\"]\n[SetUp \"1\"]\n[FEN \"" + fen + "\"]\n");
}

} // namespace

std::string RichGames()
{
    return "[Event \"Club ch\"]\n[Site \"Zürich SUI\"]\n[Date \"2024.03.??\"]\n[Round \"3.1\"]\n"
           "[White \"Müller, Jörg\"]\n[Black \"Nowak, Paweł\"]\n[Result \"1-0\"]\n"
           "[WhiteElo \"2210\"]\n[ECO \"C65\"]\n[Annotator \"Ø\"]\n\n"
           "1. e4 {[%clk 0:05:00]} e5 {[%clk 0:05:00]} 2. Nf3 Nc6 3. Bb5 Nf6 (3... a6 4. Ba4\n"
           "(4. Bxc6 dxc6 5. O-O f6 (5... Bg4 6. h3 h5!?) 6. d4) 4... Nf6 $1) 4. O-O!? {A long\n"
           "[comment that wraps, with \"quotes\" and a } brace} Nxe4 5. d4 $14 Nd6 (5... Be7\n"
           "{the quiet line} 6. Qe2) 6. Bxc6 dxc6 7. dxe5 Nf5 8. Qxd8+ Kxd8 {½ of the\n"
           "points?} 9. Nc3 h6 10. Rd1+ Ke8 11. h3 Be7 12. Ne2 Nh4 13. Nxh4 Bxh4 1-0\n\n"
           "[Event \"Studie\"]\n[White \"G\xE9rard\"]\n[Black \"\xC5ngstr\xF6m\"]\n"
           "[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"4k3/P7/8/8/8/8/6p1/4K3 w - - 0 41\"]\n\n"
           "41. a8=Q+ Kd7 (41... Ke7 42. Qb7+) 42. Qb7+ g1=N {\xABpromotion\xBB} 43. Kf1 $2 *\n";
}

std::vector<MalformedFile> MalformedFiles()
{
    const std::string tags = "[Event \"T\"]\n";
    std::vector<MalformedFile> files = {
        {"empty", [] { return std::string(); }, 0},
        {"one NUL", [] { return std::string(1, '\0'); }, 0},
        {"only NULs, over a window", [] { return std::string(MiB + 7, '\0'); }, 0},
        {"NULs inside a game", [] { return Game(std::string("1. e4\0\0 e5\0 2. Nf3 *", 20)); }, 1},
        {"only blanks and line ends", [] { return Repeat(" \t\r\n\f\v", 50000); }, 0},
        {"byte-order mark alone", [] { return std::string("\xEF\xBB\xBF"); }, 0},
        {"byte-order mark twice", [] { return "\xEF\xBB\xBF\xEF\xBB\xBF" + Games(2); }},
        {"UTF-16 little-endian", [] { return Utf16(Games(3), false); }},
        {"UTF-16 big-endian", [] { return Utf16(Games(3), true); }},
        {"line ends CR only",
         [] { return Repeat("[Event \"A\"]\r[White \"B\"]\r\r1. e4 *\r\r", 3); }},
        {"line ends mixed",
         [] { return "[Event \"A\"]\r\n[Site \"B\"]\r\r\n1. e4\re5\n*\r\n" + Games(1); }},
        {"tag line of 100 MB",
         [] { return "[Event \"" + std::string(100 * MiB, 'x') + "\"]\n\n1. e4 *\n"; }, 1},
        {"tag line without its end, over a window",
         [] { return "[Event \"" + std::string(MiB + 100, 'y') + "\n1. e4 *\n"; }},
        {"tag name of a window",
         [] { return "[" + std::string(MiB + 1, 'N') + " \"v\"]\n\n1. e4 *\n"; }},
        {"one million nested (",
         [] { return Game("1. e4 " + std::string(1000000, '(') + " e5 *"); }, 1},
        {"one million )", [] { return Game("1. e4 " + std::string(1000000, ')') + " e5 *"); }, 1},
        {"variations nested past the stack",
         [] { return Game("1. e4 " + Repeat("(1. d4 ", 5000) + "*"); }, 1},
        {"variations closed past the stack",
         [] { return Game("1. e4 " + Repeat("(1. d4 ", 3000) + Repeat(") ", 3000) + "e5 *"); }, 1},
        {"unterminated { at the end", [] { return Game("1. e4 {never closed"); }, 1},
        {"unterminated { before more games",
         [] { return Game("1. e4 {never closed") + Games(3000); }},
        {"one million {", [] { return Game("1. e4 " + std::string(1000000, '{')); }, 1},
        {"one million }", [] { return Game("1. e4 " + std::string(1000000, '}') + " e5 *"); }, 1},
        {"braces alternating", [] { return Game("1. e4 " + Repeat("{}}{", 250000)); }, 1},
        {"16,000 games, over the limit", [] { return Games(16000); }, MaxIndexedGames, true},
        {"15,000 games, at the limit", [] { return Games(MaxIndexedGames); }, MaxIndexedGames,
         false},
        {"comment of 1 MB",
         [] { return Game("1. e4 {" + std::string(MiB, 'c') + "} e5 *") + Games(1); }, 2},
        {"comment of 1 MB, [ at line starts",
         [] {
             return Game("1. e4 {" + Repeat("\n[Event \"no\"] text", MiB / 20) + "} e5 *") +
                    Games(1);
         }},
        {"5,000-move game", [] { return Game(KnightShuffle(10000) + "*"); }, 1, false, MaxPly},
        {"game at the ply limit", [] { return Game(KnightShuffle(MaxPly) + "*"); }, 1, false,
         MaxPly},
        {"game one past the ply limit", [] { return Game(KnightShuffle(MaxPly + 1) + "(Nh6) *"); },
         1, false, MaxPly},
        {"variation at the ply limit",
         [] { return Game(KnightShuffle(MaxPly) + "(399... Nh6 400. Nh3 (400. Nc3)) *"); }, 1,
         false, MaxPly},
        {"move text of 2 MiB on one line", [] { return Game(KnightShuffle(300000)); }, 1, false,
         MaxPly},
        {"digit run of 1 MiB", [] { return Game(std::string(MiB, '7') + " e4 *"); }},
        {"move numbers only", [] { return Game(Repeat("1. ", 400000)); }, 1},
        {"100,000 symbols", [] { return Game("1. e4 " + Repeat("$1 !? ", 100000) + "*"); }, 1},
        {"results glued to moves",
         [] { return Game("1. e4 e5 2. Nc31-0") + Game("1. d4 d51/2-1/2"); }, 2},
        {"tags only, 10,000 games",
         [] { return Repeat("[Event \"E\"]\n[White \"W\"]\n\n", 10000); }},
        {"move text before any tag", [] { return "1. e4 e5 *\n\n" + Games(2); }},
        {"tag lines of [ only", [] { return Repeat("[\n", 300000) + Games(1); }},
        {"quoted brackets and escapes",
         [] { return Repeat("[a \"]\\\"[\" ]\n", 50000) + Games(1); }},
        {"control and high bytes", [] { return Game("1. e4\x1A\x7F\xFF\xC3 e5\x01 2. \x80Nf3 *"); },
         1},
        {"lichess clocks, 4,000 games",
         [] {
             return Repeat(
                 "[Event \"Rated blitz\"]\n[White \"Jos\xC3\xA9\"]\n[Black \"\xC5k\"]\n\n"
                 "1. e4 { [%clk 0:03:00] } 1... e5 { [%clk 0:02:59] } 2. Nf3 { [%eval 0.2]"
                 " [%clk 0:02:58] } 1-0\n\n",
                 4000);
         },
         4000},
    };
    // A set-up position with each field wrong in turn.
    const char* const fens[] = {
        "",
        "   ",
        "8/8/8/8/8/8/8/8/8 w - - 0 1",
        "rnbqkbnrrnbqkbnrrnbqkbnrrnbqkbnrrnbqkbnrrnbqkbnrrnbqkbnrrnbqkbnrrnbqkbnrKK w - - 0 1",
        "8/8/8/8/8/8/8/8 w - - 0 1",
        "4k3/8/8/8/8/8/8/2K1K3 w - - 0 1",
        "4k3/8/8/8/8/8/4Q3/4K3 w - - 0 1",
        "4k3/8/8/8/8/8/8/4K3 x - - 0 1",
        "4k3/8/8/8/8/8/8/4K3 w KQkqKQkqZ - 0 1",
        "4k3/8/8/8/8/8/8/4K3 w - z9 0 1",
        "4k3/8/8/8/8/8/8/4K3 b - e3 0 1",
        "4k3/8/8/8/8/8/8/4K3 w - - -5 0",
        "4k3/8/8/8/8/8/8/4K3 w - - 0 99999999999999999999999",
        "4k3/8/8/8/8/8/8/4K3 w - - abc -1",
        "pppppppp/8/8/4k3/8/8/8/PPPPKPPP w - - 0 1",
        "9/0/99/k6K/8/8/8/8 w - - 0 1",
        "k7/8/8/8/8/8/8/K7 w",
        "/////////////////////////////////////////",
    };
    for (const char* fen : fens)
        files.push_back({"FEN \"" + std::string(fen) + "\"", [fen] { return FenGame(fen); }, 1});
    files.push_back({"FEN of 300 characters", [] { return FenGame(std::string(300, 'K')); }, 1});
    files.push_back({"every bad FEN in one file", [fens] {
                         std::string text;
                         for (const char* fen : fens)
                             text += FenGame(fen);
                         return text;
                     }});
    for (const std::size_t size : {std::size_t{100}, 64 * std::size_t{1024}, MiB + MiB / 2})
        for (const unsigned seed : {1u, 2u}) {
            const std::string size_text = std::to_string(size);
            files.push_back({"binary junk of " + size_text + " bytes, seed " + std::to_string(seed),
                             [size, seed] { return Junk(size, seed); }});
            files.push_back({"token soup of " + size_text + " bytes, seed " + std::to_string(seed),
                             [size, seed] { return TokenSoup(size, seed); }});
        }
    return files;
}
