// Writing bytes back to the disk, for the tools around the archive.
#pragma once

#include <cstddef>
#include <cstdio>

// Creates or replaces the file; false when it cannot be written whole.
bool WriteDiskFile(const char* path, const void* bytes, size_t n);
// Writes the bytes to an open file and closes it; false when they could not
// all be written.
bool WriteOpenFile(FILE* out, const void* bytes, size_t n);
