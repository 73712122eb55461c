// BRO CPT XML reading speed: a document of 8000 records in the registry's
// layout (25 values each, the unused ones void), records out of depth order as
// registry documents often are, read as the field data dispatch reads a .XML
// file. Its rows/s compare with BM_ReadHogSounding8000Rows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "fielddata/bro_xml_reader.h"
#include "fielddata/hog_reader.h"
#include "read_bench.h"

namespace {

std::string documentText(int records) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dispatchDataResponse "
      "xmlns=\"http://www.broservices.nl/xsd/dscpt/1.1\" xmlns:brocom=\"http://www.broservices.nl/xsd/brocommon/3.0\" "
      "xmlns:cptcommon=\"http://www.broservices.nl/xsd/cptcommon/1.1\" xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
      "xmlns:om=\"http://www.opengis.net/om/2.0\" xmlns:swe=\"http://www.opengis.net/swe/2.0\">\n<dispatchDocument>"
      "<CPT_O>\n<standardizedLocation><brocom:location srsName=\"urn:ogc:def:crs:EPSG::4258\"><gml:pos>51.96 4.38"
      "</gml:pos></brocom:location></standardizedLocation>\n<conePenetrometerSurvey><cptcommon:conePenetrometer>"
      "<cptcommon:conePenetrometerType>CONE 7</cptcommon:conePenetrometerType><cptcommon:zeroLoadMeasurement>"
      "<cptcommon:coneResistanceBefore uom=\"MPa\">-0.090</cptcommon:coneResistanceBefore>"
      "<cptcommon:coneResistanceAfter uom=\"MPa\">-0.114</cptcommon:coneResistanceAfter>"
      "</cptcommon:zeroLoadMeasurement></cptcommon:conePenetrometer>\n<cptcommon:conePenetrationTest>"
      "<om:phenomenonTime><gml:TimeInstant><gml:timePosition>2023-03-15T09:10:00+01:00</gml:timePosition>"
      "</gml:TimeInstant></om:phenomenonTime><cptcommon:cptResult><swe:encoding><swe:TextEncoding "
      "decimalSeparator=\".\" tokenSeparator=\",\" blockSeparator=\";\"/></swe:encoding><cptcommon:values>";
  std::mt19937 random(5435);
  std::uniform_int_distribution<int> count(0, 30000);
  char record[512];
  for (int r = 0; r < records; ++r) {
    // The deepest tenth first, then the rest: out of order, as the registry delivers.
    const int i = (r + records - records / 10) % records + 1;
    const double metres = i * 0.02;
    std::snprintf(record, sizeof record,
                  "%.3f,%.3f,%.1f,%.3f,%.3f,%.3f,-999999,-999999,-999999,-999999,-999999,%d,%d,%d,%d,%d,"
                  "-999999,-999999,%.3f,%.3f,-999999,-999999,%.3f,-999999,%.1f;",
                  metres, metres, i * 1.0, count(random) / 1000.0, count(random) / 1000.0, count(random) / 1000.0,
                  count(random) % 5, count(random) % 5, count(random) % 5, count(random) % 5, count(random) % 5,
                  (count(random) % 500) / 1000.0, count(random) / 30000.0, (count(random) % 3000 - 100) / 1000.0,
                  count(random) / 3000.0);
    text += record;
  }
  return text + "</cptcommon:values></cptcommon:cptResult></cptcommon:conePenetrationTest></conePenetrometerSurvey>"
                "</CPT_O></dispatchDocument></dispatchDataResponse>\n";
}

void BM_ReadBroXml8000Records(benchmark::State& state) {
  ReadBench_run(state, "BENCH.XML", documentText(FieldDataCapacity), [](const std::string& path) {
    gHogHeader.soundingName = "BENCH";
    ReadBroXmlFile(path);
  });
}
BENCHMARK(BM_ReadBroXml8000Records)->Unit(benchmark::kMillisecond);

}  // namespace
