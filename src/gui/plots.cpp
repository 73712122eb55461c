// Depth profiles and SLD chart pictures on Qt Charts, and saving them.
#include "gui/plots.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPen>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <ostream>

#include "compute/liquefaction.h"
#include "core/null_value.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "platform/host_paths.h"
#include "sld/chart_table.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kPanelWidth = 190;
constexpr std::string_view kQ1oSuffix = "_Q1o.txt";
const QColor kWaterColor(30, 100, 220);
const QColor kLineColor(31, 95, 168);
const QColor kLabelColor(160, 24, 24);

bool projectSet() { return !gRun.projectName.empty() && gRun.projectName != NullText; }

QString unitText(const Q1oColumn& column) {
  return column.unit.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromStdString(column.unit));
}

// "Qc (atm)" for Qc_atm, "Vs1_tvk (fps)" for Vs1_tvk_fps, "CRRe_UCB" as it is.
QString columnTitle(const Q1oColumn& column) {
  std::string name = column.id;
  if (!column.unit.empty()) name.resize(name.size() - column.unit.size() - 1);
  return QString::fromStdString(name) + unitText(column);
}

// A depth tick step of 1, 2 or 5 times a power of ten that gives about ten
// steps over the depths.
float depthStep(float top, float bottom) {
  const float rough = std::max((bottom - top) / 10.0f, 1e-3f);
  const float power = std::pow(10.0f, std::floor(std::log10(rough)));
  for (const float m : {1.0f, 2.0f, 5.0f}) {
    if (m * power >= rough) return m * power;
  }
  return 10.0f * power;
}

// Text as the chart files hold it, without enclosing quote marks.
QString unquoted(const std::string& text) {
  std::string t = text;
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
  return QString::fromStdString(t);
}

QFont smallFont(qreal points) {
  QFont font;
  font.setPointSizeF(points);
  return font;
}

QChart* newChart() {
  auto* chart = new QChart;
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setAnimationOptions(QChart::NoAnimation);
  return chart;
}

