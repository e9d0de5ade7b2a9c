#include "rules/Navigation.h"

#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"

#include <algorithm>

std::vector<std::int32_t> LineAlternatives = [] {
    std::vector<std::int32_t> entries;
    entries.reserve(LineAlternativesCapacity);
    entries.push_back(-1);
    return entries;
}();
std::int32_t LineAlternativeCount = 0;

namespace {

// The node after the variation that starts at start (its end, or the stream's end).
int SkipVariation(int start)
{
    int depth = 0;
    for (int i = start; i < MoveNodeCount; ++i) {
        if (MoveNodes[i].Kind == NodeKind::nkVariationStart)
            ++depth;
        else if (MoveNodes[i].Kind == NodeKind::nkVariationEnd && --depth == 0)
            return i + 1;
    }
    return MoveNodeCount;
}

// The first move of the variation that starts at start, -1 when it holds no
// move before its end: the search never leaves the variation.
int FirstMoveOfVariation(int start)
{
    int depth = 0;
    for (int i = start; i < MoveNodeCount; ++i) {
        switch (MoveNodes[i].Kind) {
        case NodeKind::nkVariationStart:
            ++depth;
            break;
        case NodeKind::nkVariationEnd:
            if (--depth == 0) return -1;
            break;
        case NodeKind::nkMove:
            return i;
        default:
            break;
        }
    }
    return -1;
}

// Calls visit(first move) for each variation that follows main, in stream
// order, up to the next move, the end of the enclosing line or the stream.
// visit returns true to stop.
template <typename Visit>
void ForEachVariationOf(int main, Visit visit)
{
    int i = main + 1;
    while (i < MoveNodeCount) {
        const NodeKind kind = MoveNodes[i].Kind;
        if (kind == NodeKind::nkMove || kind == NodeKind::nkVariationEnd) return;
        if (kind == NodeKind::nkVariationStart) {
            const int first = FirstMoveOfVariation(i);
            if (first >= 0 && visit(first)) return;
            i = SkipVariation(i);
        } else {
            ++i;
        }
    }
}

// The moves of the line that holds anchor, from ply 0 (-1: the main line).
// Returns the count and sets anchorPly (-1 without an anchor).
int CollectLine(int anchor, std::array<std::int32_t, MaxPly>& path, int& anchorPly)
{
    int count = 0;
    anchorPly = -1;
    if (anchor >= 0) {
        int depth = 0;
        bool take = true;
        for (int i = anchor - 1; i >= 0 && count < MaxPly - 1; --i) {
            switch (MoveNodes[i].Kind) {
            case NodeKind::nkVariationEnd:
                ++depth;
                break;
            case NodeKind::nkVariationStart:
                if (--depth < 0) {
                    take = false;
                    depth = 0;
                }
                break;
            case NodeKind::nkMove:
                if (depth == 0) {
                    if (take) path[count++] = i;
                    take = true;
                }
                break;
            default:
                break;
            }
        }
        std::reverse(path.begin(), path.begin() + count);
        anchorPly = count;
        path[count++] = anchor;
    }
    int depth = 0;
    for (int i = anchor + 1; i < MoveNodeCount && count < MaxPly; ++i) {
        const NodeKind kind = MoveNodes[i].Kind;
        if (kind == NodeKind::nkVariationStart) {
            ++depth;
        } else if (kind == NodeKind::nkVariationEnd) {
            if (--depth < 0) break;
        } else if (kind == NodeKind::nkMove && depth == 0) {
            path[count++] = i;
        }
    }
    return count;
}

// Plays an alternative once so its notation flags are set, then steps back.
void PlayAlternative(int ply, int node)
{
    Positions[ply].PlayedNode = node;
    if (MakeMove(MoveNodes[node].Code)) {
        AnnotateLastMove();
        --CurrentPly;
    }
}

void Append(std::int32_t entry)
{
    LineAlternatives.push_back(entry);
}

} // namespace

