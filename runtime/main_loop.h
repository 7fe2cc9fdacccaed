// The frame loop.
#pragma once

#include "runtime/clock.h"
#include "runtime/effect.h"

// Until Escape, a quit request or the show's end: takes every pending event,
// reads the clock and asks the show for one frame. The frame of the
// iteration in which a quit arrives is still drawn. Returns the number of
// frames asked for.
long long RunFrameLoop(Effect& show, ShowClock& clock);
