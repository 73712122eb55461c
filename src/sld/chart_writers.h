// Writing the loaded charts back out: one plain text file per chart for
// external plotting programs, and one source module per chart whose subroutine
// fills the chart record field by field (the form in which charts can be
// compiled into the program).
//
// Errors (Error_report, which does not return):
//   "CHW112"  a plotting file cannot be created or does not fully reach the disk;
//   "CHW231"  a chart source file cannot be created or does not fully reach the disk;
//   "PN901"   a chart identifier that would put the source file outside its folder.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_file.h"

// max(width - length(name) - 2, 1) blanks, name, " = ", value. With width 0 this
// is one blank before the name; with width 55 the names end in a fixed column.
std::string KeyLine(std::string_view name, int width, std::string_view value);

// Writes KeyLine(name, width, value) to `file` when value, trimmed of blanks, is
// not empty.
void KeyLine_print(TextWriter& file, std::string_view name, int width, std::string_view value);

// Writes every chart 1..SldChartCount to PathOf("SLD OUTPUT") + its file name
// (the folder is made when missing; an existing file is replaced): the three
// identifiers in quotes, "Row2-SLDv5", the non-empty key lines (SLD, UseXLog
// twice for the X and Y flags, Description, ChartID, LookupMethod twice,
// version), an empty line, one "comment" line per comment, "EOH", then the
// contour lines separated by empty lines, numbers with the picture "####.###"
// and the line value after the first point.
void ChartFiles_write_for_plotting();

// When gRun.writeChartData is set, writes every chart n to
// PathOf("SLD VB6") + "SLD___" + its C identifier + ".bas" (folder made when
// missing): a subroutine of assignments SLD8a(n).field = value. Charts that
// share a C identifier (case aside) each get "___" + their authorship added to
// the file's and the subroutine's name; "CHW232" when two names still agree,
// before any file is written. A description
// not yet in double quotes is put in quotes in the chart record itself, so
// later writers show them and a second run adds none. Nothing when not set.
void ChartSource_write();
