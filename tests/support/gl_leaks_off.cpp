// Linked into tests that open a GL context: the driver keeps allocations
// for the life of the process, and it is unloaded before they could be
// named, so leaks are not checked there.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
