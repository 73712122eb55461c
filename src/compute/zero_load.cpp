// The zero-load analysis and its report.
#include "compute/zero_load.h"

ZeroLoadState gZeroLoad;

void ZeroLoad_reset() { gZeroLoad = ZeroLoadState{}; }

// Filled in with the zero-load report.
void ZeroLoad_start() {}
void ZeroLoad_beginSounding(int) {}
void ZeroLoad_trackDepth(int) {}
void ZeroLoad_writeReport() {}
