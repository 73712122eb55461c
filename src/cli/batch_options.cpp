// Command-line options of the batch command.
#include "cli/batch_options.h"

#include <cctype>
#include <map>

#include "core/window_model.h"

namespace {

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Selects one option button of a group and clears the others.
void selectOption(const std::vector<const char*>& group, const char* chosen) {
  for (const char* name : group) MainControl(name).value = (std::string(name) == chosen) ? 1 : 0;
}

struct Choice {
  std::vector<const char*> group;
  std::map<std::string, const char*> words;  // option word -> control
};

const std::map<std::string, Choice>& choices() {
  static const std::map<std::string, Choice> table = {
      {"--norm",
       {{"Norm_Tavik_8opb", "Norm_Tavik_SF_8opb", "Norm_PRob_8opb", "Option6"},
        {{"tavik", "Norm_Tavik_8opb"},
         {"tavik-sf", "Norm_Tavik_SF_8opb"},
         {"prob", "Norm_PRob_8opb"},
         {"linear", "Option6"}}}},
      {"--ic",
       {{"Ic_calculation_method_tavik_8opb", "Ic_calculation_method_PRob_8opb", "Option11"},
        {{"tavik", "Ic_calculation_method_tavik_8opb"},
         {"robertson", "Ic_calculation_method_PRob_8opb"},
         {"tavik-2014", "Option11"}}}},
      {"--columns",
       {{"Columns_Q1o_File_8opb", "Columns_Q1o_Internal_8opb"},
        {{"file", "Columns_Q1o_File_8opb"}, {"internal", "Columns_Q1o_Internal_8opb"}}}},
      {"--sld",
       {{"SLD_data_location_File_8opb", "SLD_data_location_Internal_8opb"},
        {{"file", "SLD_data_location_File_8opb"}, {"internal", "SLD_data_location_Internal_8opb"}}}},
      {"--input",
       {{"CPT_input_FileType_HOG_8opb", "CPT_input_FileType_AEG_8opb", "CPT_input_FileType_Simple_8opb"},
        {{"hog", "CPT_input_FileType_HOG_8opb"},
         {"aeg", "CPT_input_FileType_AEG_8opb"},
         {"simple", "CPT_input_FileType_Simple_8opb"}}}},
  };
  return table;
}

const std::map<std::string, const char*>& textOptions() {
  static const std::map<std::string, const char*> table = {
      {"--eq-mb", "EQ_Mb_8txt"},
      {"--eq-csr", "EQ_CSR_file_8txt"},
      {"--eq-amax", "EQ_amax_8txt"},
      {"--nk", "Nk_8txt"},
      {"--lowest-qc-depth", "Depth_lowest_WhenLookingForLowestQc_feet8txt"},
  };
  return table;
}

const std::map<std::string, std::pair<const char*, int>>& flagOptions() {
  static const std::map<std::string, std::pair<const char*, int>> table = {
      {"--write-sld", {"SLD_data_Write_to_File_8ckb", 1}},
      {"--no-write-sld", {"SLD_data_Write_to_File_8ckb", 0}},
      {"--breakdown", {"Show_BreakdownOf_LineInput_8chk", 1}},
      {"--no-breakdown", {"Show_BreakdownOf_LineInput_8chk", 0}},
      {"--force-c", {"ForceVurnToUseCdrive8cmd", 1}},
      {"--no-force-c", {"ForceVurnToUseCdrive8cmd", 0}},
      {"--check-before-compiling", {"Check_Before_Compling8chk", 1}},
  };
  return table;
}

}  // namespace

