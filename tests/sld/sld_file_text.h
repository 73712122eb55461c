// Test helper: the text of an SLD file from its parts, lines ending in CRLF.
#pragma once

#include <string>
#include <vector>

struct SldFileText {
  std::string row1 = "Fr_%,QC1_atm,Ic_tvk";
  std::string row2 = "Row2_Vurn_SLDv5";
  std::vector<std::string> header = {"SLD_CHARTID = CPTCHART", "SLD_LOOKUP_METHOD = XYC",
                                     "SLD_VERSION_AUTHOR_ONE_NAME = Tester"};
  std::string end = "EOH";
  std::vector<std::string> data = {"1.2,30,0.15", "2.0,40", "", "1.0,50,0.2", "3.0,80"};

  std::string text() const {
    std::string out = row1 + "\r\n" + row2 + "\r\n";
    for (const std::string& line : header) out += line + "\r\n";
    out += end + "\r\n";
    for (const std::string& line : data) out += line + "\r\n";
    return out;
  }
};
