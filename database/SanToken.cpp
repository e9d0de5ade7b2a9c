#include "database/SanToken.h"

#include "rules/Board.h"
#include "rules/MakeMove.h"
#include "rules/MoveLookup.h"

const std::array<std::uint8_t, 256> SanCharClass = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = '0'; c <= '8'; ++c)
        t[c] = 1;
    for (int c = 'a'; c <= 'h'; ++c)
        t[c] = 2;
    for (unsigned char c : {'B', 'K', 'N', 'Q', 'R'})
        t[c] = 3;
    for (unsigned char c : {'-', '=', 'O', 'x'})
        t[c] = 4;
    return t;
}();

namespace {

// The piece type of a letter among the letters of knight .. king, 0 for none.
int PieceOfLetter(char c, std::string_view letters)
{
    if (c < 'A' || c > 'Z') return 0;
    // A loop: five letters cost less than a library search.
    for (std::size_t at = 0; at < letters.size(); ++at)
        if (letters[at] == c) return static_cast<int>(at) + Piece::Knight;
    return 0;
}

// Castling: "O-O" or "0-0", and "-O" or "-0" once more for the queen side.
bool IsCastling(std::string_view text, bool queenSide)
{
    const std::size_t size = queenSide ? 4 : 3;
    if (text.size() < size || (text[0] != 'O' && text[0] != '0')) return false;
    const char o = text[0];
    return text[1] == '-' && text[2] == o && (!queenSide || text[3] == '-');
}

} // namespace

SanToken ReadSanToken(std::string_view text)
{
    return ReadSanToken(text, "NBRQK");
}

SanToken ReadSanToken(std::string_view text, std::string_view letters)
{
    SanToken t;
    if (IsCastling(text, true)) {
        t.Piece = Piece::King;
        t.ToFile = 2;
        return t;
    }
    if (IsCastling(text, false)) {
        t.Piece = Piece::King;
        t.ToFile = 6;
        return t;
    }
    bool rankMet = false;
    bool fileMet = false;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        const char c = *it;
        if (c >= '0' && c <= '8') {
            // "0" is met but names no rank.
            const int rank = c == '0' ? -1 : c - '1';
            if (!rankMet)
                t.ToRank = rank;
            else
                t.FromRank = rank;
            rankMet = true;
        } else if (c >= 'a' && c <= 'h') {
            if (!fileMet)
                t.ToFile = c - 'a';
            else
                t.FromFile = c - 'a';
            fileMet = true;
        } else if (const int piece = PieceOfLetter(c, letters)) {
            if (!rankMet && !fileMet)
                t.Promotion = piece;
            else
                t.Piece = piece;
        }
    }
    return t;
}

int MatchSanToken(const SanToken& token, bool* untested)
{
    if (untested) *untested = false;
    if (token.ToFile < 0) return SanNotAMove;
    PositionRecord& position = Positions[CurrentPly];
    // The entries that fit the token, in list order.
    int candidates[MaxMoves];
    int count = 0;
    // With the target rank given (nearly every token) one compare rejects.
    const int target = token.ToRank >= 0 ? SquareOf(token.ToFile, token.ToRank) : -1;
    for (int j = 0; j < position.MoveCount; ++j) {
        const MoveEntry& e = position.Moves[j];
        if (target >= 0 ? e.To != target : FileOf(e.To) != token.ToFile) continue;
        if (e.Flags & MoveFlags::Illegal) continue;
        const bool sameRank = target >= 0 || RankOf(e.To) == token.ToRank || token.ToRank < 0;
        const bool sameFromFile = token.FromFile < 0 || FileOf(e.From) == token.FromFile;
        const bool sameFromRank = token.FromRank < 0 || RankOf(e.From) == token.FromRank;
        if (!sameRank || !sameFromFile || !sameFromRank) continue;
        // Another piece than the token's counts only in long algebraic
        // notation, where all three coordinates are given ("g1f3").
        if ((position.Board[e.From] & Piece::TypeMask) != token.Piece &&
            (token.ToRank < 0 || token.FromFile < 0 || token.FromRank < 0))
            continue;
        if (e.Promotion != 0 && (e.Promotion & Piece::TypeMask) != token.Promotion) continue;
        candidates[count++] = j;
    }
    // A single candidate is tested by playing it, when the caller allows.
    if (count == 1 && untested) {
        *untested = true;
        return candidates[0];
    }
    int found = SanNoMatch;
    for (int k = 0; k < count; ++k) {
        if (!TestMoveLegal(candidates[k])) continue;
        if (found >= 0) return SanAmbiguous;
        found = candidates[k];
    }
    return found;
}

SanMove FindSanMove(const SanToken& token, const BoardSets& sets, bool* untested, bool notInCheck)
{
    if (untested) *untested = false;
    SanMove result;
    if (token.ToFile < 0 || token.ToRank < 0) {
        result.Index = SanNotAMove;
        return result;
    }
    const PositionRecord& position = Positions[CurrentPly];
    const int target = SquareOf(token.ToFile, token.ToRank);
    // All three coordinates given: whatever piece stands on the origin.
    const bool wholeOrigin = token.FromFile >= 0 && token.FromRank >= 0;
    SquareSet origins = ~SquareSet{0};
    if (wholeOrigin)
        origins = SquareBit(SquareOf(token.FromFile, token.FromRank));
    else if (token.FromFile >= 0)
        origins = FileSquares(token.FromFile);
    else if (token.FromRank >= 0)
        origins = RankSquares(token.FromRank);
    FoundMove found[64];
    const int count =
        FindMovesTo(position, sets, target, wholeOrigin ? 0 : token.Piece, origins, found, 64);
    FoundMove candidates[64];
    int fitting = 0;
    for (int k = 0; k < count; ++k) {
        const MoveEntry& e = found[k].Entry;
        if (e.Promotion == 0 || (e.Promotion & Piece::TypeMask) == token.Promotion)
            candidates[fitting++] = found[k];
    }
    if (fitting == 1 && untested) {
        *untested = true;
        return {candidates[0].Index, candidates[0].Entry};
    }
    for (int k = 0; k < fitting; ++k) {
        if (!TestGivenMove(candidates[k].Entry, notInCheck)) continue;
        if (result.Index >= 0) return {SanAmbiguous, {}};
        result = {candidates[k].Index, candidates[k].Entry};
    }
    return result;
}
