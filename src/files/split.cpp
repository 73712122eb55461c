// Delimited line parsing: the splitter, its comma and "=" passes, and the
// key=value, brace identifier, text order and breakdown tools.
#include "files/split.h"

#include <algorithm>
#include <stdexcept>

#include "core/report.h"
#include "core/window_model.h"

namespace {

constexpr char Quote = '"';
constexpr std::int16_t SortTextLimit = 1000;
constexpr int SortPassLimit = 9000;

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// Trims `s` in place, keeping its storage.
void trimInPlace(std::string& s) {
  const std::size_t last = s.find_last_not_of(' ');
  if (last == std::string::npos) {
    s.clear();
    return;
  }
  s.erase(last + 1);
  s.erase(0, s.find_first_not_of(' '));
}

// " --- in " and the place of the line, or nothing when the caller gave none.
std::string placeText(std::string_view place) {
  return place.empty() ? std::string() : " --- in " + std::string(place);
}

// Stops the run when the line has more fields than the list holds.
void reportOverflow(const FieldList& fields, std::string_view line) {
  Error_report("for line=`" + std::string(line) + "`, more fields than the field list holds (capacity=" +
                   std::to_string(fields.capacity()) + ")",
               "FL631");
}

// While the line is split, one field more than the capacity may stand in the
// spare slot: the empty field a trailing comma opens, which the trailing-field rule drops. Any
// more means the line's final field count exceeds the capacity, since counts
// only grow before that rule is applied.
void requireRoom(const FieldList& fields, std::string_view line, int wanted) {
  if (wanted > fields.capacity() + 1) reportOverflow(fields, line);
}

// Adds the field made of the 1-based positions a..b of the line, trimmed; empty
// when b < a.
void addField(FieldList& fields, std::string_view line, std::size_t a, std::size_t b) {
  requireRoom(fields, line, fields.count + 1);
  ++fields.count;
  std::string& slot = fields.slots[static_cast<std::size_t>(fields.count)];
  if (b < a) {
    slot.clear();
  } else {
    slot.assign(trimBlanks(line.substr(a - 1, b - a + 1)));
  }
}

// Opens `n` empty slots after slot i: the texts of slots i+1..count move up by
// n and count grows by n. Texts are copied into the strings already in place,
// never the strings themselves moved, so every slot keeps its own storage and
// the same line split again into the same list needs no new storage.
void openSlots(FieldList& fields, std::string_view line, std::size_t i, int n) {
  requireRoom(fields, line, fields.count + n);
  const std::size_t shift = static_cast<std::size_t>(n);
  for (std::size_t j = static_cast<std::size_t>(fields.count); j > i; --j) fields.slots[j + shift] = fields.slots[j];
  for (std::size_t k = 1; k <= shift; ++k) fields.slots[i + k].clear();
  fields.count = static_cast<std::int16_t>(fields.count + n);
}

// Slot i holds "before<sep>after" with sep at position p of its trimmed text:
// slot i keeps "before" (trimmed) and slot `afterSlot` receives "after" (trimmed).
void cutSlot(FieldList& fields, std::size_t i, std::size_t p, std::size_t afterSlot) {
  std::string& source = fields.slots[i];
  fields.slots[afterSlot].assign(trimBlanks(std::string_view(source).substr(p + 1)));
  source.erase(p);
  trimInPlace(source);
}

// The character scan with its three quote states.
enum class QuoteState { Outside, InQuote, AfterQuote };

void scanLine(std::string_view line, bool blankSeparates, FieldList& fields) {
  QuoteState state = QuoteState::Outside;
  std::size_t start = 0;
  bool hasContent = false;
  const std::size_t length = line.size();
  for (std::size_t i = 1; i <= length; ++i) {
    const char c = line[i - 1];
    if (state == QuoteState::InQuote && c == Quote) {
      addField(fields, line, start + 1, i - 1);
      state = QuoteState::AfterQuote;
      start = i;
      hasContent = false;
    }
    if (state == QuoteState::Outside && c == Quote) {
      start = i;
      state = QuoteState::InQuote;
    }
    if (c == ',' && state != QuoteState::InQuote) {
      if (state == QuoteState::Outside) addField(fields, line, start + 1, i - 1);
      state = QuoteState::Outside;
      start = i;
      hasContent = false;
    }
    const bool blankDelimits = c == ' ' && blankSeparates;
    if (blankDelimits) {
      if (state == QuoteState::Outside && hasContent) {
        addField(fields, line, start + 1, i);
        start = i;
        hasContent = false;
      }
      if (state == QuoteState::AfterQuote) {
        state = QuoteState::Outside;
        start = i;
      }
    }
    if (i == length) {
      addField(fields, line, start + 1, i);
      return;
    }
    if (c != ',' && !blankDelimits) hasContent = true;
  }
}

// The comma pass: every field is cut at its commas; the text after a cut is
// examined again when the loop reaches it. The loop runs to the last field,
// however many cuts it makes.
void resplitAtCommasPass(std::string_view line, FieldList& fields) {
  for (std::size_t i = 1; i <= static_cast<std::size_t>(fields.count); ++i) {
    trimInPlace(fields.slots[i]);
    const std::size_t p = fields.slots[i].find(',');
    if (p == std::string::npos) continue;
    openSlots(fields, line, i, 1);
    cutSlot(fields, i, p, i + 1);
  }
}

// The equals pass: every "=" becomes a field of its own; a field that is
// exactly "=" is left alone, and the text after a cut is examined again when
// reached.
void equalsAsFieldPass(std::string_view line, FieldList& fields) {
  for (std::size_t i = 1; i <= static_cast<std::size_t>(fields.count); ++i) {
    std::string& field = fields.slots[i];
    trimInPlace(field);
    if (field == "=") continue;
    const std::size_t p = field.find('=');
    if (p == std::string::npos) continue;
    if (p == 0) {
      openSlots(fields, line, i, 1);
      cutSlot(fields, i, p, i + 1);
      fields.slots[i].assign("=");
    } else if (p + 1 == field.size()) {
      openSlots(fields, line, i, 1);
      fields.slots[i].erase(p);
      trimInPlace(fields.slots[i]);
      fields.slots[i + 1].assign("=");
    } else {
      openSlots(fields, line, i, 2);
      cutSlot(fields, i, p, i + 2);
      fields.slots[i + 1].assign("=");
    }
  }
}

}  // namespace

