// The HOG field data reader: header, calibration, data rows, end of push and
// closing zero row.
#include "fielddata/hog_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/report.h"
#include "files/paths.h"
#include "files/text.h"
#include "numeric/date_time.h"
#include "numeric/gps.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"
#include "project/sounding_db.h"

FieldData gFieldData;
HogHeader gHogHeader;
DepthRow gDepthRow;

namespace {

constexpr int kHeaderLines = 23;
constexpr float kEndOfPushReading = -32768.0f;
constexpr double kCountScale = 0.01044;

// Blanks put in front of line 17, and of lines 18 to 20, before their cells
// are cut.
constexpr std::size_t kNamePrefix = 32;
constexpr std::size_t kCalibrationPrefix = 35;

// The `width` characters starting at 1-based position `start` of the line
// after `prefix` blanks are put in front of it and blanks after it; the blanks
// of the padding are left out, since every cell is trimmed or read as a number.
std::string_view cellOf(std::string_view line, std::size_t prefix, std::size_t start, std::size_t width) {
  const std::size_t first = start - 1;
  const std::size_t last = first + width;
  std::size_t from = first > prefix ? first - prefix : 0;
  std::size_t to = last > prefix ? last - prefix : 0;
  if (from > line.size()) from = line.size();
  if (to > line.size()) to = line.size();
  return line.substr(from, to - from);
}

// Channel k's cell: the 20 characters starting at position 20k.
std::string_view channelCell(std::string_view line, std::size_t prefix, std::int16_t k) {
  return cellOf(line, prefix, static_cast<std::size_t>(20 * k), 20);
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void resetChannel(HogChannel& channel) {
  channel.factor = NullValue;
  channel.cleanZero = NullValue;
  channel.dirtyZero = NullValue;
  channel.cleanZeroRead = false;
  channel.dirtyZeroRead = false;
  channel.unit = NullText;
}

// The channels in the order their names are matched, with their words.
struct ChannelWord {
  HogChannel HogHeader::*channel;
  const char* word;  // also names the channel in messages
};
constexpr ChannelWord kChannelWords[] = {
    {&HogHeader::tip, "TIP"},
    {&HogHeader::friction, "FRICTION"},
    {&HogHeader::u2, "U2"},
    {&HogHeader::inclX, "X INCL"},
    {&HogHeader::inclY, "Y INCL"},
    {&HogHeader::conductivity, "CONDUCTIVITY"},
};

// Reads header line n into `line`; a file that ends before it reports "HGF611".
void readHeaderLine(TextReader& file, int n, std::string& line) {
  if (!file.readLine(line)) {
    Error_report(file.path() + " ends at line " + std::to_string(n - 1) + ", within its " +
                     std::to_string(kHeaderLines) + " header lines",
                 "HGF611");
  }
}

// A value worked out in double precision as the 32-bit float that is stored,
// or missing when it lies beyond the 32-bit range (or is not finite), so that
// an absurd reading never reaches the computations as an infinity.
bool fitsFloat(double value) {
  return std::isfinite(value) && std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max());
}

float storedValue(double value) { return fitsFloat(value) ? static_cast<float>(value) : NullValue; }

// The calibration of one channel from its cells of lines 18, 19 and 20.
void ReadChannelCalibration(const TextReader& file, const char* word, HogChannel& channel,
                            std::string_view line18, std::string_view line19, std::string_view line20) {
  const std::int16_t k = channel.column;
  const std::string where = file.path() + ", channel " + word + " (column " + std::to_string(k) + ")";

  float reference = NullValue;
  if (!NumberCell_read(channelCell(line18, kCalibrationPrefix, k), reference) || reference == 0.0f) {
    Error_report(where + ": the reference number on line 18 is zero or not a number", "HGC622");
  }

  const std::string_view cell = trimmed(channelCell(line20, kCalibrationPrefix, k));
  const std::size_t blank = cell.find(' ');
  if (blank == std::string_view::npos) {
    Error_report(where + ": line 20 needs a number, a blank and a unit, not \"" + std::string(cell) + "\"",
                 "HGC623");
  }
  float number = NullValue;
  if (!NumberCell_read(cell.substr(0, blank), number)) {
    Error_report(where + ": line 20 needs a number, a blank and a unit, not \"" + std::string(cell) + "\"",
                 "HGC623");
  }

  float cleanZero = NullValue;
  if (!NumberCell_read(channelCell(line19, kCalibrationPrefix, k), cleanZero)) {
    Error_report(where + ": the clean zero reading on line 19 is not a number", "HGC624");
  }

  channel.unit = std::string(trimmed(cell.substr(blank)));
  channel.cleanZero = cleanZero;
  channel.cleanZeroRead = true;
  const double factor = static_cast<double>(number) / static_cast<double>(reference);
  if (!fitsFloat(factor)) {
    Error_report(where + ": full scale " + std::string(cell) + " over reference number " +
                     std::string(trimmed(channelCell(line18, kCalibrationPrefix, k))) +
                     " is beyond the range of a 32-bit number",
                 "HGC622");
  }
  channel.factor = static_cast<float>(factor);
}

// The reading of a channel in a data row: none when the channel is absent or
// its cell is blank or not a number. A count of 5435 is a reading like any
// other, so whether a reading is missing is decided here from its text.
std::optional<float> readingOf(std::string_view row, const HogChannel& channel) {
  float reading = NullValue;
  if (channel.column <= 0 || !NumberCell_read(channelCell(row, 0, channel.column), reading)) return std::nullopt;
  return reading;
}

// An inclination: factor x (reading - cleanZero), or missing when there is no
// reading.
float inclination(std::optional<float> reading, const HogChannel& channel) {
  if (!reading) return NullValue;
  return storedValue(static_cast<double>(channel.factor) *
                     (static_cast<double>(*reading) - static_cast<double>(channel.cleanZero)));
}

// A tip, sleeve or pore pressure reading in atmospheres:
// unitFactor x (reading - cleanZero) x 0.01044 x factor, or missing when there
// is no reading.
float pressure(std::optional<float> reading, const HogChannel& channel, float unitFactor) {
  if (!reading) return NullValue;
  return storedValue(static_cast<double>(unitFactor) *
                     (static_cast<double>(*reading) - static_cast<double>(channel.cleanZero)) * kCountScale *
                     static_cast<double>(channel.factor));
}

bool present(const HogChannel& channel) { return channel.column > 0; }

}  // namespace

