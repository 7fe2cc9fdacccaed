// Pictures for the parts' tests: flat-colour JPEGs made by cjpeg, put into
// the archive, and pixels read back from captured frames.
#pragma once

#include <string>

#include "tests/support/rgb.h"

// The bytes of a width x height JPEG of one colour, encoded by cjpeg.
std::string FlatJpeg(int width, int height, const Rgb& colour);

// Adds the three show pictures, each of its own colour, to the archives.
extern const Rgb kLoadingColour, kInterludeColour, kClosingColour;
bool AddShowPictures();

// The pixel at (x, y), counted from the top left, of a captured RGB PNG;
// {-1, -1, -1} when the file cannot be read.
Rgb PngPixel(const std::string& path, int x, int y);