QChartView* newView(QChart* chart, const QString& name) {
  auto* view = new QChartView(chart);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setFrameShape(QFrame::NoFrame);
  return view;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart->addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

// The depth axis shared by every panel: 0 (or the shallowest depth) down to
// the deepest, rounded out to nice numbers.
void depthRange(const Q1oTable& table, float& top, float& bottom) {
  top = 0.0f;
  bottom = 1.0f;
  for (float d : table.columns.front().values) {
    if (std::isnan(d)) continue;
    top = std::min(top, d);
    bottom = std::max(bottom, d);
  }
}

// A depth axis down the left of a panel, labels in `pointSize` points and its
// title (none when empty) one point larger.
QValueAxis* depthAxis(float top, float bottom, const QString& title, int pointSize) {
  auto* y = new QValueAxis;
  y->setReverse(true);
  const float step = depthStep(top, bottom);
  y->setRange(std::floor(top / step) * step, std::ceil(bottom / step) * step);
  y->setTickType(QValueAxis::TicksDynamic);
  y->setTickAnchor(0.0);
  y->setTickInterval(step);
  y->setLabelFormat(QStringLiteral("%g"));
  y->setLabelsFont(smallFont(pointSize));
  if (!title.isEmpty()) {
    y->setTitleText(title);
    y->setTitleFont(smallFont(pointSize + 1));
  }
  return y;
}

// One profile panel: the column's values against depth, one line piece per run
// of rows that have both a depth and a value, so missing values show as gaps.
QChartView* profilePanel(const PlotSounding& sounding, size_t c, float top, float bottom, float waterDepth) {
  const Q1oColumn& depth = sounding.table.columns.front();
  const Q1oColumn& column = sounding.table.columns[c];
  QChart* chart = newChart();
  chart->legend()->hide();

  auto* x = new QValueAxis;
  x->setTitleText(columnTitle(column));
  x->setTitleFont(smallFont(9));
  x->setLabelsFont(smallFont(8));
  x->setLabelFormat(QStringLiteral("%g"));
  x->setTickCount(4);
  QValueAxis* y = depthAxis(top, bottom, c == 1 ? QStringLiteral("Depth") + unitText(depth) : QString(), 8);
  chart->addAxis(x, Qt::AlignTop);
  chart->addAxis(y, Qt::AlignLeft);

  float low = std::numeric_limits<float>::max();
  float high = std::numeric_limits<float>::lowest();
  QLineSeries* piece = nullptr;
  for (size_t r = 0; r < sounding.table.rows; ++r) {
    const float d = depth.values[r];
    const float v = column.values[r];
    if (std::isnan(d) || std::isnan(v)) {
      piece = nullptr;
      continue;
    }
    if (!piece) {
      piece = new QLineSeries;
      piece->setPen(QPen(kLineColor, 1.2));
      attach(chart, piece, x, y);
    }
    piece->append(v, d);
    low = std::min(low, v);
    high = std::max(high, v);
  }
  if (low > high) {
    x->setRange(0, 1);
    x->setTitleText(x->titleText() + QStringLiteral(": no values"));
  } else {
    if (low == high) {
      low -= 0.5f;
      high += 0.5f;
    }
    x->setRange(low, high);
    x->applyNiceNumbers();
  }
  if (!std::isnan(waterDepth)) {
    auto* water = new QLineSeries;
    QPen pen(kWaterColor, 1.5, Qt::DashLine);
    water->setPen(pen);
    water->append(x->min(), waterDepth);
    water->append(x->max(), waterDepth);
    attach(chart, water, x, y);
  }
  QChartView* view = newView(chart, QStringLiteral("profile:") + QString::fromStdString(column.id));
  view->setMinimumWidth(kPanelWidth - 20);
  return view;
}

// The water table in the unit of the table's depth column (ft or m).
float waterTableDepth(const PlotSounding& sounding) {
  if (std::isnan(sounding.waterTableFeet) || sounding.table.columns.empty()) return kNaN;
  return sounding.waterTableFeet * sounding.table.columns.front().factor;
}

QValueAxis* linearAxis(float low, float high) {
  auto* axis = new QValueAxis;
  axis->setRange(low, high);
  axis->setLabelFormat(QStringLiteral("%g"));
  return axis;
}

QAbstractAxis* chartAxis(bool log, float low, float high, const QString& title) {
  QAbstractAxis* axis = nullptr;
  if (log) {
    auto* logAxis = new QLogValueAxis;
    logAxis->setBase(10);
    // The float extent (0.1f is 0.1000000015) rounded back to its decimal
    // value and the low end taken a hair lower, so that a decade on the
    // chart's edge (0.1) gets its label: the axis starts its labels at the
    // first whole power at or above the low end, found by logarithms whose
    // rounding can step past an exact one.
    logAxis->setRange(QString::number(static_cast<double>(low), 'g', 6).toDouble() * (1.0 - 1e-9),
                      QString::number(static_cast<double>(high), 'g', 6).toDouble());
    logAxis->setLabelFormat(QStringLiteral("%g"));
    logAxis->setMinorTickCount(8);
    axis = logAxis;
  } else {
    axis = linearAxis(low, high);
  }
  axis->setTitleText(title);
  axis->setTitleFont(smallFont(10));
  axis->setLabelsFont(smallFont(9));
  axis->setMinorGridLineColor(QColor(235, 235, 235));
  return axis;
}

// The chart's extent, or the classification chart's 0.1-10 by 1-1000 when the
// chart gives none that its axes can show.
void chartExtent(const SldChart& chart, float& x0, float& x1, float& y0, float& y1) {
  x0 = chart.X_Min_8sng;
  x1 = chart.X_Max_8sng;
  y0 = chart.Y_Min_8sng;
  y1 = chart.Y_Max_8sng;
  const bool xBad = !(x1 > x0) || (chart.X_UseLog_8bol && x0 <= 0.0f);
  const bool yBad = !(y1 > y0) || (chart.Y_UseLog_8bol && y0 <= 0.0f);
  if (xBad) {
    x0 = 0.1f;
    x1 = 10.0f;
  }
  if (yBad) {
    y0 = 1.0f;
    y1 = 1000.0f;
  }
}

bool drawable(float v, bool log) { return !std::isnan(v) && v != NullValue && (!log || v > 0.0f); }

// Colour of depth band k of n: blue at the top to red at the bottom.
QColor bandColor(int k, int n) {
  const float t = n > 1 ? static_cast<float>(k) / static_cast<float>(n - 1) : 0.0f;
  return QColor::fromHsvF(0.66f * (1.0f - t), 0.85f, 0.85f);
}

// A chart identifier as part of a file name: characters other than letters,
// digits, "_", "-" and "." become "-" ("Fr_%" gives "Fr_-").
std::string fileNamePart(std::string text) {
  for (char& ch : text) {
    if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_' && ch != '-' && ch != '.') ch = '-';
  }
  return text;
}

QString numberText(float v) { return QString::number(static_cast<double>(v), 'g', 4); }

// A panel named `name` on a white background, its plots laid out top to bottom.
QWidget* whitePanel(const QString& name) {
  auto* widget = new QWidget;
  widget->setObjectName(name);
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::white);
  widget->setPalette(palette);
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(8, 6, 8, 6);
  return widget;
}

}  // namespace

