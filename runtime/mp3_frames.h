// A check of an MP3 file's frame structure before it is handed to the mixer,
// which plays an empty, cut or foreign file as silence without a word.
#pragma once

#include <cstddef>
#include <cstdint>

// True when the bytes, after an optional ID3v2 tag, are one or more whole
// MPEG audio frames (MPEG 1, 2 or 2.5, layer I, II or III), each directly
// after the one before, up to the end or up to a trailing ID3v1 or APE tag.
// False for no frame, a frame cut short, or other bytes between frames.
bool IsWholeMp3Stream(const uint8_t* bytes, size_t size);
