// Filling the field data record from rows in metric units, shared by the
// readers of the exchange formats.
#include "fielddata/field_data_store.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

#include "core/null_value.h"
#include "core/report.h"
#include "fielddata/hog_reader.h"
#include "numeric/grid_position.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"

namespace {

// The HOG zero-load conversion is ATM/TSF (tip, sleeve) or ATM/PSI (pore
// pressure) x factor x reading x 0.01044; the channel factors make it
// ATM/MPA x reading for a reading in megapascals.
constexpr double kCountScale = 0.01044;

struct StoreState {
  std::string path;
};
StoreState gStore;

bool given(double value) { return value != FieldValueMissing && std::isfinite(value); }

float stored(double value) {
  if (!given(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) return NullValue;
  return static_cast<float>(value);
}

// A value read from a file goes through a 32-bit float first, as a HOG cell
// does, so equal texts give equal values in every format.
double asRead(double value) { return given(value) ? static_cast<double>(static_cast<float>(value)) : value; }

void presentChannel(HogChannel& channel, std::int16_t column, double factor, const char* unit) {
  channel.column = column;
  channel.factor = static_cast<float>(factor);
  channel.cleanZero = NullValue;
  channel.dirtyZero = NullValue;
  channel.cleanZeroRead = false;
  channel.dirtyZeroRead = false;
  channel.unit = unit;
}

}  // namespace

FieldFileFacts gFieldFileFacts;

void FieldDataStore_reset() {
  gFieldFileFacts = FieldFileFacts{};
  gStore = StoreState{};
}

void FieldDataStore_begin(std::string_view path) {
  gStore.path = std::string(path);
  HogHeader& h = gHogHeader;
  // No zero reading after the test yet: like a HOG file without a closing
  // zero row, whose drifts nobody measured.
  h.dataMode = "FUGRO";
  h.markerCount = 0;
  const double atmPerMpa = static_cast<double>(UnitFactor_get("ATM/MPA"));
  const double mpaFactor = atmPerMpa / (static_cast<double>(UnitFactor_get("ATM/TSF")) * kCountScale);
  const double u2MpaFactor = atmPerMpa / (static_cast<double>(UnitFactor_get("ATM/PSI")) * kCountScale);
  presentChannel(h.tip, 1, mpaFactor, "MPA");
  presentChannel(h.friction, 2, mpaFactor, "MPA");
  presentChannel(h.u2, 3, u2MpaFactor, "MPA");
  presentChannel(h.inclX, 4, 1.0, "DG");
  presentChannel(h.inclY, 5, 1.0, "DG");
  h.conductivity.column = -9;
  gFieldData.rowCount = 0;
}

void FieldDataStore_setZero(std::string_view quantity, double cleanMpa, double dirtyMpa) {
  HogHeader& h = gHogHeader;
  HogChannel& channel = quantity == "qc" ? h.tip : quantity == "fs" ? h.friction : h.u2;
  channel.cleanZero = stored(asRead(cleanMpa));
  channel.dirtyZero = given(dirtyMpa) ? stored(asRead(dirtyMpa)) : channel.cleanZero;
  channel.cleanZeroRead = !IsNull(channel.cleanZero);
  channel.dirtyZeroRead = !IsNull(channel.dirtyZero);
  if (given(dirtyMpa) && quantity != "u2") h.dataMode = "NORMAL";
}

bool FieldDataStore_setPosition(int epsg, double x, double y) {
  double latitude = 0.0;
  double longitude = 0.0;
  if (!GridPosition_toLatLon(epsg, x, y, latitude, longitude)) return false;
  gHogHeader.gpsLatitude = latitude;
  gHogHeader.gpsLongitude = longitude;
  gFieldFileFacts.positionSource = "EPSG:" + std::to_string(epsg) + " position of the file";
  return true;
}

double FieldDepth_feet(double metres) {
  if (!given(metres)) return metres;
  return asRead(metres) * static_cast<double>(UnitFactor_get("FT/M"));
}

bool FieldDataStore_add(const FieldRow& row) {
  FieldData& d = gFieldData;
  if (d.rowCount < 0) d.rowCount = 0;
  if (d.rowCount >= FieldDataCapacity) return false;
  const auto at = static_cast<std::size_t>(++d.rowCount);
  d.depth[at] = given(row.depthFeet) ? stored(std::fabs(row.depthFeet)) : NullValue;
  d.qc[at] = stored(row.qcAtm);
  d.fs[at] = stored(row.fsAtm);
  d.u2[at] = stored(row.u2Atm);
  d.inclX[at] = stored(row.inclX);
  d.inclY[at] = stored(row.inclY);
  return true;
}

namespace {

// Puts the rows in depth order when the rows that have a depth are not.
void sortByDepth() {
  FieldData& d = gFieldData;
  const int rows = std::max<int>(0, d.rowCount);
  bool ordered = true;
  float last = -std::numeric_limits<float>::max();
  for (int i = 1; i <= rows && ordered; ++i) {
    const float depth = d.depth[static_cast<std::size_t>(i)];
    if (IsNull(depth)) continue;
    if (depth < last) ordered = false;
    last = depth;
  }
  if (ordered) return;

  std::vector<int> order(static_cast<std::size_t>(rows));
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&d](int a, int b) {
    const float da = d.depth[static_cast<std::size_t>(a)];
    const float db = d.depth[static_cast<std::size_t>(b)];
    if (IsNull(db)) return !IsNull(da);
    if (IsNull(da)) return false;
    return da < db;
  });
  for (FieldData::Column* column : {&d.depth, &d.qc, &d.fs, &d.u2, &d.inclX, &d.inclY}) {
    std::vector<float> values(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) values[static_cast<std::size_t>(i)] = (*column)[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    std::copy(values.begin(), values.end(), column->begin() + 1);
  }
  TaskLine_write(6, gStore.path + ": the rows were not in depth order; they are read in depth order", "ISSUE");
}

// Leaves out the rows before the first complete one (depth, qc, fs, and u2
// when any row has u2); a sounding without a complete row keeps every row.
void dropIncompleteStart() {
  FieldData& d = gFieldData;
  const int rows = std::max<int>(0, d.rowCount);
  bool hasU2 = false;
  for (int i = 1; i <= rows && !hasU2; ++i) hasU2 = !IsNull(d.u2[static_cast<std::size_t>(i)]);
  int first = 1;
  while (first <= rows) {
    const auto at = static_cast<std::size_t>(first);
    if (!IsNull(d.depth[at]) && !IsNull(d.qc[at]) && !IsNull(d.fs[at]) && (!hasU2 || !IsNull(d.u2[at]))) break;
    ++first;
  }
  if (first == 1 || first > rows) return;
  for (FieldData::Column* column : {&d.depth, &d.qc, &d.fs, &d.u2, &d.inclX, &d.inclY}) {
    std::copy(column->begin() + first, column->begin() + rows + 1, column->begin() + 1);
  }
  d.rowCount = static_cast<std::int16_t>(rows - (first - 1));
  TaskLine_write(6,
                 gStore.path + ": the first " + std::to_string(first - 1) + " row(s) lack qc, fs" +
                     (hasU2 ? " or u2" : "") + " and are left out; the sounding starts at its first complete row",
                 "TASK");
}

}  // namespace

