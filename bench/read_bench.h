// The shared frame of the field data reading benchmarks: a sounding file of
// `text` named `fileName` in project P1's soundings folder on a fresh drive C:,
// the sounding record named "BENCH", then `read(path)` timed after each reset
// of the header, with the rows read per second as a counter.
#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/hog_reader.h"
#include "platform/host_paths.h"
#include "project/sounding_db.h"

inline void ReadBench_run(benchmark::State& state, const char* fileName, const std::string& text,
                          void (*read)(const std::string&)) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("vurn-bench-fmt-" + std::to_string(std::random_device{}()));
  const std::filesystem::path folder = root / "Vurn" / "Projects" / "P1" / "SOUNDINGS";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / fileName, std::ios::binary) << text;
  HostDrives_reset();
  HostDrive_set('C', root);
  RunState_reset();
  WindowModel_reset();
  WindowHooks_reset();
  gRun.dataArea = "C:\\Vurn";
  gRun.projectName = "P1";
  ResetSoundingRecord();
  AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "BENCH");
  const std::string path = std::string("C:\\Vurn\\Projects\\P1\\SOUNDINGS\\") + fileName;

  for (auto _ : state) {
    ResetHogHeader();
    read(path);
    benchmark::DoNotOptimize(gFieldData.rowCount);
  }
  if (gFieldData.rowCount != FieldDataCapacity) state.SkipWithError("the file did not read as 8000 rows");
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * FieldDataCapacity, benchmark::Counter::kIsRate);

  RunState_reset();
  HostDrives_reset();
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}
