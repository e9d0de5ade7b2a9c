#include "database/MoveTextParser.h"

#include "database/PgnTextBuffer.h"
#include "database/SanToken.h"
#include "database/ScanSteps.h"
#include "database/VariationStack.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/LineChecks.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

CorrectMoveHandler* InstalledHandler = nullptr;

// One line being read: the main line, or an open variation with where it
// branched off (the PlayedNode it replaces and the ply it starts from).
struct OpenLine {
    int StartNode = -1; // its nkVariationStart, -1 for the main line
    int Node = -1;
    int Ply = 0;
    MoveEntry Replaced{};    // the move of Node, played again at the end
    BoardSets Sets{};        // the pieces at Ply
    bool HasMove = false;    // a move of this line has been stored
    bool Overflowed = false; // a move of this line fell past the ply limit
};

class MoveTextReader {
public:
    MoveTextReader(char* text, std::size_t length, CorrectMoveHandler* handler)
        : text_(text), length_(length), handler_(handler)
    {
        lines_.reserve(64);
        lines_.push_back({});
    }

    void Run();

private:
    std::size_t ReadFrom(std::size_t i);
    void ResetToken();
    std::size_t SkippedChar(std::size_t i);
    int Depth() const { return static_cast<int>(lines_.size()) - 1; }
    unsigned char At(std::size_t i) const
    {
        return i < length_ ? static_cast<unsigned char>(text_[i]) : 0;
    }
    bool EndsText(std::size_t i);
    // Room for count more nodes while keeping one for the end of every
    // open variation.
    bool Room(int count) const { return MoveNodeCount + count + Depth() <= MoveNodeCapacity; }
    bool AddNode(NodeKind kind, std::uint8_t code, std::uint32_t textPos = 0);

    std::size_t CommentChar(std::size_t i);
    bool ClosesComment(std::size_t brace) const;
    std::size_t NextBrace(std::size_t from) const;
    void StoreComment(std::size_t stop);
    int MarkNag(std::size_t i, std::size_t* after) const;

    std::size_t Delimiter(std::size_t i);
    void OpenVariation();
    void CloseVariation();
    int MatchToken(std::string_view token);
    bool PlayMove(int index, const MoveEntry* entry);
    bool KnownNotInCheck() const
    {
        return checkFree_ && !inCheck_[static_cast<std::size_t>(CurrentPly)];
    }
    void NoteCheck(const MoveEntry& played);
    std::size_t ReadMoveToken(std::size_t start, std::size_t stop);
    void AskAboutToken(std::size_t start, std::size_t stop, std::size_t* resume);
    void RefreshForQuestion();
    void End(std::size_t stop);

    char* text_;
    std::size_t length_;
    CorrectMoveHandler* handler_;
    std::vector<OpenLine> lines_;
    // The move played from each ply of the line being read, for the
    // variations that replace it.
    // An array, not a vector: it is zeroed at once rather than entry by entry.
    std::unique_ptr<MoveEntry[]> played_ = std::make_unique<MoveEntry[]>(LineRecords);
    // Whether the side to move is in check at each ply of the line read.
    // Known without testing every line of the king when neither king was
    // attacked at the start (checkFree_): a move then gives check only by
    // the piece it moves or the line it opens.
    std::vector<std::uint8_t> inCheck_ = std::vector<std::uint8_t>(LineRecords);
    bool checkFree_ = false;
    // The pieces of the record shown, kept up to date move by move, and
    // those before the last move of the line (where a variation starts).
    BoardSets sets_{};
    BoardSets setsBefore_{};
    // The ply above 0 whose record holds its generated list (made when a
    // token needs the whole list), -1 none. Record 0's is made at the start.
    int listPly_ = -1;
    bool stopped_ = false; // reading ends without reading a pending token
    int skipDepth_ = 0;    // > 0 while parenthesised text is skipped

    bool tokenOpen_ = true; // the first token of the text is never a move
    std::size_t tokenStart_ = std::string::npos;
    bool tokenHasLetter_ = false;

    bool inComment_ = false;
    bool commentBegun_ = false;
    bool commentDropped_ = false; // read but not stored (skipped text, past the limit)
    std::size_t commentStart_ = 0;
    mutable std::size_t braceFrom_ = 1; // NextBrace's last question and answer
    mutable std::size_t braceAt_ = 0;
};

