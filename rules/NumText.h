// Decimal texts of the numbers 0..400, built once by InitGameStore.
#pragma once

#include <cstdint>

constexpr int NumTextMax = 400;
extern char NumText[NumTextMax + 1][4]; // digits, no terminator needed
extern std::uint8_t NumTextLen[NumTextMax + 1];

void BuildNumText();
