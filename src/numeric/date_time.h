// The date-and-time text of a field data file turned into one sortable text.
#pragma once

#include <string>
#include <string_view>

// Normalises a date-and-time text (compared upper-cased, trimmed of blanks):
//
//   - with a month abbreviation ("JAN" .. "DEC"; a later name of that list
//     found in the text overrides an earlier one): year (the four characters
//     four after the name) + month + day (the two characters three before the
//     name, "--" when the name starts too near the text's start to hold them)
//     + "~000000"; the time is not read. "05-JAN-2007 11:40" gives
//     "20070105~000000".
//   - otherwise "month/day/year hour:minutes:seconds" with an optional AM or PM
//     anywhere in the time: year + month + day + "~" + hour (24-hour clock, two
//     digits) + minutes + seconds + "-local". One-character month, day, hour,
//     minutes and seconds get a leading "0". A date without two "/" gives
//     month and day "--" and no year; a time without two ":" gives hour and
//     minutes "--" and no seconds; a text without a blank has neither
//     ("2007-03-07" gives "----~-----local"). An hour that is not a number of
//     digits comes out as "--".
//
// Reports nothing; unreadable parts come out as "--" or empty.
std::string DateTime_normalize(std::string_view text);
