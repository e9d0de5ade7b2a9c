#include "RulesTestSupport.h"

#include "rules/FenSetup.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string SquareText(int square)
{
    return {static_cast<char>('a' + FileOf(square)), static_cast<char>('1' + RankOf(square))};
}

} // namespace

const MoveNode VS{0, 0, NodeKind::nkVariationStart, 0};
const MoveNode VE{0, 0, NodeKind::nkVariationEnd, 0};

void ResetGame(const std::string& fen)
{
    static bool initialised = false;
    if (!initialised) {
        InitGameStore();
        initialised = true;
    }
    if (fen.empty())
        SetStartPosition();
    else
        EXPECT_TRUE(SetupPositionFromFen(fen.data(), fen.size())) << fen;
    MoveNodeCount = 0;
    CommentList.clear();
    GameResult = -1;
    CurrentPly = 0;
    LineLength = 0;
    GenerateMoves();
}

std::string MoveText(const MoveEntry& entry)
{
    std::string text = SquareText(entry.From) + SquareText(entry.To);
    if (entry.Promotion != 0) text += "?pnbrqk"[entry.Promotion & Piece::TypeMask];
    return text;
}

std::vector<std::string> MoveTexts()
{
    const PositionRecord& record = Positions[CurrentPly];
    std::vector<std::string> texts;
    for (int i = 0; i < record.MoveCount; ++i)
        texts.push_back(MoveText(record.Moves[i]));
    return texts;
}

int FindMove(const std::string& move)
{
    const PositionRecord& record = Positions[CurrentPly];
    for (int i = 0; i < record.MoveCount; ++i)
        if (MoveText(record.Moves[i]) == move) return i;
    return -1;
}

bool Play(const std::string& move)
{
    const int index = FindMove(move);
    return index >= 0 && AddMoveToTree(index) == 1;
}

void PlayLine(const std::vector<const char*>& moves)
{
    for (const char* move : moves) {
        ASSERT_TRUE(Play(move)) << move;
        LineLength = CurrentPly;
    }
}

MoveNode M(int code)
{
    return {0, 0, NodeKind::nkMove, static_cast<std::uint8_t>(code)};
}
MoveNode N(int nag)
{
    return {0, 0, NodeKind::nkNag, static_cast<std::uint8_t>(nag)};
}
MoveNode C(int index)
{
    return {static_cast<std::uint32_t>(index), 0, NodeKind::nkComment, 0};
}

void SetStream(std::initializer_list<MoveNode> nodes)
{
    MoveNodeCount = 0;
    for (const MoveNode& node : nodes)
        MoveNodes[MoveNodeCount++] = node;
}

std::string StreamText()
{
    std::string text;
    for (int i = 0; i < MoveNodeCount; ++i) {
        if (!text.empty()) text += ' ';
        const MoveNode& node = MoveNodes[i];
        switch (node.Kind) {
        case NodeKind::nkMove:
            text += 'm';
            text += std::to_string(node.Code);
            break;
        case NodeKind::nkVariationStart:
            text += '(';
            break;
        case NodeKind::nkVariationEnd:
            text += ')';
            break;
        case NodeKind::nkNag:
            text += 'n';
            text += std::to_string(node.Code);
            break;
        case NodeKind::nkComment:
            text += 'c';
            text += std::to_string(node.TextPos);
            break;
        }
    }
    return text;
}

void BuildStream(const std::string& text)
{
    ResetGame();
    std::vector<std::pair<int, int>> open; // {ply, node replaced}
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        const std::string token = text.substr(pos, end - pos);
        pos = end + 1;
        if (token.empty()) continue;
        if (token == "(") {
            --CurrentPly;
            open.emplace_back(CurrentPly, Positions[CurrentPly].PlayedNode);
            MoveNodes[MoveNodeCount++] = VS;
        } else if (token == ")") {
            ASSERT_FALSE(open.empty());
            const auto [ply, node] = open.back();
            open.pop_back();
            CurrentPly = ply;
            Positions[ply].PlayedNode = node;
            ASSERT_EQ(MakeMove(MoveNodes[node].Code), 1);
            GenerateMoves();
            MoveNodes[MoveNodeCount++] = VE;
        } else if (token.front() == '{') {
            CommentList.push_back(token.substr(1, token.size() - 2));
            MoveNodes[MoveNodeCount++] = C(static_cast<int>(CommentList.size()) - 1);
        } else if (token.front() == '$') {
            MoveNodes[MoveNodeCount++] = N(std::stoi(token.substr(1)));
        } else {
            const int index = FindMove(token);
            ASSERT_GE(index, 0) << token;
            ASSERT_EQ(MakeMove(index), 1) << token;
            Positions[CurrentPly - 1].PlayedNode = MoveNodeCount;
            MoveNodes[MoveNodeCount++] = M(index);
            GenerateMoves();
        }
    }
    GoToNode(-1);
}

bool PlayShown(const std::string& move)
{
    if (!Play(move)) return false;
    GoToNode(Positions[CurrentPly - 1].PlayedNode);
    return true;
}

std::vector<int> PlayedChain()
{
    std::vector<int> chain;
    for (int p = 0; p < CurrentPly; ++p)
        chain.push_back(Positions[p].PlayedNode);
    return chain;
}
