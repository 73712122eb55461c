// Filling the field data record from rows in metric units, shared by the
// readers of the exchange formats.
#include "fielddata/field_data_store.h"

#include <algorithm>
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

// The HOG zero-load conversion is ATM/TSF x factor x reading x 0.01044; this
// factor makes it ATM/MPA x reading for a reading in megapascals.
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
// does, so equal texts give equal rows in every format.
double asRead(double value) { return given(value) ? static_cast<double>(static_cast<float>(value)) : value; }

float converted(double value, std::string_view unitFactor) {
  if (!given(value)) return NullValue;
  return stored(asRead(value) * static_cast<double>(UnitFactor_get(unitFactor)));
}

void presentChannel(HogChannel& channel, std::int16_t column, double factor, const char* unit) {
  channel.column = column;
  channel.factor = static_cast<float>(factor);
  channel.cleanZero = NullValue;
  channel.dirtyZero = NullValue;
  channel.unit = unit;
}

}  // namespace

void FieldDataStore_begin(std::string_view path) {
  gStore.path = std::string(path);
  HogHeader& h = gHogHeader;
  h.dataMode = "";
  h.markerCount = 0;
  const double mpaFactor = static_cast<double>(UnitFactor_get("ATM/MPA")) /
                           (static_cast<double>(UnitFactor_get("ATM/TSF")) * kCountScale);
  presentChannel(h.tip, 1, mpaFactor, "MPA");
  presentChannel(h.friction, 2, mpaFactor, "MPA");
  presentChannel(h.u2, 3, mpaFactor, "MPA");
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
}

bool FieldDataStore_setPosition(int epsg, double x, double y) {
  double latitude = 0.0;
  double longitude = 0.0;
  if (!GridPosition_toLatLon(epsg, x, y, latitude, longitude)) return false;
  gHogHeader.gpsLatitude = latitude;
  gHogHeader.gpsLongitude = longitude;
  return true;
}

bool FieldDataStore_add(const FieldRow& row) {
  FieldData& d = gFieldData;
  if (d.rowCount < 0) d.rowCount = 0;
  if (d.rowCount >= FieldDataCapacity) return false;
  const auto at = static_cast<std::size_t>(++d.rowCount);
  d.depth[at] = given(row.depthMetres) ? converted(std::fabs(row.depthMetres), "FT/M") : NullValue;
  d.qc[at] = converted(row.qcMpa, "ATM/MPA");
  d.fs[at] = converted(row.fsMpa, "ATM/MPA");
  d.u2[at] = converted(row.u2Mpa, "ATM/MPA");
  d.inclX[at] = stored(asRead(row.inclX));
  d.inclY[at] = stored(asRead(row.inclY));
  return true;
}

void FieldDataStore_finish() {
  FieldData& d = gFieldData;
  const int rows = std::max<int>(0, d.rowCount);
  bool ordered = true;
  float last = -std::numeric_limits<float>::max();
  bool sawMissing = false;
  for (int i = 1; i <= rows && ordered; ++i) {
    const float depth = d.depth[static_cast<std::size_t>(i)];
    if (IsNull(depth)) {
      sawMissing = true;
    } else {
      if (sawMissing || depth < last) ordered = false;
      last = depth;
    }
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

std::string FieldDataStore_dateText(int year, int month, int day, int hour, int minute, int second) {
  const auto part = [](int value) { return value < 0 ? std::string() : std::to_string(value); };
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
