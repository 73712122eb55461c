// Liquefaction over a run: inputs, the current depth's values, the soundings'
// indices and the project's liquefaction report.
#include "compute/liquefaction_run.h"

#include <cctype>
#include <charconv>
#include <cstdint>

#include "compute/zero_load.h"
#include "core/depth_values.h"
#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "platform/host_env.h"
#include "project/sounding_db.h"

LiquefactionState gLiquefaction;

namespace {

constexpr float kLargestAmaxG = 2.0f;
constexpr float kLargestMagnitude = 10.0f;

// The shortest text of a number ("0.25", "7.5").
std::string numberText(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string lowerCased(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A CSR file named without a folder lies in the project folder.
std::string csrFilePath(const std::string& name) {
  if (name.find('\\') != std::string::npos || name.find(':') != std::string::npos) return name;
  return PathOf("PROJECT") + name;
}

std::string missingInputText(const LiquefactionInputs& in, const std::string& csrName) {
  std::string text = "Liquefaction column " + in.firstColumn +
                     " needs the peak ground acceleration amax (g) (window field \"Peak ground acceleration amax "
                     "(g)\", batch option --eq-amax) or a readable CSR earthquake file (window field \"Project CSR "
                     "earthquake file\", batch option --eq-csr): amax is not given and ";
  text += csrName.empty() ? "no CSR earthquake file is named" : "the CSR earthquake file " + csrName + " cannot be read";
  return text;
}

}  // namespace

void Liquefaction_reset() { gLiquefaction = LiquefactionState{}; }

void Liquefaction_start(const std::string& firstColumn, const std::string& reportColumn) {
  Liquefaction_reset();
  LiquefactionInputs& in = gLiquefaction.inputs;
  if (firstColumn.empty()) return;
  in.wanted = true;
  in.firstColumn = firstColumn;
  in.reportColumn = reportColumn;
  gLiquefaction.reportPath = PathOf("PROJECT") + "Vurn---Output---Liquefaction---" + gRun.projectName + ".txt";

  const std::string amaxText = TrimBlanks(gRun.earthquakeAmaxText);
  if (!amaxText.empty()) {
    const float amax = NumberOrNull(amaxText);
    if (IsNull(amax) || amax <= 0.0f || amax > kLargestAmaxG) {
      Error_report("Peak ground acceleration amax (g) = " + amaxText + " is not a number above 0 up to " +
                       numberText(kLargestAmaxG) + " g (window field \"Peak ground acceleration amax (g)\", "
                       "batch option --eq-amax)",
                   "LQ102");
    }
    in.amax = amax;
  }

  const std::string csrName = TrimBlanks(gRun.earthquakeCsrFile);
  if (!csrName.empty()) {
    const std::string path = csrFilePath(csrName);
    in.csrFileUsed = CsrFile_read(path, in.csrFile);
    if (!in.csrFileUsed) {
      if (IsNull(in.amax)) Error_report(missingInputText(in, path), "LQ101");
      ContextLine_write("CSR earthquake file " + path + " cannot be read; the simplified CSR from amax = " +
                            numberText(in.amax) + " g is used at every depth",
                        "ISSUE");
    }
  } else if (IsNull(in.amax)) {
    Error_report(missingInputText(in, ""), "LQ101");
  }

  in.magnitude = gRun.earthquakeMagnitude;
  in.magnitudeSource = "window";
  if (in.csrFileUsed && !IsNull(in.csrFile.magnitude)) {
    in.magnitude = in.csrFile.magnitude;
    in.magnitudeSource = "CSR earthquake file";
  }
  if (IsNull(in.magnitude) || in.magnitude <= 0.0f || in.magnitude > kLargestMagnitude) {
    Error_report("Liquefaction column " + firstColumn + " needs the project earthquake magnitude as a number above 0 "
                     "up to 10 (window field \"Project Earthquake Magnitude (Mb)\", batch option --eq-mb)",
                 "LQ103");
  }
  in.msf = Liquefaction_msf(in.magnitude);
}

float Liquefaction_csrAtDepth() {
  const LiquefactionInputs& in = gLiquefaction.inputs;
  const DepthValues& d = gDepth;
  if (in.csrFileUsed) {
    const float value = CsrFile_valueAt(in.csrFile, d.depth);
    if (!IsNull(value)) return CsrFile_csr(in.csrFile, value, d.ves);
    if (!IsNull(d.depth) && !gLiquefaction.outsideFileNoted) {
      gLiquefaction.outsideFileNoted = true;
      const CsrFileTable& t = in.csrFile;
      ContextLine_write("sounding " + SoundingField_text("SOUNDING_NAME") + " reaches depths outside the CSR "
                            "earthquake file's " + numberText(t.depthsFt.front()) + " to " +
                            numberText(t.depthsFt.back()) + " ft (first at " + numberText(d.depth) + " ft); " +
                            (IsNull(in.amax) ? std::string("there the CSR is missing (no amax given)")
                                             : "there the simplified CSR from amax = " + numberText(in.amax) +
                                                   " g is used"),
                        "TASK");
    }
  }
  return Liquefaction_csrSimplified(in.amax, d.vts, d.ves, d.depth);
}

LiquefactionPoint Liquefaction_point(float crr, float ic) {
  LiquefactionPoint p;
  const DepthValues& d = gDepth;
  p.csr = Liquefaction_csrAtDepth();
  const float waterTable = SoundingField_single("WATERTABLE_DEPTH_FEET");
  // Without a water table every depth counts as below it, as in the stress sums.
  const bool below = !IsNull(d.depth) && (IsNull(waterTable) || d.depth > waterTable);
  if (!below || IsNull(ic) || ic > kLiquefactionIcLimit || IsNull(d.ves) || d.ves <= 0.0f) return p;
  p.fs = Liquefaction_fs(crr, gLiquefaction.inputs.msf, Liquefaction_kSigma(d.ves), p.csr);
  p.strainPct = Liquefaction_strain(p.fs, Liquefaction_qc1ncs(ic, d.qc1));
  return p;
}

void Liquefaction_beginSounding(int k) {
  LiquefactionState& s = gLiquefaction;
  s.sounding = k;
  s.outsideFileNoted = false;
  s.depthsFt.clear();
  s.fs.clear();
  s.strainPct.clear();
}

void Liquefaction_trackDepth(const LiquefactionPoint& point) {
  LiquefactionState& s = gLiquefaction;
  const float depth = gDepth.depth;
  // Rows out of depth order would give negative layers; they are left out.
  if (IsNull(depth) || (!s.depthsFt.empty() && depth <= s.depthsFt.back())) return;
  s.depthsFt.push_back(depth);
  s.fs.push_back(point.fs);
  s.strainPct.push_back(point.strainPct);
}

void Liquefaction_endSounding() {
  LiquefactionState& s = gLiquefaction;
  if (!s.inputs.wanted || s.sounding < 1) return;
  if (s.rows.size() < static_cast<std::size_t>(s.sounding)) s.rows.resize(static_cast<std::size_t>(s.sounding));
  LiquefactionSoundingRow& row = s.rows[static_cast<std::size_t>(s.sounding - 1)];
  row = LiquefactionSoundingRow{};
  row.sounding = SoundingField_text("SOUNDING_NAME");
  if (s.sounding <= gZeroLoad.count) {
    const ZeroLoadRecord& z = gZeroLoad.records[static_cast<std::size_t>(s.sounding)];
    row.device = z.device;
    row.dateTime = z.dateTime;
  }
  row.waterTableFt = SoundingField_single("WATERTABLE_DEPTH_FEET");
  if (!s.depthsFt.empty()) row.endFt = s.depthsFt.back();
  row.indices = Liquefaction_indices(s.depthsFt, s.fs, s.strainPct);
}

namespace {

std::string fitted(const std::string& text, std::size_t width) {
  std::string t = text.substr(0, width);
  t.append(width - t.size(), ' ');
  return t;
}

std::string P(float value, const char* picture) { return Number_format(value, picture, false); }

void writeHead(TextWriter& f) {
  const LiquefactionInputs& in = gLiquefaction.inputs;
  f.writeLine("Vurn liquefaction report   project " + gRun.projectName + "   written " + Host_shortDate() + " " +
              Host_shortTime() + " by Vurn " + gRun.versionText);
  f.writeLine("Peak ground acceleration amax = " +
              (IsNull(in.amax) ? std::string("not given") : numberText(in.amax) + " g"));
  if (in.csrFileUsed) {
    const CsrFileTable& t = in.csrFile;
    f.writeLine("CSR earthquake file = " + t.path + "   quantity " + t.quantity + ", " +
                std::to_string(t.motions.size()) + " motion(s) combined by " + lowerCased(t.combine) +
                ", depths " + numberText(t.depthsFt.front()) + " to " + numberText(t.depthsFt.back()) +
                " ft; outside them the simplified CSR from amax");
  } else {
    f.writeLine("CSR earthquake file = none (the simplified CSR from amax at every depth)");
  }
  f.writeLine("Earthquake magnitude M = " + numberText(in.magnitude) + " (" + in.magnitudeSource +
              "),  MSF = 10^2.24 / M^2.56 = " + numberText(in.msf));
  f.writeLine("Method set: Robertson & Wride 1998 / Youd et al. 2001.  CSR = 0.65 amax (sv / s'v) rd, rd of "
              "Robertson & Wride 1998;  Ksigma = (s'v / 1 atm)^(0.7 - 1), 1 at s'v <= 1 atm");
  f.writeLine("FS = CRR7.5 MSF Ksigma / CSR, capped at 2, CRR7.5 of column " + in.reportColumn +
              ";  no FS above the water table, at Ic > 2.6 (clay-like) or where CRR, CSR or stress is missing");
  f.writeLine("Ev: Zhang, Robertson & Brachman 2002 with qc1Ncs = Kc Qc1 (33 to 200), linear in FS between the "
              "curves, 0 at FS >= 2.  Settlement = sum of Ev x layer thickness over the sounding");
  f.writeLine("LPI: Iwasaki et al. 1978, to 20 m (0 very low, up to 5 low, 5 to 15 high, above 15 very high).  "
              "LPI_ISH: Maurer et al. 2015, to 20 m (above 5: manifestation expected)");
  f.writeLine("LSN: van Ballegooy et al. 2014, to 20 m (below 20 little expression, 20 to 40 moderate to "
              "severe, 40 or more major).  Each reading stands for the layer from the reading above it down to it");
  f.writeLine("");
}

}  // namespace

void Liquefaction_writeReport() {
  const LiquefactionState& s = gLiquefaction;
  if (!s.inputs.wanted) return;
  Status_show("Liquefaction report output", "", "", "", "", "", "", "LQR112");
  const int n = static_cast<int>(s.rows.size());
  std::vector<std::string> keys(static_cast<std::size_t>(n) + 1);
  for (int k = 1; k <= n; ++k) {
    const LiquefactionSoundingRow& r = s.rows[static_cast<std::size_t>(k - 1)];
    ZeroLoadRecord key;
    key.device = r.device;
    key.dateTime = r.dateTime;
    key.sounding = r.sounding;
    keys[static_cast<std::size_t>(k)] = ZeroLoad_sortKey(key);
  }
  std::vector<std::int16_t> order;
  if (n > 0) SortTextOrder(keys, static_cast<std::int16_t>(n), order);

  TextWriter f;
  if (!f.open(s.reportPath, TextWriter::Mode::Replace)) {
    Error_report("can't write liquefaction report " + s.reportPath + ", maybe open by another program?", "LQR204");
  }
  writeHead(f);
  f.writeLine("sounding           device                 date               WT_ft   End_ft      LPI  LPI_ISH      LSN  "
              "Settle_in  Settle_mm  Liq_top_ft  Liq_bot_ft  Liq_thick_ft");
  for (int row = 1; row <= n; ++row) {
    const LiquefactionSoundingRow& r = s.rows[static_cast<std::size_t>(order[static_cast<std::size_t>(row)] - 1)];
    const LiquefactionIndices& x = r.indices;
    const float inches = static_cast<float>(x.settlementFt * 12.0);
    const float mm = static_cast<float>(x.settlementFt * 304.8);
    std::string line = fitted(r.sounding, 18) + " " + fitted(r.device, 22) + " " + fitted(r.dateTime, 15) + " ";
    line += P(r.waterTableFt, "####.##") + "  " + P(r.endFt, "####.##") + "  " + P(x.lpi, "####.##") + "  " +
            P(x.lpiIsh, "####.##") + "  " + P(x.lsn, "####.##") + "  " + P(inches, "#####.###") + "  " +
            P(mm, "#####.##") + "    " + P(x.liquefiesTopFt, "####.##") + "     " +
            P(x.liquefiesBottomFt, "####.##") + "       " + P(x.liquefiesThicknessFt, "####.##");
    f.writeLine(line);
  }
  if (!f.close()) {
    Error_report("can't write liquefaction report " + s.reportPath + ", it did not reach the disk completely (e=" +
                     std::to_string(f.error()) + ")",
                 "LQR204");
  }
}
