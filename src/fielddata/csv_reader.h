// The plain CSV field data reader (the window's "simple" input type): a
// sounding's field data as delimited text, stored in the same record as the
// HOG reader fills.
//
// The file:
//   - optional lines "#key=value" first (keys in any case; blank lines allowed
//     among them): device, agency (who made the test), date ("YYYY-MM-DD",
//     "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS", also with "T" between),
//     qc_zero_clean_UNIT, qc_zero_dirty_UNIT, fs_zero_clean_UNIT,
//     fs_zero_dirty_UNIT, u2_zero_clean_UNIT, u2_zero_dirty_UNIT (the zero
//     readings before and after the test; UNIT as for the columns),
//     latitude and longitude (WGS84 decimal degrees), or position_epsg with
//     position_x (easting or longitude) and position_y (northing or latitude).
//     Any other key is ignored;
//   - a header line of column names with units, NAME_UNIT, in any order and
//     any case: depth_m or depth_ft (penetration length); qc, fs and u2 in
//     MPa, kPa, atm or tsf; incl_x_deg and incl_y_deg. depth, qc and fs are
//     required; other columns are ignored. Values are separated by ";" when
//     the header line holds one, otherwise by ",";
//   - one row per depth, numbers with a decimal point; an empty value is
//     missing. A value or name between double quotes loses them.
//
// Errors (Error_report, which does not return); each message names the file
// and the line:
//   "CSV601" the file cannot be opened;
//   "CSV610" no header line of columns: not a plain CSV field data file;
//   "CSV611" a "#key=value" line without "=", or a date, zero reading or
//            position value that cannot be read (an EPSG code is a whole
//            number from 1 to 999999);
//   "CSV620" no depth, qc or fs column, or one of them twice;
//   "CSV621" a depth, qc, fs, u2 or inclination column (or a zero reading
//            key) whose unit cannot be converted;
//   "CSV630" a data row with fewer or more values than the header;
//   "CSV631" a value that is not a number;
//   "CSV632" more data rows than the record holds (8000);
//   "CSV633" no data row after the header.
// A position that cannot be converted is one issue line in the log.
#pragma once

#include <string>

// Reads the CSV file at the engine path `path` into gFieldData and gHogHeader
// (ResetHogHeader and the sounding name are the caller's); rows out of depth
// order are put in order with one issue line.
void ReadCsvFile(const std::string& path);
