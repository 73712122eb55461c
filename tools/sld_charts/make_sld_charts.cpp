// Writes the default chart set: the eight SLD files the computations need
// (cQc1, Ic, UWT1, CRRe, p200s1, Vs1, N1, S1), each drawn from a published CPT
// correlation over friction ratio F (%) across and normalised tip resistance
// Q (atm) up, both on log scales, for the extent 0.1-10 by 1-1000.
//
// Usage: make_sld_charts <output folder>
// The bundled files in dist/Vurn/SLD input are this program's output; a test
// regenerates them and compares byte for byte, so any change here shows there.
//
// How a chart is drawn. Every chart is a function g(lf, lq) of lf = log10 F and
// lq = log10 Q that is monotone in lq at every lf, plus an optional clamp range.
// Each contour line is sampled on one common grid of lf values (so neighbouring
// lines can never cross between samples) running a little beyond the extent, so
// the extent's edges fall inside every line's first and last segments. At each
// grid lf, a level's position is:
//   - real: the lq where g equals the level, inside the chart's search window;
//   - virtual: where the level lies beyond the window on a side where g is
//     defined up to the window's edge, the position comes from extending g
//     linearly past the edge, kept in order and within 10^+-4.7, so the lookup
//     still finds a pair of lines around every point near the extent's edges;
//   - levels beyond an edge of the extent (real or virtual) are then moved onto
//     the straight line through the nearest level inside and g at the edge, so
//     the lookup is exact at the edge and close to g just inside it;
//   - dead: where the level lies in a region where g is not defined (CRR for
//     clay-like soil). A line that dies ends at the exact boundary, followed by
//     one point far below it, so the lookup's extrapolation beyond the line's
//     end leaves every usable range and the region stays without a value.
// A clamped function gets one more line on each clamped side, carrying the
// clamp value beyond the extent's corners, so every point between the clamp
// contour and the extent's edge is looked up as the clamp value.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kExtentLo = 0.0;       // lq of Q = 1 atm
constexpr double kExtentHi = 3.0;       // lq of Q = 1000 atm
constexpr double kGridLo = -1.04;       // lf of the lines' first points (F = 0.091 %)
constexpr double kGridHi = 1.04;        // lf of the lines' last points (F = 11 %)
constexpr double kVirtualLimit = 4.7;   // virtual positions stay within 10^+-4.7
constexpr double kVirtualStep = 0.02;   // least lq between virtual positions
constexpr double kOuterOffset = 0.15;   // clamp lines beyond the extent's edge
constexpr double kTerminatorLq = -4.0;  // the point after a line's last one, where it dies
constexpr double kTerminatorDx = 0.0005;

// Soil behaviour type index from the normalised cone resistance and friction ratio.
double soilIndex(double lf, double lq) { return std::sqrt((3.47 - lq) * (3.47 - lq) + (lf + 1.22) * (lf + 1.22)); }

struct Chart {
  std::string fileProperty;  // the file is SLD-Vurn-<fileProperty>.csv
  std::string cId;           // row 1, column 3
  std::string description;
  std::vector<std::string> comments;
  std::function<double(double, double)> g;  // unclamped; NaN where not defined
  bool increasing = true;                   // g rises with lq
  double clampLo = kNaN;                    // clamp range of the property, NaN for none
  double clampHi = kNaN;
  std::vector<double> levels;  // ascending; clamp values included once
  double windowLo = -1.0;      // lq range searched for real positions
  double windowHi = 3.3;
  std::vector<double> breaks;  // lf values the grid must hold (kinks of g)
  int gridPoints = 25;
};

enum class Kind { Inner, OuterLow, OuterHigh };  // OuterLow/High: the clamp line beyond the low/high-lq side

struct LineSpec {
  double value;
  Kind kind;
};

struct Position {
  double lq = kNaN;
  bool alive = false;
};

[[noreturn]] void fail(const std::string& text) {
  std::cerr << "make_sld_charts: " << text << "\n";
  std::exit(1);
}

