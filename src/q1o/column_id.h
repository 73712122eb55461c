// Column identifiers and their units.
//
// Every output column and every axis and property of a chart is named by an
// identifier of the form property[_method][_unit] ("Vs1_tvk_fps", "Fr_%",
// "CRRe_tvk"). ColumnId_parse splits one into its parts; ColumnDefaults_set
// then gives, for its property and unit word, the number picture of its
// values, the factor that takes a value from the property's base unit to the
// unit asked for, the base unit, and whether the property is known and basic.
//
// Both results describe the identifier last analysed and live in the
// process-wide records gColumnId and gColumnDefaults; callers copy what they
// keep. ColumnId_reset clears both.
//
// Errors raised here (through Error_report, which does not return):
//   "EZ441"  more than three parts, or a third part that is not a unit word;
//   "EZ349"  the identifier starts with a unit word;
//   "EZ312"  neither a method nor a unit word after the property;
//   "EZ518"  a unit word that the property is not shown in.
#pragma once

#include <string>
#include <string_view>

// The parts of the identifier last parsed.
struct ColumnId {
  std::string fullId;          // the identifier as given
  std::string property;        // text before the first "_"
  std::string method;          // "" when there is none; "Basic" for basic properties once defaults are set
  std::string units;           // a unit word as written, or ""
  std::string propertyMethod;  // property + "_" + method, or property alone without a method
};

// What ColumnDefaults_set found for the identifier last parsed.
struct ColumnDefaults {
  std::string picture;         // number picture of the column's values; "" for an unknown property
  float factor = 1.0f;         // value in the base unit times factor = value in the unit asked for
  std::string baseUnit;        // unit of the property's internal values ("ATM", "FT", "1", ...)
  bool propertyKnown = false;  // the property is one of the table's
  bool basicProperty = false;  // measured or directly derived: DEPTH, QC, QC1, QT, QT1, FS, FS1, FR, RF, U2,
                               // INCLX, INCLY
};

extern ColumnId gColumnId;
extern ColumnDefaults gColumnDefaults;

// Clears gColumnId and gColumnDefaults (empty texts, factor 1, flags false).
void ColumnId_reset();

// True for the 20 unit words, compared upper-cased and not trimmed: FT, FEET,
// M, METERS, ATM, PSF, PSI, KPA, MPA, HWFT, HWM, PCF, W1, FPS, FT/SEC, MPS,
// M/SEC, VCW1, %, TSF.
bool IsUnitWord(std::string_view word);

// Fills gColumnId from `id`: property before the first "_"; a second part that
// is a unit word is the unit, otherwise the method; a third part must be a unit
// word and the last part. Errors "EZ441", "EZ349", "EZ312" as listed above.
void ColumnId_parse(std::string_view id);

// From gColumnId.property (trimmed, upper-cased) and gColumnId.units
// (upper-cased) sets gColumnDefaults, and sets gColumnId.method to "Basic" for a
// basic property. Without a unit word the property's base unit is taken; a unit
// word the property is not shown in is error "EZ518", naming the identifier and
// the unit words it takes. A property outside the table gives propertyKnown
// false, picture "", factor 1 and base unit "". Named factors come from
// UnitFactor_get.
void ColumnDefaults_set();
