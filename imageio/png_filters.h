// Reversing the PNG scanline filters (None, Sub, Up, Average, Paeth).
#pragma once

#include <cstddef>
#include <cstdint>

namespace imageio {

// Reverses one row's filter in place. previous is the row above, already
// unfiltered, or null for the first row; unit is the filter's pixel size in
// bytes. An unknown filter type leaves the row as it is.
void UnfilterRow(int filter_type, uint8_t* row, const uint8_t* previous, size_t row_bytes, int unit);

}  // namespace imageio