void ResetHogHeader() {
  HogHeader& h = gHogHeader;
  h.soundingName = "Null";
  h.device = "NULL";
  h.dateTime = "NULL";
  for (const ChannelWord& c : kChannelWords) resetChannel(h.*(c.channel));
  h.gpsLatitude = NullValue;
  h.gpsLongitude = NullValue;
  h.gpsThird = NullValue;
  gFieldData.rowCount = static_cast<std::int16_t>(NullValue);
}

void ResetDepthRow() { gDepthRow = DepthRow{}; }

void HogReader_reset() {
  gHogHeader = HogHeader{};
  gDepthRow = DepthRow{};
  FieldData& d = gFieldData;
  for (FieldData::Column* column : {&d.depth, &d.qc, &d.fs, &d.u2, &d.inclX, &d.inclY}) column->fill(NullValue);
  d.rowCount = static_cast<std::int16_t>(NullValue);
}

void OpenHogFile(TextReader& file) {
  const std::string& name = SoundingField_text("SOUNDING_NAME");
  PathName_checkSafe("SOUNDING_NAME", name);
  const std::string path = PathOf("SOUNDINGS") + name + ".CPT";
  file.close();
  if (!file.open(path)) {
    Error_report("can't open the field data file " + path + " (is it missing, or open in another program?)",
                 "HGF601");
  }
  Status_show("", "", "", path, name + "   <---hog file", " ", " ", "Ho999");
}

