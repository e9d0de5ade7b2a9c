// Helpers of the index and loader tests: files, indexing text in memory.
#pragma once

#include "database/ByteSource.h"
#include "database/GameIndex.h"

#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadTestFile(const std::string& name)
{
    std::ifstream in(std::string(VELMORA_INDEX_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline IndexResult IndexText(const std::string& text, std::size_t chunkSize = PgnChunkSize)
{
    IndexOptions options;
    options.ChunkSize = chunkSize;
    return IndexPgn(MemoryByteSource(text), options);
}

// The whole text as one chunk.
inline IndexResult IndexTextOnePass(const std::string& text)
{
    return IndexText(text, text.size() + 1);
}