// The lq in [a, b] where g(lf, .) = v, g(a) and g(b) on either side.
double solve(const Chart& chart, double lf, double v, double a, double b) {
  double ga = chart.g(lf, a) - v;
  for (int i = 0; i < 200; ++i) {
    const double m = 0.5 * (a + b);
    const double gm = chart.g(lf, m) - v;
    if ((gm < 0) == (ga < 0)) {
      a = m;
      ga = gm;
    } else {
      b = m;
    }
  }
  return 0.5 * (a + b);
}

// Moves the levels beyond one edge of the extent onto the straight line (in
// level against lq) through the nearest level inside the extent and the
// function's value at the edge. The first level beyond then makes the lookup
// exact at the edge itself, instead of at its true contour outside the extent,
// which keeps the interpolation near the edges close to the curve.
void alongEdgeSecant(const Chart& chart, const std::vector<LineSpec>& lines, double lf, std::vector<Position>& out,
                     bool high) {
  const double edge = high ? kExtentHi : kExtentLo;
  const double other = high ? kExtentLo : kExtentHi;
  const double gEdge = chart.g(lf, edge);
  if (std::isnan(gEdge)) return;
  std::vector<size_t> beyond;
  double refLq = kNaN;
  double refValue = kNaN;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (lines[k].kind != Kind::Inner || !out[k].alive) continue;
    const double p = out[k].lq;
    if (high ? p > edge : p < edge) {
      beyond.push_back(k);
    } else if (p >= kExtentLo && p <= kExtentHi && (std::isnan(refLq) || std::abs(p - edge) < std::abs(refLq - edge))) {
      refLq = p;
      refValue = lines[k].value;
    }
  }
  if (beyond.empty()) return;
  if (std::isnan(refLq)) {
    refLq = other;
    refValue = chart.g(lf, other);
    if (std::isnan(refValue)) return;
  }
  if (std::abs(edge - refLq) < 1e-6) return;
  const double slope = (gEdge - refValue) / (edge - refLq);
  if (slope == 0.0 || (slope > 0) != chart.increasing) return;
  std::sort(beyond.begin(), beyond.end(),
            [&](size_t a, size_t b) { return high ? out[a].lq < out[b].lq : out[a].lq > out[b].lq; });
  double previous = edge;
  for (size_t i = 0; i < beyond.size(); ++i) {
    const double remaining = static_cast<double>(beyond.size() - 1 - i);
    double p = edge + (lines[beyond[i]].value - gEdge) / slope;
    if (high) {
      p = std::min(std::max(p, previous + (i == 0 ? 1e-4 : kVirtualStep)), kVirtualLimit - kVirtualStep * remaining);
    } else {
      p = std::max(std::min(p, previous - (i == 0 ? 1e-4 : kVirtualStep)), -kVirtualLimit + kVirtualStep * remaining);
    }
    out[beyond[i]].lq = p;
    previous = p;
  }
}

