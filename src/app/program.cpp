// Top level of the program: start-up, runs, and where halts end.
#include "app/program.h"

#include "app/run.h"
#include "app/startup.h"
#include "compute/liquefaction_run.h"
#include "compute/predictions.h"
#include "compute/stress.h"
#include "compute/zero_load.h"
#include "core/depth_values.h"
#include "core/halt.h"
#include "core/phase_times.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/field_data_store.h"
#include "fielddata/hog_reader.h"
#include "numeric/grid_position.h"
#include "numeric/numeric_tools.h"
#include "project/project_list.h"
#include "project/sounding_db.h"
#include "q1o/column_id.h"
#include "sld/chart_table.h"

void Engine_resetReaderRecords() {
  RunState_reset();
  WindowModel_reset();
  DepthValues_reset();
  StressSounding_reset();
  ProjectModule_reset();
  HogReader_reset();
  FieldDataStore_reset();
  gSoundingColumns = SoundingColumnIds{};
  gSounding = SoundingRecord{};
  ColumnId_reset();
  gColumns = ColumnSet{};
  UwtTable_reset();
  gColumnWidth = ColumnWidthState{};
}

void Engine_reset() {
  Engine_resetReaderRecords();
  gPredictions = ChartPredictions{};
  ZeroLoad_reset();
  Liquefaction_reset();
  ChartTable_reset();
  PhaseTimes_reset();
  GridPosition_reset();
}

ProgramOutcome Program_guard(const std::function<void()>& work) {
  ProgramOutcome outcome;
  try {
    work();
    return outcome;
  } catch (const ErrorHalt& halt) {
    outcome.end = ProgramEnd::ErrorReported;
    outcome.identifier = halt.identifier;
    outcome.description = halt.description;
  } catch (const FatalStop& stop) {
    outcome.end = ProgramEnd::FatalStop;
    outcome.description = stop.what();
  } catch (const HostFailure& failure) {
    outcome.end = failure.kind == HostFailure::Kind::DataAreaMissing ? ProgramEnd::DataAreaMissing
                                                                     : ProgramEnd::HostError;
    outcome.description = failure.what();
  }
  gRun.runInProgress = false;
  RunState_closeFiles();
  return outcome;
}

ProgramOutcome Program_startUp() {
  return Program_guard([] {
    General_setup();
    Main_run();
  });
}

ProgramOutcome Program_runAgain() { return Program_guard([] { Main_run(); }); }
