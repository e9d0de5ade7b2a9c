#include "database/RtfBuffer.h"

#include "rules/NumText.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

std::vector<char> RtfBuffer(RtfBufferInitialSize, '\0');
RtfPos RtfPrologEnd = 0;
int RtfTextPos = 0;
std::size_t RtfBufferMaxSize = std::size_t{256} << 20;

void ResetRtfBuffer(std::size_t size)
{
    std::vector<char>(std::max(size, RtfBufferSlack + 1), '\0').swap(RtfBuffer);
    RtfPrologEnd = 0;
}

bool ReserveRtfRoom(RtfPos pos, std::size_t bytes)
{
    if (pos + bytes <= RtfBufferLimit()) return true;
    const std::size_t needed = pos + bytes + RtfBufferSlack;
    if (needed > RtfBufferMaxSize) return false;
    std::size_t size = RtfBuffer.size();
    while (size < needed)
        size += RtfBufferGrowth;
    size = std::min(size, std::max(RtfBufferMaxSize, RtfBuffer.size()));
    try {
        RtfBuffer.resize(size, '\0');
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

RtfPos PutRtf(RtfPos pos, std::string_view text)
{
    if (pos + text.size() > RtfBuffer.size()) ReserveRtfRoom(pos, text.size());
    const std::size_t room = pos < RtfBuffer.size() ? RtfBuffer.size() - pos : 0;
    const std::size_t count = std::min(room, text.size());
    if (count > 0) std::memcpy(RtfBuffer.data() + pos, text.data(), count);
    return pos + count;
}

RtfPos PutRtfByte(RtfPos pos, char byte)
{
    return PutRtf(pos, std::string_view(&byte, 1));
}

RtfPos PutRtfText(RtfPos pos, std::string_view text)
{
    const RtfPos end = PutRtf(pos, text);
    RtfTextPos += static_cast<int>(end - pos);
    return end;
}

RtfPos PutRtfNumber(RtfPos pos, int number, bool counted)
{
    if (number < 0) number = 0;
    std::string_view digits;
    char wide[12];
    if (number <= NumTextMax) {
        digits = std::string_view(NumText[number], NumTextLen[number]);
    } else {
        // NumText stops at 400: spell longer numbers out here.
        int at = sizeof wide;
        for (int n = number; n > 0; n /= 10)
            wide[--at] = static_cast<char>('0' + n % 10);
        digits = std::string_view(wide + at, sizeof wide - at);
    }
    return counted ? PutRtfText(pos, digits) : PutRtf(pos, digits);
}

RtfPos PutRtfPar(RtfPos pos)
{
    const RtfPos end = PutRtf(pos, "\\par");
    if (end == pos + 4) RtfTextPos += 2;
    return end;
}

std::string_view RtfTextFrom(RtfPos begin)
{
    if (begin >= RtfBuffer.size()) return {};
    const char* start = RtfBuffer.data() + begin;
    const char* stop = RtfBuffer.data() + RtfBuffer.size();
    return std::string_view(start, std::find(start, stop, '\0') - start);
}
