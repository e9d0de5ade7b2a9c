#include "database/PgnTextBuffer.h"

char PgnTextBuffer[PgnChunkSize + PgnBufferSlack];
