// The BRO CPT XML reader: the document parsed with pugixml, elements found by
// namespace and local name, the cptResult records checked, put in depth order
// and stored as the HOG reader stores its rows.
#include "fielddata/bro_xml_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include "core/report.h"
#include "fielddata/field_data_store.h"
#include "fielddata/hog_reader.h"
#include "files/text.h"
#include "numeric/date_time.h"
#include "platform/host_paths.h"

namespace {

// The namespaces of the registry's CPT documents, told by their URI whatever
// prefix binds them.
enum class Ns { dscpt, brocom, cptcommon, gml, om, swe, other };

// The registry's schemas are "http://www.broservices.nl/xsd/<name>/<version>";
// the look-alike "https://schema.broservices.nl/xsd/<name>/..." is taken as
// the same, since only the elements' own bindings are ever looked at.
Ns namespaceOfUri(std::string_view uri) {
  if (uri.find("broservices.nl/xsd/") != std::string_view::npos) {
    if (uri.find("/xsd/dscpt/") != std::string_view::npos) return Ns::dscpt;
    if (uri.find("/xsd/brocommon/") != std::string_view::npos) return Ns::brocom;
    if (uri.find("/xsd/cptcommon/") != std::string_view::npos) return Ns::cptcommon;
    return Ns::other;
  }
  if (uri.rfind("http://www.opengis.net/gml/3.2", 0) == 0) return Ns::gml;
  if (uri.rfind("http://www.opengis.net/om/2.0", 0) == 0) return Ns::om;
  if (uri.rfind("http://www.opengis.net/swe/2.0", 0) == 0) return Ns::swe;
  return Ns::other;
}

std::string_view localName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The namespace an element's prefix (or the default namespace) is bound to on
// the element or its nearest ancestor that binds it.
Ns namespaceOf(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  const std::string attribute =
      colon == std::string_view::npos ? std::string("xmlns") : "xmlns:" + std::string(name.substr(0, colon));
  for (pugi::xml_node at = node; at.type() == pugi::node_element; at = at.parent()) {
    const pugi::xml_attribute binding = at.attribute(attribute.c_str());
    if (binding) return namespaceOfUri(binding.value());
  }
  return Ns::other;
}

bool is(const pugi::xml_node& node, Ns ns, std::string_view local) {
  return node.type() == pugi::node_element && localName(node) == local && namespaceOf(node) == ns;
}

// The first child element of `node` in `ns` named `local`, or an empty node.
pugi::xml_node child(const pugi::xml_node& node, Ns ns, std::string_view local) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (is(c, ns, local)) return c;
  }
  return {};
}

