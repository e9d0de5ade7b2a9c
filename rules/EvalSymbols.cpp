#include "rules/EvalSymbols.h"

#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"
#include "rules/StreamEdit.h"

#include <algorithm>

EvalSlots EvalSymbols{};
EvalSlots EvalBackup{};
std::vector<std::uint8_t> EvalSurplus;
std::vector<std::uint8_t> EvalSurplusBackup;
std::uint32_t EvalFirst = 0;
std::uint32_t EvalCount = 0;

namespace {

constexpr std::uint8_t BetterIs = 142;
constexpr std::uint8_t WithTheIdea = 140;

// What a class button leaves standing and what it puts back behind its own
// symbol; 0 fills unused entries.
struct ClassRule {
    std::uint8_t Tag;
    bool BySide;
    std::array<std::uint8_t, 2> Keep;
    std::array<std::uint8_t, 2> Remember;
};

constexpr ClassRule ClassRules[] = {
    {10, false, {}, {14, 15}},   // equal position
    {13, false, {}, {}},         // unclear
    {45, true, {}, {14, 15}},    // compensation
    {14, false, {10, 11}, {16}}, // White slightly better
    {15, false, {10, 11}, {17}}, // Black slightly better
    {16, false, {14}, {18}},     // White has the upper hand
    {17, false, {15}, {19}},     // Black has the upper hand
    {18, false, {16}, {}},       // White decisive
    {19, false, {17}, {}},       // Black decisive
};

bool Holds(const std::array<std::uint8_t, 2>& codes, std::uint8_t code)
{
    return code != 0 && std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool IsPrefixNag(std::uint8_t code)
{
    return code == BetterIs || code == WithTheIdea;
}

// An "other" symbol: one that a later other symbol replaces.
bool IsReplaceableOther(std::uint8_t code)
{
    return code >= 24 && !IsPrefixNag(code);
}

// The first of slots 1..7 that is empty or replaceable gets code.
template <typename Replaceable>
void PutFirst(std::uint8_t code, Replaceable replaceable)
{
    for (int i = 1; i < EvalSlotCount; ++i)
        if (EvalSymbols[i] == 0 || replaceable(EvalSymbols[i])) {
            EvalSymbols[i] = code;
            return;
        }
}

void PutFree(std::uint8_t code)
{
    PutFirst(code, [](std::uint8_t) { return false; });
}

void PutClass(const ClassRule& rule, int p)
{
    std::uint8_t remembered = 0;
    for (int i = 1; i < EvalSlotCount; ++i) {
        const std::uint8_t code = EvalSymbols[i];
        if (!IsPositionClassNag(code) || Holds(rule.Keep, code)) continue;
        if (Holds(rule.Remember, code)) remembered = code;
        EvalSymbols[i] = 0;
    }
    PutFree(static_cast<std::uint8_t>(rule.BySide ? rule.Tag - p : rule.Tag));
    if (remembered != 0) PutFree(remembered);
}

// True while the run loaded at EvalFirst is still the symbol run of the move
// played into the position shown.
bool RunStillLoaded()
{
    const int move = CurrentMoveNode();
    if (EvalFirst == 0 || move < 0 || static_cast<std::uint32_t>(move) + 1 != EvalFirst ||
        MoveNodes[move].Kind != NodeKind::nkMove)
        return false;
    const std::uint32_t end = EvalFirst + EvalCount;
    if (end > static_cast<std::uint32_t>(MoveNodeCount)) return false;
    for (std::uint32_t i = EvalFirst; i < end; ++i)
        if (MoveNodes[i].Kind != NodeKind::nkNag) return false;
    return end == static_cast<std::uint32_t>(MoveNodeCount) ||
           MoveNodes[end].Kind != NodeKind::nkNag;
}

MoveNode NagNode(std::uint8_t code)
{
    return MoveNode{0, 0, NodeKind::nkNag, code};
}

} // namespace

bool IsAssessmentNag(int code)
{
    return code < 10 || code == 22 || code == 23;
}

bool IsPositionClassNag(int code)
{
    return (code >= 10 && code <= 21) || code == 44 || code == 45;
}

int EvalWhiteMoved()
{
    if (CurrentPly < 1 || CurrentPly > LineRecords) return 0;
    return Positions[CurrentPly - 1].SideToMove == 0 ? 1 : 0;
}

void LoadEvalSymbols(std::uint32_t first)
{
    EvalFirst = first;
    EvalSymbols.fill(0);
    EvalSurplus.clear();
    std::uint32_t i = first;
    int next = 1;
    while (first != 0 && i < static_cast<std::uint32_t>(MoveNodeCount) &&
           MoveNodes[i].Kind == NodeKind::nkNag) {
        const std::uint8_t code = MoveNodes[i++].Code;
        if (IsAssessmentNag(code))
            EvalSymbols[0] = code; // a later assessment replaces an earlier one
        else if (next < EvalSlotCount)
            EvalSymbols[next++] = code;
        else
            EvalSurplus.push_back(code);
    }
    EvalCount = i - first;
}

bool ShowEvalSymbols()
{
    const int move = CurrentMoveNode();
    const bool bound = move >= 0 && MoveNodes[move].Kind == NodeKind::nkMove;
    LoadEvalSymbols(bound ? static_cast<std::uint32_t>(move) + 1 : 0);
    EvalBackup = EvalSymbols;
    EvalSurplusBackup = EvalSurplus;
    return bound;
}

bool WriteEvalSymbols()
{
    if (!RunStillLoaded()) {
        LoadEvalSymbols(0);
        return false;
    }
    std::vector<MoveNode> run;
    run.reserve(EvalSlotCount + EvalSurplus.size());
    for (std::uint8_t code : EvalSymbols)
        if (code != 0) run.push_back(NagNode(code));
    for (std::uint8_t code : EvalSurplus)
        run.push_back(NagNode(code));
    const bool written =
        ReplaceNodes(static_cast<int>(EvalFirst), static_cast<int>(EvalCount), run);
    LoadEvalSymbols(EvalFirst);
    return written;
}

void PressEvalButton(EvalFamily family, int tag)
{
    const int p = EvalWhiteMoved();
    const auto code = static_cast<std::uint8_t>(tag);
    switch (family) {
    case EvalFamily::Assessment:
        EvalSymbols[0] = code;
        break;
    case EvalFamily::Zugzwang:
        EvalSymbols[0] = static_cast<std::uint8_t>(tag - p);
        break;
    case EvalFamily::Other:
        PutFirst(code, IsReplaceableOther);
        break;
    case EvalFamily::OtherBySide:
        PutFirst(static_cast<std::uint8_t>(tag - p), IsReplaceableOther);
        break;
    case EvalFamily::Prefix:
        PutFirst(code, IsPrefixNag);
        break;
    case EvalFamily::Class: {
        const auto rule = std::find_if(std::begin(ClassRules), std::end(ClassRules),
                                       [code](const ClassRule& r) { return r.Tag == code; });
        if (rule != std::end(ClassRules)) PutClass(*rule, p);
        break;
    }
    case EvalFamily::Undo:
        EvalSymbols = EvalBackup;
        EvalSurplus = EvalSurplusBackup;
        break;
    case EvalFamily::ClearAll:
        EvalSymbols.fill(0);
        EvalSurplus.clear();
        break;
    }
}

bool SetMoveAssessment(int nag)
{
    const int move = CurrentMoveNode();
    if (nag < 1 || nag > 6 || move < 0 || MoveNodes[move].Kind != NodeKind::nkMove) return false;
    const int at = move + 1;
    if (at < MoveNodeCount && MoveNodes[at].Kind == NodeKind::nkNag && MoveNodes[at].Code >= 1 &&
        MoveNodes[at].Code <= 6) {
        MoveNodes[at].Code = static_cast<std::uint8_t>(nag);
        return true;
    }
    const MoveNode node = NagNode(static_cast<std::uint8_t>(nag));
    return ReplaceNodes(at, 0, {&node, 1});
}
