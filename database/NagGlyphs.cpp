#include "database/NagGlyphs.h"

#include <initializer_list>

namespace {

struct NagRow {
    std::initializer_list<int> Nags;
    std::string_view Glyph;
};

constexpr std::array<NagGlyph, NagGlyphCount> BuildNagGlyphs()
{
    const NagRow rows[] = {
        {{1, 7}, "!"},
        {{2}, "?"},
        {{3}, "!!"},
        {{4, 9}, "??"},
        {{5}, "!?"},
        {{6}, "?!"},
        {{8}, "\x99"},
        {{10, 11}, "="},
        {{12}, "=A"},
        {{13}, "\xF7"},
        {{14}, "\xB2"},
        {{15}, "\xB3"},
        {{16}, "\xB1"},
        {{17}, "\xB5"},
        {{18, 20}, "+-"},
        {{19, 21}, "-+"},
        {{22, 23}, "Z"},
        {{26, 28}, "\xB7"},
        {{27, 29}, "\x9E"},
        {{30, 31, 32, 33, 34, 35}, "\x89"},
        {{36, 37, 38, 39}, "i"},
        {{40, 41}, "\x82"},
        {{42, 47}, "\xA9/\xB3"},
        {{43, 46}, "\xA9/\xB2"},
        {{44, 45}, "\xA9"},
        {{132, 133, 134, 135}, "\x84"},
        {{138, 139}, "T"},
        {{140}, "\x85"},
        {{142}, "\xB9"},
        {{145}, "RR"},
        {{146}, "N"},
        {{147}, "\xD7"},
        {{148}, "\xAC"},
        {{149}, "\x91"},
        {{150}, "\x92"},
        {{151, 152}, "\xAD"},
        {{153}, "\xAE"},
        {{154}, "\xAF"},
        {{191}, "\xDE"},
        {{209}, "A"},
        {{210}, "F"},
        {{211}, "L"},
        {{212}, "n"},
        {{213}, "RN"},
        {{214}, "N?"},
        {{215}, "o"},
        {{216}, "p"},
        {{217}, "ty"},
        {{218}, "\xA0"},
        {{219}, "\x80"},
        {{220}, "i\x82\xA2"},
        {{221}, "TT"},
    };
    std::array<NagGlyph, NagGlyphCount> table{};
    for (const NagRow& row : rows)
        for (int nag : row.Nags)
            for (std::size_t i = 0; i < row.Glyph.size(); ++i)
                table[nag - 1][i] = row.Glyph[i];
    return table;
}

} // namespace

const std::array<NagGlyph, NagGlyphCount> NagGlyphs = BuildNagGlyphs();

std::string_view NagGlyphText(int nag)
{
    if (nag < 1 || nag > NagGlyphCount) return {};
    return std::string_view(NagGlyphs[nag - 1].data());
}
