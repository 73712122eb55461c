// Pictures of a sounding's results, drawn with Qt Charts: the depth profiles of
// the columns of its Q1o table and the sounding's points on an SLD chart. The
// results view shows them; the batch command's --pictures option saves them
// next to each Q1o file of the run (Plots_writeRunPictures).
//
// The pictures read the Q1o files (q1o/q1o_reader.h), so they work on tables
// of an earlier run as well, and the chart table as the last run loaded it.
// Reading never halts the program: what cannot be read is said in a message.
// Every function needs a QApplication, except Plots_writeRunPictures, which
// makes one (on the offscreen platform unless QT_QPA_PLATFORM says otherwise).
#pragma once

#include <QString>
#include <QWidget>
#include <iosfwd>
#include <string>
#include <vector>

#include "q1o/q1o_reader.h"

struct SldChart;

// One sounding's results as the pictures need them.
struct PlotSounding {
  std::string name;            // "BRO-217393"
  std::string q1oPath;         // engine path of its Q1o file
  Q1oTable table;              // empty when the file could not be read
  float waterTableFeet = 0.0f; // NaN when the sounding database gives none
};

// The names of the soundings of the current project that have a Q1o file
// (<name>_Q1o.txt in the project's SOUNDINGS folder), in listing order. Empty,
// with a message, when no project is set or its folder has none.
std::vector<std::string> Plots_soundingNames(std::string& message);

// Reads the Q1o file and the water table of sounding `name` of the current
// project. False with a message (naming the file and what is wrong) when the
// Q1o file cannot be read; a missing water table is no failure.
bool Plots_loadSounding(const std::string& name, PlotSounding& sounding, std::string& message);

// The depth profiles: one panel per column after the depth, side by side,
// depth down on one shared depth axis, missing values as gaps, the water table
// as a dashed blue line in every panel; a title line names the sounding and the
// water table. The widget's objectName is "profiles"; each panel is a
// QChartView named after its column ("profile:Qc_atm").
QWidget* Plots_profiles(const PlotSounding& sounding);

// The liquefaction pictures of a sounding whose table has an FS-Liq column (the
// first one): its factor of safety against depth (0 to 2) with the FS = 1 line
// in red and the depths without a factor (above the water table, clay-like,
// inputs missing) shaded grey, and beside it, when the table has an Ev-Liq
// column, the cumulative reconsolidation settlement against depth (the
// settlement of the layers below each depth; in inches for a table in feet, mm
// in metres). The widget is named "liquefaction", its panels "liquefaction:fs"
// and "liquefaction:settlement". Null when the table has no FS-Liq column.
QWidget* Plots_liquefaction(const PlotSounding& sounding);
inline constexpr int kLiquefactionPictureWidth = 700;

// The chart `chart` with its contour lines, each labelled with its value, on
// log axes where the chart uses them, and the sounding's (FR, QC1) points in
// the chart's units (atm, %), coloured by depth in six bands with a legend.
// Rows missing either value, or outside a log axis, are left out. `pointsDrawn`
// receives the number of points drawn. The widget is a QChartView named "chart".
QWidget* Plots_chart(const SldChart& chart, const PlotSounding& sounding, int* pointsDrawn = nullptr);

// The chart's label in file names: its C identifier ("Ic_tvk"); in lists, with
// its description ("Ic_tvk: Soil behaviour type index Ic").
QString Plots_chartId(const SldChart& chart);
QString Plots_chartLabel(const SldChart& chart);

// Draws `widget` at its present size into a PNG file, or an SVG file; false
// when the file cannot be written.
bool Plots_savePng(QWidget* widget, const QString& path);
bool Plots_saveSvg(QWidget* widget, const QString& path);

// Lays a picture widget out at `size` without showing it on a screen, so that
// it can be saved (the batch pictures and the documentation's).
void Plots_layOut(QWidget* widget, QSize size);

// The size the pictures are saved at: profiles get 190 pixels a panel.
QSize Plots_profilesSize(const PlotSounding& sounding);
inline constexpr int kChartPictureWidth = 1000;
inline constexpr int kChartPictureHeight = 800;

// For every sounding of the current project with a Q1o file: saves
// <name>_profiles.png, <name>_liquefaction.png when its table has an FS-Liq
// column, and, for every loaded chart, <name>_SLD-<chart id>.png in the
// SOUNDINGS folder, and writes one line per file to `out`. False, with a
// message listing what failed, when a Q1o file cannot be read or a picture
// cannot be written (the others are still written).
bool Plots_writeRunPictures(std::ostream& out, std::string& message);