FieldList::FieldList(std::int16_t capacity) {
  if (capacity < 0 || capacity > 32766) throw std::invalid_argument("FieldList capacity must be 0 to 32766");
  slots.resize(static_cast<std::size_t>(capacity) + 2);
}

void SplitDelimitedLine(std::string_view line, bool equalsAsField, bool blankSeparates, bool resplitAtCommas,
                        FieldList& fields, std::string_view place) {
  for (std::string& slot : fields.slots) slot.clear();
  fields.count = 0;
  if (trimBlanks(line).empty()) return;

  if (std::count(line.begin(), line.end(), Quote) % 2 != 0) {
    Error_report("for line=`" + std::string(line) + "`, the quotos don't equal" + placeText(place), "ER932");
  }

  scanLine(line, blankSeparates, fields);
  if (resplitAtCommas) resplitAtCommasPass(line, fields);
  if (equalsAsField) equalsAsFieldPass(line, fields);

  if (fields.count > 1 && trimBlanks(fields.slots[static_cast<std::size_t>(fields.count)]).empty()) {
    --fields.count;
  }
  if (fields.count > fields.capacity()) reportOverflow(fields, line);

  if (MainControl("Show_BreakdownOf_LineInput_8chk").value == 1) ShowLineBreakdown(line, fields);
}

void SplitKeyValue(std::string_view text, std::string& key, std::string& value, bool& found) {
  key.clear();
  value.clear();
  const std::size_t p = text.find('=');
  if (p == std::string_view::npos) {
    found = false;
    return;
  }
  auto strip = [](std::string_view part) {
    auto isMark = [](char c) { return c == ',' || c == Quote; };
    while (!part.empty() && isMark(part.front())) part.remove_prefix(1);
    while (!part.empty() && isMark(part.back())) part.remove_suffix(1);
    return part;
  };
  key.assign(strip(trimBlanks(text.substr(0, p))));
  value.assign(strip(trimBlanks(text.substr(p + 1))));
  found = true;
}

std::string BraceIdentifier(std::string_view text, bool& endOfList) {
  endOfList = false;
  const std::size_t open = text.find('{');
  const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
  if (close == std::string_view::npos) {
    endOfList = true;
    return "ENDOFLIST";
  }
  std::string id(trimBlanks(text.substr(open + 1, close - open - 1)));
  for (char& c : id) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return id;
}

void SortTextOrder(std::span<const std::string> texts, std::int16_t n, std::vector<std::int16_t>& order) {
  if (n > SortTextLimit) {
    Error_report("too many texts to sort, n=" + std::to_string(n) + " (at most " + std::to_string(SortTextLimit) + ")",
                 "BS291");
  }
  if (n < 0) n = 0;
  if (texts.size() < static_cast<std::size_t>(n) + 1) {
    throw std::logic_error("SortTextOrder: fewer texts than n");
  }
  order.assign(static_cast<std::size_t>(n) + 1, 0);
  for (std::int16_t k = 1; k <= n; ++k) order[static_cast<std::size_t>(k)] = k;

  // Bubble passes over the order itself: texts[order[j]] is the working copy's
  // entry j, so the texts are never copied. Adjacent swaps of strictly greater
  // texts keep equal texts in their input order.
  for (int pass = 1; pass <= SortPassLimit; ++pass) {
    bool swapped = false;
    for (std::size_t j = 1; j + 1 <= static_cast<std::size_t>(n); ++j) {
      const auto& left = texts[static_cast<std::size_t>(order[j])];
      const auto& right = texts[static_cast<std::size_t>(order[j + 1])];
      if (left > right) {
        std::swap(order[j], order[j + 1]);
        swapped = true;
      }
    }
    if (!swapped) return;
  }
  Error_report("bubble sort issue - trys=9000 ", "BS282");
}

void ShowLineBreakdown(std::string_view line, const FieldList& fields) {
  gWindow.debug.visible = true;
  std::vector<std::string>& items = DebugList().items;
  items.clear();
  items.push_back("-->" + std::string(line) + "<---");
  if (fields.count < 1) {
    items.emplace_back("it's blank....");
    return;
  }
  for (std::int16_t k = 1; k <= fields.count; ++k) {
    items.push_back(std::to_string(k) + ") " + fields[k]);
  }
}

std::string SplitSelfTestLine() {
  return std::string(" 1a, =2bc, ") + Quote + "3abcd,, =,4abcde,,5abcdef=" + Quote + ", ,6abc,, 7a 8";
}

void SplitSelfTest() {
  const std::string line = SplitSelfTestLine();
  FieldList fields(22);
  SplitDelimitedLine(line, true, true, true, fields);
  ShowLineBreakdown(line, fields);
}
