// The software renderer's thread count, chosen by the program only where the
// user has not chosen it.
#pragma once

// Where LP_NUM_THREADS is unset, sets it to the number of online processors
// plus one, so that Mesa's llvmpipe rasterizes on one thread more than it
// would by default: the program's own thread shares the processors with the
// rasterizer threads, and with one thread more the tiles of a frame still
// spread over the processors when one thread waits for its turn. A value the
// user set is left as it is. Must run before the GL context is made; other
// drivers ignore the variable. Returns the value in effect (null for none).
const char* ChooseDriverThreads();
