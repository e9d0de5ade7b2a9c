// The stack of open variations shared by the move-text parser and the
// move-list renderer: entry d holds where the variation opened at depth d
// branched off (the PlayedNode it replaces and the ply it starts from).
#pragma once

#include <cstdint>

struct VariationStackEntry {
    std::int32_t Node;
    std::int32_t Ply;
};

constexpr int VariationStackCapacity = 1024;
extern VariationStackEntry VariationStack[VariationStackCapacity];
