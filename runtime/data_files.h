// Where the show's files are found.
#pragma once

#include <string>

// `name` in the working directory when it is there, else beside the running
// executable when it is there, else `name` itself (so that opening it fails
// with the plain name).
std::string LocateDataFile(const std::string& name);
