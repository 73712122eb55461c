// Cyclic resistance (being written).
#include "compute/crr.h"

bool CrrUcd(float, float, float& crr) { crr = -5435.0f; return false; }
bool CrrUcb(float, float, float& crr) { crr = -5435.0f; return false; }
bool SoilIndex(float, float, float& ic) { ic = -5435.0f; return false; }
bool FinesFromIndex(float, float& fc) { fc = -5435.0f; return false; }
bool CleanSandShift(float, float, float& delta) { delta = -5435.0f; return false; }
bool CrrFromCleanSand(float, float& crr) { crr = -5435.0f; return false; }