// Positions of every line at one lf.
std::vector<Position> column(const Chart& chart, const std::vector<LineSpec>& lines, double lf) {
  constexpr int kSteps = 800;
  std::vector<double> lq(kSteps + 1);
  std::vector<double> gv(kSteps + 1);
  int first = -1;
  int last = -1;
  for (int i = 0; i <= kSteps; ++i) {
    lq[i] = chart.windowLo + (chart.windowHi - chart.windowLo) * i / kSteps;
    gv[i] = chart.g(lf, lq[i]);
    if (!std::isnan(gv[i])) {
      if (first < 0) first = i;
      if (last >= 0 && last != i - 1) fail(chart.cId + ": defined region is not one interval");
      last = i;
    }
  }
  if (first < 0) return std::vector<Position>(lines.size());  // every level dead here
  for (int i = first + 1; i <= last; ++i) {
    if (chart.increasing ? gv[i] <= gv[i - 1] : gv[i] >= gv[i - 1]) fail(chart.cId + ": g is not monotone in lq");
  }
  const bool lowIsEdge = first == 0;
  const bool highIsEdge = last == kSteps;

  std::vector<Position> out(lines.size());
  std::vector<size_t> highVirtual;
  std::vector<size_t> lowVirtual;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (lines[k].kind != Kind::Inner) continue;
    const double v = lines[k].value;
    for (int i = first; i < last; ++i) {
      const double lo = std::min(gv[i], gv[i + 1]);
      const double hi = std::max(gv[i], gv[i + 1]);
      if (v >= lo && v <= hi) {
        out[k] = {solve(chart, lf, v, lq[i], lq[i + 1]), true};
        break;
      }
    }
    if (out[k].alive) continue;
    const bool onHighSide = chart.increasing ? v > gv[last] : v < gv[last];
    if (onHighSide && highIsEdge) {
      highVirtual.push_back(k);
    } else if (!onHighSide && lowIsEdge) {
      lowVirtual.push_back(k);
    }  // otherwise the level lies where g is not defined: dead here
  }

  double highest = chart.windowHi;
  double lowest = chart.windowLo;
  for (const Position& p : out) {
    if (p.alive) {
      highest = std::max(highest, p.lq);
      lowest = std::min(lowest, p.lq);
    }
  }
  // Virtual positions: g extended linearly past the window's edge.
  auto place = [&](std::vector<size_t>& ks, bool high) {
    const double edge = high ? chart.windowHi : chart.windowLo;
    const double h = 0.01;
    const double gEdge = chart.g(lf, edge);
    const double slope = (chart.g(lf, edge) - chart.g(lf, high ? edge - h : edge + h)) / (high ? h : -h);
    std::sort(ks.begin(), ks.end(), [&](size_t a, size_t b) {
      return std::abs(lines[a].value - gEdge) < std::abs(lines[b].value - gEdge);
    });
    double previous = high ? highest : lowest;
    for (size_t i = 0; i < ks.size(); ++i) {
      const double remaining = static_cast<double>(ks.size() - 1 - i);
      double p = slope != 0.0 ? edge + (lines[ks[i]].value - gEdge) / slope : kNaN;
      if (high) {
        if (std::isnan(p) || p < previous + kVirtualStep) p = previous + kVirtualStep;
        p = std::min(p, kVirtualLimit - kVirtualStep * remaining);
      } else {
        if (std::isnan(p) || p > previous - kVirtualStep) p = previous - kVirtualStep;
        p = std::max(p, -kVirtualLimit + kVirtualStep * remaining);
      }
      out[ks[i]] = {p, true};
      previous = p;
    }
  };
  place(highVirtual, true);
  place(lowVirtual, false);
  alongEdgeSecant(chart, lines, lf, out, true);
  alongEdgeSecant(chart, lines, lf, out, false);

  // Clamp lines beyond the extent, past every other line on their side.
  double top = kExtentHi;
  double bottom = kExtentLo;
  for (const Position& p : out) {
    if (p.alive) {
      top = std::max(top, p.lq);
      bottom = std::min(bottom, p.lq);
    }
  }
  for (size_t k = 0; k < lines.size(); ++k) {
    if (lines[k].kind == Kind::OuterHigh) out[k] = {std::min(top + kOuterOffset, 4.9), true};
    if (lines[k].kind == Kind::OuterLow) out[k] = {std::max(bottom - kOuterOffset, -4.9), true};
  }
  return out;
}

// The lines in file order (ascending value) with the clamp lines added.
std::vector<LineSpec> lineSpecs(const Chart& chart) {
  std::vector<LineSpec> lines;
  for (double v : chart.levels) lines.push_back({v, Kind::Inner});
  // Clamp values sit at the ends of the ascending levels. For g rising with lq
  // the low clamp is on the low-lq side; for g falling it is on the high side.
  if (!std::isnan(chart.clampLo)) {
    lines.insert(lines.begin(), {chart.clampLo, chart.increasing ? Kind::OuterLow : Kind::OuterHigh});
  }
  if (!std::isnan(chart.clampHi)) {
    lines.push_back({chart.clampHi, chart.increasing ? Kind::OuterHigh : Kind::OuterLow});
  }
  if (lines.size() > 15) fail(chart.cId + ": more than 15 lines");
  return lines;
}

