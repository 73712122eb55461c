// The throughput benchmark: makes a synthetic project of N soundings from the
// example project's three real soundings (repeated, their tip, sleeve and pore
// pressure readings perturbed, optionally lengthened to R rows), runs the
// whole processing run headless on it with vurn-batch (default charts, the
// example's column set), and prints depths per second, feet per second, peak
// memory and where the time went (reading, computing, chart lookup, writing).
// With --formats XML the same is done with soundings made from the example's
// BRO XML document (its records perturbed and lengthened alike); with several
// formats each size is run once per format.
//
//   vurn_throughput [--soundings N] [--rows R] [--runs K] [--scales 1,4,16] [--formats CPT,GEF,XML] [--keep]
//
// --formats GEF writes every sounding as a GEF file instead (the same readings,
// worked out in MPa through the HOG file's calibration), so the read phase of
// the readers can be compared per depth (the "read us/depth" column).
//
// Each size is run K times (median reported); one further run with
// --phase-times gives the split. Peak memory is the run's maximum resident set
// as the kernel counts it for the vurn-batch process.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Options {
  int soundings = 60;  // 16 times this stays within the zero-load report's 1000 rows
  int rows = 0;  // 0: as recorded
  int runs = 5;
  std::vector<int> scales{1};
  std::vector<std::string> formats{"CPT"};  // CPT: HOG files; GEF: the same as GEF files; XML: BRO CPT documents
  bool keep = false;  // leave the last project in build/bench-throughput
};

struct Source {
  std::string name;
  std::string databaseRow;  // the row of the sounding database, without its name
  std::vector<std::string> header;
  std::vector<std::string> push;     // rows of the push
  std::vector<std::string> markers;  // end-of-push rows
  std::string closing;               // the closing zero row
  std::vector<int> perturbed;        // 0-based starts of the tip, friction and u2 cells
  int decimals = 3;
  // Per tip, friction and u2 cell: atm per count (unit factor x 0.01044 x full
  // scale / reference) and the clean zero, for writing the readings as GEF.
  double atmPerCount[3] = {0, 0, 0};
  double cleanZero[3] = {0, 0, 0};
};

std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Channel k of a row: the 20 characters from position 20k (1-based).
std::string cell(const std::string& row, int start) {
  if (static_cast<int>(row.size()) <= start) return "";
  return row.substr(static_cast<size_t>(start), 20);
}

Source readSource(const fs::path& soundings, const std::string& name, const std::string& databaseRow) {
  Source s;
  s.name = name;
  s.databaseRow = databaseRow;
  const std::vector<std::string> lines = readLines(soundings / (name + ".CPT"));
  if (lines.size() < 26) throw std::runtime_error("too short: " + name);
  s.header.assign(lines.begin(), lines.begin() + 23);
  // Calibration cells of lines 18 to 20: channel k is the 20 characters from
  // position 20k of the line after 35 blanks.
  const auto calibration = [&lines](int line, int k) {
    const int from = std::max(0, 20 * k - 36);
    const int to = std::max(0, 20 * k - 16);
    const std::string& text = lines[static_cast<size_t>(line - 1)];
    if (static_cast<int>(text.size()) <= from) return 0.0;
    return std::atof(text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)).c_str());
  };
  for (int k = 1; k <= 5; ++k) {
    const std::string channel = trimmed(cell(lines[21], 20 * k - 1));
    if (channel == "TIP" || channel == "FRICTION" || channel == "U2") {
      const size_t q = s.perturbed.size();
      s.perturbed.push_back(20 * k - 1);
      const double unit = channel == "U2" ? 0.068046 : 0.95;
      s.atmPerCount[q] = unit * 0.01044 * calibration(20, k) / calibration(18, k);
      s.cleanZero[q] = calibration(19, k);
    }
  }
  int friction = -1;
  for (int k = 1; k <= 5; ++k) {
    if (trimmed(cell(lines[21], 20 * k - 1)) == "FRICTION") friction = 20 * k - 1;
  }
  std::vector<std::string> data(lines.begin() + 23, lines.end());
  while (!data.empty() && trimmed(data.back()).empty()) data.pop_back();
  s.closing = data.back();
  data.pop_back();
  for (const std::string& row : data) {
    const bool marker = friction >= 0 && trimmed(cell(row, friction)) == "-32768";
    (marker || !s.markers.empty() ? s.markers : s.push).push_back(row);
  }
  const std::string depth = trimmed(s.push.front().substr(0, 8));
  const size_t point = depth.find('.');
  s.decimals = point == std::string::npos ? 0 : static_cast<int>(depth.size() - point - 1);
  return s;
}

// A small deterministic generator, so that every run of the benchmark makes
// the same project.
struct Random {
  std::uint64_t state;
  double next() {  // uniform in [-1, 1)
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) / static_cast<double>(1ULL << 52) - 1.0;
  }
};

