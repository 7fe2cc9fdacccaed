// Diagnostic lines written every frame; off unless switched on.
#pragma once

// On with --frame-log or the environment variable DEMO_FRAME_LOG=1.
void SetFrameLogging(bool on);
bool FrameLogging();

// True when the environment variable is set to anything but "" or "0".
bool EnvironmentSwitch(const char* name);

// printf to standard output when frame logging is on.
void FrameLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
