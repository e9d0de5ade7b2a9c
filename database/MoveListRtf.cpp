#include "database/MoveListRtf.h"

#include "app/OptionValues.h"
#include "database/DiagramRtf.h"
#include "database/MoveNotation.h"
#include "database/NagGlyphs.h"
#include "database/RtfProlog.h"
#include "database/RtfText.h"
#include "database/VariationStack.h"
#include "platform/GameText.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/Navigation.h"

#include <cstring>

namespace {

// Room asked for before a node other than a comment: the longest move
// (number, bold group, coloured signs, mark) or variation layout is far less.
constexpr std::size_t NodeRoom = 128;
// Comment layout around its text.
constexpr std::size_t CommentFrameRoom = 96;

bool IsControlWordEnd(std::string_view text)
{
    // text ends just before a blank: "\" letters [ "-" ] digits?
    std::size_t at = text.size();
    while (at > 0 && text[at - 1] >= '0' && text[at - 1] <= '9')
        --at;
    if (at > 0 && text[at - 1] == '-') --at;
    const std::size_t lettersEnd = at;
    while (at > 0 && ((text[at - 1] >= 'a' && text[at - 1] <= 'z') ||
                      (text[at - 1] >= 'A' && text[at - 1] <= 'Z')))
        --at;
    if (at == lettersEnd) return false;
    // An odd run of backslashes before the letters opens a control word; an
    // even one is escaped backslashes followed by text.
    std::size_t slashes = 0;
    while (at > slashes && text[at - 1 - slashes] == '\\')
        ++slashes;
    return slashes % 2 == 1;
}

class MoveListRenderer {
public:
    explicit MoveListRenderer(RtfPos pos) : Pos(pos), LastMoveStart(pos) {}

    RtfPos Run();

private:
    void Node(int i);
    void Move(int i);
    void VariationStart(int i);
    void VariationEnd();
    void CloseParagraph();
    void Nag(int i, int code);
    void Comment(int i);
    void CommentText(int i, std::string_view text);
    void Result();
    void DropNode(int i);
    bool Skipping(int i);

