// The results view: a second window, opened by the main window's command
// "ResultsView8cmd", that shows a sounding's results as pictures.
//
// On the left the soundings of the current project that have a Q1o file; on
// the right two tabs: the depth profiles of the picked sounding's columns, and
// an SLD chart (any chart of the last run's chart table, picked in a list)
// with the sounding's points. A message line says what could not be read (a
// Q1o file that cannot be read shows its message there, the program goes on).
// The current tab's picture can be saved as PNG or SVG.
//
// The view reads Q1o files and the chart table only on the user's actions,
// never during a run (its command is disabled while a run is on, and a pick
// made meanwhile only says so). Its state lives in gResults;
// ResultsView_close (called by Gui_close) returns it to the start.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "gui/plots.h"

class QComboBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;

struct ResultsViewState {
  std::unique_ptr<QWidget> window;  // objectName "ResultsView"
  QListWidget* soundings = nullptr; // "soundingList"
  QTabWidget* tabs = nullptr;       // "plotTabs": 0 profiles, 1 chart, 2 liquefaction
  QScrollArea* profileArea = nullptr;
  QComboBox* charts = nullptr;      // "chartPick": item k-1 is chart slot k
  QVBoxLayout* chartBox = nullptr;
  QLabel* message = nullptr;        // "plotMessage"
  QWidget* profiles = nullptr;      // the pictures shown now (owned by the window)
  QWidget* chart = nullptr;
  QScrollArea* liquefactionArea = nullptr;
  QWidget* liquefaction = nullptr;  // null when the table has no FS-Liq column
  PlotSounding sounding;            // the picked sounding ("" name when none)
  int chartPoints = 0;              // points drawn on the chart shown
};

extern ResultsViewState gResults;

// Builds the window when it is not there, fills the sounding list from the
// current project, picks the first sounding and shows the window.
void ResultsView_open();

// Destroys the window and resets gResults.
void ResultsView_close();

// Picks the sounding in row `row` of the list (reads its Q1o file and draws).
void ResultsView_pickSounding(int row);

// Picks chart `index` of the chart list (0-based) and draws it.
void ResultsView_pickChart(int index);

// Saves the picture of the current tab to `path`, as SVG when the name ends in
// ".svg" (any case), else as PNG. False, with the reason in the message line,
// when there is no picture or the file cannot be written.
bool ResultsView_export(const QString& path);