void ReadHogHeader(TextReader& file) {
  HogHeader& h = gHogHeader;
  const std::string& name = SoundingField_text("SOUNDING_NAME");
  Status_show("", "reading Hog header", " ", name, "", "", "", "RQ201");
  h.soundingName = name;

  std::string line;
  readHeaderLine(file, 1, line);
  if (UpperCased(line).find("HOGENTOGLER") == std::string::npos) {
    Error_report("does not have HOGENTOGLER in line one, field data file " + file.path(), "H4334");
  }

  for (int n = 2; n <= 16; ++n) {
    readHeaderLine(file, n, line);
    if (n == 4) h.device = line;
    if (n == 8) h.dateTime = DateTime_normalize(line);
    if (n == 12 && !line.empty()) {
      GpsGga_convert(line, h.gpsLatitude, h.gpsLongitude, h.gpsThird, file.path() + ", line 12");
    }
  }

  readHeaderLine(file, 17, line);
  for (const ChannelWord& c : kChannelWords) (h.*(c.channel)).column = -9;
  for (std::int16_t k = 1; k <= 5; ++k) {
    const std::string channelName = UpperCased(trimmed(channelCell(line, kNamePrefix, k)));
    bool matched = false;
    for (const ChannelWord& c : kChannelWords) {
      if (channelName.find(c.word) != std::string::npos) {
        (h.*(c.channel)).column = k;
        matched = true;
      }
    }
    if (!channelName.empty() && !matched) {
      // The cell's characters in the line as written (before the blanks put in front of it).
      const int first = std::max<int>(1, 20 * k - static_cast<int>(kNamePrefix));
      const int last = 20 * k + 19 - static_cast<int>(kNamePrefix);
      Error_report("device not found of " + channelName + " --- in " + file.path() + ", line 17, channel " +
                       std::to_string(k) + " (characters " + std::to_string(first) + " to " + std::to_string(last) + ")",
                   "HRC728");
    }
  }
  for (const ChannelWord& c : kChannelWords) {
    const bool required = c.channel == &HogHeader::tip || c.channel == &HogHeader::friction ||
                          c.channel == &HogHeader::u2;
    if (required && !present(h.*(c.channel))) {
      Error_report(file.path() + " has no " + c.word + " channel among the channel names of line 17", "HGC621");
    }
  }

  std::string line18;
  std::string line19;
  std::string line20;
  readHeaderLine(file, 18, line18);
  readHeaderLine(file, 19, line19);
  readHeaderLine(file, 20, line20);
  for (const ChannelWord& c : kChannelWords) {
    HogChannel& channel = h.*(c.channel);
    if (c.channel == &HogHeader::conductivity || !present(channel)) continue;
    ReadChannelCalibration(file, c.word, channel, line18, line19, line20);
  }

  for (int n = 21; n <= kHeaderLines; ++n) readHeaderLine(file, n, line);
}

