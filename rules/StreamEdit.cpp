#include "rules/StreamEdit.h"

#include "rules/Board.h"
#include "rules/Navigation.h"

#include <algorithm>

namespace {

// Moves every link at or behind node from by delta.
void ShiftLinks(int from, int delta)
{
    const int plies = std::clamp(std::max<int>(LineLength, CurrentPly), 0, LineRecords);
    for (int p = 0; p < plies; ++p)
        if (Positions[p].PlayedNode >= from) Positions[p].PlayedNode += delta;
    const int entries =
        std::min(static_cast<int>(LineAlternatives.size()), static_cast<int>(LineAlternativeCount));
    for (int k = 0; k < entries; ++k)
        if (LineAlternatives[k] >= from) LineAlternatives[k] += delta;
}

} // namespace

bool ReplaceNodes(int first, int count, std::span<const MoveNode> nodes)
{
    if (first < 0 || count < 0 || first > MoveNodeCount || count > MoveNodeCount - first)
        return false;
    if (nodes.size() > static_cast<std::size_t>(MoveNodeCapacity - (MoveNodeCount - count)))
        return false;
    const int inserted = static_cast<int>(nodes.size());
    const int delta = inserted - count;
    MoveNode* tail = MoveNodes + first + count;
    MoveNode* end = MoveNodes + MoveNodeCount;
    if (delta < 0)
        std::copy(tail, end, tail + delta);
    else if (delta > 0)
        std::copy_backward(tail, end, end + delta);
    std::copy(nodes.begin(), nodes.end(), MoveNodes + first);
    MoveNodeCount += delta;
    if (delta != 0) ShiftLinks(first + count, delta);
    return true;
}
