// Entry names as they are shown on a terminal.
#pragma once

#include <string>

// The name with every control character (below 0x20, and 0x7F) written as
// \xHH, so that a name from a hostile file cannot drive the terminal it is
// listed on. Other bytes stay as they are.
std::string PrintableName(const std::string& name);
