// Writing bytes back to the disk, for the tools around the archive.
#pragma once

#include <cstddef>

// Creates or replaces the file; false when it cannot be written whole.
bool WriteDiskFile(const char* path, const void* bytes, size_t n);