std::vector<std::string> Plots_soundingNames(std::string& message) {
  message.clear();
  std::vector<std::string> names;
  if (!projectSet()) {
    message = "No project is set: run a project first.";
    return names;
  }
  const std::string folder = PathOf("SOUNDINGS");
  for (const std::string& file : Host_list(folder + "*" + std::string(kQ1oSuffix), false)) {
    names.push_back(file.substr(0, file.size() - kQ1oSuffix.size()));
  }
  if (names.empty()) message = "No Q1o files in " + folder + ": run the project first.";
  return names;
}

bool Plots_loadSounding(const std::string& name, PlotSounding& sounding, std::string& message) {
  sounding = PlotSounding{};
  sounding.name = name;
  sounding.waterTableFeet = kNaN;
  if (!projectSet()) {
    message = "No project is set: run a project first.";
    return false;
  }
  sounding.q1oPath = PathOf("SOUNDINGS") + name + std::string(kQ1oSuffix);
  if (!Q1oFile_read(sounding.q1oPath, sounding.table, message)) return false;
  const std::vector<std::string> databases = Host_list(PathOf("VURN_SOUNDINGS---*.CSV"), false);
  if (databases.size() == 1) {
    sounding.waterTableFeet = SoundingDatabase_waterTableFeet(PathOf("PROJECT") + databases.front(), name);
  }
  return true;
}

QSize Plots_profilesSize(const PlotSounding& sounding) {
  const int panels = std::max(1, static_cast<int>(sounding.table.columns.size()) - 1);
  return QSize(panels * kPanelWidth + 20, 900);
}

QWidget* Plots_profiles(const PlotSounding& sounding) {
  auto* widget = whitePanel(QStringLiteral("profiles"));
  auto* layout = static_cast<QVBoxLayout*>(widget->layout());

  const float water = waterTableDepth(sounding);
  QString title = QStringLiteral("%1: depth profiles").arg(QString::fromStdString(sounding.name));
  if (!sounding.table.columns.empty()) {
    const Q1oColumn& depth = sounding.table.columns.front();
    title += std::isnan(water) ? QStringLiteral(", no water table given")
                               : QStringLiteral(", water table at %1%2 (dashed blue line)")
                                     .arg(numberText(water), QString::fromStdString(" " + depth.unit));
  }
  auto* heading = new QLabel(title);
  heading->setObjectName(QStringLiteral("profilesTitle"));
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(11);
  heading->setFont(bold);
  layout->addWidget(heading);

  auto* panels = new QHBoxLayout;
  panels->setSpacing(0);
  if (!sounding.table.columns.empty()) {
    float top = 0.0f;
    float bottom = 0.0f;
    depthRange(sounding.table, top, bottom);
    for (size_t c = 1; c < sounding.table.columns.size(); ++c) {
      panels->addWidget(profilePanel(sounding, c, top, bottom, water));
    }
  }
  layout->addLayout(panels, 1);
  return widget;
}

