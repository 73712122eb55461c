// The built-in chart set: the eight bundled SLD files, compiled into the program
// at build time and read by the same reader as the files on disk.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/halt.h"
#include "sld/builtin_chart_files.h"  // generated from dist/Vurn/SLD input
#include "files/text.h"
#include "sld/chart_table.h"

namespace {

// The property of a bundled file's name "SLD-Vurn-<property>.csv".
std::string_view propertyOfName(std::string_view name) {
  constexpr std::string_view prefix = "SLD-Vurn-";
  constexpr std::string_view suffix = ".csv";
  if (name.size() <= prefix.size() + suffix.size()) return {};
  return name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
}

}  // namespace

void BuiltInChart_fill(std::int16_t slot) {
  if (slot < 1 || slot > kSldChartSlots) Fatal_stop("chart slot " + std::to_string(slot) + " is not 1 to 40");
  const std::string property = UpperCased(SLD8a[static_cast<std::size_t>(slot)].Property_ID_8str);
  for (const BuiltInChartFile& file : kBuiltInChartFiles) {
    if (UpperCased(propertyOfName(file.name)) != property) continue;
    const std::string_view text(reinterpret_cast<const char*>(file.bytes), file.size);
    ChartText_read(text, file.name, slot);
    return;
  }
  Fatal_stop("no built-in SLD chart for property " + property);
}
