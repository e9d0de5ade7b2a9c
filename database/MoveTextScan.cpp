#include "database/MoveTextScan.h"

#include "database/ScanSteps.h"

#include <array>
#include <cstring>

std::int32_t ScanMaxMoveNumber = 0;
std::int32_t ScanVariationCount = 0;
std::int32_t ScanCommentWeight = 0;

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The three characters at q are a win result. Reading stops at the first
// mismatch, so it never goes past a NUL.
bool IsWinAt(const char* q)
{
    return (q[0] == '1' && q[1] == '-' && q[2] == '0') ||
           (q[0] == '0' && q[1] == '-' && q[2] == '1');
}

bool IsHalfAt(const char* q)
{
    return q[0] == '1' && q[1] == '/' && q[2] == '2';
}

// "1/2" at q and again four characters later (not across a "[").
bool IsDrawAt(const char* q)
{
    return IsHalfAt(q) && q[3] != '\0' && q[3] != '[' && IsHalfAt(q + 4);
}

} // namespace

bool IsOutsideComment(const char* p)
{
    const char* brace = std::strpbrk(p + 1, "{}");
    return !brace || *brace == '{';
}

MoveTextStart MoveTextStartAt(const char* p)
{
    if (*p == '{') return MoveTextStart::Comment;
    if (*p == '*' || IsWinAt(p) || IsDrawAt(p)) return MoveTextStart::Result;
    if (!IsDigit(*p)) return MoveTextStart::None;
    const char* q = p + 1;
    while (IsDigit(*q))
        ++q;
    PgnScanSteps += static_cast<std::uint64_t>(q - p);
    const unsigned char after = static_cast<unsigned char>(*q);
    if (after == '.' || (after != 0 && after <= 0x20)) return MoveTextStart::MoveNumber;
    return MoveTextStart::None;
}

const char* NextMoveTextCandidate(const char* p)
{
    if (!IsDigit(*p) || !IsDigit(p[1])) return p + 1;
    const char* q = p + 1;
    while (IsDigit(q[1]))
        ++q;
    PgnScanSteps += static_cast<std::uint64_t>(q - p);
    return q;
}

namespace {

// Character classes of the move-text scan.
// Other, Digit and Letter come first: the common characters of move text.
enum class ScanClass : std::uint8_t {
    Other,
    Digit,
    Letter,
    End,
    Open,
    Close,
    VarOpen,
    VarClose,
    Dollar,
    Bracket,
    Star
};

constexpr std::array<ScanClass, 256> MakeScanClasses()
{
    std::array<ScanClass, 256> classes{};
    for (int c = '0'; c <= '9'; ++c)
        classes[c] = ScanClass::Digit;
    for (int c = 'A'; c <= 'Z'; ++c)
        classes[c] = ScanClass::Letter;
    for (int c = 'a'; c <= 'z'; ++c)
        classes[c] = ScanClass::Letter;
    classes[0] = ScanClass::End;
    classes['{'] = ScanClass::Open;
    classes['}'] = ScanClass::Close;
    classes['('] = ScanClass::VarOpen;
    classes[')'] = ScanClass::VarClose;
    classes['$'] = ScanClass::Dollar;
    classes['['] = ScanClass::Bracket;
    classes['*'] = ScanClass::Star;
    return classes;
}
constexpr std::array<ScanClass, 256> ScanClasses = MakeScanClasses();

ScanClass ClassOf(char c)
{
    return ScanClasses[static_cast<unsigned char>(c)];
}

// Inside a comment only braces count: the next one, or the NUL.
const char* NextBrace(const char* q)
{
    const char* brace = std::strpbrk(q, "{}");
    return brace ? brace : q + std::strlen(q);
}

// Inside a variation: the next brace, parenthesis, "[" or "$", or the NUL.
const char* NextVariationMark(const char* q)
{
    const char* mark = std::strpbrk(q, "{}()[$");
    return mark ? mark : q + std::strlen(q);
}

} // namespace

const char* ScanGameMoveText(const char* start, MoveTextStart kind)
{
    ScanMaxMoveNumber = 0;
    ScanVariationCount = 0;
    ScanCommentWeight = 0;

    if (kind == MoveTextStart::Result) {
        const char* q = start;
        while (static_cast<unsigned char>(*q) > 0x20 && *q != '[' && *q != '{')
            ++q;
        return q;
    }

    bool inComment = false;
    int depth = 0;
    std::int32_t number = 0;
    bool tokenHasNonDigit = false;
    for (const char* q = start;; ++q) {
        if (inComment)
            q = NextBrace(q);
        else if (depth != 0)
            q = NextVariationMark(q);
        const char c = *q;
        const ScanClass cls = ClassOf(c);

        if (cls > ScanClass::Letter) {
            switch (cls) {
            case ScanClass::End:
                return q;
            case ScanClass::Open:
                inComment = true;
                ++ScanCommentWeight;
                break;
            case ScanClass::Close:
                // A "}" outside a comment closes nothing and counts nothing.
                if (inComment && IsOutsideComment(q)) {
                    inComment = false;
                    ++ScanCommentWeight;
                }
                break;
            case ScanClass::VarOpen:
                if (!inComment) {
                    ++depth;
                    ++ScanVariationCount;
                }
                break;
            case ScanClass::VarClose:
                // An unmatched ")" is ignored, so the scan can still reach depth 0.
                if (!inComment && depth > 0) --depth;
                break;
            case ScanClass::Dollar:
                if (!inComment) ++ScanCommentWeight;
                break;
            case ScanClass::Bracket:
                // The next game's tags end this game, whatever its depth.
                if (!inComment) return q;
                break;
            default:
                break;
            }
            if (inComment || depth != 0) continue;
            if (cls == ScanClass::Star) return q + 1;
        }

        // At depth 0 outside comments: a result in the next characters ends the game.
        if ((q[1] == '1' || q[1] == '0') && IsWinAt(q + 1)) return q + 4;
        if (q[1] == '1' && IsDrawAt(q + 1)) return q + 7;

        // Move numbers: a token of digits only, ended by any character that is
        // not a letter, digit or "$".
        if (cls == ScanClass::Digit) {
            if (!tokenHasNonDigit) {
                if (number < ScanMoveNumberCap) number = number * 10 + (c - '0');
                if (number > ScanMoveNumberCap) number = ScanMoveNumberCap;
            }
        } else if (cls == ScanClass::Letter || cls == ScanClass::Dollar) {
            tokenHasNonDigit = true;
            // The rest of a move token counts for nothing: skip it. Moving past
            // q[1] leaves out the result test of the character after it, so
            // stop where that one may start a result ("Nc61-0").
            for (;;) {
                const ScanClass k = ClassOf(q[1]);
                if (k == ScanClass::Other || k > ScanClass::Letter || q[2] == '0' || q[2] == '1')
                    break;
                ++q;
            }
        } else {
            if (number > ScanMaxMoveNumber) ScanMaxMoveNumber = number;
            number = 0;
            tokenHasNonDigit = false;
        }
    }
}
