// The results view window: sounding list, profile and chart tabs, export.
#include "gui/results_view.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/run_state.h"
#include "sld/chart_table.h"

ResultsViewState gResults;

namespace {

void say(const std::string& text) {
  if (gResults.message) gResults.message->setText(QString::fromStdString(text));
}

// Refuses the view's work while a run rewrites the files and the chart table.
bool runBusy() {
  if (!gRun.runInProgress) return false;
  say("A run is in progress: pick again when it has ended.");
  return true;
}

void fillCharts() {
  gResults.charts->blockSignals(true);
  gResults.charts->clear();
  for (int k = 1; k <= SldChartCount; ++k) {
    const SldChart& chart = SLD8a[static_cast<size_t>(k)];
    gResults.charts->addItem(Plots_chartLabel(chart));
  }
  // The soil behaviour type chart is the one engineers look at first.
  const int ic = RequiredChartIndex[kChartIC];
  gResults.charts->setCurrentIndex(ic > 0 ? ic - 1 : 0);
  gResults.charts->blockSignals(false);
}

void replaceChart(QWidget* chart) {
  delete gResults.chart;
  gResults.chart = chart;
  if (chart) gResults.chartBox->addWidget(chart, 1);
}

void drawChart() {
  gResults.chartPoints = 0;
  const int index = gResults.charts->currentIndex();
  if (gResults.sounding.table.columns.empty() || index < 0 || index >= SldChartCount) {
    replaceChart(nullptr);
    return;
  }
  replaceChart(Plots_chart(SLD8a[static_cast<size_t>(index) + 1], gResults.sounding, &gResults.chartPoints));
}

void build() {
  auto window = std::make_unique<QWidget>();
  window->setObjectName(QStringLiteral("ResultsView"));
  window->setWindowTitle(QStringLiteral("Vurn results: depth profiles and SLD charts"));
  auto* top = new QVBoxLayout(window.get());
  auto* body = new QHBoxLayout;
  top->addLayout(body, 1);

  gResults.soundings = new QListWidget;
  gResults.soundings->setObjectName(QStringLiteral("soundingList"));
  gResults.soundings->setMaximumWidth(220);
  QObject::connect(gResults.soundings, &QListWidget::currentRowChanged, gResults.soundings,
                   [](int row) { ResultsView_pickSounding(row); });
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("Soundings with a Q1o file:")));
  left->addWidget(gResults.soundings, 1);
  body->addLayout(left);

  gResults.tabs = new QTabWidget;
  gResults.tabs->setObjectName(QStringLiteral("plotTabs"));
  gResults.profileArea = new QScrollArea;
  gResults.profileArea->setWidgetResizable(true);
  gResults.tabs->addTab(gResults.profileArea, QStringLiteral("Depth profiles"));
  auto* chartTab = new QWidget;
  gResults.chartBox = new QVBoxLayout(chartTab);
  gResults.charts = new QComboBox;
  gResults.charts->setObjectName(QStringLiteral("chartPick"));
  QObject::connect(gResults.charts, &QComboBox::currentIndexChanged, gResults.charts,
                   [](int index) { ResultsView_pickChart(index); });
  gResults.chartBox->addWidget(gResults.charts);
  gResults.tabs->addTab(chartTab, QStringLiteral("SLD chart"));
  gResults.liquefactionArea = new QScrollArea;
  gResults.liquefactionArea->setWidgetResizable(true);
  gResults.tabs->addTab(gResults.liquefactionArea, QStringLiteral("Liquefaction"));
  body->addWidget(gResults.tabs, 1);

  auto* bottom = new QHBoxLayout;
  gResults.message = new QLabel;
  gResults.message->setObjectName(QStringLiteral("plotMessage"));
  gResults.message->setWordWrap(true);
  gResults.message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  bottom->addWidget(gResults.message, 1);
  for (const auto& [label, filter] : {std::pair{"Save as PNG...", "PNG picture (*.png)"},
                                      std::pair{"Save as SVG...", "SVG picture (*.svg)"}}) {
    auto* button = new QPushButton(QString::fromUtf8(label));
    const QString fileFilter = QString::fromUtf8(filter);
    QObject::connect(button, &QPushButton::clicked, button, [fileFilter] {
      const QString path = QFileDialog::getSaveFileName(gResults.window.get(), QStringLiteral("Save the picture"),
                                                        QString(), fileFilter);
      if (!path.isEmpty()) ResultsView_export(path);
    });
    bottom->addWidget(button);
  }
  top->addLayout(bottom);
  window->resize(1280, 860);
  gResults.window = std::move(window);
}

}  // namespace

void ResultsView_open() {
  if (!gResults.window) build();
  gResults.window->show();
  gResults.window->raise();
  if (runBusy()) return;
  fillCharts();
  std::string message;
  const std::vector<std::string> names = Plots_soundingNames(message);
  gResults.soundings->blockSignals(true);
  gResults.soundings->clear();
  for (const std::string& name : names) gResults.soundings->addItem(QString::fromStdString(name));
  gResults.soundings->blockSignals(false);
  say(message);
  if (!names.empty()) {
    gResults.soundings->setCurrentRow(0);
    ResultsView_pickSounding(0);
  } else {
    ResultsView_pickSounding(-1);
  }
}

void ResultsView_close() { gResults = ResultsViewState{}; }

void ResultsView_pickSounding(int row) {
  if (!gResults.window || runBusy()) return;
  gResults.sounding = PlotSounding{};
  std::string message;
  if (row >= 0 && row < gResults.soundings->count()) {
    const std::string name = gResults.soundings->item(row)->text().toStdString();
    Plots_loadSounding(name, gResults.sounding, message);
  }
  say(message);
  if (gResults.sounding.table.columns.empty()) {
    gResults.profiles = nullptr;
    delete gResults.profileArea->takeWidget();
  } else {
    gResults.profiles = Plots_profiles(gResults.sounding);
    gResults.profiles->setMinimumWidth(Plots_profilesSize(gResults.sounding).width());
    gResults.profileArea->setWidget(gResults.profiles);
  }
  gResults.liquefaction = Plots_liquefaction(gResults.sounding);
  if (gResults.liquefaction) {
    gResults.liquefactionArea->setWidget(gResults.liquefaction);
  } else {
    auto* none = new QLabel(QStringLiteral("No liquefaction column (FS-Liq_*) in this table: add FS-Liq_tvk and "
                                           "Ev-Liq_% to the column file and give amax or a CSR earthquake file."));
    none->setWordWrap(true);
    gResults.liquefactionArea->setWidget(none);
  }
  if (SldChartCount == 0 && message.empty()) say("No SLD charts are loaded: run the project to load them.");
  drawChart();
}

void ResultsView_pickChart(int) {
  if (!gResults.window || runBusy()) return;
  drawChart();
}

bool ResultsView_export(const QString& path) {
  if (!gResults.window) return false;
  const int tab = gResults.tabs->currentIndex();
  QWidget* picture = tab == 0 ? gResults.profiles : tab == 1 ? gResults.chart : gResults.liquefaction;
  if (!picture) {
    say("There is no picture to save.");
    return false;
  }
  const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  const bool saved = svg ? Plots_saveSvg(picture, path) : Plots_savePng(picture, path);
  say(saved ? "Saved " + path.toStdString() : "Cannot write " + path.toStdString());
  return saved;
}
