// The GEF field data reader: a sounding's field data from a GEF-CPT-Report
// file (the open exchange format of cone penetration tests in the Netherlands
// and Belgium), stored in the same record as the HOG reader fills.
//
// The file: header lines "#KEYWORD= value, value, ..." (keyword in any case,
// blanks around "=" allowed, values split on unescaped commas, "\," "\=" "\#"
// "\\" standing for the character), up to "#EOH=", then the data block.
// Read from the header:
//   #GEFID (required), #COMPANYID (the agency, for "Add soundings"), #REPORTCODE/#PROCEDURECODE (a dissipation or borehole
//   report is refused), #COLUMN, #COLUMNINFO (column, unit, name, quantity
//   number: columns are found by quantity number only), #COLUMNVOID (per
//   column "no value" marker, compared as a number), #COLUMNSEPARATOR and
//   #RECORDSEPARATOR (default: blanks or tabs between values, a record per
//   line), #STARTDATE/#STARTTIME (the header date), #MEASUREMENTTEXT 4 (the
//   device: cone type and serial number), #MEASUREMENTVAR 20 to 23, 26, 27
//   (zero readings of cone, sleeve and u2 before and after the test), #XYID
//   (the position: code 31000 RD, 32000 Belgian Lambert 72, 49000
//   Gauss-Krueger zone 3, 1 WGS84 longitude/latitude, or an EPSG code itself;
//   MEASUREMENTTEXT 127 "4258, latitude, longitude" when XYID gives none).
// Quantities stored: 1 penetration length (m; its absolute value) as depth, 2
// qc and 3 fs (required), 6 u2 (MPa or kPa), inclination X from quantity 21,
// else 10 (east-west), and Y from 22, else 9 (north-south), in degrees. A
// value equal to its column's void, an empty value or "-" is missing. A record
// ends at the record separator or at the end of its line; a separator just
// before the record's end leaves no extra value.
//
// Errors (Error_report, which does not return); each message names the file
// and the line:
//   "GEF601" the file cannot be opened;
//   "GEF610" no #GEFID line: not a GEF file;
//   "GEF611" the file ends before "#EOH=";
//   "GEF612" a report code of a dissipation test or a borehole;
//   "GEF613" a #COLUMNINFO, #COLUMN or #COLUMNVOID line with a column number
//            that is not a whole number from 1 to the column count;
//   "GEF620" no column of penetration length, qc or fs;
//   "GEF621" a unit of a stored quantity (or of a zero reading) that cannot be
//            converted;
//   "GEF630" a data record with fewer or more values than the columns;
//   "GEF631" a value that is not a number;
//   "GEF632" more data records than the record holds (8000);
//   "GEF633" no data record after the header.
// A position that cannot be converted is one issue line in the log, not an
// error: the computations do not need it.
#pragma once

#include <string>

// Reads the GEF file at the engine path `path` into gFieldData and gHogHeader
// (ResetHogHeader and the sounding name are the caller's); rows out of depth
// order are put in order with one issue line.
void ReadGefFile(const std::string& path);