// The first "{", "}" or NUL of text[from, length), or length: eight bytes
// at a time, then byte by byte from the word that holds one.
std::size_t FindBrace(const char* text, std::size_t from, std::size_t length)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Highs = 0x8080808080808080ULL;
    auto hasZeroByte = [](std::uint64_t v) { return ((v - Ones) & ~v & Highs) != 0; };
    std::size_t j = from;
    for (; j + 8 <= length; j += 8) {
        std::uint64_t word;
        std::memcpy(&word, text + j, sizeof word);
        if (hasZeroByte(word) || hasZeroByte(word ^ (Ones * '{')) ||
            hasZeroByte(word ^ (Ones * '}')))
            break;
    }
    for (; j < length; ++j) {
        const char c = text[j];
        if (c == '{' || c == '}' || c == 0) break;
    }
    return j;
}

bool IsAsciiDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}
bool IsAsciiAlnum(unsigned char c)
{
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "*", "[" and the results end the text; results also set GameResult.
bool MoveTextReader::EndsText(std::size_t i)
{
    const unsigned char c = At(i);
    if (c == '*' || c == '[') return true;
    // At gives 0 past the end, so no result runs over it.
    if (c == '1' && At(i + 1) == '-' && At(i + 2) == '0') {
        GameResult = 2;
        return true;
    }
    if (c == '0' && At(i + 1) == '-' && At(i + 2) == '1') {
        GameResult = 0;
        return true;
    }
    if (c == '1' && At(i + 1) == '/' && At(i + 2) == '2' && At(i + 4) == '1' && At(i + 5) == '/' &&
        At(i + 6) == '2') {
        GameResult = 1;
        return true;
    }
    return false;
}

bool MoveTextReader::AddNode(NodeKind kind, std::uint8_t code, std::uint32_t textPos)
{
    if (!Room(1)) {
        stopped_ = true;
        return false;
    }
    MoveNodes[MoveNodeCount++] = MoveNode{textPos, 0, kind, code};
    return true;
}

void MoveTextReader::Run()
{
    GenerateMoves();
    const PositionRecord& start = Positions[0];
    inCheck_[0] = IsInCheck(start, start.SideToMove);
    checkFree_ = !IsInCheck(start, start.SideToMove ^ Piece::BlackBit);
    sets_ = SetsOf(start);
    setsBefore_ = sets_;
    GameResult = -1;
    CommentList.clear();

    std::size_t i = 0;
    for (;;) {
        i = ReadFrom(i);
        // A token that runs into the end of the text is still read.
        if (stopped_ || inComment_ || skipDepth_ > 0 || tokenStart_ == std::string::npos ||
            !tokenHasLetter_)
            break;
        const std::size_t resume = ReadMoveToken(tokenStart_, i);
        ResetToken();
        if (stopped_ || resume >= i) break;
        i = resume;
    }
    End(i);
}

// Reads from i until the text ends; returns where it stopped.
std::size_t MoveTextReader::ReadFrom(std::size_t i)
{
    const std::size_t from = i;
    std::uint64_t steps = 0; // turns of the loop, besides the characters passed
    while (!stopped_ && i < length_) {
        ++steps;
        const unsigned char c = At(i);
        if (c == 0) break;
        if (inComment_) {
            i = CommentChar(i);
            continue;
        }
        if ((c == '*' || c == '[' || c == '1' || c == '0') && EndsText(i)) break;
        if (skipDepth_ > 0) {
            i = SkippedChar(i);
            continue;
        }
        if (SanCharClass[c] != 0) {
            if (!tokenOpen_) {
                tokenOpen_ = true;
                tokenStart_ = i;
            }
            // The rest of the token; a result may start at any "1" or "0".
            unsigned char next = c;
            std::uint8_t cls = SanCharClass[next];
            bool letter = tokenHasLetter_;
            do {
                letter = letter || cls >= 2;
                next = At(++i);
                cls = SanCharClass[next];
            } while (cls != 0 && next != '1' && next != '0');
            tokenHasLetter_ = letter;
            continue;
        }
        if (tokenStart_ != std::string::npos && tokenHasLetter_) {
            const std::size_t resume = ReadMoveToken(tokenStart_, i);
            ResetToken();
            if (stopped_) break;
            if (resume != i) {
                i = resume;
                continue;
            }
        }
        ResetToken();
        // Blanks and the dots of move numbers only separate tokens.
        if (c <= 0x20 || c == '.') {
            do
                ++i;
            while (i < length_ && ((text_[i] > 0 && static_cast<unsigned char>(text_[i]) <= 0x20) ||
                                   text_[i] == '.'));
            continue;
        }
        i = Delimiter(i);
    }
    PgnScanSteps += steps + (i > from ? i - from : 0);
    return i;
}

void MoveTextReader::ResetToken()
{
    tokenOpen_ = false;
    tokenStart_ = std::string::npos;
    tokenHasLetter_ = false;
}

// Skipped parenthesised text: only its nesting and comments count.
std::size_t MoveTextReader::SkippedChar(std::size_t i)
{
    const unsigned char c = At(i);
    if (c == '(') {
        ++skipDepth_;
    } else if (c == ')') {
        --skipDepth_;
    } else if (c == '{') {
        inComment_ = true;
        commentBegun_ = false;
        commentDropped_ = true;
    }
    return i + 1;
}

// --- comments ---------------------------------------------------------------

// A "}" closes the comment only when a "{" or the end of the text comes
// before another "}".
bool MoveTextReader::ClosesComment(std::size_t brace) const
{
    const std::size_t next = NextBrace(brace + 1);
    return next >= length_ || text_[next] != '}';
}

// The first "{", "}" or NUL from from on (length_ when none). The last answer
// is kept: the text before it holds none, and the reader changes only the
// character it stands on, which lies before every later question.
std::size_t MoveTextReader::NextBrace(std::size_t from) const
{
    if (from >= braceFrom_ && from <= braceAt_) return braceAt_;
    const std::size_t j = FindBrace(text_, from, length_);
    PgnScanSteps += j - from;
    braceFrom_ = from;
    braceAt_ = j;
    return j;
}

void MoveTextReader::StoreComment(std::size_t stop)
{
    inComment_ = false;
    if (!commentBegun_ || commentDropped_ || !Room(1)) return;
    CommentList.emplace_back(text_ + commentStart_, stop - commentStart_);
    AddNode(NodeKind::nkComment, 0, static_cast<std::uint32_t>(CommentList.size() - 1));
}

// A whole comment of one mark ("!}" .. "?!}"): its NAG, and where reading goes on.
int MoveTextReader::MarkNag(std::size_t i, std::size_t* after) const
{
    static constexpr std::pair<std::string_view, int> Marks[] = {
        {"!!}", 3}, {"??}", 4}, {"!?}", 5}, {"?!}", 6}, {"!}", 1}, {"?}", 2},
    };
    for (const auto& [mark, nag] : Marks) {
        const std::size_t brace = i + mark.size() - 1;
        if (brace < length_ && std::string_view(text_ + i, mark.size()) == mark &&
            ClosesComment(brace)) {
            *after = brace + 1;
            return nag;
        }
    }
    return 0;
}

std::size_t MoveTextReader::CommentChar(std::size_t i)
{
    unsigned char c = At(i);
    // Comment text up to the next brace (or NUL, which ends the text).
    if (commentBegun_ && c != '{' && c != '}') return FindBrace(text_, i + 1, length_);
    if (c == '}') {
        if (ClosesComment(i)) {
            if (commentBegun_ && !commentDropped_) text_[i] = 0;
            StoreComment(i);
            return i + 1;
        }
        c = ')';
        text_[i] = ')';
    } else if (c == '{') {
        c = '(';
        text_[i] = '(';
    }
    if (commentBegun_) return i + 1;
    if (c <= 0x20 || c == ';' || c == '.' || c == ',') return i + 1;

    std::size_t after = 0;
    if (const int nag = MarkNag(i, &after)) {
        inComment_ = false;
        if (!commentDropped_) AddNode(NodeKind::nkNag, static_cast<std::uint8_t>(nag));
        return after;
    }
    // A lone punctuation character is no comment ("#" is a diagram mark).
    if (c != '#' && !IsAsciiAlnum(c) && At(i + 1) == '}' && i + 1 < length_ &&
        ClosesComment(i + 1)) {
        inComment_ = false;
        return i + 2;
    }
    commentBegun_ = true;
    commentStart_ = i;
    return i + 1;
}

// --- delimiters, variations -------------------------------------------------

std::size_t MoveTextReader::Delimiter(std::size_t i)
{
    const unsigned char c = At(i);
    const bool dropped = lines_.back().Overflowed;
    switch (c) {
    case '$': {
        // n outside 1..255 names no symbol; long digit runs cannot overflow.
        std::size_t j = i + 1;
        int n = 0;
        while (j < length_ && IsAsciiDigit(At(j))) {
            n = std::min(n * 10 + (At(j) - '0'), 1000);
            ++j;
        }
        if (n >= 1 && n <= 255 && !dropped) AddNode(NodeKind::nkNag, static_cast<std::uint8_t>(n));
        return j;
    }
    case '!':
    case '?': {
        const unsigned char next = At(i + 1);
        int nag = c == '!' ? 1 : 2;
        std::size_t used = 1;
        if (next == '!' || next == '?') {
            nag = c == '!' ? (next == '!' ? 3 : 5) : (next == '!' ? 6 : 4);
            used = 2;
        }
        if (!dropped) AddNode(NodeKind::nkNag, static_cast<std::uint8_t>(nag));
        return i + used;
    }
    case '(':
        OpenVariation();
        return i + 1;
    case ')':
        CloseVariation();
        return i + 1;
    case '{':
        inComment_ = true;
        commentBegun_ = false;
        commentDropped_ = dropped;
        return i + 1;
    default:
        return i + 1;
    }
}

// A variation replaces the last move of its line and is read from the
// position before it. Without such a move (at the start of a line, "((",
// past the ply limit) or beyond the stack's capacity the parenthesised text
// is skipped.
void MoveTextReader::OpenVariation()
{
    const OpenLine& line = lines_.back();
    if (!line.HasMove || line.Overflowed || CurrentPly < 1 || Depth() >= VariationStackCapacity) {
        skipDepth_ = 1;
        return;
    }
    if (!Room(2)) {
        stopped_ = true;
        return;
    }
    CurrentPly -= 1;
    LineLength = CurrentPly;
    sets_ = setsBefore_;
    OpenLine variation;
    variation.StartNode = MoveNodeCount;
    variation.Node = Positions[CurrentPly].PlayedNode;
    variation.Ply = CurrentPly;
    variation.Replaced = played_[static_cast<std::size_t>(CurrentPly)];
    variation.Sets = sets_;
    AddNode(NodeKind::nkVariationStart, 0);
    lines_.push_back(variation);
}

// Back to the line the variation branched from: the replaced move is played
// again. A variation that holds no move leaves nothing in the stream.
void MoveTextReader::CloseVariation()
{
    if (Depth() == 0) {
        stopped_ = true; // an unmatched ")" ends the text
        return;
    }
    const OpenLine variation = lines_.back();
    lines_.pop_back();
    CurrentPly = variation.Ply;
    Positions[CurrentPly].PlayedNode = variation.Node;
    played_[static_cast<std::size_t>(CurrentPly)] = variation.Replaced;
    listPly_ = -1;
    if (!MakeGivenMove(variation.Replaced, KnownNotInCheck())) {
        stopped_ = true;
        return;
    }
    setsBefore_ = variation.Sets;
    sets_ = variation.Sets;
    PlayOnSets(sets_, Positions[CurrentPly - 1], variation.Replaced);
    NoteCheck(variation.Replaced);
    LineLength = CurrentPly;
    if (!variation.HasMove)
        MoveNodeCount = variation.StartNode;
    else
        AddNode(NodeKind::nkVariationEnd, 0);
}

// --- moves --------------------------------------------------------------------

// Reads a token and plays the move it names; returns its index, or a
// SanToken code (a refused single candidate counts as no match). A token
// that names its target is found without the position's list. Record 0's
// list is used as it is: it stays for the move list's replay, with the
// refusals marked in it.
int MoveTextReader::MatchToken(std::string_view token)
{
    const SanToken read = ReadSanToken(token);
    bool untested = false;
    int index = SanNoMatch;
    bool played = false;
    if (CurrentPly > 0 && read.ToRank >= 0) {
        const SanMove move = FindSanMove(read, sets_, &untested, KnownNotInCheck());
        index = move.Index;
        played = index >= 0 && PlayMove(index, &move.Entry);
    } else {
        if (CurrentPly != 0 && CurrentPly != listPly_) {
            GenerateMoves();
            listPly_ = CurrentPly;
        }
        index = MatchSanToken(read, &untested);
        played = index >= 0 && PlayMove(index, nullptr);
    }
    if (index >= 0 && !played) return stopped_ || !untested ? index : SanNoMatch;
    return index;
}

// Plays entry (nullptr: entry index of the record's list).
bool MoveTextReader::PlayMove(int index, const MoveEntry* entry)
{
    if (!Room(1)) {
        stopped_ = true;
        return false;
    }
    const MoveEntry move = entry ? *entry : Positions[CurrentPly].Moves[index];
    if (!(entry ? MakeGivenMove(move, KnownNotInCheck()) : MakeMove(index))) return false;
    setsBefore_ = sets_;
    PlayOnSets(sets_, Positions[CurrentPly - 1], move);
    NoteCheck(move);
    listPly_ = -1;
    played_[static_cast<std::size_t>(CurrentPly - 1)] = move;
    LineLength = CurrentPly;
    Positions[CurrentPly - 1].PlayedNode = MoveNodeCount;
    AddNode(NodeKind::nkMove, static_cast<std::uint8_t>(index));
    lines_.back().HasMove = true;
    return true;
}

// Whether the side to move is in check after played, the move that led to
// the record shown.
void MoveTextReader::NoteCheck(const MoveEntry& played)
{
    const PositionRecord& after = Positions[CurrentPly];
    inCheck_[static_cast<std::size_t>(CurrentPly)] =
        checkFree_ ? MoveGivesCheck(after, played, after.SideToMove ^ Piece::BlackBit)
                   : IsInCheck(after, after.SideToMove);
}

// Reads text[start, stop) as a move; returns where reading goes on (stop,
// or the resume point of a correction).
std::size_t MoveTextReader::ReadMoveToken(std::size_t start, std::size_t stop)
{
    OpenLine& line = lines_.back();
    if (line.Overflowed || CurrentPly >= MaxPly) {
        line.Overflowed = true;
        return stop;
    }
    const int index = MatchToken(std::string_view(text_ + start, stop - start));
    if (index >= 0) return stop;
    if (index == SanNotAMove) return stop;
    std::size_t resume = stop;
    AskAboutToken(start, stop, &resume);
    return resume;
}

// The correction dialog for text[start, stop), until a correction reads,
// or the user skips or cancels.
void MoveTextReader::AskAboutToken(std::size_t start, std::size_t stop, std::size_t* resume)
{
    if (!handler_) return; // nobody to ask: skip the token
    std::string token(text_ + start, stop - start);
    const int maxAdvance = static_cast<int>(std::min<std::size_t>(length_ - start, 0x7FFFFFFF));
    for (;;) {
        RefreshForQuestion();
        const CorrectMoveAnswer answer = handler_->AskCorrection(token, maxAdvance);
        switch (answer.Choice) {
        case CorrectMoveChoice::Skip:
            return;
        case CorrectMoveChoice::Cancel:
            stopped_ = true;
            return;
        case CorrectMoveChoice::Correct:
            break;
        }
        token = answer.Text;
        const int index = MatchToken(token);
        if (index == SanNoMatch || index == SanAmbiguous) continue;
        // Counted from the token's place in the text, kept inside the text.
        *resume = start + static_cast<std::size_t>(std::clamp(answer.Advance, 0, maxAdvance));
        braceFrom_ = 1;
        braceAt_ = 0;
        return;
    }
}

// The handler's refresh sees a balanced stream; afterwards the records of
// the line being read, CurrentPly and LineLength are as before.
void MoveTextReader::RefreshForQuestion()
{
    const int savedCount = MoveNodeCount;
    const int savedPly = CurrentPly;
    const int savedLength = LineLength;
    std::vector<PositionRecord> saved(Positions, Positions + savedPly + 1);
    PgnScanSteps += static_cast<std::uint64_t>(savedPly + Depth());
    for (int d = 0; d < Depth(); ++d)
        MoveNodes[MoveNodeCount++] = MoveNode{0, 0, NodeKind::nkVariationEnd, 0};

    handler_->RefreshBeforeAsking();

    MoveNodeCount = savedCount;
    std::copy(saved.begin(), saved.end(), Positions);
    CurrentPly = savedPly;
    LineLength = savedLength;
}

// A comment still open is kept; open variations are closed (one that holds
// no move, which can only be the innermost, is removed as at ")").
void MoveTextReader::End(std::size_t stop)
{
    if (inComment_) StoreComment(std::min(stop, length_));
    if (Depth() > 0 && !lines_.back().HasMove) CloseVariation();
    while (Depth() > 0) {
        lines_.pop_back();
        MoveNodes[MoveNodeCount++] = MoveNode{0, 0, NodeKind::nkVariationEnd, 0};
    }
}

} // namespace

void ParseMoveText(char* text, const char* end, CorrectMoveHandler* handler)
{
    const std::size_t length = end > text ? static_cast<std::size_t>(end - text) : 0;
    MoveTextReader(text, length, handler).Run();
}

void ParseGameMoveText(const char* end)
{
    const char* limit = PgnTextBuffer + sizeof(PgnTextBuffer);
    ParseMoveText(PgnTextBuffer, std::min(end, limit), InstalledHandler);
}

CorrectMoveHandler* SetCorrectMoveHandler(CorrectMoveHandler* handler)
{
    return std::exchange(InstalledHandler, handler);
}