std::vector<double> grid(const Chart& chart) {
  std::vector<double> lf(chart.gridPoints);
  for (int i = 0; i < chart.gridPoints; ++i) lf[i] = kGridLo + (kGridHi - kGridLo) * i / (chart.gridPoints - 1);
  for (double b : chart.breaks) {
    auto nearest = std::min_element(lf.begin() + 1, lf.end() - 1,
                                    [&](double a, double c) { return std::abs(a - b) < std::abs(c - b); });
    *nearest = b;
  }
  return lf;
}

std::string number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", v);
  return buffer;
}

struct Point {
  double lf;
  double lq;
};

std::string chartText(const Chart& chart) {
  const std::vector<LineSpec> lines = lineSpecs(chart);
  const std::vector<double> lfs = grid(chart);
  std::vector<std::vector<Position>> columns;
  for (double lf : lfs) columns.push_back(column(chart, lines, lf));

  std::string text;
  auto line = [&](const std::string& s) { text += s + "\r\n"; };
  line("Fr_%,QC1_atm," + chart.cId);
  line("Row2_Vurn_SLDv5");
  std::vector<std::string> header = {
      "SLD_CHARTID = CPTCHART",
      "SLD_LOOKUP_METHOD = XYC",
      "SLD_VERSION_AUTHOR_FULL = Vurn default chart set: drawn from a published correlation",
      "SLD_VERSION_AUTHOR_ONE_NAME = VurnDefault",
      "SLD_VERSION_NUMBER = 1.0",
      "SLD_VERSION_DATE_FULL = 2026 December 6",
      "SLD_VERSION_DATE_SHORT = 2026-12-06",
      "SLD_VERSION_DATE_YEAR = 2026",
      "SLD_VERSION_DESCRIPTION = Computed from the formula below on a log-log grid; not a digitised chart",
      "PREDICTION_DESCRIPTION = " + chart.description,
  };
  for (const std::string& c : chart.comments) header.push_back("COMMENT = " + c);
  header.push_back("COMMENT = Q = QC1 (atm) and F = FR (%); Ic = sqrt((3.47 - log10 Q)^2 + (log10 F + 1.22)^2)");
  header.push_back("COMMENT = Written by tools/sld_charts/make_sld_charts; lines outside 0.1-10 by 1-1000 guide the lookup");
  if (header.size() > 40) fail(chart.cId + ": header too long");
  for (const std::string& h : header) {
    std::string upper = h;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.find("EOH") != std::string::npos) fail(chart.cId + ": a header line holds the end marker: " + h);
    line(h);
  }
  line("EOH");

  bool firstLine = true;
  for (size_t k = 0; k < lines.size(); ++k) {
    std::vector<Point> points;
    size_t i = 0;
    while (i < lfs.size() && columns[i][k].alive) {
      points.push_back({lfs[i], columns[i][k].lq});
      ++i;
    }
    if (points.empty()) fail(chart.cId + ": level " + number(lines[k].value) + " is not alive at the grid's start");
    if (i < lfs.size()) {
      for (size_t j = i; j < lfs.size(); ++j) {
        if (columns[j][k].alive) fail(chart.cId + ": level " + number(lines[k].value) + " comes back to life");
      }
      // The line dies between lfs[i - 1] and lfs[i]: find where, end it there.
      double a = lfs[i - 1];
      double b = lfs[i];
      for (int n = 0; n < 60; ++n) {
        const double m = 0.5 * (a + b);
        (column(chart, lines, m)[k].alive ? a : b) = m;
      }
      points.push_back({a, column(chart, lines, a)[k].lq});
      points.push_back({a + kTerminatorDx, kTerminatorLq});
    }
    if (points.size() > 25) fail(chart.cId + ": more than 25 points on a line");
    if (!firstLine) line("");
    firstLine = false;
    for (size_t p = 0; p < points.size(); ++p) {
      std::string row = number(std::pow(10.0, points[p].lf)) + "," + number(std::pow(10.0, points[p].lq));
      if (p == 0) row += "," + number(lines[k].value);
      line(row);
    }
  }
  return text;
}

