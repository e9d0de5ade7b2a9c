#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/MoveNotation.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <gtest/gtest.h>

#include <cctype>

std::string ShownText(std::string_view rtf)
{
    std::string shown;
    auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i < rtf.size() && rtf[i] != '\0'; ++i) {
        const char c = rtf[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n') continue;
        if (c != '\\') {
            shown += c;
            continue;
        }
        if (i + 1 >= rtf.size()) break;
        const char next = rtf[i + 1];
        if (isLetter(next)) {
            std::size_t j = i + 1;
            while (j < rtf.size() && isLetter(rtf[j]))
                ++j;
            const std::string_view word = rtf.substr(i + 1, j - i - 1);
            if (j < rtf.size() && rtf[j] == '-') ++j;
            while (j < rtf.size() && isDigit(rtf[j]))
                ++j;
            if (j < rtf.size() && rtf[j] == ' ') ++j;
            if (word == "par") shown += "\n\n";
            // "\uN" shows one character and hides its one-byte fallback.
            if (word == "u" && j < rtf.size()) {
                shown += '?';
                ++j;
            }
            i = j - 1;
        } else if (next == '\'') {
            shown += static_cast<char>(std::stoi(std::string(rtf.substr(i + 2, 2)), nullptr, 16));
            i += 3;
        } else if (next == '_') {
            shown += '-';
            ++i;
        } else {
            shown += next; // \{ \} \\ .
            ++i;
        }
    }
    return shown;
}

std::string_view DocumentAfterProlog()
{
    return RtfTextFrom(RtfPrologEnd);
}
std::string_view WholeDocument()
{
    return RtfTextFrom(0);
}

void ResetDocument()
{
    RestoreFirstRunOptions();
    FigurineNotation = false;
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    RtfTextPos = 0;
}

void AppendNode(std::uint8_t kind, std::uint32_t textPos, std::uint8_t code)
{
    ASSERT_LT(MoveNodeCount, MoveNodeCapacity);
    MoveNodes[MoveNodeCount++] = MoveNode{textPos, 0, static_cast<NodeKind>(kind), code};
}

GameBuilder::GameBuilder()
{
    InitGameStore();
    SetStartPosition();
    FirstMoveNumber = 1;
    SetupStart = 0;
    CurrentPly = 0;
    LineLength = 0;
    MoveNodeCount = 0;
    CommentList.clear();
    GameResult = -1;
    GenerateMoves();
}

GameBuilder::GameBuilder(std::string_view fen) : GameBuilder()
{
    EXPECT_TRUE(SetupPositionFromFen(fen.data(), fen.size())) << fen;
    CurrentPly = 0;
    GenerateMoves();
}

void GameBuilder::PlayIndex(int index)
{
    const int node = MoveNodeCount;
    AppendNode(0, 0, static_cast<std::uint8_t>(index));
    Positions[CurrentPly].PlayedNode = node;
    ASSERT_TRUE(MakeMove(index));
    AnnotateLastMove();
    MoveTexts.resize(node + 1);
    MoveTexts[node] = FormatMoveText(CurrentPly - 1, index);
    LastMoveNode = node;
}

std::vector<int> GameBuilder::LegalMoves() const
{
    std::vector<int> legal;
    const PositionRecord& record = Positions[CurrentPly];
    for (int i = 0; i < record.MoveCount; ++i)
        if (TestMoveLegal(i)) legal.push_back(i);
    return legal;
}

int MoveIndex(int ply, std::string_view uci)
{
    const int from = SquareOf(uci[0] - 'a', uci[1] - '1');
    const int to = SquareOf(uci[2] - 'a', uci[3] - '1');
    const char wanted = uci.size() > 4 ? uci[4] : '\0';
    const PositionRecord& record = Positions[ply];
    for (int i = 0; i < record.MoveCount; ++i) {
        const MoveEntry& m = record.Moves[i];
        const int promotion = m.Promotion & Piece::TypeMask;
        const char promoLetter = promotion ? "?pnbrqk"[promotion] : '\0';
        if (m.From == from && m.To == to && promoLetter == wanted) return i;
    }
    return -1;
}

GameBuilder& GameBuilder::Move(std::string_view uci)
{
    const int index = MoveIndex(CurrentPly, uci);
    if (index >= 0 && TestMoveLegal(index))
        PlayIndex(index);
    else
        ADD_FAILURE() << "no legal move " << uci << " at ply " << CurrentPly;
    return *this;
}

GameBuilder& GameBuilder::Moves(std::string_view ucis)
{
    std::size_t at = 0;
    while (at < ucis.size()) {
        const std::size_t end = std::min(ucis.find(' ', at), ucis.size());
        if (end > at) Move(ucis.substr(at, end - at));
        at = end + 1;
    }
    return *this;
}

GameBuilder& GameBuilder::Start()
{
    EXPECT_GT(CurrentPly, 0);
    Stack.push_back({CurrentPly - 1, LastMoveNode});
    AppendNode(1, 0, 0);
    CurrentPly -= 1;
    return *this;
}

GameBuilder& GameBuilder::End()
{
    const Frame frame = Stack.back();
    Stack.pop_back();
    AppendNode(2, 0, 0);
    CurrentPly = frame.Ply;
    Positions[CurrentPly].PlayedNode = frame.Node;
    EXPECT_TRUE(MakeMove(MoveNodes[frame.Node].Code));
    AnnotateLastMove();
    LastMoveNode = frame.Node;
    return *this;
}

GameBuilder& GameBuilder::Nag(int code)
{
    AppendNode(3, 0, static_cast<std::uint8_t>(code));
    return *this;
}

GameBuilder& GameBuilder::Comment(std::string text)
{
    CommentList.push_back(std::move(text));
    AppendNode(4, static_cast<std::uint32_t>(CommentList.size() - 1), 0);
    return *this;
}

GameBuilder& GameBuilder::Result(int result)
{
    GameResult = result;
    return *this;
}

bool GameBuilder::RandomMove(std::mt19937& rng)
{
    if (CurrentPly + 2 >= MaxPly) return false;
    const std::vector<int> legal = LegalMoves();
    if (legal.empty()) return false;
    PlayIndex(legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)]);
    return true;
}
