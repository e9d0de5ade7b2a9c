#include "database/MoveTextScan.h"

#include <cstring>

std::int32_t ScanMaxMoveNumber = 0;
std::int32_t ScanVariationCount = 0;
std::int32_t ScanCommentWeight = 0;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsTokenChar(char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$';
}

// The three characters at q are a win result. Reading stops at the first
// mismatch, so it never goes past a NUL.
bool IsWinAt(const char* q)
{
    return (q[0] == '1' && q[1] == '-' && q[2] == '0') ||
           (q[0] == '0' && q[1] == '-' && q[2] == '1');
}

bool IsHalfAt(const char* q) { return q[0] == '1' && q[1] == '/' && q[2] == '2'; }

// "1/2" at q and again four characters later.
bool IsDrawAt(const char* q) { return IsHalfAt(q) && q[3] != '\0' && IsHalfAt(q + 4); }

} // namespace

bool IsOutsideComment(const char* p)
{
    const char* brace = std::strpbrk(p + 1, "{}");
    return !brace || *brace == '{';
}

MoveTextStart MoveTextStartAt(const char* p)
{
    if (*p == '{')
        return MoveTextStart::Comment;
    if (*p == '*' || IsWinAt(p) || IsDrawAt(p))
        return MoveTextStart::Result;
    if (!IsDigit(*p))
        return MoveTextStart::None;
    const char* q = p + 1;
    while (IsDigit(*q))
        ++q;
    const unsigned char after = static_cast<unsigned char>(*q);
    if (after == '.' || (after != 0 && after <= 0x20))
        return MoveTextStart::MoveNumber;
    return MoveTextStart::None;
}

const char* ScanGameMoveText(const char* start, MoveTextStart kind)
{
    ScanMaxMoveNumber = 0;
    ScanVariationCount = 0;
    ScanCommentWeight = 0;

    if (kind == MoveTextStart::Result) {
        const char* q = start;
        while (static_cast<unsigned char>(*q) > 0x20)
            ++q;
        return q;
    }

    bool inComment = false;
    int depth = 0;
    std::int32_t number = 0;
    bool tokenHasNonDigit = false;
    for (const char* q = start;; ++q) {
        const char c = *q;
        switch (c) {
        case '\0':
            return q;
        case '{':
            inComment = true;
            ++ScanCommentWeight;
            break;
        case '}':
            if (IsOutsideComment(q)) {
                inComment = false;
                ++ScanCommentWeight;
            }
            break;
        case '(':
            if (!inComment) {
                ++depth;
                ++ScanVariationCount;
            }
            break;
        case ')':
            // An unmatched ")" is ignored, so the scan can still reach depth 0.
            if (!inComment && depth > 0)
                --depth;
            break;
        case '$':
            if (!inComment)
                ++ScanCommentWeight;
            break;
        case '[':
            // The next game's tags end this game, whatever its depth.
            if (!inComment)
                return q;
            break;
        default:
            break;
        }
        if (inComment || depth != 0)
            continue;

        if (c == '*')
            return q + 1;
        if (q[1] != '\0' && IsWinAt(q + 1))
            return q + 4;
        if (q[1] != '\0' && IsDrawAt(q + 1))
            return q + 7;

        if (!IsTokenChar(c)) {
            if (number > ScanMaxMoveNumber)
                ScanMaxMoveNumber = number;
            number = 0;
            tokenHasNonDigit = false;
        } else if (IsDigit(c) && !tokenHasNonDigit) {
            if (number < ScanMoveNumberCap)
                number = number * 10 + (c - '0');
            if (number > ScanMoveNumberCap)
                number = ScanMoveNumberCap;
        } else {
            tokenHasNonDigit = true;
        }
    }
}