namespace {

// Where each ply's group starts in LineAlternatives, for the line last built.
std::vector<int> GroupStart;

// The first ply whose move leaves the line shown, when that line can be kept
// up to there; 0 when everything must be replayed.
int KeptPlies(const std::array<std::int32_t, MaxPly>& path, int count)
{
    const int limit =
        std::min({count, static_cast<int>(LineLength), static_cast<int>(GroupStart.size())});
    int d = 0;
    while (d < limit && Positions[d].PlayedNode == path[d])
        ++d;
    // Ply d is replayed; its group must be one the last build recorded.
    if (d == static_cast<int>(GroupStart.size())) d = std::max(d - 1, 0);
    if (d > 0 && GroupStart[d] > static_cast<int>(LineAlternatives.size())) return 0;
    return d;
}

// replayed: plies 0 .. replayed - 1 of the line are already played and
// annotated in the records (with their alternatives), as a replay of the
// whole stream leaves them: only the line's bookkeeping is done for them.
void BuildLine(int node, bool keepPrefix, int replayed = 0)
{
    node = std::clamp(node, -1, MoveNodeCount - 1);
    int anchor = -1;
    for (int i = node; i >= 0; --i)
        if (MoveNodes[i].Kind == NodeKind::nkMove) {
            anchor = i;
            break;
        }

    std::array<std::int32_t, MaxPly> path;
    int anchorPly = -1;
    const int count = CollectLine(anchor, path, anchorPly);

    const int kept = keepPrefix ? KeptPlies(path, count) : 0;
    if (replayed != count) replayed = 0;
    for (int k = 0; k < replayed; ++k)
        if (Positions[k].PlayedNode != path[k]) replayed = 0;
    if (keepPrefix && kept == count && count == LineLength && count > 0) {
        CurrentPly = anchorPly >= 0 ? anchorPly + 1 : 0;
        return;
    }
    CurrentPly = kept;
    LineAlternatives.resize(kept > 0 ? GroupStart[kept] : 0);
    GroupStart.resize(kept);
    int entered = kept > 0 ? Positions[kept - 1].BranchCount : 0;
    int played = kept;
    for (int k = kept; k < count; ++k) {
        const int move = path[k];
        const int p = CurrentPly;
        PositionRecord& record = Positions[p];
        record.AlternativesIndex = -1;
        const int main = NextMoveSameDepth(p == 0 ? -1 : Positions[p - 1].PlayedNode);
        if (main < 0) break; // the stream does not hold this line
        const int group = static_cast<int>(LineAlternatives.size());
        GroupStart.push_back(group);
        Append(main);
        const bool held = k < replayed;
        if (main != move && !held) PlayAlternative(p, main);
        ForEachVariationOf(main, [&](int first) {
            if (record.AlternativesIndex == -1) record.AlternativesIndex = group;
            Append(first);
            if (first == move)
                ++entered;
            else if (!held)
                PlayAlternative(p, first);
            return false;
        });
        record.PlayedNode = move;
        if (held) {
            ++CurrentPly;
        } else if (!MakeMove(MoveNodes[move].Code)) {
            Append(-1); // the group stays closed; the line ends here
            GroupStart.pop_back();
            break;
        } else {
            AnnotateLastMove();
        }
        record.BranchCount = static_cast<std::uint8_t>(entered);
        Append(-1);
        ++played;
    }
    if (count > 0) LineLength = CurrentPly;
    LineAlternativeCount = static_cast<std::int32_t>(LineAlternatives.size());
    if (LineAlternatives.empty()) LineAlternatives.push_back(-1); // entry 0 reads as an empty group
    CurrentPly = (anchorPly >= 0 && played > anchorPly) ? anchorPly + 1 : 0;
}

} // namespace

void GoToNode(int node)
{
    BuildLine(node, false);
}

void StepToNode(int node)
{
    BuildLine(node, true);
}

void GoToNodeAfterReplay(int node, int plies)
{
    BuildLine(node, false, plies);
}