std::string rightAligned(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string depthText(double metres, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, metres);
  return rightAligned(buffer, 8);
}

std::string withDepth(const std::string& row, double metres, int decimals) {
  return depthText(metres, decimals) + (row.size() > 8 ? row.substr(8) : "");
}

std::string perturbed(std::string row, const std::vector<int>& starts, double scale, Random& random) {
  for (int start : starts) {
    const std::string text = trimmed(cell(row, start));
    if (text.empty() || text == "-32768") continue;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0') continue;
    const double factor = scale * (1.0 + 0.02 * random.next());
    const long changed = std::lround(static_cast<double>(value) * factor);
    row.replace(static_cast<size_t>(start), 20, rightAligned(std::to_string(changed), 20));
  }
  return row;
}

// Writes sounding `index` made from `s`, `rows` stored rows long (0: as the
// source); returns its number of stored rows (depths the run processes).
// A HOG row as a GEF record: depth, then qc, fs and u2 in MPa from the readings
// of the tip, friction and u2 cells (-32768 and blanks void).
std::string gefRecord(const std::string& row, const Source& s) {
  std::string record = trimmed(row.substr(0, 8));
  for (size_t q = 0; q < s.perturbed.size() && q < 3; ++q) {
    const std::string text = trimmed(cell(row, s.perturbed[q]));
    char value[32] = "-999999";
    if (!text.empty() && text != "-32768") {
      const double atm = s.atmPerCount[q] * (std::atof(text.c_str()) - s.cleanZero[q]);
      std::snprintf(value, sizeof value, "%.5f", atm / 9.86923);
    }
    record += std::string(";") + value;
  }
  return record + ";!";
}

const char* const kGefHeader =
    "#GEFID= 1, 1, 0\r\n#COLUMN= 4\r\n#COLUMNINFO= 1, m, penetration length, 1\r\n#COLUMNINFO= 2, MPa, qc, 2\r\n"
    "#COLUMNINFO= 3, MPa, fs, 3\r\n#COLUMNINFO= 4, MPa, u2, 6\r\n#COLUMNVOID= 2, -999999\r\n"
    "#COLUMNVOID= 3, -999999\r\n#COLUMNVOID= 4, -999999\r\n#COLUMNSEPARATOR= ;\r\n#RECORDSEPARATOR= !\r\n"
    "#MEASUREMENTTEXT= 4, BENCH CONE, cone\r\n#STARTDATE= 2024, 1, 2\r\n#STARTTIME= 3, 4, 5\r\n#EOH=\r\n";

long writeSounding(const fs::path& path, const Source& s, int index, int rows, bool gef) {
  Random random{0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(index)};
  const double scale = 1.0 + 0.08 * random.next();
  std::ofstream out(path, std::ios::binary);
  if (gef) out << kGefHeader;
  for (const std::string& line : s.header) {
    if (!gef) out << line << "\r\n";
  }
  const auto put = [&out, &s, gef](const std::string& row) { out << (gef ? gefRecord(row, s) : row) << "\r\n"; };
  const long pushRows = rows > 0 ? std::max<long>(1, rows - static_cast<long>(s.markers.size()))
                                 : static_cast<long>(s.push.size());
  const double first = std::atof(s.push.front().substr(0, 8).c_str());
  const double last = std::atof(s.push.back().substr(0, 8).c_str());
  const double step = s.push.size() > 1 ? std::atof(s.push[1].substr(0, 8).c_str()) - first : 0.02;
  const double span = last - first + step;
  double deepest = first;
  for (long k = 0; k < pushRows; ++k) {
    const std::string& row = s.push[static_cast<size_t>(k) % s.push.size()];
    const long block = k / static_cast<long>(s.push.size());
    deepest = std::atof(row.substr(0, 8).c_str()) + static_cast<double>(block) * span;
    put(withDepth(perturbed(row, s.perturbed, scale, random), deepest, s.decimals));
  }
  for (size_t k = 0; k < s.markers.size(); ++k) {
    put(withDepth(s.markers[k], deepest + static_cast<double>(k + 1) * step, s.decimals));
  }
  if (!gef) out << s.closing << "\r\n";
  return pushRows + static_cast<long>(s.markers.size());
}

// A BRO XML document cut into the text before its values, its records and the
// text after them.
struct XmlSource {
  std::string name;
  std::string databaseRow;
  std::string head, tail;
  std::vector<std::vector<std::string>> records;  // 25 values each
};

