// Positions in national and UTM grids turned into WGS84 latitude and longitude,
// through the PROJ library and the transformation grids installed with it (no
// grid is fetched over a network).
#pragma once

// Converts a position in the coordinate system `epsg` (e.g. 28992 RD New,
// 25831/25832 ETRS89 UTM, 32631 WGS84 UTM, 4258 ETRS89 geographic, 4326) to
// WGS84 latitude/longitude in decimal degrees. Returns false (leaving the
// outputs unchanged) for an unknown code or a point PROJ cannot convert.
//
// `x` is the easting (or the longitude of a geographic system) and `y` the
// northing (or latitude), as a field data file gives them, whatever axis order
// the coordinate system declares.
bool GridPosition_toLatLon(int epsg, double x, double y, double& latitude, double& longitude);

// Releases the PROJ context and every transformation made so far; the next
// conversion makes them anew. Part of Engine_reset.
void GridPosition_reset();