void GoToMovePath(const std::uint8_t* path)
{
    int last = -1;
    for (int k = 0; k < MovePathCapacity && path[k] != MovePathEnd; ++k) {
        const std::uint8_t code = path[k];
        const int main = NextMoveSameDepth(last);
        if (main < 0) break;
        if (MoveNodes[main].Code == code) {
            last = main;
            continue;
        }
        int found = -1;
        ForEachVariationOf(main, [&](int first) {
            if (MoveNodes[first].Code != code) return false;
            found = first;
            return true;
        });
        if (found < 0) break;
        last = found;
    }
    GoToNode(last);
}

MovePath CurrentMovePath()
{
    MovePath path;
    path.fill(MovePathEnd);
    const int plies = std::min<int>(CurrentPly, MovePathCapacity - 1);
    for (int p = 0; p < plies; ++p) {
        const int node = Positions[p].PlayedNode;
        if (node < 0 || node >= MoveNodeCount) break;
        path[p] = MoveNodes[node].Code;
    }
    return path;
}

// ---- Where the navigation commands go -----------------------------------------

int CurrentMoveNode()
{
    if (CurrentPly <= 0 || CurrentPly > LineLength) return -1;
    const int node = Positions[CurrentPly - 1].PlayedNode;
    return node >= 0 && node < MoveNodeCount ? node : -1;
}

std::optional<int> BackThroughLinesTarget()
{
    if (CurrentPly <= 0) return std::nullopt;
    return CurrentMoveNode() - 1;
}

std::optional<int> ForwardThroughLinesTarget()
{
    for (int i = CurrentMoveNode() + 1; i < MoveNodeCount; ++i)
        if (MoveNodes[i].Kind == NodeKind::nkMove) return i;
    return std::nullopt;
}

std::optional<int> NextLineTarget()
{
    for (int p = std::max(CurrentPly, 1); p <= LineLength; ++p) {
        const PositionRecord& record = Positions[p - 1];
        const int group = record.AlternativesIndex;
        if (group < 0) continue;
        const int last = LineAlternativeCount;
        for (int k = group; k < last && LineAlternatives[k] != -1; ++k) {
            if (LineAlternatives[k] != record.PlayedNode) continue;
            const bool wrap = k + 1 >= last || LineAlternatives[k + 1] == -1;
            return wrap ? LineAlternatives[group] : LineAlternatives[k + 1];
        }
        return std::nullopt; // the played move is not in its group: nothing to switch to
    }
    return std::nullopt;
}

std::optional<int> PreviousLineTarget()
{
    int depth = 0;
    for (int i = CurrentMoveNode() - 1; i >= 0; --i) {
        switch (MoveNodes[i].Kind) {
        case NodeKind::nkVariationStart:
            --depth;
            break;
        case NodeKind::nkVariationEnd:
            ++depth;
            break;
        case NodeKind::nkMove:
            if (depth < 0) return i;
            break;
        default:
            break;
        }
    }
    return -1;
}

std::optional<int> CaretTarget(int caret)
{
    if (MoveNodeCount <= 0) return std::nullopt;
    int i = 0;
    while (i < MoveNodeCount && !(MoveNodes[i].Kind == NodeKind::nkMove &&
                                  static_cast<int>(MoveNodes[i].TextPos) > caret))
        ++i;
    return i - 1;
}

// ---- Move paths as text ----------------------------------------------------

std::string MovePathToHex()
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (int p = 0; p < CurrentPly; ++p) {
        const int node = Positions[p].PlayedNode;
        if (node < 0 || node >= MoveNodeCount) break;
        const std::uint8_t code = MoveNodes[node].Code;
        hex += digits[code >> 4];
        hex += digits[code & 15];
    }
    return hex;
}

void HexToMovePath(const std::string& hex, std::uint8_t* path, int capacity)
{
    if (capacity <= 0) return;
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    int n = 0;
    for (std::size_t k = 0; k + 1 < hex.size() && n < capacity - 1; k += 2) {
        const int hi = value(hex[k]), lo = value(hex[k + 1]);
        if (hi < 0 || lo < 0) break;
        path[n++] = static_cast<std::uint8_t>(16 * hi + lo);
    }
    path[n] = MovePathEnd;
}
