// Grid positions to WGS84: RD points against the registry's own ETRS89
// positions of the same soundings, UTM central meridians, geographic axis order.
#include "numeric/grid_position.h"

#include "support/vurn_test.h"

namespace {

class GridPosition : public VurnTest {};

// An unknown code or a point outside the grid leaves the outputs as they were.
// (A fresh context after each reset converts again: the readers' position tests.)
TEST_F(GridPosition, ConvertsGridsToLatitudeLongitude) {
  // RD points with the registry's standardized ETRS89 position of the same
  // sounding (BRO-217393, BRO-003688, BRO-157983); PROJ without the national
  // correction grid lands within a metre or two of them (1e-5 degree ~ 1 m).
  const double kept = 7.0;
  const struct { int epsg; double x, y, latitude, longitude, tolerance; } cases[] = {
      {28992, 85799.579, 441974.047, 51.961881008, 4.380341476, 3e-5},
      {28992, 91931.000, 438294.000, 51.929537, 4.470217, 3e-5},
      {28992, 176416.100, 557021.900, 52.999733, 5.706207, 3e-5},
      // Easting 500000 is the zone's central meridian; in geographic codes x is the longitude.
      {25831, 500000.0, 0.0, 0.0, 3.0, 1e-6}, {25832, 500000.0, 0.0, 0.0, 9.0, 1e-6}, {32631, 500000.0, 0.0, 0.0, 3.0, 1e-9},
      {4258, 4.380341476, 51.961881008, 51.961881008, 4.380341476, 1e-6}, {4326, -1.25, 60.5, 60.5, -1.25, 1e-9},
      {0, 1.0, 1.0, kept, kept, 0.0}, {999999, 1.0, 1.0, kept, kept, 0.0}, {-28992, 1.0, 1.0, kept, kept, 0.0},
      {4326, 10.0, 95.0, kept, kept, 0.0},
  };
  for (const auto& c : cases) {
    double latitude = kept;
    double longitude = kept;
    EXPECT_EQ(GridPosition_toLatLon(c.epsg, c.x, c.y, latitude, longitude), c.latitude != kept) << c.epsg;
    EXPECT_NEAR(latitude, c.latitude, c.tolerance) << c.epsg << " " << c.x;
    EXPECT_NEAR(longitude, c.longitude, c.tolerance) << c.epsg << " " << c.x;
  }
}

}  // namespace