// The element reached from `node` through the children named in turn.
pugi::xml_node descendant(pugi::xml_node node, std::initializer_list<std::pair<Ns, std::string_view>> steps) {
  for (const auto& [ns, local] : steps) {
    if (!node) break;
    node = child(node, ns, local);
  }
  return node;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Whether the text is written as a number: an optional sign, digits with at
// most one `decimal` (at least one digit), an optional exponent. The values of
// the columns that are not stored are only checked this way.
bool numberShaped(std::string_view text, char decimal) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t at = 0;
  const std::size_t n = text.size();
  if (at < n && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t digits = 0;
  for (; at < n && isDigit(text[at]); ++at) ++digits;
  if (at < n && text[at] == decimal) {
    for (++at; at < n && isDigit(text[at]); ++at) ++digits;
  }
  if (digits == 0) return false;
  if (at < n && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < n && (text[at] == '+' || text[at] == '-')) ++at;
    std::size_t exponentDigits = 0;
    for (; at < n && isDigit(text[at]); ++at) ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return at == n;
}

// The registry's missing value of every field of a record.
constexpr double kVoid = -999999.0;
constexpr std::string_view kVoidText = "-999999";  // as the registry writes it, told apart without a conversion

// The record: 25 fields in the registry's fixed order; the ones read here.
constexpr std::size_t kFieldCount = 25;
constexpr std::size_t kPenetrationLength = 0;
constexpr std::size_t kConeResistance = 3;
constexpr std::size_t kInclinationX = 13;
constexpr std::size_t kInclinationY = 14;
constexpr std::size_t kLocalFriction = 18;
constexpr std::size_t kPorePressureU2 = 22;
constexpr std::array<const char*, kFieldCount> kFieldNames = {
    "penetrationLength", "depth", "elapsedTime", "coneResistance", "correctedConeResistance",
    "netConeResistance", "magneticFieldStrengthX", "magneticFieldStrengthY", "magneticFieldStrengthZ",
    "magneticFieldStrengthTotal", "electricalConductivity", "inclinationEW", "inclinationNS", "inclinationX",
    "inclinationY", "inclinationResultant", "magneticInclination", "magneticDeclination", "localFriction",
    "poreRatio", "temperature", "porePressureU1", "porePressureU2", "porePressureU3", "frictionRatio"};

// The records as read: whether any gives a penetration length, a cone
// resistance and a local friction.
struct Quantities {
  bool depth = false;
  bool qc = false;
  bool fs = false;
};

struct Encoding {
  char decimal = '.';
  char token = ',';
  char block = ';';
};

// What the whole reading works on: the file's path for messages, the parsed
// document and the records.
struct Document {
  std::string path;
  pugi::xml_document xml;
  pugi::xml_node cpt;  // CPT_O
  std::int32_t records = 0;
  Quantities given;
};

std::string recordPlace(const Document& d, std::int32_t record) {
  return d.path + ", record " + std::to_string(record);
}

// The 1-based line of the file at byte `offset`.
std::int64_t lineAt(const std::filesystem::path& file, std::ptrdiff_t offset) {
  std::ifstream in(file, std::ios::binary);
  std::int64_t line = 1;
  char c = 0;
  for (std::ptrdiff_t at = 0; at < offset && in.get(c); ++at) line += c == '\n';
  return line;
}

// Reads and parses the file (pugixml reads it into the one buffer it parses
// in place).
void parseDocument(Document& d) {
  const std::filesystem::path file = Host_resolve(d.path);
  const pugi::xml_parse_result result = d.xml.load_file(file.c_str());
  if (result.status == pugi::status_file_not_found || result.status == pugi::status_io_error) {
    Error_report("can't open the field data file " + d.path + " (is it missing, or open in another program?)",
                 "BXF601");
  }
  if (!result) {
    Error_report(d.path + " is not a well-formed XML document: " + result.description() + " at line " +
                     std::to_string(lineAt(file, result.offset)),
                 "BXD611");
  }
  const pugi::xml_node root = d.xml.document_element();
  const std::string notCpt = d.path + " is not a BRO CPT document: ";
  if (!is(root, Ns::dscpt, "dispatchDataResponse")) {
    Error_report(notCpt + "its root element is <" + std::string(root.name()) +
                     ">, not the registry's CPT dispatch (dispatchDataResponse in the namespace "
                     "http://www.broservices.nl/xsd/dscpt/1.1)",
                 "BXD612");
  }
  int documents = 0;
  for (pugi::xml_node document = root.first_child(); document; document = document.next_sibling()) {
    if (!is(document, Ns::dscpt, "dispatchDocument")) continue;
    for (pugi::xml_node c = document.first_child(); c; c = c.next_sibling()) {
      if (!is(c, Ns::dscpt, "CPT_O")) continue;
      if (++documents == 1) d.cpt = c;
    }
  }
  if (documents != 1) {
    Error_report(notCpt + "it holds " + std::to_string(documents) +
                     " cone penetration tests (CPT_O); a sounding's file holds one",
                 "BXD612");
  }
}

pugi::xml_node survey(const Document& d) { return child(d.cpt, Ns::dscpt, "conePenetrometerSurvey"); }

pugi::xml_node penetrationTest(const Document& d) {
  return child(survey(d), Ns::cptcommon, "conePenetrationTest");
}

// One separator of the text encoding: its attribute, or the usual character
// when the attribute is absent.
char separatorOf(const Document& d, const pugi::xml_node& encoding, const char* name, char usual) {
  const pugi::xml_attribute attribute = encoding.attribute(name);
  if (!attribute) return usual;
  const std::string_view text = attribute.value();
  if (text.size() != 1) {
    Error_report(d.path + " is not a BRO CPT document: the " + name + " of its text encoding is \"" +
                     std::string(text) + "\", not one character",
                 "BXD612");
  }
  return text.front();
}

Encoding encodingOf(const Document& d, const pugi::xml_node& result) {
  const pugi::xml_node encoding = descendant(result, {{Ns::swe, "encoding"}, {Ns::swe, "TextEncoding"}});
  Encoding e;
  e.decimal = separatorOf(d, encoding, "decimalSeparator", '.');
  e.token = separatorOf(d, encoding, "tokenSeparator", ',');
  e.block = separatorOf(d, encoding, "blockSeparator", ';');
  if (e.decimal == e.token || e.decimal == e.block || e.token == e.block) {
    Error_report(d.path + " is not a BRO CPT document: its text encoding uses one character for two separators",
                 "BXD612");
  }
  return e;
}

[[noreturn]] void reportNotANumber(const Document& d, std::int32_t number, std::size_t field, std::string_view text) {
  Error_report(recordPlace(d, number) + ": the " + kFieldNames[field] + " value \"" + std::string(text) +
                   "\" is not a number",
               "BXV642");
}

// The value of field `field` of record `number`: missing when empty or void,
// and when the field is not `stored` (its text is still checked).
double recordValue(const Document& d, std::int32_t number, std::size_t field, std::string_view text,
                   const Encoding& e, bool stored) {
  text = trimmed(text);
  if (text.empty() || text == kVoidText) return FieldValueMissing;
  if (!stored) {
    if (!numberShaped(text, e.decimal)) reportNotANumber(d, number, field, text);
    return FieldValueMissing;
  }
  std::string copy;
  if (e.decimal != '.') {
    copy.assign(text);
    std::replace(copy.begin(), copy.end(), e.decimal, '.');
    text = copy;
  }
  double value = 0.0;
  if (!FieldValue_parse(text, value)) reportNotANumber(d, number, field, text);
  return value == kVoid ? FieldValueMissing : value;
}

// Splits the values text into records of 25 values and stores each.
void readRecords(Document& d) {
  const pugi::xml_node result = child(penetrationTest(d), Ns::cptcommon, "cptResult");
  const pugi::xml_node values = child(result, Ns::cptcommon, "values");
  const Encoding e = encodingOf(d, result);
  const std::string_view text = values.text().get();
  std::int32_t number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(e.block, start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view block = trimmed(text.substr(start, end - start));
    start = end + 1;
    if (block.empty()) continue;
    ++number;
    std::array<std::string_view, kFieldCount> fields;
    std::size_t count = 0;
    std::size_t from = 0;
    for (std::size_t at = 0; at < block.size(); ++at) {
      if (block[at] != e.token) continue;
      if (count < kFieldCount) fields[count] = block.substr(from, at - from);
      ++count;
      from = at + 1;
    }
    if (count < kFieldCount) fields[count] = block.substr(from);
    if (++count != kFieldCount) {
      Error_report(recordPlace(d, number) + " has " + std::to_string(count) + " values; a record has " +
                       std::to_string(kFieldCount),
                   "BXV641");
    }
    // The record's values as written: metres, megapascals, degrees.
    double metres = FieldValueMissing, qc = FieldValueMissing, fs = FieldValueMissing, u2 = FieldValueMissing;
    FieldRow row;
    for (std::size_t field = 0; field < kFieldCount; ++field) {
      double* stored = nullptr;
      switch (field) {
        case kPenetrationLength: stored = &metres; break;
        case kConeResistance: stored = &qc; break;
        case kLocalFriction: stored = &fs; break;
        case kPorePressureU2: stored = &u2; break;
        case kInclinationX: stored = &row.inclX; break;
        case kInclinationY: stored = &row.inclY; break;
        default: break;
      }
      const double value = recordValue(d, number, field, fields[field], e, stored != nullptr);
      if (stored != nullptr) *stored = value;
    }
    const auto atm = [](double mpa) { return mpa == FieldValueMissing ? mpa : mpa * AtmPerMpa; };
    row.depthFeet = FieldDepth_feet(metres);
    row.qcAtm = atm(qc);
    row.fsAtm = atm(fs);
    row.u2Atm = atm(u2);
    if (!FieldDataStore_add(row)) {
      Error_report(d.path + " has more than " + std::to_string(FieldDataCapacity) +
                       " records; a sounding holds at most " + std::to_string(FieldDataCapacity),
                   "BXR651");
    }
    d.given.depth = d.given.depth || metres != FieldValueMissing;
    d.given.qc = d.given.qc || qc != FieldValueMissing;
    d.given.fs = d.given.fs || fs != FieldValueMissing;
  }
  d.records = number;
}

void checkRequiredQuantities(const Document& d) {
  if (d.records == 0) Error_report(d.path + " has no cone penetration records (cptResult values)", "BXQ621");
  for (const auto& [given, name] : {std::pair{d.given.depth, "penetration length"},
                                    std::pair{d.given.qc, "cone resistance (qc)"},
                                    std::pair{d.given.fs, "local friction (fs)"}}) {
    if (!given) {
      Error_report(d.path + " has no " + std::string(name) + " value in any of its " + std::to_string(d.records) +
                       " records",
                   "BXQ621");
    }
  }
}

// A zero load measurement in MPa, or missing when the element is absent, nil
// or empty.
double zeroLoadMpa(const Document& d, const pugi::xml_node& zeroLoad, const char* name) {
  const pugi::xml_node element = child(zeroLoad, Ns::cptcommon, name);
  const std::string_view text = trimmed(element.text().get());
  if (text.empty()) return FieldValueMissing;
  double value = 0.0;
  if (!FieldValue_parse(text, value)) {
    Error_report(d.path + ", zero load measurement " + name + ": \"" + std::string(text) + "\" is not a number",
                 "BXV642");
  }
  const std::string unit = UpperCased(trimmed(element.attribute("uom").value()));
  if (unit == "MPA" || unit.empty()) return value;
  if (unit == "KPA") return value / 1000.0;
  Error_report(d.path + ", zero load measurement " + name + ": the unit \"" +
                   std::string(element.attribute("uom").value()) + "\" cannot be converted (MPa or kPa)",
               "BXU631");
}

// "YYYY-MM-DDThh:mm:ss..." (the time and its offset optional) as the
// month/day/year text the header's date and time is normalised from; a text
// of another form is normalised as it is.
std::string dateTimeOf(std::string_view text) {
  text = trimmed(text);
  const auto digits = [&](std::size_t at, std::size_t n) {
    if (text.size() < at + n) return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at),
                       text.begin() + static_cast<std::ptrdiff_t>(at + n),
                       [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(0, 4) || text.size() < 10 || text[4] != '-' || !digits(5, 2) || text[7] != '-' || !digits(8, 2)) {
    return DateTime_normalize(text);
  }
  std::string usual = std::string(text.substr(5, 2)) + "/" + std::string(text.substr(8, 2)) + "/" +
                      std::string(text.substr(0, 4));
  if (text.size() >= 19 && text[10] == 'T' && digits(11, 2) && text[13] == ':' && digits(14, 2) &&
      text[16] == ':' && digits(17, 2)) {
    usual += " " + std::string(text.substr(11, 8));
  } else {
    usual += " -";  // a date without its time: the time comes out unknown ("~-----")
  }
  return DateTime_normalize(usual);
}

// The EPSG code at the end of an srsName ("urn:ogc:def:crs:EPSG::28992"), or 0.
int epsgOf(std::string_view srsName) {
  const std::size_t colon = srsName.find_last_of(":/");
  const std::string_view code = colon == std::string_view::npos ? srsName : srsName.substr(colon + 1);
  int epsg = 0;
  const auto result = std::from_chars(code.data(), code.data() + code.size(), epsg);
  return result.ec == std::errc() && result.ptr == code.data() + code.size() ? epsg : 0;
}

// The two numbers of a gml:pos.
bool positionOf(const pugi::xml_node& location, double& first, double& second) {
  const std::string_view text = trimmed(child(location, Ns::gml, "pos").text().get());
  const std::size_t blank = text.find_first_of(" \t\r\n");
  if (blank == std::string_view::npos) return false;
  return FieldValue_parse(trimmed(text.substr(0, blank)), first) && FieldValue_parse(trimmed(text.substr(blank)), second);
}

bool isGeographic(int epsg) { return epsg == 4258 || epsg == 4326 || epsg == 4289; }

// Latitude and longitude: the standardized ETRS89 location, else the delivered
// location converted from its grid. Geographic positions are "latitude
// longitude" in these documents.
void readPosition(const Document& d) {
  HogHeader& h = gHogHeader;
  double first = 0.0;
  double second = 0.0;
  const pugi::xml_node standardized = child(child(d.cpt, Ns::dscpt, "standardizedLocation"), Ns::brocom, "location");
  if (standardized && positionOf(standardized, first, second)) {
    const int epsg = epsgOf(standardized.attribute("srsName").value());
    if (epsg == 4258 || epsg == 0) {
      h.gpsLatitude = first;
      h.gpsLongitude = second;
      gFieldFileFacts.positionSource = "ETRS89 position of the file (standardized location)";
      return;
    }
  }
  const pugi::xml_node delivered = child(child(d.cpt, Ns::dscpt, "deliveredLocation"), Ns::cptcommon, "location");
  if (!delivered) return;
  const std::string srsName = delivered.attribute("srsName").value();
  const int epsg = epsgOf(srsName);
  const bool read = positionOf(delivered, first, second);
  const bool converted = read && (isGeographic(epsg) ? FieldDataStore_setPosition(epsg, second, first)
                                                     : FieldDataStore_setPosition(epsg, first, second));
  if (!converted) {
    ContextLine_write(d.path + ": the delivered location (" + srsName +
                          ") cannot be turned into latitude and longitude; the position is left missing",
                      "ISSUE");
  }
}

void readHeader(const Document& d) {
  HogHeader& h = gHogHeader;
  const pugi::xml_node penetrometer = child(survey(d), Ns::cptcommon, "conePenetrometer");
  const std::string_view device = trimmed(child(penetrometer, Ns::cptcommon, "conePenetrometerType").text().get());
  if (!device.empty()) h.device = device;

  const pugi::xml_node test = penetrationTest(d);
  for (const char* time : {"phenomenonTime", "resultTime"}) {
    const std::string_view position = trimmed(
        descendant(test, {{Ns::om, time}, {Ns::gml, "TimeInstant"}, {Ns::gml, "timePosition"}}).text().get());
    if (position.empty()) continue;
    h.dateTime = dateTimeOf(position);
    break;
  }

  const pugi::xml_node zero = child(penetrometer, Ns::cptcommon, "zeroLoadMeasurement");
  for (const auto& [quantity, name] : {std::pair{"qc", "coneResistance"}, std::pair{"fs", "localFriction"},
                                       std::pair{"u2", "porePressureU2"}}) {
    FieldDataStore_setZero(quantity, zeroLoadMpa(d, zero, (std::string(name) + "Before").c_str()),
                           zeroLoadMpa(d, zero, (std::string(name) + "After").c_str()));
  }
  readPosition(d);
}

}  // namespace

void ReadBroXmlFile(const std::string& path) {
  Document d;
  d.path = path;
  parseDocument(d);
  FieldDataStore_begin(path);
  readRecords(d);
  checkRequiredQuantities(d);
  readHeader(d);
  FieldDataStore_finish();
  Status_show("", "", "i=" + std::to_string(gFieldData.rowCount), "", "", "", "", "BX514");
}
