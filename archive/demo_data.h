// Start-up: the show's data file into the archive list.
#pragma once

// Reads the scrambled data file at path, unscrambles it, unpacks its ARJ
// archive, registers the pack image in gArchives and prints the listing.
// A missing file or a broken pack image is fatal (status 1); an error inside
// the archive ends the process with kArjErrorStatus after the reader's
// message.
void OpenDemoData(const char* path);

// The key byte the data file is XOR-scrambled with.
constexpr unsigned char kDemoDataKey = 0xC3;