namespace {

void horizontalLine(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, float x0, float x1, float depth, QPen pen) {
  auto* line = new QLineSeries;
  line->setPen(pen);
  line->append(x0, depth);
  line->append(x1, depth);
  attach(chart, line, x, y);
  hideFromLegend(chart, line);
}

// A grey band across the panel from depth d0 to d1.
void shadeBand(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, float d0, float d1, bool named) {
  auto* upper = new QLineSeries;
  auto* lower = new QLineSeries;
  upper->append(0.0, d0);
  upper->append(2.0, d0);
  lower->append(0.0, d1);
  lower->append(2.0, d1);
  auto* band = new QAreaSeries(upper, lower);
  band->setColor(QColor(200, 200, 200, 150));
  band->setBorderColor(Qt::transparent);
  if (named) band->setName(QStringLiteral("no FS: dry, clay-like or inputs missing"));
  attach(chart, band, x, y);
  if (!named) hideFromLegend(chart, band);
}

}  // namespace

QWidget* Plots_liquefaction(const PlotSounding& sounding) {
  const Q1oTable& table = sounding.table;
  const int fsColumn = Q1oTable_find(table, "FS-Liq");
  if (fsColumn < 0 || table.columns.empty()) return nullptr;
  const int evColumn = Q1oTable_find(table, "Ev-Liq");
  const Q1oColumn& depth = table.columns.front();
  const std::vector<float>& fs = table.columns[static_cast<size_t>(fsColumn)].values;
  const QString depthTitle = QStringLiteral("Depth") + unitText(depth);
  float top = 0.0f, bottom = 0.0f;
  depthRange(table, top, bottom);
  const float water = waterTableDepth(sounding);

  auto* widget = whitePanel(QStringLiteral("liquefaction"));
  auto* layout = static_cast<QVBoxLayout*>(widget->layout());
  auto* heading = new QLabel(QStringLiteral("%1: liquefaction (%2)")
                                 .arg(QString::fromStdString(sounding.name),
                                      QString::fromStdString(table.columns[static_cast<size_t>(fsColumn)].id)));
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(11);
  heading->setFont(bold);
  layout->addWidget(heading);
  auto* panels = new QHBoxLayout;
  layout->addLayout(panels, 1);

  // The factor of safety, the depths without one shaded.
  QChart* chart = newChart();
  auto* x = linearAxis(0.0f, 2.0f);
  x->setTitleText(QStringLiteral("Factor of safety FS"));
  x->setTitleFont(smallFont(10));
  x->setTickCount(5);
  QValueAxis* y = depthAxis(top, bottom, depthTitle, 9);
  chart->addAxis(x, Qt::AlignTop);
  chart->addAxis(y, Qt::AlignLeft);
  float previousDepth = NAN;
  float bandTop = NAN;
  bool named = false;
  QLineSeries* piece = nullptr;
  for (size_t r = 0; r <= table.rows; ++r) {
    const float d = r < table.rows ? depth.values[r] : NAN;
    const bool missing = r < table.rows && !std::isnan(d) && std::isnan(fs[r]);
    if (missing && std::isnan(bandTop)) bandTop = std::isnan(previousDepth) ? d : previousDepth;
    if (!missing && !std::isnan(bandTop)) {
      shadeBand(chart, x, y, bandTop, previousDepth, !named);
      named = true;
      bandTop = NAN;
    }
    if (r == table.rows) break;
    if (!std::isnan(d)) previousDepth = d;
    if (std::isnan(d) || std::isnan(fs[r])) {
      piece = nullptr;
      continue;
    }
    if (!piece) {
      piece = new QLineSeries;
      piece->setPen(QPen(kLineColor, 1.2));
      attach(chart, piece, x, y);
      hideFromLegend(chart, piece);
    }
    piece->append(fs[r], d);
  }
  auto* one = new QLineSeries;
  one->setName(QStringLiteral("FS = 1"));
  one->setPen(QPen(QColor(210, 30, 30), 1.6));
  one->append(1.0, y->min());
  one->append(1.0, y->max());
  attach(chart, one, x, y);
  if (!std::isnan(water)) horizontalLine(chart, x, y, 0.0f, 2.0f, water, QPen(kWaterColor, 1.5, Qt::DashLine));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setFont(smallFont(9));
  panels->addWidget(newView(chart, QStringLiteral("liquefaction:fs")), 3);

  // The cumulative settlement of the layers below each depth.
  if (evColumn >= 0) {
    const std::vector<float>& ev = table.columns[static_cast<size_t>(evColumn)].values;
    const float factor = depth.factor;  // the depth column's feet to its unit
    const bool metric = factor < 0.5f;
    std::vector<float> depthsFt, strain, shown;
    for (size_t r = 0; r < table.rows; ++r) {
      const float d = depth.values[r];
      if (std::isnan(d) || (!shown.empty() && d <= shown.back())) continue;
      shown.push_back(d);
      depthsFt.push_back(d / factor);
      strain.push_back(std::isnan(ev[r]) ? NullValue : ev[r]);
    }
    const std::vector<float> below = Liquefaction_settlementProfile(depthsFt, strain);
    const LiquefactionIndices total = Liquefaction_indices(depthsFt, std::vector<float>(depthsFt.size(), NullValue), strain);
    const float toShown = metric ? 304.8f : 12.0f;  // ft to mm or inches
    QChart* settlement = newChart();
    settlement->legend()->hide();
    auto* sx = new QValueAxis;
    sx->setTitleText(metric ? QStringLiteral("Settlement (mm), total %1").arg(numberText(total.settlementFt * toShown))
                            : QStringLiteral("Settlement (in), total %1").arg(numberText(total.settlementFt * toShown)));
    sx->setTitleFont(smallFont(10));
    sx->setLabelFormat(QStringLiteral("%g"));
    QValueAxis* sy = depthAxis(top, bottom, depthTitle, 9);
    settlement->addAxis(sx, Qt::AlignTop);
    settlement->addAxis(sy, Qt::AlignLeft);
    auto* line = new QLineSeries;
    line->setPen(QPen(QColor(150, 60, 20), 1.6));
    if (!shown.empty()) {
      const float firstTop = shown.size() > 1 ? std::max(0.0f, 2.0f * shown[0] - shown[1]) : shown[0];
      line->append(total.settlementFt * toShown, firstTop);
    }
    for (size_t i = 0; i < shown.size(); ++i) line->append(below[i] * toShown, shown[i]);
    attach(settlement, line, sx, sy);
    sx->setRange(0.0, std::max(1e-3f, total.settlementFt * toShown));
    sx->applyNiceNumbers();
    if (!std::isnan(water)) {
      horizontalLine(settlement, sx, sy, static_cast<float>(sx->min()), static_cast<float>(sx->max()), water,
                     QPen(kWaterColor, 1.5, Qt::DashLine));
    }
    panels->addWidget(newView(settlement, QStringLiteral("liquefaction:settlement")), 2);
  }
  return widget;
}

