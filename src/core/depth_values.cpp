// The record of the depth being processed.
#include "core/depth_values.h"

DepthValues gDepth;

void DepthValues_resetDepth() {
  DepthValues& d = gDepth;
  d.depth = d.qc = d.fs = d.u2 = d.inclX = d.inclY = NullValue;
  d.qt = d.unitWeight = d.fr = d.qc1 = d.fs1 = d.c = NullValue;
}

void DepthValues_reset() { gDepth = DepthValues{}; }
