// The batch command's options: the main window's run options given on the
// command line (defaults are the window's), plus where the drives lie.
#pragma once

#include <string>
#include <vector>

struct BatchOptions {
  bool showHelp = false;
  bool showVersion = false;
  std::vector<std::pair<char, std::string>> drives;  // --drive X=DIR
  bool firstUse = false;                             // --first-use
  std::string project;                               // --project NAME
  std::string newProject;                            // --new-project NAME
  bool plotCharts = false;                           // --plot-charts
  bool phaseTimes = false;                           // --phase-times
  bool pictures = false;                             // --pictures
  bool addSoundings = false;                         // --add-soundings (instead of a run)
  // The text options given (control, text): start-up puts the setup file's
  // last-used earthquake inputs into the window, and these go over them.
  std::vector<std::pair<std::string, std::string>> texts;
  std::string error;                                 // a usage error, or ""
};

// Parses the arguments (without the program name) and applies the window
// options to the window model. A bad argument leaves a message in `error`.
BatchOptions BatchOptions_parse(const std::vector<std::string>& args);

// Puts the text options given into the window model again (after start-up).
void BatchOptions_applyTexts(const BatchOptions& options);

// The usage text printed by --help.
std::string BatchOptions_usage();

// Exit codes of the batch command.
enum BatchExit {
  kExitCompleted = 0,
  kExitUsage = 1,
  kExitErrorReported = 2,
  kExitFatalStop = 3,
  kExitDataAreaMissing = 4,
  kExitHostError = 5,
};
