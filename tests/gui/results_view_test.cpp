// The results view on the example project after a run: its soundings, the
// profiles and the Ic chart with the sounding's points, PNG and SVG export, a
// Q1o file it cannot read; and the batch pictures.
#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/batch.h"
#include "core/run_state.h"
#include "gui/gui_test.h"
#include "gui/plots.h"
#include "gui/results_view.h"
#include "gui/window_commands.h"
#include "platform/host_paths.h"
#include "sld/chart_table.h"

namespace {

class ResultsViewTest : public GuiTest {
 protected:
  // The example project run once, the way the window's start-up does.
  void runExample() {
    installExampleDataArea();
    WindowCommand_startUp();
    ASSERT_FALSE(gGui.endRequested) << gRun.status.main;
  }
  std::string soundingsFolder() const { return (dataArea() / "Projects" / "ExampleONE" / "Soundings").string(); }

  static QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static bool isPng(const QString& path, QSize size) {
    QImage image;
    return fileBytes(path).startsWith("\x89PNG\r\n\x1a\n") && image.load(path, "PNG") && image.size() == size;
  }
};

// Rows of the table that a chart with log axes can show.
int pointsOnLogChart(const Q1oTable& table) {
  const auto& fr = table.columns[static_cast<size_t>(Q1oTable_find(table, "Fr"))].values;
  const auto& qc1 = table.columns[static_cast<size_t>(Q1oTable_find(table, "Qc1"))].values;
  int n = 0;
  for (size_t r = 0; r < table.rows; ++r) n += fr[r] > 0.0f && qc1[r] > 0.0f;
  return n;
}

TEST_F(ResultsViewTest, ShowsProfilesAndTheIcChartOfTheExampleAndExportsThem) {
  runExample();
  click("ResultsView8cmd");
  ASSERT_TRUE(gResults.window && gResults.window->isVisible());
  const QStringList expected = {"BRO-155283",     "BRO-157983",    "BRO-217393",  "CRAFT-BLANK-DEPTH", "CRAFT-FUGRO",
                                "CRAFT-INCL-GGA", "OYSAND-OYSC19", "VOORNE-17_8", "WATERNET-P1011"};
  QStringList listed;
  for (int i = 0; i < gResults.soundings->count(); ++i) listed << gResults.soundings->item(i)->text();
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(gResults.message->text(), QString());
  ASSERT_EQ(gResults.sounding.name, "BRO-155283");  // the first is shown at once
  gResults.soundings->setCurrentRow(2);

  // Profiles of BRO-217393: a panel per column after the depth, each
  // with its values, the water table (3.3 ft) named in the title.
  ASSERT_EQ(gResults.sounding.name, "BRO-217393");
  ASSERT_NE(gResults.profiles, nullptr);
  const auto panels = gResults.profiles->findChildren<QChartView*>();
  ASSERT_EQ(panels.size(), static_cast<qsizetype>(gResults.sounding.table.columns.size() - 1));
  EXPECT_EQ(panels.front()->objectName(), "profile:Qc_atm");
  for (const QChartView* panel : panels) EXPECT_GE(panel->chart()->series().size(), 2) << panel->objectName().toStdString();
  EXPECT_TRUE(gResults.profiles->findChild<QLabel*>("profilesTitle")->text().contains("water table at 3.3 ft"));

  // The Ic chart is picked first: log axes, and every point of the sounding
  // that the axes can show.
  ASSERT_EQ(gResults.charts->count(), SldChartCount);
  EXPECT_TRUE(gResults.charts->currentText().startsWith("Ic_tvk: "));
  auto* view = qobject_cast<QChartView*>(gResults.chart);
  ASSERT_NE(view, nullptr);
  for (const QAbstractAxis* axis : view->chart()->axes()) EXPECT_EQ(axis->type(), QAbstractAxis::AxisTypeLogValue);
  EXPECT_EQ(gResults.chartPoints, pointsOnLogChart(gResults.sounding.table));
  EXPECT_GT(gResults.chartPoints, 1000);

  // Export: the profiles as PNG, the chart as SVG.
  const QString png = QString::fromStdString(soundingsFolder() + "/view.png");
  const QString svg = QString::fromStdString(soundingsFolder() + "/view.SVG");
  ASSERT_TRUE(ResultsView_export(png)) << gResults.message->text().toStdString();
  EXPECT_TRUE(isPng(png, gResults.profiles->size()));
  gResults.tabs->setCurrentIndex(1);
  ASSERT_TRUE(ResultsView_export(svg));
  QXmlStreamReader xml(fileBytes(svg));
  EXPECT_TRUE(xml.readNextStartElement() && xml.name().toString() == "svg");
  EXPECT_FALSE(ResultsView_export(QStringLiteral("/nonexistent-folder/x.png")));
  EXPECT_TRUE(gResults.message->text().startsWith("Cannot write"));

  // A sounding whose Q1o file is broken: its message, no picture.
  std::ofstream(soundingsFolder() + "/CRAFT-FUGRO_Q1o.txt") << "Depth_ft, Qc_atm\r\n0.5, 1\r\n";
  gResults.soundings->setCurrentRow(4);
  EXPECT_EQ(gResults.message->text().toStdString(),
            "Q1o file C:\\Vurn\\Projects\\ExampleONE\\SOUNDINGS\\CRAFT-FUGRO_Q1o.txt: has no end of head (EOH)");
  EXPECT_EQ(gResults.profiles, nullptr);
  EXPECT_EQ(gResults.chart, nullptr);
  EXPECT_FALSE(ResultsView_export(png));
  EXPECT_EQ(gResults.message->text(), "There is no picture to save.");
}

// The batch pictures: profiles and charts next to each Q1o file, the liquefaction picture when the columns ask for
// it, and a Q1o file that cannot be read named while the others are still drawn.
TEST_F(ResultsViewTest, BatchPicturesAreWrittenNextToEachQ1oFile) {
  installExampleDataArea();
  std::ostringstream out, err;
  ASSERT_EQ(Batch_main({"--pictures"}, out, err, Plots_writeRunPictures), 0) << err.str();
  PlotSounding sounding;
  std::string message;
  for (const char* name : {"BRO-217393", "CRAFT-BLANK-DEPTH", "VOORNE-17_8"}) {
    ASSERT_TRUE(Plots_loadSounding(name, sounding, message)) << message;
    const std::string base = soundingsFolder() + "/" + name;
    EXPECT_TRUE(isPng(QString::fromStdString(base + "_profiles.png"), Plots_profilesSize(sounding))) << name;
    for (const char* chart : {"_SLD-Ic_tvk.png", "_SLD-UWT1_tvk_pcf.png"}) {
      EXPECT_TRUE(isPng(QString::fromStdString(base + chart), QSize(kChartPictureWidth, kChartPictureHeight)))
          << name << chart;
    }
    EXPECT_NE(out.str().find("Picture " + base + "_SLD-Ic_tvk.png\n"), std::string::npos) << out.str();
  }
  EXPECT_EQ(Plots_liquefaction(sounding), nullptr) << "the example's columns ask no liquefaction";

  std::ofstream(dataArea() / "Projects" / "ExampleONE" / "Vurn_Q1o_Output_Columns---ExampleONE.csv")
      << "Depth_ft,Qc_atm,Ic_tvk,FS-Liq_tvk,Ev-Liq_%\r\n";
  std::ofstream(soundingsFolder() + "/ZZ-OLD_Q1o.txt") << "garbage\r\n";
  std::filesystem::remove(soundingsFolder() + "/VOORNE-17_8_profiles.png");
  EXPECT_EQ(Batch_main({"--pictures", "--eq-amax", "0.25", "--eq-csr", ""}, out, err, Plots_writeRunPictures), 5);
  EXPECT_NE(err.str().find("ZZ-OLD_Q1o.txt: its first column is garbage, not a depth"), std::string::npos) << err.str();
  EXPECT_TRUE(std::filesystem::exists(soundingsFolder() + "/VOORNE-17_8_profiles.png"));
  ASSERT_TRUE(Plots_loadSounding("OYSAND-OYSC19", sounding, message)) << message;
  std::unique_ptr<QWidget> picture(Plots_liquefaction(sounding));
  ASSERT_NE(picture, nullptr);
  EXPECT_NE(picture->findChild<QChartView*>("liquefaction:fs"), nullptr);
  EXPECT_NE(picture->findChild<QChartView*>("liquefaction:settlement"), nullptr);
  const std::string png = soundingsFolder() + "/OYSAND-OYSC19_liquefaction.png";
  EXPECT_TRUE(isPng(QString::fromStdString(png), QSize(kLiquefactionPictureWidth, 900)));
  EXPECT_NE(out.str().find("Picture " + png + "\n"), std::string::npos);
}

}  // namespace
