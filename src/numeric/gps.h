// The GPS position of a field data file's header: an NMEA 0183 GGA sentence
// turned into signed decimal degrees.
#pragma once

#include <string_view>

// Reads the GGA sentence `text` ("$GPGGA,time,ddmm.mmmm,N,dddmm.mmmm,E,...")
// into latitude and longitude in decimal degrees (north and east positive,
// degrees and minutes read and combined in double precision) and `third`, the
// number between the eighth and ninth comma (the horizontal dilution of
// precision; up to the end of the text when there is no ninth comma, NullValue
// when there is no eighth comma or the field is not a number).
//
// The degrees are the characters of the field up to two before its "."; the
// minutes are the rest of the field. The outputs are written only when the
// whole sentence was read.
//
// Errors (Error_report, which does not return):
//   - "GPS323" "GPS GAA convertion -- bad or no info": the text is blank or
//     has no "GGA"; a degree or minute field is not a number or is cut short;
//     no ",W," or ",E," follows the latitude hemisphere.
//   - "GPS334" "GPS GAA -- no N or S": no latitude hemisphere.
// Each message ends in `place` (the file and line the sentence came from) and
// the sentence itself when a place is given.
void GpsGga_convert(std::string_view text, double& latitude, double& longitude, float& third,
                    std::string_view place = {});
