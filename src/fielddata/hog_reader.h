// The HOG field data reader: one sounding's raw cone readings, read from its
// field data file SOUNDING_NAME + ".CPT" in the project's soundings folder into
// the current sounding's per-depth arrays (depth in feet; qc, fs, u2 in
// atmospheres; inclinations in the unit of their channel) and its header
// (channels, calibration, clean and dirty zero readings, device, date, GPS
// position).
//
// The file: a 23-line header, then one fixed-width row per depth. Line 1 holds
// the vendor word "HOGENTOGLER"; line 4 the device; line 8 the date and time;
// line 12 an optional GGA sentence; line 17 the channel names; lines 18, 19, 20
// per channel the reference number, the clean zero reading and "number unit".
// In a data row, characters 1 to 8 are the depth in metres and channel k is the
// 20 characters starting at position 20k.
//
// The push ends with rows whose sleeve reading is -32768 (end-of-push markers,
// stored with fs missing). The first row after two or more markers whose sleeve
// reading is not -32768 is the closing zero row: it gives the dirty zero
// readings and is not stored ("NORMAL" mode). A file without markers ends at
// its last row, which is not stored, and its dirty zeros are its clean zeros
// ("FUGRO" mode).
//
// Each value is worked out in double precision and stored as a 32-bit float. A
// reading that is blank or not a number is missing (NullValue), and so is every
// value converted from it, and every value whose conversion lies beyond the
// 32-bit range.
//
// Errors (Error_report, which does not return); each message names the file:
//   "H4334"  line 1 lacks "HOGENTOGLER" (any case);
//   "HRC728" a channel name on line 17 matches no channel word;
//   "HG8234" the file ends after end-of-push markers without a closing zero row;
//   "GPS323", "GPS334" a non-empty line 12 that is not a usable GGA sentence;
//   "HGF601" the sounding's file cannot be opened;
//   "HGF611" the file ends within its 23 header lines;
//   "HGF612" the file has no data row after its header;
//   "HGC621" no tip, friction or u2 channel on line 17;
//   "HGC622" a channel's reference number on line 18 is zero or not a number,
//            or so small that full scale over it is beyond the 32-bit range;
//   "HGC623" a channel's line-20 cell has no blank, or no number before it;
//   "HGC624" a channel's clean zero reading on line 19 is not a number;
//   "HGR631" more than 8000 data rows to store.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/null_value.h"
#include "platform/text_file.h"

// The number of rows the per-depth arrays hold.
inline constexpr std::int16_t FieldDataCapacity = 8000;

// The current sounding's readings. The arrays are 1-based (element 0 unused)
// and live for the whole program; rows beyond rowCount keep stale values of an
// earlier sounding and must not be read.
struct FieldData {
  using Column = std::array<float, FieldDataCapacity + 1>;
  Column depth;  // ft
  Column qc;     // atm
  Column fs;     // atm; missing on end-of-push rows
  Column u2;     // atm
  Column inclX;  // unit of the X channel; missing when the file has none
  Column inclY;  // unit of the Y channel; missing when the file has none
  std::int16_t rowCount = static_cast<std::int16_t>(NullValue);
};

// One recording channel of the header.
struct HogChannel {
  std::int16_t column = -9;    // 1 to 5, or -9 when the file has no such channel
  float factor = NullValue;     // full-scale number / reference number
  float cleanZero = NullValue;  // zero reading of the header, before the test
  float dirtyZero = NullValue;  // zero reading of the closing zero row, after the test
  // Whether the file gave each zero reading: a reading of -5435 or 5435 counts
  // is a reading like any other, so the value alone cannot tell.
  bool cleanZeroRead = false;
  bool dirtyZeroRead = false;
  std::string unit{NullText};   // unit of the full-scale number on line 20
};

// The current sounding's file header.
struct HogHeader {
  std::string soundingName{"Null"};  // SOUNDING_NAME of the sounding record
  std::string device{"NULL"};        // line 4, whole
  std::string dateTime{"NULL"};      // line 8 through DateTime_normalize
  HogChannel tip;
  HogChannel friction;
  HogChannel u2;
  HogChannel inclX;
  HogChannel inclY;
  HogChannel conductivity;  // recognised and kept (column only); nothing reads it
  double gpsLatitude = NullValue;   // line 12, signed decimal degrees
  double gpsLongitude = NullValue;
  float gpsThird = NullValue;
  std::string dataMode;          // "" until decided, then "NORMAL" or "FUGRO"
  std::int16_t markerCount = 0;  // rows so far whose sleeve reading is -32768
};

// Scratch values of the data row being read; every value is reset to NullValue
// before each row.
struct DepthRow {
  float tipReading = NullValue;
  float frictionReading = NullValue;
  float u2Reading = NullValue;
  float xReading = NullValue;
  float yReading = NullValue;
  float depth = NullValue;  // ft
  float qc = NullValue;     // atm
  float fs = NullValue;     // atm
  float u2 = NullValue;     // atm
  float inclX = NullValue;
  float inclY = NullValue;
};

extern FieldData gFieldData;
extern HogHeader gHogHeader;
extern DepthRow gDepthRow;

// Before each sounding: every number of gHogHeader becomes NullValue, every
// channel unit "-5435", soundingName "Null", device and dateTime "NULL", and
// gFieldData.rowCount -5435. The columns, dataMode and markerCount are left to
// the reading itself (ReadHogHeader sets the columns, the first data row resets
// dataMode and markerCount).
void ResetHogHeader();

// Every value of gDepthRow becomes NullValue.
void ResetDepthRow();

// Back to the state of a program that has read no field data: header and
// depth row reset, every column -9, dataMode "", markerCount 0, every array
// element NullValue.
void HogReader_reset();

// Opens the current sounding's field data file, PathOf("SOUNDINGS") +
// SOUNDING_NAME + ".CPT", for reading into `file`, and shows its path on the
// status panel (location "Ho999"). A sounding name that would lead outside the
// folder reports "PN901"; a file that cannot be opened "HGF601".
void OpenHogFile(TextReader& file);

// Reads header lines 1 to 23 of `file` into gHogHeader: soundingName, device,
// dateTime, the GPS position (when line 12 is not the empty text), the column
// of each channel (names matched by containment in the order TIP, FRICTION, U2,
// X INCL, Y INCL, CONDUCTIVITY; a later name containing a word wins), and for
// tip, friction, u2 and each present inclination channel: factor = line-20
// number / line-18 reference number, unit = the text after the line-20 number,
// cleanZero = the line-19 reading.
void ReadHogHeader(TextReader& file);

// Reads the data rows of `file` into gFieldData (rows 1..rowCount), sets the
// dirty zeros, dataMode and markerCount of gHogHeader, and closes the file.
// Needs ReadHogHeader first.
void ReadHogDepthData(TextReader& file);

// Converts one data row (without its line end) into gDepthRow; firstRow resets
// markerCount and dataMode. `file` is the file the row came from: at its end a
// file without markers ends ("FUGRO"), one with markers reports "HG8234".
// endsData is true when the row is not to be stored: the closing zero row
// (whose readings become the dirty zeros) or the last row of a "FUGRO" file.
void ReadHogDepthRow(std::string_view row, bool firstRow, const TextReader& file, bool& endsData);

// The processing run's field data step for the current sounding (the row of
// the sounding database just read): ResetHogHeader, OpenHogFile,
// ReadHogHeader, ReadHogDepthData. The file is closed when it returns, and
// also when it halts.
void ReadHogSounding();