QString Plots_chartId(const SldChart& chart) { return QString::fromStdString(chart.File_Row1ColZ_ID_full_8str); }

QString Plots_chartLabel(const SldChart& chart) {
  return Plots_chartId(chart) + QStringLiteral(": ") + unquoted(chart.Prediction_Description_8str);
}

QWidget* Plots_chart(const SldChart& sld, const PlotSounding& sounding, int* pointsDrawn) {
  QChart* chart = newChart();
  chart->setTitle(QStringLiteral("%1  (sounding %2)").arg(Plots_chartLabel(sld), QString::fromStdString(sounding.name)));
  QFont titleFont;
  titleFont.setPointSizeF(11);
  titleFont.setBold(true);
  chart->setTitleFont(titleFont);

  float x0 = 0.0f, x1 = 0.0f, y0 = 0.0f, y1 = 0.0f;
  chartExtent(sld, x0, x1, y0, y1);
  const bool xLog = sld.X_UseLog_8bol;
  const bool yLog = sld.Y_UseLog_8bol;
  QAbstractAxis* x = chartAxis(xLog, x0, x1, QStringLiteral("Friction ratio FR (%)"));
  QAbstractAxis* y = chartAxis(yLog, y0, y1, QStringLiteral("Normalised tip resistance QC1 (atm)"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);

  // Contour lines, each labelled with its value at the middle of its points
  // inside the extent (the labels go on after the points, so none is hidden).
  std::vector<QScatterSeries*> labels;
  for (int l = 1; l <= sld.LinesNUMof; ++l) {
    const ContourLine& line = sld.Line8a[static_cast<size_t>(l)];
    auto* series = new QLineSeries;
    series->setPen(QPen(kLineColor, 1.4));
    std::vector<QPointF> inside;
    for (int p = 1; p <= line.ptsNUMof; ++p) {
      const ChartPoint& pt = line.pt8a[static_cast<size_t>(p)];
      // A point far below the chart ends a line where its property is not defined.
      if (!drawable(pt.x_8sng, xLog) || !drawable(pt.y_8sng, yLog) || (yLog && pt.y_8sng < 0.001f)) continue;
      series->append(pt.x_8sng, pt.y_8sng);
      if (pt.x_8sng >= x0 && pt.x_8sng <= x1 && pt.y_8sng >= y0 && pt.y_8sng <= y1) {
        inside.emplace_back(pt.x_8sng, pt.y_8sng);
      }
    }
    attach(chart, series, x, y);
    hideFromLegend(chart, series);
    if (inside.empty()) continue;
    auto* label = new QScatterSeries;
    label->setObjectName(QStringLiteral("contourLabel"));
    label->append(inside[(inside.size() - 1) / 2]);
    label->setMarkerSize(5);
    label->setColor(kLabelColor);
    label->setBorderColor(kLabelColor);
    label->setPointLabelsFormat(numberText(line.LineValue_8sng));
    label->setPointLabelsVisible(true);
    label->setPointLabelsColor(kLabelColor);
    label->setPointLabelsFont(smallFont(9));
    label->setPointLabelsClipping(false);
    labels.push_back(label);
  }

  // The sounding's points, in the chart's units, in depth bands.
  int drawn = 0;
  const Q1oTable& table = sounding.table;
  const int fr = Q1oTable_find(table, "Fr") >= 0 ? Q1oTable_find(table, "Fr") : Q1oTable_find(table, "Rf");
  const int qc1 = Q1oTable_find(table, "Qc1");
  if (fr >= 0 && qc1 >= 0) {
    float top = 0.0f, bottom = 0.0f;
    depthRange(table, top, bottom);
    constexpr int kBands = 6;
    const float step = (bottom - top) / kBands;
    std::vector<QScatterSeries*> bands(kBands, nullptr);
    const Q1oColumn& depth = table.columns.front();
    for (size_t r = 0; r < table.rows; ++r) {
      const float d = depth.values[r];
      const float fx = table.columns[static_cast<size_t>(fr)].values[r] / table.columns[static_cast<size_t>(fr)].factor;
      const float qy = table.columns[static_cast<size_t>(qc1)].values[r] / table.columns[static_cast<size_t>(qc1)].factor;
      if (std::isnan(d) || !drawable(fx, xLog) || !drawable(qy, yLog)) continue;
      const int k = std::clamp(static_cast<int>((d - top) / step), 0, kBands - 1);
      if (!bands[static_cast<size_t>(k)]) {
        auto* band = new QScatterSeries;
        band->setMarkerSize(6);
        band->setColor(bandColor(k, kBands));
        band->setBorderColor(bandColor(k, kBands).darker(130));
        band->setName(QStringLiteral("%1 - %2 %3")
                          .arg(numberText(top + step * static_cast<float>(k)),
                               numberText(top + step * static_cast<float>(k + 1)), QString::fromStdString(depth.unit)));
        bands[static_cast<size_t>(k)] = band;
      }
      bands[static_cast<size_t>(k)]->append(fx, qy);
      ++drawn;
    }
    for (QScatterSeries* band : bands) {
      if (band) attach(chart, band, x, y);
    }
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(smallFont(9));
  } else {
    chart->legend()->hide();
  }
  for (QScatterSeries* label : labels) {
    attach(chart, label, x, y);
    hideFromLegend(chart, label);
  }
  if (pointsDrawn) *pointsDrawn = drawn;
  return newView(chart, QStringLiteral("chart"));
}

// The widget is never shown: rendering a hidden widget sends it its pending
// resize and layout first.
void Plots_layOut(QWidget* widget, QSize size) {
  widget->ensurePolished();
  widget->resize(size);
  if (widget->layout()) widget->layout()->activate();
}

bool Plots_savePng(QWidget* widget, const QString& path) {
  QImage image(widget->size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  widget->render(&painter);
  painter.end();
  return image.save(path, "PNG");
}

bool Plots_saveSvg(QWidget* widget, const QString& path) {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(widget->size());
  svg.setViewBox(QRect(QPoint(0, 0), widget->size()));
  svg.setTitle(widget->objectName());
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  widget->render(&painter);
  return painter.end();
}

bool Plots_writeRunPictures(std::ostream& out, std::string& message) {
  message.clear();
  std::unique_ptr<QApplication> app;
  if (!qApp) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vurn-batch";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
  }
  std::string listMessage;
  const std::vector<std::string> names = Plots_soundingNames(listMessage);
  if (names.empty()) {
    message = listMessage;
    return false;
  }
  const std::filesystem::path folder = Host_resolve(PathOf("SOUNDINGS"));
  std::vector<std::string> failures;
  auto save = [&](QWidget* widget, QSize size, const std::string& file) {
    std::unique_ptr<QWidget> owner(widget);
    Plots_layOut(widget, size);
    const std::filesystem::path path = folder / file;
    if (Plots_savePng(widget, QString::fromStdString(path.string()))) {
      out << "Picture " << path.string() << "\n";
    } else {
      failures.push_back("cannot write " + path.string());
    }
  };
  for (const std::string& name : names) {
    PlotSounding sounding;
    std::string readMessage;
    if (!Plots_loadSounding(name, sounding, readMessage)) {
      failures.push_back(readMessage);
      continue;
    }
    save(Plots_profiles(sounding), Plots_profilesSize(sounding), name + "_profiles.png");
    if (QWidget* liquefaction = Plots_liquefaction(sounding)) {
      save(liquefaction, QSize(kLiquefactionPictureWidth, 900), name + "_liquefaction.png");
    }
    for (int k = 1; k <= SldChartCount; ++k) {
      const SldChart& chart = SLD8a[static_cast<size_t>(k)];
      save(Plots_chart(chart, sounding), QSize(kChartPictureWidth, kChartPictureHeight),
           name + "_SLD-" + fileNamePart(chart.File_Row1ColZ_ID_full_8str) + ".png");
    }
  }
  for (const std::string& failure : failures) message += (message.empty() ? "" : "\n") + failure;
  return failures.empty();
}
