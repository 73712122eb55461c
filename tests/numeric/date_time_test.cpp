// Date-and-time texts of field data files to one sortable text.
#include "numeric/date_time.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTimeNormalize, NumericAndMonthNameForms) {
  const struct { const char* text; const char* expected; } cases[] = {
      {"3/7/2007 2:05:09 PM", "20070307~140509-local"}, {"12/1/2006 12:30:00 PM", "20061201~123000-local"},
      {"12/1/2006 12:30:00 AM", "20061201~003000-local"}, {"3/7/2007 14:05:09", "20070307~140509-local"},
      {"  3/7/2007   2:05:09pm  ", "20070307~140509-local"},  // trimmed, upper-cased
      {"3/7/2007 0:5:9", "20070307~000509-local"}, {"11/23/2007 23:59:59", "20071123~235959-local"},
      {"05-JAN-2007 11:40", "20070105~000000"}, {"05 jan 2007 10:15", "20070105~000000"},
      {"17-Dec-2010", "20101217~000000"},
      {"2007-03-07 10:15:00", "----~101500-local"},  // no slashes in the date
      {"3/7/2007 10:15", "20070307~-----local"},     // one colon only
      {"3/7/2007 X:15:00", "20070307~--1500-local"}, // hour not a number
      {"JAN-2007", "200701--~000000"},               // the name leaves no room for a day
      {"05-FEB-07", "070205~000000"},                // a year cut short by the text's end
      {"01-MAR-2001 07-DEC-2008", "20081207~000000"},  // the later month of the list wins
      {"", "----~-----local"},
  };
  for (const auto& c : cases) EXPECT_EQ(DateTime_normalize(c.text), c.expected) << "[" << c.text << "]";
}

}  // namespace
