#include "rules/NumText.h"

#include <charconv>

char NumText[NumTextMax + 1][4];
std::uint8_t NumTextLen[NumTextMax + 1];

void BuildNumText()
{
    for (int i = 0; i <= NumTextMax; ++i) {
        char* cell = NumText[i];
        const auto result = std::to_chars(cell, cell + 4, i);
        NumTextLen[i] = static_cast<std::uint8_t>(result.ptr - cell);
        for (char* rest = result.ptr; rest < cell + 4; ++rest)
            *rest = '\0';
    }
}
