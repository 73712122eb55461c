// The shared filling of the field data record by the readers of the exchange
// formats (GEF, BRO XML, plain CSV): rows given in metres and megapascals are
// stored as the HOG reader stores its rows (depth in feet, qc, fs and u2 in
// atmospheres, inclinations in degrees), the header's channels get zero
// readings that the zero-load report converts to atmospheres as it converts
// the HOG zeros, and a grid position becomes the header's latitude and
// longitude.
#pragma once

#include <string>
#include <string_view>

// A value a file did not give (void, empty, or a column the file lacks).
inline constexpr double FieldValueMissing = -1.0e300;

// Atmospheres per megapascal: the decimal value behind the 32-bit "ATM/MPA"
// factor. A reader multiplies a pressure in megapascals by it in double
// precision, so the stored float is the nearest one to the true value (which
// the HOG conversion of the same reading also aims at).
inline constexpr double AtmPerMpa = 9.86923;

// One row converted by its reader: depth in feet, pressures in atmospheres,
// inclinations in degrees, each in double precision.
struct FieldRow {
  double depthFeet = FieldValueMissing;  // penetration length
  double qcAtm = FieldValueMissing;
  double fsAtm = FieldValueMissing;
  double u2Atm = FieldValueMissing;
  double inclX = FieldValueMissing;
  double inclY = FieldValueMissing;
};

// A depth in metres in feet, converted exactly as the HOG reader converts its
// depth text (metres as a 32-bit float times the 32-bit feet-per-metre
// factor), so a depth written alike in both files is the same depth.
// FieldValueMissing stays missing.
double FieldDepth_feet(double metres);

// What a field data file says about its sounding beyond the record the run
// uses, for the sounding database rows that "Add soundings" writes. The
// dispatch empties it before each reader.
struct FieldFileFacts {
  std::string agency;          // the company that made the test; "" when not named
  std::string positionSource;  // how the header's position was found; "" without one
};
extern FieldFileFacts gFieldFileFacts;

// Empties gFieldFileFacts and the filling's own state (part of the reset of
// the readers' records).
void FieldDataStore_reset();

// Starts filling gFieldData and gHogHeader for the sounding whose file is
// `path`: no rows yet, dataMode "FUGRO" (no zero reading after the test, until
// FieldDataStore_setZero gives a tip or sleeve one: "NORMAL") and markerCount
// 0; the tip, friction and
// u2 channels present (columns 1, 2, 3) with the factor that makes a zero
// reading in megapascals come out of the zero-load report in atmospheres; the
// inclination channels present (columns 4, 5) with factor 1; every zero
// reading missing until FieldDataStore_setZero gives it. ResetHogHeader and the
// sounding name are the caller's.
void FieldDataStore_begin(std::string_view path);

// The zero readings (megapascals) before (clean) and after (dirty) the test of
// the tip ("qc"), sleeve ("fs") or pore pressure ("u2") channel; either may
// be FieldValueMissing. A clean zero alone also serves as the dirty one, as in
// a HOG file without a closing zero row.
void FieldDataStore_setZero(std::string_view quantity, double cleanMpa, double dirtyMpa);

// Sets the header's latitude and longitude from a position in EPSG:`epsg`
// (x = easting or longitude, y = northing or latitude), and the facts'
// position source ("EPSG:28992 position of the file"). False, leaving the
// position missing, when the system is unknown or the point cannot be
// converted; the caller says so in the log.
bool FieldDataStore_setPosition(int epsg, double x, double y);

// Appends one row, each value rounded once to a 32-bit float (the depth's
// absolute value: some files count the penetration length negative). Missing,
// or beyond the 32-bit range, stays missing. False, storing nothing, when the
// record already holds FieldDataCapacity rows: the caller reports it with its
// own identifier.
bool FieldDataStore_add(const FieldRow& row);

// Ends the filling: when the rows that have a depth are not in depth order,
// every row is put in depth order (rows of equal depth keep their order, rows
// without a depth go last), and one issue line in the log names the file.
// Then the rows before the first complete one (depth, qc and fs, and u2 when
// any row has u2) are left out, with a task line saying how many: readings
// taken before the sleeve and filter were in the ground are no soil data, and
// the sounding starts where its data starts, as the HOG conversions of such
// files do. A sounding without a complete row keeps every row. Last, the u2
// and inclination channels that no row gives a value get column -9, as in a
// HOG file without them.
void FieldDataStore_finish();

// A text of the form "month/day/year hour:minutes:seconds AM" (or PM) from
// numeric parts, for DateTime_normalize, so that a date from any format gives
// the same header date as a HOG file of the same test. Without an hour, a
// whole date becomes "dd-MON-yyyy", which DateTime_normalize writes as a date
// without a time ("20000306~000000"); other missing parts stay empty.
std::string FieldDataStore_dateText(int year, int month, int day, int hour, int minute, int second);

// Reads a whole text (blanks and tabs around it allowed) as a decimal number
// with a point ("12", "-0.5", "+1.2E-03", "9.9990e+003"); false for an empty
// text, a text with anything else in it, or a value that is not finite.
bool FieldValue_parse(std::string_view text, double& value);

// `text` without blanks, tabs and carriage returns at either end.
std::string_view FieldText_trimmed(std::string_view text);
