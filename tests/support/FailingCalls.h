// A test program linked with velmora_failing_calls has its own fsync and
// ftruncate: the next call fails with the error set here, as on a device or
// a file system that refuses it; every other call is the system's.
#pragma once

void FailNextFsync(int error);
void FailNextTruncate(int error);