XmlSource readXmlSource(const fs::path& file, const std::string& name, const std::string& databaseRow) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t open = text.find("values>");
  const size_t close = text.find("</", open);
  if (open == std::string::npos || close == std::string::npos) throw std::runtime_error("no values in " + name);
  XmlSource s{name, databaseRow, text.substr(0, open + 7), text.substr(close), {}};
  std::stringstream records(text.substr(open + 7, close - open - 7));
  for (std::string record; std::getline(records, record, ';');) {
    if (trimmed(record).empty()) continue;
    std::stringstream fields(record);
    std::vector<std::string> values;
    for (std::string value; std::getline(fields, value, ',');) values.push_back(trimmed(value));
    s.records.push_back(values);
  }
  return s;
}

// Writes sounding `index` made from the document `s`, `rows` records long (0:
// as the source): cone resistance, friction and u2 perturbed as the HOG
// soundings' readings are, deeper repetitions shifted down by the source's
// length. Returns its number of records.
long writeXmlSounding(const fs::path& path, const XmlSource& s, int index, int rows) {
  Random random{0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(index)};
  const double scale = 1.0 + 0.08 * random.next();
  double span = 0.0;
  for (const auto& r : s.records) span = std::max(span, std::atof(r[0].c_str()) + 0.02);
  const long count = rows > 0 ? rows : static_cast<long>(s.records.size());
  std::string values;
  char number[32];
  for (long k = 0; k < count; ++k) {
    std::vector<std::string> r = s.records[static_cast<size_t>(k) % s.records.size()];
    const double shift = static_cast<double>(k / static_cast<long>(s.records.size())) * span;
    for (size_t field : {size_t{0}, size_t{1}}) {
      if (r[field] == "-999999") continue;
      std::snprintf(number, sizeof number, "%.3f", std::atof(r[field].c_str()) + shift);
      r[field] = number;
    }
    for (size_t field : {size_t{3}, size_t{18}, size_t{22}}) {
      if (r[field] == "-999999") continue;
      std::snprintf(number, sizeof number, "%.3f", std::atof(r[field].c_str()) * scale * (1.0 + 0.02 * random.next()));
      r[field] = number;
    }
    for (size_t field = 0; field < r.size(); ++field) values += (field ? "," : "") + r[field];
    values += ";";
  }
  std::ofstream(path, std::ios::binary) << s.head << values << s.tail;
  return count;
}

struct RunResult {
  double seconds = 0.0;
  long peakKiB = 0;
  std::string output;
};

// Runs vurn-batch with `args`, its standard output kept.
RunResult runBatch(const fs::path& batch, const std::vector<std::string>& args) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) throw std::runtime_error("pipe");
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    std::vector<char*> argv;
    std::string program = batch.string();
    argv.push_back(program.data());
    std::vector<std::string> copies(args);
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  RunResult result;
  char buffer[4096];
  ssize_t got = 0;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<size_t>(got));
  close(pipeEnds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.peakKiB = usage.ru_maxrss;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    const std::string& o = result.output;
    throw std::runtime_error("vurn-batch failed (exit " + std::to_string(WEXITSTATUS(status)) + "), its output ends:\n" +
                             o.substr(o.size() > 600 ? o.size() - 600 : 0));
  }
  return result;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double numberAfter(const std::string& text, const std::string& word) {
  const size_t at = text.find(word);
  return at == std::string::npos ? 0.0 : std::atof(text.c_str() + at + word.size());
}

