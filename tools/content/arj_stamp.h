// Makes ARJ archives reproducible: the archiver records the archive's and
// each entry's times and a random byte in the headers; the times become one
// fixed time and the random byte zero.
#pragma once

#include <cstdint>
#include <vector>

// MS-DOS date and time as ARJ stores them (local time, two-second steps).
uint32_t DosTime(int year, int month, int day, int hour, int minute, int second);

// Sets the main header's creation and modification times and every entry's
// modification, access and creation times to `dos_time`, clears the random
// password modifier of headers that are not garbled, and recomputes each
// header's CRC. Every header is checked (id, size, CRC, bounds)
// before anything changes; returns false, leaving the bytes as they were,
// when the archive is not well formed.
bool StampArjTimes(std::vector<uint8_t>& archive, uint32_t dos_time);
