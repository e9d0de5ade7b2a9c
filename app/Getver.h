// The program's file version as text "a.b.c.d". Linux executables carry no
// version resource, so the version is the build's project version, compiled
// into the program; "0.0.0.0" when the build gave none.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Getver {

// A file version as two 32-bit words, the parts a.b in MS and c.d in LS
// (each part a 16-bit word, the first one high).
struct FileVersion {
    std::uint32_t MS = 0;
    std::uint32_t LS = 0;
};

// The four parts joined by points, in decimal, unpadded.
std::string FormatVersion(const FileVersion& version);

// Reads "a.b.c.d" (missing parts are 0, parts above 65535 are cut to it).
FileVersion ParseVersion(std::string_view text);

// The running program's file version.
std::string GetV();

} // namespace Getver
