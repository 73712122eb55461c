// Splitting speed: a sounding database row and the self-test line, each split
// again and again into one reused field list.
#include <benchmark/benchmark.h>

#include <string>

#include "core/window_model.h"
#include "files/split.h"

namespace {

void quietWindow() {
  WindowModel_reset();
  MainControl("Show_BreakdownOf_LineInput_8chk").value = 0;
}

std::string soundingRow() {
  std::string row = "CPT-07,\"Main St, north end\",2016-10-12,";
  for (int k = 0; k < 90; ++k) row += std::to_string(k * 7 % 101) + ".25,";
  return row;
}

void BM_SplitSoundingRow(benchmark::State& state) {
  quietWindow();
  const std::string row = soundingRow();
  FieldList fields(105);
  for (auto _ : state) {
    SplitDelimitedLine(row, false, true, false, fields);
    benchmark::DoNotOptimize(fields.count);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(BM_SplitSoundingRow);

void BM_SplitSelfTestLineAllOptions(benchmark::State& state) {
  quietWindow();
  const std::string line = SplitSelfTestLine();
  FieldList fields(22);
  for (auto _ : state) {
    SplitDelimitedLine(line, true, true, true, fields);
    benchmark::DoNotOptimize(fields.count);
  }
}
BENCHMARK(BM_SplitSelfTestLineAllOptions);

}  // namespace
