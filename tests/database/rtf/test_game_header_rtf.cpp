#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/RtfBuffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view Trailer = "\\f0\\fs18\\i0\\cf1  \\f1\\cf2  \\f2\\cf3  \\f3\\cf4  "
                                     "\\f4\\cf5  \\cf6  \\f0\\cf0  \\par}\\sb60\\sa80 ";

std::string Header(const GameHeaderCells& cells)
{
    ResetDocument();
    const RtfPos end = WriteGameHeaderRtf(RtfPrologEnd, cells);
    return std::string(RtfBuffer.data() + RtfPrologEnd, end - RtfPrologEnd);
}

GameHeaderCells FullRow()
{
    return {"Whitesid", "2650", "Blackton",   "2580", "B90",
            "Open",     "City", "1999.10.12", "3",    "Writer"};
}

TEST(GameHeaderRtf, FullExampleAtNormalSize)
{
    const std::string header = Header(FullRow());
    EXPECT_EQ(header, "{\\fs30 Whitesid {\\b0 2650} \x96 Blackton {\\b0 2580} {\\b0 [B90]}\\par"
                      "\\fs28\\b0 Open City (3) 1999.10.12 \\i [Writer]\\par" +
                          std::string(Trailer));
    EXPECT_EQ(RtfTextPos, 81);
    EXPECT_EQ(Trailer.size(), 84u);
    EXPECT_EQ(static_cast<int>(ShownText(header).size()), RtfTextPos);
}

struct HeaderCase {
    const char* name;
    int size;
    GameHeaderCells cells;
    std::string expected; // without the trailer
    int shown;
};

TEST(GameHeaderRtf, EdgeCases)
{
    auto row = [](auto edit) {
        GameHeaderCells c;
        edit(c);
        return c;
    };
    const HeaderCase cases[] = {
        {"every cell empty, small", 0, {}, "{\\fs26 \\fs24\\b0 ", 9},
        {"every cell empty, large", 2, {}, "{\\fs34 \\fs32\\b0 ", 9},
        {"white empty gives NN", 1, row([](auto& c) { c.Black = "Black"; }),
         "{\\fs30 NN \x96 Black\\par\\fs28\\b0 ", 2 + 3 + 5 + 2 + 9},
        {"white only", 1, row([](auto& c) { c.White = "Solo"; }), "{\\fs30 Solo\\par\\fs28\\b0 ",
         4 + 2 + 9},
        {"black elo without black", 1, row([](auto& c) {
             c.White = "W";
             c.BlackElo = "2000";
         }),
         "{\\fs30 W {\\b0 2000}\\par\\fs28\\b0 ", 1 + 5 + 2 + 9},
        {"elo without players is not written", 1, row([](auto& c) { c.WhiteElo = "2000"; }),
         "{\\fs30 \\fs28\\b0 ", 9},
        {"only an eco code", 1, row([](auto& c) { c.Eco = "C42"; }),
         "{\\fs30  {\\b0 [C42]}\\par\\fs28\\b0 ", 6 + 2 + 9},
        {"only a date", 1, row([](auto& c) { c.Date = "1997"; }), "{\\fs30 \\fs28\\b0  1997\\par",
         5 + 2 + 9},
        {"one-character event is not written", 1, row([](auto& c) { c.Event = "E"; }),
         "{\\fs30 \\fs28\\b0 ", 9},
        {"site without event has no leading blank", 1, row([](auto& c) { c.Site = "Here"; }),
         "{\\fs30 \\fs28\\b0 Here \\par", 5 + 2 + 9},
        {"braces and backslash escaped, counted once", 1, row([](auto& c) { c.White = "A{b}\\"; }),
         "{\\fs30 A\\{b\\}\\\\\\par\\fs28\\b0 ", 5 + 2 + 9},
        {"annotator alone", 1, row([](auto& c) { c.Annotator = "Ann"; }),
         "{\\fs30 \\fs28\\b0   \\i [Ann]\\par", 1 + 3 + 3 + 2 + 9},
        {"high bytes count one each", 1, row([](auto& c) { c.White = "\xC9mile"; }),
         "{\\fs30 \xC9mile\\par\\fs28\\b0 ", 5 + 2 + 9},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDocument();
        MoveFontSize = c.size;
        const RtfPos end = WriteGameHeaderRtf(RtfPrologEnd, c.cells);
        const std::string header(RtfBuffer.data() + RtfPrologEnd, end - RtfPrologEnd);
        EXPECT_EQ(header, c.expected + std::string(Trailer));
        EXPECT_EQ(RtfTextPos, c.shown);
        EXPECT_EQ(static_cast<int>(ShownText(header).size()), RtfTextPos);
    }
}

TEST(GameHeaderRtf, NoGameRowWritesNothing)
{
    ResetDocument();
    RtfTextPos = 55;
    int reads = 0;
    const RtfPos end = WriteGameHeaderRtf(RtfPrologEnd, -1, [&](int) {
        ++reads;
        return std::string("x");
    });
    EXPECT_EQ(end, RtfPrologEnd);
    EXPECT_EQ(RtfTextPos, 0);
    EXPECT_EQ(reads, 0);
}

TEST(GameHeaderRtf, RowReaderTakesTheGameListColumns)
{
    ResetDocument();
    const RtfPos end = WriteGameHeaderRtf(RtfPrologEnd, 4, [](int column) {
        switch (column) {
        case 1:
            return std::string("Whitesid");
        case 2:
            return std::string("2650");
        case 3:
            return std::string("Blackton");
        case 4:
            return std::string("2580");
        case 7:
            return std::string("B90");
        case 8:
            return std::string("Open");
        case 9:
            return std::string("City");
        case 10:
            return std::string("1999.10.12");
        case 11:
            return std::string("3");
        case 13:
            return std::string("Writer");
        default:
            return std::string("wrong column");
        }
    });
    const std::string viaRow(RtfBuffer.data() + RtfPrologEnd, end - RtfPrologEnd);
    EXPECT_EQ(viaRow, Header(FullRow()));
    EXPECT_EQ(RtfTextPos, 81);
}

} // namespace
