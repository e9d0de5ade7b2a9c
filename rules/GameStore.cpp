#include "rules/GameStore.h"

#include "rules/Board.h"
#include "rules/MakeMove.h"

#include <algorithm>

MoveNode MoveNodes[MoveNodeCapacity];
std::int32_t MoveNodeCount = 0;
std::vector<std::string> CommentList;
std::int32_t GameResult = -1;

int NextMoveSameDepth(int node)
{
    int depth = 0;
    for (int i = std::max(node + 1, 0); i < MoveNodeCount; ++i) {
        switch (MoveNodes[i].Kind) {
        case NodeKind::nkVariationStart:
            ++depth;
            break;
        case NodeKind::nkVariationEnd:
            if (--depth < 0) return -1;
            break;
        case NodeKind::nkMove:
            if (depth == 0) return i;
            break;
        default:
            break;
        }
    }
    return -1;
}

namespace {

// Where a move played at the current position goes in the stream.
struct Placement {
    int Node;     // the node followed, or the insertion point
    int Inserted; // 0 follow, 1 one move node, 3 a new variation
};

// The scan of the stream for the move index played from CurrentPly. atEnd
// is taken from the stream itself (no move continues the line after prev),
// so a stale LineLength cannot put a move into the wrong position's line.
Placement PlaceMove(int index, int prev)
{
    const int cont = NextMoveSameDepth(prev);
    const bool atEnd = cont < 0;
    if (!atEnd && MoveNodes[cont].Code == index) return {cont, 0};
    const int inserted = atEnd ? 1 : 3;

    int depth = 0;
    bool variationJustStarted = false;
    for (int i = atEnd ? prev + 1 : cont + 1; i < MoveNodeCount; ++i) {
        const MoveNode& node = MoveNodes[i];
        switch (node.Kind) {
        case NodeKind::nkVariationStart:
            ++depth;
            variationJustStarted = true;
            break;
        case NodeKind::nkMove:
            if (depth == 0) return {i, inserted}; // only reached when not atEnd
            if (depth == 1 && variationJustStarted && !atEnd && node.Code == index) return {i, 0};
            variationJustStarted = false;
            break;
        case NodeKind::nkVariationEnd:
            if (--depth < 0) return {i, inserted};
            break;
        default:
            break;
        }
    }
    return {MoveNodeCount, inserted};
}

} // namespace

std::uint8_t AddMoveToTree(int index)
{
    if (CurrentPly < 0 || CurrentPly >= MaxPly) return 0;
    const int prev = CurrentPly >= 1 ? Positions[CurrentPly - 1].PlayedNode : -1;
    if (prev < -1 || prev >= MoveNodeCount) return 0;
    const Placement place = PlaceMove(index, prev);
    // A full stream refuses the move before anything is played.
    if (MoveNodeCount + place.Inserted > MoveNodeCapacity) return 0;
    if (!MakeMove(index)) return 0;

    int link = place.Node;
    if (place.Inserted > 0) {
        std::copy_backward(MoveNodes + place.Node, MoveNodes + MoveNodeCount,
                           MoveNodes + MoveNodeCount + place.Inserted);
        const MoveNode move{0, 0, NodeKind::nkMove, static_cast<std::uint8_t>(index)};
        if (place.Inserted == 1) {
            MoveNodes[place.Node] = move;
        } else {
            MoveNodes[place.Node] = MoveNode{0, 0, NodeKind::nkVariationStart, 0};
            MoveNodes[place.Node + 1] = move;
            MoveNodes[place.Node + 2] = MoveNode{0, 0, NodeKind::nkVariationEnd, 0};
            link = place.Node + 1;
        }
        MoveNodeCount += place.Inserted;
    }
    Positions[CurrentPly - 1].PlayedNode = link;
    AnnotateLastMove();
    return 1;
}
