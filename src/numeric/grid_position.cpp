// Grid positions to WGS84 through PROJ. One PROJ context for the program, with
// network access off, and the transformation of each coordinate system made
// once and kept (making one reads PROJ's database, far slower than using it).
#include "numeric/grid_position.h"

#include <proj.h>

#include <cmath>
#include <string>

namespace {

// The few coordinate systems of one project; a code beyond these slots is
// still converted, with a transformation made for that call only.
constexpr int TransformSlots = 8;

struct GridTransform {
  int epsg = 0;
  PJ* transform = nullptr;  // nullptr with epsg set: PROJ cannot convert from it
};

struct GridPositionState {
  PJ_CONTEXT* context = nullptr;
  GridTransform slots[TransformSlots];
  int slotCount = 0;
};

GridPositionState gGrid;

PJ_CONTEXT* gridContext() {
  if (gGrid.context == nullptr) {
    gGrid.context = proj_context_create();
    proj_context_set_enable_network(gGrid.context, 0);
    proj_log_level(gGrid.context, PJ_LOG_NONE);
  }
  return gGrid.context;
}

// A transformation from EPSG:`epsg` to WGS84 taking (easting or longitude,
// northing or latitude) and giving (longitude, latitude); nullptr when PROJ
// knows no such system or no way to WGS84.
PJ* makeTransform(int epsg) {
  PJ_CONTEXT* context = gridContext();
  const std::string source = "EPSG:" + std::to_string(epsg);
  PJ* raw = proj_create_crs_to_crs(context, source.c_str(), "EPSG:4326", nullptr);
  if (raw == nullptr) return nullptr;
  PJ* normalized = proj_normalize_for_visualization(context, raw);
  proj_destroy(raw);
  return normalized;
}

PJ* transformFor(int epsg, bool& owned) {
  owned = false;
  for (int i = 0; i < gGrid.slotCount; ++i) {
    if (gGrid.slots[i].epsg == epsg) return gGrid.slots[i].transform;
  }
  PJ* transform = makeTransform(epsg);
  if (gGrid.slotCount < TransformSlots) {
    gGrid.slots[gGrid.slotCount++] = GridTransform{epsg, transform};
  } else {
    owned = true;
  }
  return transform;
}

}  // namespace

bool GridPosition_toLatLon(int epsg, double x, double y, double& latitude, double& longitude) {
  if (epsg <= 0 || !std::isfinite(x) || !std::isfinite(y)) return false;
  bool owned = false;
  PJ* transform = transformFor(epsg, owned);
  if (transform == nullptr) return false;
  proj_errno_reset(transform);
  const PJ_COORD out = proj_trans(transform, PJ_FWD, proj_coord(x, y, 0.0, 0.0));
  const bool failed = proj_errno(transform) != 0;
  if (owned) proj_destroy(transform);
  const double lon = out.lpzt.lam;
  const double lat = out.lpzt.phi;
  if (failed || !std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lat) > 90.0 ||
      std::fabs(lon) > 180.0) {
    return false;
  }
  latitude = lat;
  longitude = lon;
  return true;
}

void GridPosition_reset() {
  for (int i = 0; i < gGrid.slotCount; ++i) {
    if (gGrid.slots[i].transform != nullptr) proj_destroy(gGrid.slots[i].transform);
  }
  if (gGrid.context != nullptr) proj_context_destroy(gGrid.context);
  gGrid = GridPositionState{};
}
