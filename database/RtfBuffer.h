// The notation document: one RTF text in RtfBuffer, written by direct
// stores. Positions in the document are byte offsets into RtfBuffer, so they
// stay valid when the buffer grows.
//
// RtfTextPos counts what the rich-edit control shows, from the start of the
// game header: a printable byte written as text counts 1 (0x80 and above
// included); "\par" counts 2; a one-character escape ("\'a2", "\_", "\{",
// "\}", "\\") counts 1, and so does "\uN?" (its fallback "?" is not shown);
// control words, the blank that ends one, and group braces count 0.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

using RtfPos = std::size_t;

constexpr std::size_t RtfBufferInitialSize = 60000;
constexpr std::size_t RtfBufferGrowth = 60000;
constexpr std::size_t RtfBufferSlack = 384; // room beyond RtfBufferLimit

// The document bytes; size() is the allocated size.
extern std::vector<char> RtfBuffer;
// Where the game header begins (the NUL after the prolog).
extern RtfPos RtfPrologEnd;
// Shown characters written since the start of the header.
extern int RtfTextPos;
// The buffer never grows past this many bytes; a render that would need
// more stops cleanly.
extern std::size_t RtfBufferMaxSize;

inline std::size_t RtfBufferSize()
{
    return RtfBuffer.size();
}
inline RtfPos RtfBufferLimit()
{
    return RtfBuffer.size() - RtfBufferSlack;
}

// Replaces the buffer by size zero bytes (at least RtfBufferSlack + 1) and
// sets RtfPrologEnd to 0.
void ResetRtfBuffer(std::size_t size = RtfBufferInitialSize);

// Makes sure that bytes more bytes can be written at pos without passing
// RtfBufferLimit, growing the buffer by steps of RtfBufferGrowth (content
// kept). False when it cannot grow that far.
bool ReserveRtfRoom(RtfPos pos, std::size_t bytes);

// Copies text to pos and returns the position after it. Grows the buffer
// when needed; what still does not fit is dropped, never written past the
// end. Nothing is counted.
RtfPos PutRtf(RtfPos pos, std::string_view text);
RtfPos PutRtfByte(RtfPos pos, char byte);

// The same, and counts every byte of text as one shown character.
RtfPos PutRtfText(RtfPos pos, std::string_view text);

// Writes the decimal text of a non-negative number (from NumText up to 400,
// longer numbers digit by digit); counts it when counted is set.
RtfPos PutRtfNumber(RtfPos pos, int number, bool counted);

// "\par", counted 2.
RtfPos PutRtfPar(RtfPos pos);

// The document text from begin up to (not including) the first NUL at or
// after it, or the end of the buffer.
std::string_view RtfTextFrom(RtfPos begin);