BatchOptions BatchOptions_parse(const std::vector<std::string>& args) {
  BatchOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    if (const size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      hasValue = true;
    }
    auto takeValue = [&]() -> bool {
      if (hasValue) return true;
      if (i + 1 >= args.size()) {
        options.error = "option " + name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };

    if (name == "-h" || name == "--help") {
      options.showHelp = true;
    } else if (name == "--version") {
      options.showVersion = true;
    } else if (name == "--first-use" && !hasValue) {
      options.firstUse = true;
    } else if (name == "--plot-charts" && !hasValue) {
      options.plotCharts = true;
    } else if (name == "--phase-times" && !hasValue) {
      options.phaseTimes = true;
    } else if (name == "--add-soundings" && !hasValue) {
      options.addSoundings = true;
    } else if (name == "--pictures" && !hasValue) {
      options.pictures = true;
    } else if (name == "--project") {
      if (!takeValue()) return options;
      options.project = value;
    } else if (name == "--new-project") {
      if (!takeValue()) return options;
      options.newProject = value;
    } else if (name == "--drive") {
      if (!takeValue()) return options;
      if (value.size() < 3 || !std::isalpha(static_cast<unsigned char>(value[0])) || value[1] != '=') {
        options.error = "--drive wants LETTER=FOLDER, for example C=/data/vurn-c";
        return options;
      }
      options.drives.emplace_back(value[0], value.substr(2));
    } else if (const auto choice = choices().find(name); choice != choices().end()) {
      if (!takeValue()) return options;
      const auto word = choice->second.words.find(lowerCase(value));
      if (word == choice->second.words.end()) {
        options.error = "option " + name + " does not know the value \"" + value + "\"";
        return options;
      }
      selectOption(choice->second.group, word->second);
    } else if (const auto text = textOptions().find(name); text != textOptions().end()) {
      if (!takeValue()) return options;
      MainControl(text->second).text = value;
      options.texts.emplace_back(text->second, value);
    } else if (const auto flag = flagOptions().find(name); flag != flagOptions().end() && !hasValue) {
      MainControl(flag->second.first).value = flag->second.second;
    } else {
      options.error = "unknown option " + args[i];
      return options;
    }
  }
  return options;
}

void BatchOptions_applyTexts(const BatchOptions& options) {
  for (const auto& [control, text] : options.texts) MainControl(control).text = text;
}

std::string BatchOptions_usage() {
  return R"(usage: vurn-batch [options]

Runs Vurn's start-up and one processing run of the last-used project, without a
window, then ends. The options are those of the main window; each defaults to
the window's default.

  --drive X=FOLDER         put drive X: at a host folder (C: defaults to $HOME,
                           or $VURN_DRIVE_C; any drive X: also from $VURN_DRIVE_X)
  --first-use              prepare the data area for the first use (directories,
                           setup file, charts, example project) before starting;
                           keeps an existing setup file, project list and charts
  --new-project NAME       make a new project NAME after start-up
  --project NAME           process project NAME (it becomes the last project)
  --add-soundings          instead of a run: add a sounding database row for
                           every field data file (.CPT, .GEF, .XML, .CSV) of the
                           project that has none, filled from the file's header;
                           rows already there are never changed
  --plot-charts            after the run, write every loaded chart as a file for
                           external plotting into the project's "SLD output" folder
  --phase-times            after the run, print where its time went: reading,
                           computing (chart lookup among it) and writing
  --pictures               after the run, save each sounding's depth profiles and
                           its points on every loaded chart as PNG pictures next
                           to its Q1o file (builds with the window program only)
  --norm tavik|tavik-sf|prob|linear
                           stress normalization method for cone resistance (tavik)
  --ic tavik|robertson|tavik-2014
                           soil type (Ic) calculation method (tavik)
  --columns file|internal  Q1o columns from the column file or built in (file)
  --sld file|internal      SLD chart data from files or built in (file)
  --input hog|aeg|simple   CPT input data file type (hog)
  --write-sld, --no-write-sld
                           write SLD data to file (on)
  --breakdown, --no-breakdown
                           show the breakdown of file input lines (on)
  --eq-mb TEXT             project earthquake magnitude Mb (7.5; the three
                           --eq-* default to the setup file's last values)
  --eq-csr TEXT            project CSR earthquake file ("" for none; a name
                           without a folder is in the project folder)
  --eq-amax TEXT           peak ground acceleration amax in g (none); the
                           liquefaction columns CSR_liq, FS-Liq_*, Ev-Liq_% need
                           it or a readable CSR earthquake file
  --nk TEXT                cone factor Nk for strength columns (18)
  --lowest-qc-depth TEXT   depth in ft to start looking for the lowest Qc and fs (2)
  --force-c, --no-force-c  use C:\Vurn as the data area, or the program drive's \Vurn (on)
  --check-before-compiling apply the option lock of released builds
  --version                print the version and end
  -h, --help               print this text and end

Exit codes: 0 run completed; 1 usage error; 2 error report (identifier and
description printed); 3 fatal stop; 4 data area missing (prepare Vurn for the
first use); 5 host file error.
)";
}
