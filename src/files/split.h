// Delimited line parsing: the one operation that breaks every line of every
// text file the system reads into fields, and the small tools beside it.
//
// The splitter's rules are the system's own, not a generic CSV reader's:
//   - commas always delimit; a pair of double quotes protects commas and blanks
//     inside it, and text between a delimiter and an opening quote, or between a
//     closing quote and the next comma, is dropped;
//   - a blank can delimit too (blankSeparates);
//   - an optional pass cuts every field again at each comma, quoted or not
//     (resplitAtCommas);
//   - an optional pass makes every "=" a field of its own, so that a key, an
//     equals sign and a value arrive as three fields (equalsAsField);
//   - one trailing empty field is dropped, so "a,b," gives two fields and
//     "a,b,," gives three.
// Field texts are trimmed of leading and trailing blanks (space characters
// only; a tab is an ordinary character).
//
// Beside it: SplitKeyValue (key=value text), BraceIdentifier (header cells that
// carry their identifier between braces, with the end marker "ENDOFLIST"),
// SortTextOrder (ascending order of a list of texts), ShowLineBreakdown (the
// debug window's view of one split line) and SplitSelfTest (a fixed line that
// exercises every rule, shown at the start of a run).
//
// Errors raised here (through Error_report, which does not return):
//   "ER932"  odd number of quote characters in a line;
//   "FL631"  a line yields more fields than the caller's list holds;
//   "BS291"  SortTextOrder given more than 1000 texts;
//   "BS282"  SortTextOrder did not settle within 9000 passes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A 1-based list of field texts with a fixed capacity chosen by the caller and
// a 16-bit count. Slot 0 exists but is never used. The splitter overwrites the
// texts and the count of a list it is given; the strings keep their storage
// between lines, so a list reused line after line stops allocating once its
// strings have grown to the longest field seen.
//
// One spare slot after the last usable one holds the empty field that a
// trailing comma opens while the line is split; it is dropped before the split
// ends, so a line of exactly `capacity` fields followed by a comma fits.
struct FieldList {
  // A list of `capacity` usable slots (1..capacity), all empty, count 0.
  // capacity must be from 0 to 32766.
  explicit FieldList(std::int16_t capacity);

  // The number of usable slots.
  std::int16_t capacity() const { return static_cast<std::int16_t>(slots.size() - 2); }

  // Field k, 1-based (1..capacity). Fields beyond count are empty after a split.
  const std::string& operator[](std::int16_t k) const { return slots.at(static_cast<std::size_t>(k)); }

  std::vector<std::string> slots;  // capacity + 2 entries: slot 0 unused, 1..capacity, the spare slot
  std::int16_t count = 0;          // fields of the last split, at most capacity
};

// Splits `line` into `fields` (all slots cleared first, then count set).
//   equalsAsField:   every "=" becomes a field of its own;
//   blankSeparates:  a blank ends a field that has content, like a comma;
//   resplitAtCommas: every field is cut again at each of its commas, quoted
//                    commas included.
// A line that is empty or only blanks gives count 0. An odd number of quote
// characters is error "ER932"; more fields than fields.capacity() is error
// "FL631" (nothing is written past the list). The "ER932" message ends in
// `place` (the file, and the row where known) when it is given. When the main window's check box
// "Show_BreakdownOf_LineInput_8chk" is ticked, the result is shown in the
// debug window (ShowLineBreakdown).
void SplitDelimitedLine(std::string_view line, bool equalsAsField, bool blankSeparates, bool resplitAtCommas,
                        FieldList& fields, std::string_view place = {});

// Splits "key = value" at its first "=". Without "=": key and value empty,
// found false. Otherwise key and value are the trimmed texts before and after
// it, each stripped of leading and then trailing commas and quotes (blanks
// uncovered by the stripping stay), and found is true.
void SplitKeyValue(std::string_view text, std::string& key, std::string& value, bool& found);

// The identifier a header cell carries between braces, trimmed and upper-cased
// ("Cone Anet {cone_anet}" gives "CONE_ANET"), endOfList false. A cell without
// "{", or with "{" but no "}" after it, gives "ENDOFLIST" and endOfList true.
std::string BraceIdentifier(std::string_view text, bool& endOfList);

// The order in which texts[1..n] ascend: afterwards texts[order[1]],
// texts[order[2]], ... ascend by code unit comparison (case-sensitive), and
// equal texts keep their input order. texts is 1-based (element 0 unused) and
// must hold at least n + 1 entries; order is resized to n + 1 (order[0] = 0).
// The texts are not changed. More than 1000 texts is error "BS291".
void SortTextOrder(std::span<const std::string> texts, std::int16_t n, std::vector<std::int16_t>& order);

// Shows the debug window and replaces its list with the breakdown of one split
// line: "-->" line "<---", then "it's blank...." when there is no field, or one
// entry per field, "k) text" for k = 1..count.
void ShowLineBreakdown(std::string_view line, const FieldList& fields);

// The fixed self-test line of the splitter, split with all three options into a
// list of 22 fields.
std::string SplitSelfTestLine();

// Splits the self-test line with all three options on and shows its breakdown
// in the debug window, whether or not the breakdown check box is ticked.
void SplitSelfTest();
