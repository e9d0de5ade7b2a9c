// The main of a benchmark that loads the program's embedded fonts: they go
// before the application does, which the exit handlers would otherwise
// destroy first.
#pragma once

#include "platform/Fonts.h"

#include <benchmark/benchmark.h>

inline int RunBenchmarksReleasingFonts(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    EmbeddedFontHandles.Release();
    benchmark::Shutdown();
    return 0;
}