    const RtfSizes& Size = RtfSizesFor(MoveFontSize);
    RtfPos Pos;
    RtfPos LastMoveStart;
    int LastMoveNode = -1;
    bool ParagraphClosed = false;
    bool AnyMove = false;
    // A line that cannot be replayed is not written: DeadDepth is the depth
    // of that line (-1 none); SkipNesting counts variations opened inside it.
    int DeadDepth = -1;
    int SkipNesting = 0;
    // A variation that branches from nowhere (or too deep) is left out whole.
    int DroppedNesting = 0;
    // Some nodes were not written (a variation left out, a line not
    // replayable, no room): the records may not hold a whole line.
    bool Incomplete = false;
};

RtfPos MoveListRenderer::Run()
{
    const int shownNode = CurrentPly > 0 ? Positions[CurrentPly - 1].PlayedNode : -1;
    VariationJustOpened = 0;
    CurrentPly = 0;
    VariationDepth = 0;

    if (SetupStart && DiagAtStart && ReserveRtfRoom(Pos, DiagramRtfMaxBytes))
        Pos = WriteDiagramRtf(Pos, DiagBlackView, false);

    for (int i = 0; i < MoveNodeCount; ++i) {
        std::size_t room = NodeRoom;
        if (MoveNodes[i].Kind == NodeKind::nkComment) {
            const std::uint32_t index = MoveNodes[i].TextPos;
            const std::size_t length = index < CommentList.size() ? CommentList[index].size() : 0;
            room = RtfTextMaxBytesPerByte * length + CommentFrameRoom + DiagramRtfMaxBytes;
        }
        if (!ReserveRtfRoom(Pos, room)) {
            Incomplete = true;
            break;
        }
        Node(i);
    }

    // The records now hold the line the stream ends on, when every node
    // could be written.
    const int replayed = Incomplete ? 0 : CurrentPly;
    Result();
    // An inline bracket group still open (the stream ended inside it) is
    // closed so that the tail closes the document group.
    if (VariationDepth > ExpandDepth) Pos = PutRtf(Pos, "}");
    Pos = PutRtf(Pos, "\\li10\\sb30\\sa200 \\par\\par}");
    PutRtfByte(Pos, '\0');
    VariationDepth = 0;
    VariationJustOpened = 0;
    GoToNodeAfterReplay(shownNode, replayed);
    return Pos;
}

void MoveListRenderer::DropNode(int i)
{
    if (MoveNodes[i].Kind == NodeKind::nkMove) {
        MoveNodes[i].TextPos = static_cast<std::uint32_t>(RtfTextPos);
        MoveNodes[i].TextLength = 0;
    }
}

// True when node i belongs to a left-out variation or a line that could not
// be replayed; keeps the skip state in step with the variation marks.
bool MoveListRenderer::Skipping(int i)
{
    const NodeKind kind = MoveNodes[i].Kind;
    if (DroppedNesting > 0) {
        if (kind == NodeKind::nkVariationStart)
            ++DroppedNesting;
        else if (kind == NodeKind::nkVariationEnd)
            --DroppedNesting;
        DropNode(i);
        return true;
    }
    if (DeadDepth < 0) return false;
    if (kind == NodeKind::nkVariationStart) {
        ++SkipNesting;
    } else if (kind == NodeKind::nkVariationEnd) {
        if (SkipNesting == 0) {
            DeadDepth = -1; // the dead line ends here; its end is written
            return false;
        }
        --SkipNesting;
    }
    DropNode(i);
    return true;
}

void MoveListRenderer::Node(int i)
{
    if (Skipping(i)) return;
    switch (MoveNodes[i].Kind) {
    case NodeKind::nkMove:
        Move(i);
        break;
    case NodeKind::nkVariationStart:
        VariationStart(i);
        break;
    case NodeKind::nkVariationEnd:
        VariationEnd();
        break;
    case NodeKind::nkNag:
        Nag(i, MoveNodes[i].Code);
        break;
    case NodeKind::nkComment:
        Comment(i);
        break;
    }
}

void MoveListRenderer::Move(int i)
{
    MoveNode& node = MoveNodes[i];
    const int code = node.Code;
    const PositionRecord& from = Positions[CurrentPly];
    if (CurrentPly + 1 >= LineRecords || code >= from.MoveCount) {
        DropNode(i);
        DeadDepth = VariationDepth;
        Incomplete = true;
        SkipNesting = 0;
        return;
    }
    ParagraphClosed = false;
    node.TextPos = static_cast<std::uint32_t>(RtfTextPos);
    LastMoveStart = Pos;
    AnyMove = true;

    const int number =
        ((Positions[0].SideToMove == Piece::BlackBit ? 1 : 0) + CurrentPly) / 2 + FirstMoveNumber;
    const bool boldGroup = VariationDepth == 1 && VariationJustOpened;
    if (boldGroup) Pos = PutRtf(Pos, "{\\b ");
    static constexpr std::string_view Separators[] = {".", " ", ". "};
    const std::string_view separator =
        Separators[MoveNumberStyle >= 0 && MoveNumberStyle <= 2 ? MoveNumberStyle : 0];
    if (from.SideToMove == 0) {
        Pos = PutRtfNumber(Pos, number, true);
        Pos = PutRtfText(Pos, separator);
    } else {
        const NodeKind before = i > 0 ? MoveNodes[i - 1].Kind : NodeKind::nkVariationStart;
        if (i == 0 || before == NodeKind::nkVariationStart || before == NodeKind::nkVariationEnd ||
            before == NodeKind::nkComment) {
            Pos = PutRtfNumber(Pos, number, true);
            Pos = PutRtfText(Pos, separator);
            Pos = PutRtfText(Pos, ".. ");
        }
    }

    Positions[CurrentPly].PlayedNode = i;
    if (!MakeMove(code)) {
        // Not playable here: take back what was written and leave the line.
        Pos = LastMoveStart;
        RtfTextPos = static_cast<int>(node.TextPos);
        node.TextLength = 0;
        DeadDepth = VariationDepth;
        Incomplete = true;
        SkipNesting = 0;
        return;
    }
    AnnotateLastMove();
    Pos = WriteMoveRtf(CurrentPly - 1, code, Pos);
    node.TextLength = static_cast<std::uint16_t>(RtfTextPos - static_cast<int>(node.TextPos));
    LastMoveNode = i;
    if (boldGroup) Pos = PutRtf(Pos, "}");
    Pos = PutRtfText(Pos, " ");
    VariationJustOpened = 0;
}

// Ends the open paragraph before an expanded variation starts or ends.
void MoveListRenderer::CloseParagraph()
{
    if (ParagraphClosed) return;
    Pos = PutRtf(Pos, "\\par \\pard\\sa22\\sb18");
    RtfTextPos += 2;
    ParagraphClosed = true;
}

void MoveListRenderer::VariationStart(int i)
{
    const int d = VariationDepth;
    // A variation needs a move to replace and a free stack entry.
    if (CurrentPly == 0 || d + 1 >= VariationStackCapacity) {
        DroppedNesting = 1;
        Incomplete = true;
        DropNode(i);
        return;
    }
    if (d == ExpandDepth) {
        Pos = PutRtf(Pos, "{\\b [}{\\i ");
        RtfTextPos += 1;
    } else if (d > ExpandDepth) {
        Pos = PutRtfText(Pos, "(");
    } else {
        CloseParagraph();
        if (d == 0) {
            Pos = PutRtf(Pos, "\\li130\\b0\\fs");
            Pos = PutRtf(Pos, Size.Variation);
            Pos = PutRtf(Pos, " ");
        } else {
            Pos = PutRtf(Pos, "\\li");
            Pos = PutRtf(Pos, IndentTable[d + 1 <= 7 ? d + 1 : 7]);
        }
    }
    CurrentPly -= 1;
    LineLength = CurrentPly;
    // A variation nested where its enclosing ones branch off plays from a
    // record of the main line a move that no group of that line lists.
    if (d >= 1 && CurrentPly <= VariationStack[0].Ply) Incomplete = true;
    VariationStack[d] = {Positions[CurrentPly].PlayedNode, CurrentPly};
    VariationDepth = d + 1;
    VariationJustOpened = 1;
}

void MoveListRenderer::VariationEnd()
{
    if (VariationDepth == 0) return; // no variation to close
    const int d = --VariationDepth;
    if (d > ExpandDepth) {
        Pos = TrimTrailingBlanks(Pos);
        Pos = PutRtfText(Pos, ") ");
    } else if (d == ExpandDepth) {
        Pos = TrimTrailingBlanks(Pos);
        Pos = PutRtf(Pos, "}{\\b ]} ");
        RtfTextPos += 2;
    } else {
        CloseParagraph();
        if (d == 0) {
            Pos = PutRtf(Pos, "\\li0\\sa80\\sb50\\b\\fs");
            Pos = PutRtf(Pos, Size.Base);
            Pos = PutRtf(Pos, " ");
        } else {
            Pos = PutRtf(Pos, "\\li");
            Pos = PutRtf(Pos, IndentTable[d <= 7 ? d : 7]);
        }
    }
    VariationJustOpened = 0;
    CurrentPly = VariationStack[d].Ply;
    const int saved = VariationStack[d].Node;
    Positions[CurrentPly].PlayedNode = saved;
    const bool replayable = saved >= 0 && saved < MoveNodeCount &&
                            MoveNodes[saved].Kind == NodeKind::nkMove &&
                            MoveNodes[saved].Code < Positions[CurrentPly].MoveCount;
    if (!replayable || !MakeMove(MoveNodes[saved].Code)) {
        LineLength = CurrentPly;
        DeadDepth = d;
        Incomplete = true;
        SkipNesting = 0;
        return;
    }
    LineLength = CurrentPly;
    AnnotateLastMove();
}

void MoveListRenderer::Nag(int i, int code)
{
    if (code == 0) return;
    const std::string_view glyph = NagGlyphText(code);
    if ((code == 140 || code == 142) && LastMoveNode >= 0) {
        // The glyph goes in front of the last move written.
        char* base = RtfBuffer.data();
        std::memmove(base + LastMoveStart + 1, base + LastMoveStart, Pos - LastMoveStart);
        base[LastMoveStart] = glyph[0];
        ++Pos;
        ++RtfTextPos;
        for (int n = LastMoveNode; n < i; ++n)
            if (MoveNodes[n].Kind == NodeKind::nkMove && MoveNodes[n].TextLength > 0)
                ++MoveNodes[n].TextPos;
        return;
    }
    Pos = TrimTrailingBlanks(Pos);
    Pos = PutRtfText(Pos, glyph);
    Pos = PutRtfText(Pos, " ");
}

void MoveListRenderer::Comment(int i)
{
    const std::uint32_t index = MoveNodes[i].TextPos;
    if (index >= CommentList.size()) return;
    std::string_view text = CommentList[index];
    if (!text.empty() && text[0] == '#') {
        text.remove_prefix(1);
        if (NoDiagrams) {
            if (text.size() > 1) CommentText(i, text);
            return;
        }
        bool blackSide = DiagBlackView;
        if (!text.empty() && text[0] == '#') {
            text.remove_prefix(1);
            blackSide = true;
        }
        Pos = WriteDiagramRtf(Pos, blackSide, true);
        ParagraphClosed = true;
        if (text.empty()) return;
    }
    CommentText(i, text);
}

void MoveListRenderer::CommentText(int i, std::string_view text)
{
    Pos = PutRtf(Pos, "{");
    if (VariationDepth == 0 && !ParagraphClosed) {
        if (i > 0) Pos = PutRtfPar(Pos);
        Pos = PutRtf(Pos, "\\pard\\qj");
    }
    if (VariationDepth > ExpandDepth) Pos = PutRtf(Pos, "\\i0");
    if (VariationDepth == 0 && i > 0) Pos = PutRtf(Pos, "\\li130");
    Pos = PutRtf(Pos, "\\cf6\\fs");
    Pos = PutRtf(Pos, Size.Variation);
    Pos = PutRtf(Pos, "\\b0 ");

    // "\K" ... "\P" are figurines; any other backslash is dropped. The text
    // is read as its file means it (see RtfText.h).
    static constexpr std::u32string_view Figurines = U"KQRBNP";
    static constexpr std::string_view FigurineEscapes[] = {"\\'a2", "\\'a3", "\\'a6",
                                                           "\\'a5", "\\'a4", "\\'a7"};
    const std::u32string chars = GameTextChars(text);
    std::string body;
    body.reserve(2 * text.size());
    for (std::size_t at = 0; at < chars.size(); ++at) {
        const char32_t c = chars[at];
        if (c == '\n') {
            body += ' ';
            ++RtfTextPos;
        } else if (c == '\\') {
            const std::size_t which =
                at + 1 < chars.size() ? Figurines.find(chars[at + 1]) : std::u32string_view::npos;
            if (which == std::u32string_view::npos) continue;
            body += FigurineEscapes[which];
            ++RtfTextPos;
            ++at;
        } else {
            RtfTextPos += AppendRtfTextChar(body, c);
        }
    }
    Pos = PutRtf(Pos, body);

    const NodeKind next = i + 1 < MoveNodeCount ? MoveNodes[i + 1].Kind : NodeKind::nkComment;
    const bool nextIsVariationMark = i + 1 < MoveNodeCount && (next == NodeKind::nkVariationStart ||
                                                               next == NodeKind::nkVariationEnd);
    if (VariationDepth == 0 || (VariationDepth <= ExpandDepth && nextIsVariationMark)) {
        Pos = PutRtfPar(Pos);
        ParagraphClosed = true;
        if (VariationDepth == 0) Pos = PutRtf(Pos, "\\li0\\sa80\\sb50");
    } else {
        Pos = PutRtfText(Pos, " ");
    }
    Pos = PutRtf(Pos, "}");
}

void MoveListRenderer::Result()
{
    if (GameResult < 0 || GameResult > 2) return;
    if (AnyMove && !ParagraphClosed) Pos = PutRtf(Pos, "\\par ");
    static constexpr std::string_view Results[] = {"0-1", "\xBD-\xBD", "1-0"};
    Pos = PutRtf(Pos, Results[GameResult]);
}

} // namespace

RtfPos BuildMoveList(RtfPos pos)
{
    return MoveListRenderer(pos).Run();
}

RtfPos TrimTrailingBlanks(RtfPos pos)
{
    if (pos > RtfBuffer.size()) return pos;
    const char* text = RtfBuffer.data();
    RtfPos q = pos;
    while (q > 0 && text[q - 1] == ' ')
        --q;
    if (q == pos || q == 0) return pos;
    // q - 1 is the last non-blank byte: keep the blanks after an escape or
    // a control word ("\'a2 ", "0\_0 ", "\li130 ").
    const RtfPos from = q >= 5 ? q - 5 : 0;
    if (std::memchr(text + from, '\\', q - from) != nullptr) return pos;
    if (IsControlWordEnd(std::string_view(text, q))) return pos;
    RtfTextPos -= static_cast<int>(pos - q);
    return q;
}