void ReadHogDepthRow(std::string_view row, bool firstRow, const TextReader& file, bool& endsData) {
  HogHeader& h = gHogHeader;
  DepthRow& r = gDepthRow;
  endsData = false;
  Status_show("", "reading HOG depth data", "", "", "..", "..", "..", "HOG514");
  ResetDepthRow();
  if (firstRow) {
    h.markerCount = 0;
    h.dataMode = "";
  }

  const std::string_view depthText = cellOf(row, 0, 1, 8);
  if (!trimmed(depthText).empty()) {
    float depthMetres = NullValue;
    if (NumberCell_read(depthText, depthMetres)) {
      r.depth = storedValue(static_cast<double>(depthMetres) * static_cast<double>(UnitFactor_get("FT/M")));
    }
    const std::optional<float> tip = readingOf(row, h.tip);
    r.tipReading = tip.value_or(NullValue);
    r.qc = pressure(tip, h.tip, UnitFactor_get("ATM/TSF"));
  }

  if (h.markerCount >= 2) {
    const std::optional<float> frictionZero = readingOf(row, h.friction);
    if (frictionZero.value_or(NullValue) != kEndOfPushReading) {
      const auto setDirty = [](HogChannel& channel, const std::optional<float>& reading) {
        channel.dirtyZero = reading.value_or(NullValue);
        channel.dirtyZeroRead = reading.has_value();
      };
      setDirty(h.friction, frictionZero);
      setDirty(h.tip, readingOf(row, h.tip));
      setDirty(h.u2, readingOf(row, h.u2));
      if (present(h.inclX)) setDirty(h.inclX, readingOf(row, h.inclX));
      if (present(h.inclY)) setDirty(h.inclY, readingOf(row, h.inclY));
      endsData = true;
      return;
    }
  }

  const std::optional<float> friction = readingOf(row, h.friction);
  r.frictionReading = friction.value_or(NullValue);
  if (friction == kEndOfPushReading) {
    r.fs = NullValue;
    h.dataMode = "NORMAL";
    ++h.markerCount;
  } else {
    r.fs = pressure(friction, h.friction, UnitFactor_get("ATM/TSF"));
  }

  const std::optional<float> u2 = readingOf(row, h.u2);
  r.u2Reading = u2.value_or(NullValue);
  r.u2 = pressure(u2, h.u2, UnitFactor_get("ATM/PSI"));

  if (present(h.inclX)) {
    const std::optional<float> x = readingOf(row, h.inclX);
    r.xReading = x.value_or(NullValue);
    r.inclX = inclination(x, h.inclX);
  }
  if (present(h.inclY)) {
    const std::optional<float> y = readingOf(row, h.inclY);
    r.yReading = y.value_or(NullValue);
    r.inclY = inclination(y, h.inclY);
  }

  if (!file.atEnd()) return;
  if (h.markerCount == 0 && h.dataMode != "NORMAL") {
    h.dataMode = "FUGRO";
    for (const ChannelWord& c : kChannelWords) {
      HogChannel& channel = h.*(c.channel);
      if (c.channel != &HogHeader::conductivity && present(channel)) {
        channel.dirtyZero = channel.cleanZero;
        channel.dirtyZeroRead = channel.cleanZeroRead;
      }
    }
    endsData = true;
    Status_show("", "", " ", "", "", "", "", "HOG987");
    return;
  }
  Error_report(h.soundingName + ", line =" + std::string(row) + std::string(100, ' ') + " --- EOF found - but " +
                   " -32768 were found",
               "HG8234");
}

void ReadHogDepthData(TextReader& file) {
  FieldData& d = gFieldData;
  std::string row;
  for (int i = 1;; ++i) {
    ResetDepthRow();
    if (!file.readLine(row)) {
      Error_report(file.path() + " has no data rows after its " + std::to_string(kHeaderLines) + " header lines",
                   "HGF612");
    }
    bool endsData = false;
    ReadHogDepthRow(row, i == 1, file, endsData);
    if (endsData) {
      file.close();
      d.rowCount = static_cast<std::int16_t>(i - 1);
      return;
    }
    if (i > FieldDataCapacity) {
      Error_report(file.path() + " has more than " + std::to_string(FieldDataCapacity) +
                       " data rows; a sounding holds at most " + std::to_string(FieldDataCapacity),
                   "HGR631");
    }
    const DepthRow& r = gDepthRow;
    Status_show("", "", "i=" + std::to_string(i), "", "", "", "depth=" + Number_format(r.depth, "###.#", true) + " ft",
                "HOG514");
    const auto at = static_cast<std::size_t>(i);
    d.depth[at] = r.depth;
    d.qc[at] = r.qc;
    d.fs[at] = r.fs;
    d.u2[at] = r.u2;
    d.inclX[at] = r.inclX;
    d.inclY[at] = r.inclY;
  }
}

void ReadHogSounding() {
  ResetHogHeader();
  TextReader file;
  OpenHogFile(file);
  ReadHogHeader(file);
  ReadHogDepthData(file);
}
