#include "StreamText.h"

#include "database/MoveTextParser.h"
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

std::string SquareName(int square)
{
    return {static_cast<char>('a' + FileOf(square)), static_cast<char>('1' + RankOf(square))};
}

char PieceLetter(int type)
{
    return " PNBRQK"[type];
}

struct Line {
    int Ply;
    int LastFrom;
    int LastCode;
};

} // namespace

std::string StreamText()
{
    std::string out;
    auto add = [&out](const std::string& s) {
        if (!out.empty()) out += ' ';
        out += s;
    };
    CurrentPly = 0;
    GenerateMoves();
    std::vector<Line> open;
    Line line{0, -1, 0};
    for (int i = 0; i < MoveNodeCount; ++i) {
        const MoveNode& node = MoveNodes[i];
        switch (node.Kind) {
        case NodeKind::nkMove: {
            const MoveEntry e = Positions[CurrentPly].Moves[node.Code];
            std::string text = SquareName(e.From) + SquareName(e.To);
            if (e.Promotion) text += static_cast<char>(PieceLetter(e.Promotion & 7) + 32);
            add(text);
            line = Line{CurrentPly, CurrentPly, node.Code};
            if (!MakeMove(node.Code)) add("<illegal>");
            line.Ply = CurrentPly;
            GenerateMoves();
            break;
        }
        case NodeKind::nkVariationStart:
            add("(");
            open.push_back(line);
            CurrentPly = line.LastFrom;
            line = Line{CurrentPly, -1, 0};
            break;
        case NodeKind::nkVariationEnd:
            add(")");
            line = open.back();
            open.pop_back();
            CurrentPly = line.LastFrom;
            MakeMove(line.LastCode);
            GenerateMoves();
            break;
        case NodeKind::nkNag:
            add(std::string(1, '$').append(std::to_string(node.Code)));
            break;
        case NodeKind::nkComment:
            add(std::string(1, '{').append(CommentList.at(node.TextPos)).append("}"));
            break;
        }
    }
    CurrentPly = 0;
    GenerateMoves();
    return out;
}

void Parse(const std::string& text, CorrectMoveHandler* handler)
{
    auto buffer = std::make_unique<char[]>(text.size() ? text.size() : 1);
    std::memcpy(buffer.get(), text.data(), text.size());
    ParseMoveText(buffer.get(), buffer.get() + text.size(), handler);
}
