// Fatal error reporting and process exit.
#pragma once

#include <string>

// Writes the message box this platform stands in for: the title and the text,
// one line each, to standard error.
void ShowMessageBox(const std::string& title, const std::string& text);

// Formats the message (printf conventions) and shows it as the title of a
// box whose text is "Error". A non-zero status then ends the process with
// that status through ExitWithStatus; zero returns 0.
int FatalError(int status, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Ends the process with the status. Tests and fuzzers install a handler
// (one that throws, say) to regain control; the process still exits if the
// handler returns.
[[noreturn]] void ExitWithStatus(int status);

using ExitHandler = void (*)(int status);
// Installs a handler for ExitWithStatus and returns the previous one
// (nullptr is the default: exit at once).
ExitHandler SetExitHandler(ExitHandler handler);