void FieldDataStore_finish() {
  sortByDepth();
  dropIncompleteStart();
  // A quantity no row gives has no channel, as in a HOG file without it.
  FieldData& d = gFieldData;
  const auto anyValue = [&d](const FieldData::Column& column) {
    for (int i = 1; i <= d.rowCount; ++i) {
      if (!IsNull(column[static_cast<std::size_t>(i)])) return true;
    }
    return false;
  };
  if (!anyValue(d.u2)) gHogHeader.u2.column = -9;
  if (!anyValue(d.inclX)) gHogHeader.inclX.column = -9;
  if (!anyValue(d.inclY)) gHogHeader.inclY.column = -9;
}

std::string FieldDataStore_dateText(int year, int month, int day, int hour, int minute, int second) {
  const auto part = [](int value) { return value < 0 ? std::string() : std::to_string(value); };
  if (hour < 0 && month >= 1 && month <= 12 && day >= 0 && year >= 0) {
    static constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%s-%04d", std::min(day, 99), kMonths[month - 1], std::min(year, 9999));
    return text;
  }
  std::string text = part(month) + "/" + part(day) + "/" + part(year);
  if (hour < 0) return text;
  const char* half = hour >= 12 ? " PM" : " AM";
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  char minutes[8];
  char seconds[8];
  std::snprintf(minutes, sizeof minutes, "%02d", std::clamp(minute, 0, 99));
  std::snprintf(seconds, sizeof seconds, "%02d", std::clamp(second, 0, 99));
  return text + " " + std::to_string(hour12) + ":" + minutes + ":" + seconds + half;
}

std::string_view FieldText_trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool FieldValue_parse(std::string_view text, double& value) {
  text = FieldText_trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return false;
  double parsed = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}