Options parse(int argc, char** argv) {
  Options o;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    const auto value = [&]() -> std::string {
      if (k + 1 >= argc) throw std::runtime_error(a + " wants a value");
      return argv[++k];
    };
    if (a == "--soundings") {
      o.soundings = std::stoi(value());
    } else if (a == "--rows") {
      o.rows = std::stoi(value());
    } else if (a == "--runs") {
      o.runs = std::max(1, std::stoi(value()));
    } else if (a == "--formats") {
      o.formats.clear();
      std::stringstream list(value());
      std::string item;
      while (std::getline(list, item, ',')) {
        if (item != "CPT" && item != "GEF" && item != "XML") throw std::runtime_error("--formats wants CPT, GEF or XML");
        o.formats.push_back(item);
      }
    } else if (a == "--keep") {
      o.keep = true;
    } else if (a == "--scales") {
      o.scales.clear();
      std::stringstream list(value());
      std::string item;
      while (std::getline(list, item, ',')) o.scales.push_back(std::stoi(item));
    } else {
      throw std::runtime_error("usage: vurn_throughput [--soundings N] [--rows R] [--runs K] [--scales 1,4,16] "
                               "[--formats CPT,GEF,XML] [--keep]");
    }
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) try {
  const Options options = parse(argc, argv);
  const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  const fs::path batch = bin / "vurn-batch";
  const fs::path work = bin.parent_path() / "bench-throughput";

  std::printf("%-6s %-10s %-8s %10s %10s %12s %10s %10s %9s %7s %8s %7s %7s %12s\n", "format", "soundings", "rows",
              "depths", "feet", "depths/s", "ft/s", "seconds", "peak MiB", "read", "compute", "lookup", "write",
              "read us/depth");
  for (int scale : options.scales)
  for (const std::string& format : options.formats) {
    const int n = options.soundings * scale;
    fs::remove_all(work);
    fs::create_directories(work);
    const std::string drive = "C=" + work.string();
    runBatch(batch, {"--drive", drive, "--first-use", "--no-write-sld", "--no-breakdown"});

    const fs::path project = work / "Vurn" / "Projects" / "ExampleONE";
    const fs::path database = project / "Vurn_SoundingS---ExampleONE.csv";
    const fs::path soundings = project / "Soundings";
    const std::vector<std::string> rows = readLines(database);
    std::vector<Source> sources;
    std::vector<XmlSource> xmlSources;
    for (size_t k = 1; k < rows.size(); ++k) {
      const std::string name = rows[k].substr(0, rows[k].find(','));
      if (format == "XML" && fs::exists(soundings / (name + ".XML"))) {
        xmlSources.push_back(readXmlSource(soundings / (name + ".XML"), name, rows[k].substr(name.size())));
      } else if (format != "XML" && sources.size() < 3) {
        sources.push_back(readSource(soundings, name, rows[k].substr(name.size())));
      }
    }
    if (sources.empty() && xmlSources.empty()) throw std::runtime_error("no " + format + " sounding in the example");
    for (const auto& entry : fs::directory_iterator(soundings)) fs::remove(entry.path());
    // Lengthened soundings go deeper than the example's unit weight tables:
    // carry each table's last unit weight down to 5000 ft.
    if (options.rows > 0) {
      for (const auto& entry : fs::directory_iterator(project)) {
        const std::string file = entry.path().filename().string();
        if (file.rfind("UWT-", 0) != 0) continue;
        std::vector<std::string> table = readLines(entry.path());
        while (!table.empty() && trimmed(table.back()).empty()) table.pop_back();
        const std::string last = table.back();
        std::ofstream out(entry.path(), std::ios::binary | std::ios::app);
        out << "5000" << last.substr(last.find(',')) << "\r\n";
      }
    }
    std::ofstream db(database, std::ios::binary);
    db << rows[0] << "\r\n";
    long depths = 0;
    for (int k = 0; k < n; ++k) {
      char name[64];
      if (!xmlSources.empty()) {
        const XmlSource& s = xmlSources[static_cast<size_t>(k) % xmlSources.size()];
        std::snprintf(name, sizeof name, "S%05d-%s", k + 1, s.name.c_str());
        depths += writeXmlSounding(soundings / (std::string(name) + ".XML"), s, k, options.rows);
        db << name << s.databaseRow << "\r\n";
        continue;
      }
      const Source& s = sources[static_cast<size_t>(k) % sources.size()];
      std::snprintf(name, sizeof name, "S%05d-%s", k + 1, s.name.c_str());
      depths += writeSounding(soundings / (std::string(name) + "." + format), s, k, options.rows, format == "GEF");
      db << name << s.databaseRow << "\r\n";
    }
    db.close();

    // The run as a user starts it: defaults of the main window.
    const std::vector<std::string> args{"--drive", drive};
    std::vector<double> seconds;
    long peak = 0;
    double feet = 0.0;
    for (int r = 0; r < options.runs; ++r) {
      const RunResult run = runBatch(batch, args);
      seconds.push_back(run.seconds);
      peak = std::max(peak, run.peakKiB);
      const size_t at = run.output.find(" total feet");
      if (at != std::string::npos) {
        const size_t start = run.output.rfind(' ', at - 1);
        feet = std::atof(run.output.c_str() + start + 1);
      }
    }
    std::vector<std::string> timed(args);
    timed.push_back("--phase-times");
    const RunResult split = runBatch(batch, timed);
    const double read = numberAfter(split.output, "phase times (s): read ");
    const double compute = numberAfter(split.output, " compute ");
    const double lookup = numberAfter(split.output, " chart-lookup ");
    const double write = numberAfter(split.output, " write ");
    const double total = split.seconds;
    const double t = median(seconds);
    std::printf("%-6s %-10d %-8s %10ld %10.0f %12.0f %10.0f %10.3f %9.1f %6.0f%% %7.0f%% %6.0f%% %6.0f%% %12.2f\n",
                format.c_str(), n, options.rows > 0 ? std::to_string(options.rows).c_str() : "as read", depths, feet,
                static_cast<double>(depths) / t, feet / t, t, static_cast<double>(peak) / 1024.0, 100.0 * read / total,
                100.0 * compute / total, 100.0 * lookup / total, 100.0 * write / total,
                1e6 * read / static_cast<double>(std::max(1L, depths)));
    std::fflush(stdout);
  }
  if (!options.keep) fs::remove_all(work);
  return 0;
} catch (const std::exception& e) {
  std::fprintf(stderr, "vurn_throughput: %s\n", e.what());
  return 1;
}
