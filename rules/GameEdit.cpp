#include "rules/GameEdit.h"

#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/StreamEdit.h"

#include <algorithm>

int DeleteWeight = 0;

namespace {

NodeKind KindAt(int i)
{
    return MoveNodes[i].Kind;
}

// Walks forward from `from` counting comments and variations into
// DeleteWeight; the index of the variation end that closes the enclosing
// line, or MoveNodeCount when the stream ends first.
int ScanToLineEnd(int from)
{
    int depth = 0;
    for (int i = from; i < MoveNodeCount; ++i) {
        switch (KindAt(i)) {
        case NodeKind::nkComment:
            ++DeleteWeight;
            break;
        case NodeKind::nkVariationStart:
            ++depth;
            DeleteWeight += 2;
            break;
        case NodeKind::nkVariationEnd:
            if (--depth < 0) return i;
            break;
        default:
            break;
        }
    }
    return MoveNodeCount;
}

} // namespace

bool InsertNode(int at, std::uint8_t kind, std::uint8_t code, std::uint32_t textPos)
{
    const MoveNode node{textPos, 0, static_cast<NodeKind>(kind), code};
    return ReplaceNodes(at, 0, std::span<const MoveNode>(&node, 1));
}

void RemoveNodes(int at, int count)
{
    ReplaceNodes(at, std::clamp(count, 0, MoveNodeCount - at), {});
}

std::optional<DeletionRange> PlanDeletion()
{
    DeleteWeight = 0;
    if (MoveNodeCount <= 0) return std::nullopt;
    const int c = CurrentPly > 0 ? Positions[CurrentPly - 1].PlayedNode : -1;
    int s = c - 1;
    while (s >= 0 && (KindAt(s) == NodeKind::nkVariationEnd || KindAt(s) == NodeKind::nkNag ||
                      KindAt(s) == NodeKind::nkComment))
        --s;
    if (c > 0 && s >= 0 && KindAt(s) == NodeKind::nkVariationStart) {
        const int end = ScanToLineEnd(s + 1);
        return DeletionRange{s, std::min<int>(end + 1, MoveNodeCount) - s};
    }
    const int from = std::max(c, 0);
    const int end = ScanToLineEnd(c + 1);
    return DeletionRange{from, end - from};
}

int CommentAfterPlace(int move)
{
    int i = move + 1;
    while (i < MoveNodeCount && KindAt(i) == NodeKind::nkNag)
        ++i;
    return i;
}

std::string CommentAt(int i)
{
    if (i < 0 || i >= MoveNodeCount || KindAt(i) != NodeKind::nkComment) return {};
    const std::uint32_t index = MoveNodes[i].TextPos;
    return index < CommentList.size() ? CommentList[index] : std::string();
}

bool SetCommentAt(int i, const std::string& text)
{
    const bool there = i >= 0 && i < MoveNodeCount && KindAt(i) == NodeKind::nkComment &&
                       MoveNodes[i].TextPos < CommentList.size();
    if (text.empty()) {
        if (there) RemoveNodes(i, 1);
        return true;
    }
    if (there) {
        CommentList[MoveNodes[i].TextPos] = text;
        return true;
    }
    if (!InsertNode(i, static_cast<std::uint8_t>(NodeKind::nkComment), 0,
                    static_cast<std::uint32_t>(CommentList.size())))
        return false;
    CommentList.push_back(text);
    return true;
}

std::string CommentBefore(int move)
{
    return CommentAt(move - 1);
}

bool SetCommentBefore(int move, const std::string& text)
{
    const int b = move - 1;
    if (b >= 0 && KindAt(b) == NodeKind::nkComment) return SetCommentAt(b, text);
    return text.empty() || SetCommentAt(move, text);
}

std::string CycleDiagramMark(std::string text)
{
    const std::size_t mark = text.find('#');
    const std::size_t twice = text.find("##");
    std::string out;
    out.reserve(text.size() + 1);
    if (mark == std::string::npos) {
        out.push_back('#');
        out.append(text);
    } else if (twice != std::string::npos) {
        out.append(text, 0, twice).append(text, twice + 2, std::string::npos);
    } else {
        out.append(text, 0, mark).push_back('#');
        out.append(text, mark, std::string::npos);
    }
    return out;
}
