#include "database/GameHeaderRtf.h"

#include "app/OptionValues.h"
#include "database/RtfProlog.h"
#include "database/RtfText.h"

namespace {

// A header line under construction: RTF bytes and their shown characters.
struct HeaderLine {
    std::string Bytes;
    int Shown = 0;

    void Markup(std::string_view text) { Bytes += text; }
    void Text(std::string_view text)
    {
        Bytes += text;
        Shown += static_cast<int>(text.size());
    }
    // Cell text, as the file means it (see RtfText.h).
    void Cell(std::string_view text) { Shown += AppendRtfGameText(Bytes, text); }
};

constexpr std::string_view Trailer = "\\f0\\fs18\\i0\\cf1  \\f1\\cf2  \\f2\\cf3  \\f3\\cf4  "
                                     "\\f4\\cf5  \\cf6  \\f0\\cf0  \\par}\\sb60\\sa80 ";
constexpr int TrailerShown = 9; // seven blanks and a paragraph break

HeaderLine PlayersLine(const GameHeaderCells& c)
{
    HeaderLine s;
    if (!c.White.empty() || !c.Black.empty()) {
        s.Cell(c.White.empty() ? std::string_view("NN") : std::string_view(c.White));
        if (!c.WhiteElo.empty()) {
            s.Markup(" {\\b0 ");
            s.Shown += 1;
            s.Cell(c.WhiteElo);
            s.Markup("}");
        }
        if (!c.Black.empty()) {
            s.Text(" \x96 ");
            s.Cell(c.Black);
        }
        if (!c.BlackElo.empty()) {
            s.Markup(" {\\b0 ");
            s.Shown += 1;
            s.Cell(c.BlackElo);
            s.Markup("}");
        }
    }
    if (!c.Eco.empty()) {
        s.Markup(" {\\b0 [");
        s.Shown += 2;
        s.Cell(c.Eco);
        s.Markup("]}");
        s.Shown += 1;
    }
    return s;
}

HeaderLine EventLine(const GameHeaderCells& c)
{
    HeaderLine e;
    e.Cell(c.Event);
    if (!c.Event.empty() && !c.Site.empty()) e.Text(" ");
    e.Cell(c.Site);
    if (!c.Round.empty()) {
        e.Text(" (");
        e.Cell(c.Round);
        e.Text(")");
    }
    e.Text(" ");
    e.Cell(c.Date);
    if (!c.Annotator.empty()) {
        e.Markup(" \\i [");
        e.Shown += 2;
        e.Cell(c.Annotator);
        e.Text("]");
    }
    return e;
}

} // namespace

GameHeaderCells HeaderCellsOf(const std::function<std::string(int column)>& cell)
{
    using C = GameHeaderCells;
    return {cell(C::WhiteColumn),    cell(C::WhiteEloColumn), cell(C::BlackColumn),
            cell(C::BlackEloColumn), cell(C::EcoColumn),      cell(C::EventColumn),
            cell(C::SiteColumn),     cell(C::DateColumn),     cell(C::RoundColumn),
            cell(C::AnnotatorColumn)};
}

RtfPos WriteGameHeaderRtf(RtfPos pos, const GameHeaderCells& cells)
{
    RtfTextPos = 0;
    const RtfSizes& size = RtfSizesFor(MoveFontSize);
    pos = PutRtf(pos, "{\\fs");
    pos = PutRtf(pos, size.Players);
    pos = PutRtf(pos, " ");

    const HeaderLine players = PlayersLine(cells);
    if (!players.Bytes.empty()) {
        pos = PutRtf(pos, players.Bytes);
        RtfTextPos += players.Shown;
        pos = PutRtfPar(pos);
    }

    pos = PutRtf(pos, "\\fs");
    pos = PutRtf(pos, size.Base);
    pos = PutRtf(pos, "\\b0 ");

    // The event line is written only when it shows more than two characters
    // (a lone blank and date separator is not worth a line).
    const HeaderLine event = EventLine(cells);
    if (event.Shown > 2) {
        pos = PutRtf(pos, event.Bytes);
        RtfTextPos += event.Shown;
        pos = PutRtfPar(pos);
    }

    pos = PutRtf(pos, Trailer);
    RtfTextPos += TrailerShown;
    return pos;
}

RtfPos WriteGameHeaderRtf(RtfPos pos, int row, const std::function<std::string(int column)>& cell)
{
    RtfTextPos = 0;
    if (row < 0) return pos;
    return WriteGameHeaderRtf(pos, HeaderCellsOf(cell));
}
