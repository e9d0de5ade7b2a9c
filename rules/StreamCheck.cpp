#include "rules/StreamCheck.h"

#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MoveCore.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// One line being read: the ply its next move is played from, and the ply
// and code of its last move (the move a variation here replaces).
struct Line {
    int Ply;
    int LastFrom;
    int LastCode;
};

bool Fail(std::string* why, int node, const char* what)
{
    if (why) *why = "node " + std::to_string(node) + ": " + what;
    return false;
}

// The checker's records, made once: a fresh set for every check would cost
// more than most replays.
PositionRecord* ReplayRecords()
{
    static const std::unique_ptr<PositionRecord[]> records = [] {
        auto made = std::make_unique<PositionRecord[]>(LineRecords);
        // Moves copy only the real squares: every record needs its border.
        for (int i = 1; i < LineRecords; ++i)
            std::copy(StartBoard.begin(), StartBoard.end(), made[i].Board);
        return made;
    }();
    return records.get();
}

class Replay {
public:
    Replay() : records_(ReplayRecords())
    {
        records_[0] = Positions[0];
        GenerateMovesOf(records_[0]);
    }

    // Plays code from ply into ply + 1 and generates the moves there.
    bool Play(int ply, int code)
    {
        PositionRecord& from = records_[ply];
        if (code >= from.MoveCount) return false;
        MoveEntry entry = from.Moves[code];
        PositionRecord& to = records_[ply + 1];
        if (!PlayMoveInto(from, entry, to, PlayMode::Make)) return false;
        GenerateMovesOf(to);
        return true;
    }

private:
    PositionRecord* records_;
};

} // namespace

bool CheckMoveStream(std::string* why)
{
    if (MoveNodeCount < 0 || MoveNodeCount > MoveNodeCapacity)
        return Fail(why, MoveNodeCount, "node count outside the stream");
    Replay replay;
    std::vector<Line> open;
    Line line{0, -1, 0};
    for (int i = 0; i < MoveNodeCount; ++i) {
        const MoveNode& node = MoveNodes[i];
        switch (node.Kind) {
        case NodeKind::nkMove:
            if (line.Ply >= MaxPly) return Fail(why, i, "move played from beyond the last ply");
            if (!replay.Play(line.Ply, node.Code))
                return Fail(why, i, "move code not a legal move of its position");
            line = Line{line.Ply + 1, line.Ply, node.Code};
            break;
        case NodeKind::nkVariationStart:
            if (line.LastFrom < 0)
                return Fail(why, i, "variation start with no move before it in its line");
            open.push_back(line);
            line = Line{line.LastFrom, -1, 0};
            break;
        case NodeKind::nkVariationEnd:
            if (open.empty()) return Fail(why, i, "variation end without a start");
            line = open.back();
            open.pop_back();
            // The variation overwrote the records after the move it replaces.
            if (!replay.Play(line.LastFrom, line.LastCode))
                return Fail(why, i, "move before the variation cannot be replayed");
            break;
        case NodeKind::nkNag:
            if (node.Code == 0) return Fail(why, i, "NAG code 0");
            break;
        case NodeKind::nkComment:
            if (node.TextPos >= CommentList.size())
                return Fail(why, i, "comment index outside CommentList");
            break;
        default:
            return Fail(why, i, "unknown node kind");
        }
    }
    if (!open.empty()) return Fail(why, MoveNodeCount, "variation not closed");
    return true;
}
