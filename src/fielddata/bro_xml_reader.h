// The BRO CPT XML reader: one sounding's cone readings from a document of the
// Dutch national subsurface registry (a dispatch document whose CPT_O holds the
// cone penetration test), read into the same records as the HOG reader fills:
// gFieldData (depth in feet; qc, fs, u2 in atmospheres; inclinations X and Y
// in degrees) and gHogHeader (device, date and time, zero readings, position).
//
// The document is parsed as XML; elements are found by namespace and local
// name, whatever prefixes the document binds (a default namespace, "ns13:",
// unused look-alike declarations). What is read, below CPT_O:
//   - conePenetrometerSurvey/conePenetrometer/conePenetrometerType: the device
//     (cone type and serial);
//   - .../conePenetrometer/zeroLoadMeasurement: coneResistance, localFriction
//     and porePressureU2 Before (clean) and After (dirty), in MPa or kPa;
//   - .../conePenetrationTest/phenomenonTime (else resultTime) timePosition:
//     the date and time, as the field time of the document ("2022-12-11T10:55:42
//     +01:00" is 10:55:42 on 11 December 2022);
//   - standardizedLocation (ETRS89 latitude and longitude), else
//     deliveredLocation (its srsName's EPSG grid) turned into latitude and
//     longitude; gFieldFileFacts.positionSource says which (the documents
//     name no company, only a registration number: the agency stays "");
//   - .../conePenetrationTest/cptResult: the text encoding's separators and
//     the values, one record per depth of 25 values in the registry's fixed
//     order; -999999 and an empty value are missing.
//
// Every record is stored (at most 8000) through the shared filling of
// fielddata/field_data_store.h, as the HOG reader stores its rows: depth =
// penetration length in feet, qc, fs and u2 in atmospheres, inclinations X
// and Y in degrees; a void value is missing. Records out of penetration
// length order are put in order (equal lengths keep the document's order),
// with one issue line. Rows begin where the document's records begin, so a
// predrilled start begins at the predrilled depth. The zero readings are
// kept as the shared filling keeps them (a clean zero alone also serves as
// the dirty one).
//
// Errors (Error_report, which does not return); each message names the file,
// and the record (1-based, in document order) where one is at fault:
//   "BXF601" the file cannot be opened;
//   "BXD611" the file is not well-formed XML (the line is named);
//   "BXD612" it is XML but not a BRO CPT dispatch document with one CPT_O, or
//            its text encoding has unusable separators;
//   "BXQ621" a required quantity (penetration length, cone resistance, local
//            friction) has no value in any record, or the document has no
//            records (a record without a penetration length is stored without
//            a depth, after the others, as a HOG row with a blank depth is);
//   "BXU631" a zero load measurement in a unit other than MPa or kPa;
//   "BXV641" a record with other than 25 values;
//   "BXV642" a value (of a record, or a zero load measurement) that is not a
//            number;
//   "BXR651" more than 8000 records.
// Position values that cannot be read or converted leave the position missing
// and write an issue line naming the file.
#pragma once

#include <string>

// Reads the BRO CPT document at `path` (the engine path of the file, as the
// field data dispatch found it in the soundings folder, and as messages name
// it) into gFieldData and gHogHeader. The dispatch has already called
// ResetHogHeader and set gHogHeader.soundingName.
void ReadBroXmlFile(const std::string& path);