// Clay-like soil (Ic > 2.6) and dense soil (Qcs >= 160) have no cyclic
// resistance by this correlation.
double cyclicResistance(double lf, double lq) {
  const double ic = soilIndex(lf, lq);
  if (ic > 2.6) return kNaN;
  const double kc = ic <= 1.64 ? 1.0 : -0.403 * std::pow(ic, 4) + 5.581 * std::pow(ic, 3) - 21.63 * ic * ic + 33.75 * ic - 17.88;
  const double qcs = kc * std::pow(10.0, lq);
  if (qcs < 50.0) return 0.833 * (qcs / 1000.0) + 0.05;
  if (qcs < 160.0) return 93.0 * std::pow(qcs / 1000.0, 3) + 0.08;
  return kNaN;
}

std::vector<Chart> charts() {
  std::vector<Chart> all;
  {
    Chart c;
    c.fileProperty = "cQc1";
    c.cId = "cQc1_tvk";
    c.description = "Stress exponent n of the normalised tip resistance";
    c.comments = {"Robertson (2009): n = 0.381 Ic + 0.05 (sigma'v / pa) - 0.15 <= 1.0; taken at sigma'v = pa",
                  "Limited to 0.5..1.0; lines of 0.5 and 1.0 beyond the extent cover the limited regions"};
    c.g = [](double lf, double lq) { return 0.381 * soilIndex(lf, lq) + 0.05 - 0.15; };
    c.increasing = false;
    c.clampLo = 0.5;
    c.clampHi = 1.0;
    for (int i = 0; i <= 10; ++i) c.levels.push_back(0.5 + 0.05 * i);
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "Ic";
    c.cId = "Ic_tvk";
    c.description = "Soil behaviour type index Ic";
    c.comments = {"Robertson (2009) soil behaviour type index from normalised tip resistance and friction ratio"};
    c.g = soilIndex;
    c.increasing = false;
    for (int i = 0; i < 15; ++i) c.levels.push_back(0.75 + 0.25 * i);
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "UWT1";
    c.cId = "UWT1_tvk_pcf";
    c.description = "Total unit weight (pcf)";
    c.comments = {"Robertson and Cabal (2010): unit weight / water = 0.27 log10 F + 0.36 log10 Q + 1.236",
                  "Q in place of qt / pa; water 62.4 pcf; lines reach beyond every corner of the extent"};
    c.g = [](double lf, double lq) { return 62.4 * (0.27 * lf + 0.36 * lq + 1.236); };
    c.increasing = true;
    for (int i = 0; i < 15; ++i) c.levels.push_back(56.0 + 8.0 * i);
    c.windowLo = -4.5;
    c.windowHi = 4.9;
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "CRRe";
    c.cId = "CRRe_tvk";
    c.description = "Cyclic resistance ratio CRR for magnitude 7.5";
    c.comments = {"Robertson and Wride (1998): Qcs = Kc Q; Kc = 1 for Ic <= 1.64",
                  "Kc = -0.403 Ic^4 + 5.581 Ic^3 - 21.63 Ic^2 + 33.75 Ic - 17.88 for Ic > 1.64",
                  "CRR = 0.833 (Qcs / 1000) + 0.05 for Qcs < 50; 93 (Qcs / 1000)^3 + 0.08 for 50 <= Qcs < 160",
                  "No contours for clay-like soil (Ic > 2.6) or Qcs >= 160, where the correlation does not apply"};
    c.g = cyclicResistance;
    c.increasing = true;
    c.levels = {0.08, 0.09, 0.10, 0.11, 0.12, 0.14, 0.16, 0.18, 0.20, 0.23, 0.26, 0.30, 0.35, 0.40, 0.45};
    c.gridPoints = 23;
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "p200s1";
    c.cId = "p200s1_tvk";
    c.description = "Fines content (% passing the No. 200 sieve)";
    c.comments = {"Robertson and Wride (1998): FC = 1.75 Ic^3.25 - 3.7",
                  "Limited to 0..100; lines of 0 and 100 beyond the extent cover the limited regions"};
    c.g = [](double lf, double lq) { return 1.75 * std::pow(soilIndex(lf, lq), 3.25) - 3.7; };
    c.increasing = false;
    c.clampLo = 0.0;
    c.clampHi = 100.0;
    c.levels = {0, 5, 10, 15, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "Vs1";
    c.cId = "Vs1_tvk_fps";
    c.description = "Normalised shear wave velocity Vs1 (ft/s)";
    c.comments = {"Robertson (2009): Vs1 = (alpha_vs Q)^0.5 m/s with alpha_vs = 10^(0.55 Ic + 1.68)",
                  "Converted to ft/s with 3.28084 ft/m"};
    c.g = [](double lf, double lq) {
      return 3.28084 * std::sqrt(std::pow(10.0, 0.55 * soilIndex(lf, lq) + 1.68) * std::pow(10.0, lq));
    };
    c.increasing = true;
    c.levels = {200, 240, 290, 350, 420, 500, 600, 720, 860, 1040, 1250, 1500, 1800, 2200, 2700};
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "N1";
    c.cId = "N1_tvk";
    c.description = "Normalised SPT blow count N1,60 (blows/ft)";
    c.comments = {"Robertson (2012): N1,60 = Q / 10^(1.1268 - 0.2817 Ic)"};
    c.g = [](double lf, double lq) { return std::pow(10.0, lq) / std::pow(10.0, 1.1268 - 0.2817 * soilIndex(lf, lq)); };
    c.increasing = true;
    c.levels = {1, 1.5, 2.2, 3.3, 5, 7.5, 11, 17, 25, 38, 57, 85, 130, 190, 290};
    all.push_back(c);
  }
  {
    Chart c;
    c.fileProperty = "S1";
    c.cId = "S1_tvk";
    c.description = "Undrained strength ratio su / sigma'v";
    c.comments = {"Robertson (2012): su / sigma'v = Q / Nkt with Nkt = 10.5 + 7 log10 F, limited to Nkt >= 6",
                  "Where Nkt is limited the lines rise by at most 0.4 %, so they can be read along QC1 as well"};
    // Below F = 0.228 % Nkt is held at 6; a slight rise there (Nkt from 5.98)
    // keeps every line rising, which the lookup along QC1 (YXC) needs.
    c.g = [](double lf, double lq) {
      const double kink = -4.5 / 7.0;
      const double nkt = lf >= kink ? 10.5 + 7.0 * lf : 6.0 + 0.06 * (lf - kink);
      return std::pow(10.0, lq) / nkt;
    };
    c.increasing = true;
    c.levels = {0.1, 0.15, 0.22, 0.33, 0.5, 0.75, 1.1, 1.7, 2.5, 3.8, 5.7, 8.5, 13, 19, 29};
    c.windowLo = -1.5;
    c.windowHi = 4.0;
    c.breaks = {-4.5 / 7.0};
    all.push_back(c);
  }
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sld_charts <output folder>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (const Chart& chart : charts()) {
    const std::filesystem::path path = folder / ("SLD-Vurn-" + chart.fileProperty + ".csv");
    std::ofstream out(path, std::ios::binary);
    out << chartText(chart);
    if (!out) fail("cannot write " + path.string());
  }
  return 0;
}
