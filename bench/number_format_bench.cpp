// Cost of laying numbers out under pictures, as every cell of a Q1o table is.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "core/null_value.h"
#include "numeric/number_format.h"

namespace {

struct Cell {
  float value;
  std::string_view picture;
};

// A row of typical output cells: depths, stresses, ratios, missing values.
constexpr std::array<Cell, 8> Row = {{
    {12.345f, "####.###"},
    {0.25f, " ####.###"},
    {-0.5f, "##.####"},
    {1234.5f, "###.#"},
    {0.0f, "####.###"},
    {NullValue, "####.###"},
    {0.0003125f, "          ##.#####"},
    {98.76543f, "###.##,"},
}};

void BM_NumberFormat_row(benchmark::State& state) {
  for (auto _ : state) {
    for (const Cell& cell : Row) benchmark::DoNotOptimize(Number_format(cell.value, cell.picture, false));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(Row.size()));
}
BENCHMARK(BM_NumberFormat_row);

void BM_NumberFormat_value(benchmark::State& state) {
  float value = 0.001f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Number_format(value, "####.###", false));
    value = value * 1.37f;
    if (value > 1e6f) value = 0.001f;
  }
}
BENCHMARK(BM_NumberFormat_value);

void BM_PlainNumber_text(benchmark::State& state) {
  float value = 0.001f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(PlainNumber_text(value));
    value = value * 1.37f;
    if (value > 1e9f) value = 0.001f;
  }
}
BENCHMARK(BM_PlainNumber_text);

}  // namespace
