// The process-wide run-state record.
#include "core/run_state.h"

#include <new>

RunState gRun;

void RunState_reset() {
  RunState_closeFiles();
  gRun.~RunState();
  new (&gRun) RunState();
}

void RunState_closeFiles() {
  gRun.soundingDatabase.close();
  gRun.q1oFile.close();
  gRun.chartDirectionFile.close();
  gRun.zeroLoadReport.close();
  gRun.log.close();
}
