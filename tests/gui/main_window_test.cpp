// The main window as built: controls with their captions, defaults and frames, the status panel, the fit on a
// 1366x768 screen, and the model mirrored onto the widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include "core/screen_mode.h"
#include "gui/gui_test.h"

namespace {

class MainWindowTest : public GuiTest {
 protected:
  // The frame caption a widget is drawn in, "" when none.
  static std::string frameOf(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
      const QVariant frame = p->property("vurnFrame");
      if (frame.isValid()) return frame.toString().toStdString();
    }
    return "";
  }
  static bool insideScrollArea(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
      if (qobject_cast<const QScrollArea*>(p)) return true;
    }
    return false;
  }
};

// Every control of the model has its widget, named as the control, in the
// control's frame, showing the control's caption, text and value: the model's
// own table is the expected side, so a caption is written in one place only.
// Labels show "&&" as one "&"; the status values stay in view.
TEST_F(MainWindowTest, EveryControlHasItsWidgetInItsFrameShowingTheModel) {
  for (const Form* form : {&gWindow.main, &gWindow.error, &gWindow.debug, &gWindow.newProject}) {
    for (const Control& c : form->controls) {
      const QWidget* w = Gui_widget(*form, c.name);
      ASSERT_NE(w, nullptr) << form->name << " " << c.name;
      EXPECT_EQ(w->objectName().toStdString(), c.name);
      if (form != &gWindow.main) continue;
      EXPECT_EQ(frameOf(w), c.frame) << c.name;
      EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
      QString caption = QString::fromStdString(c.caption);
      if (auto* label = qobject_cast<const QLabel*>(w)) {
        EXPECT_EQ(label->text(), caption.replace(QStringLiteral("&&"), QStringLiteral("&"))) << c.name;
      } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        EXPECT_EQ(button->text(), caption) << c.name;
        EXPECT_EQ(button->isChecked(), c.value == 1) << c.name;
      } else if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        EXPECT_EQ(edit->text().toStdString(), c.text) << c.name;
      }
    }
  }
  EXPECT_EQ(labelText("Depth_lowest_TITLE8lbl"), "For zero load calculations: Depth to start looking for lowest Qc & fs :");
  EXPECT_EQ(gGui.main->windowTitle().toStdString(), "Vurn      ");
  for (const char* name : {"HighLevel8lbl", "Operations8lbl", "Probe8lbl", "inputFile8lbl", "OutputFile8lbl",
                           "Processing8lbl", "Value8lbl", "StatusCODE8lbl", "IssuesCounter8lbl", "Run8cmd", "ender8cmd"}) {
    EXPECT_FALSE(insideScrollArea(mainWidget(name))) << name;
  }
  EXPECT_FALSE(insideScrollArea(gGui.progressBar));
}

TEST_F(MainWindowTest, FitsA1366By768Screen) {
  const QSize least = gGui.main->minimumSizeHint();
  EXPECT_LE(least.width(), 1366);
  EXPECT_LE(least.height(), 700);  // room for a title bar and a task bar
  EXPECT_LE(gGui.main->width(), 1366);
  EXPECT_LE(gGui.main->height(), 768);
}

// (Captions, enabled states, option buttons and texts as the model has them are checked for every control above.)
TEST_F(MainWindowTest, ModelChangesReachTheWidgets) {
  Control& label = MainControl("HighLevel8lbl");
  label.caption = "           Done";
  label.bold = true;
  MainControl("Run8cmd").enabled = false;
  MainControl("IssuesCounter8lbl").visible = false;
  MainControl("Norm_Tavik_8opb").value = 0;
  MainControl("Show_BreakdownOf_LineInput_8chk").value = 2;
  Control& list = MainControl("projectS_8cbo");
  list.items = {"ExampleONE", "Harbour  ---> See NOTE 2 "};
  list.selected = 1;
  gWindow.debug.visible = true;
  DebugList().items = {"-->a,b<---", "1) a", "2) b"};
  Gui_sync();

  EXPECT_EQ(labelText("HighLevel8lbl"), "           Done");
  EXPECT_TRUE(mainWidget("HighLevel8lbl")->font().bold());
  EXPECT_FALSE(mainWidget("Run8cmd")->isEnabled());
  EXPECT_TRUE(mainWidget("IssuesCounter8lbl")->isHidden());
  EXPECT_FALSE(mainWidget<QRadioButton>("Norm_Tavik_8opb")->isChecked());
  EXPECT_EQ(mainWidget<QCheckBox>("Show_BreakdownOf_LineInput_8chk")->checkState(), Qt::PartiallyChecked);
  auto* combo = mainWidget<QComboBox>("projectS_8cbo");
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Harbour  ---> See NOTE 2 "));
  EXPECT_TRUE(gGui.debug->isVisible());
  auto* debugList = Gui_widgetAs<QListWidget>(gWindow.debug, "List1");
  ASSERT_EQ(debugList->count(), 3);
  EXPECT_EQ(debugList->item(2)->text(), QStringLiteral("2) b"));

  // The mirror writes nothing back: the model keeps what the engine set.
  EXPECT_EQ(MainControl("Show_BreakdownOf_LineInput_8chk").value, 2);
  EXPECT_EQ(MainControl("Norm_Tavik_8opb").value, 0);

  // Every mode hides the debug window again; the label goes back to normal.
  Screen_mode("READY TO RUN");
  Gui_sync();
  EXPECT_FALSE(gGui.debug->isVisible());
  EXPECT_FALSE(mainWidget("HighLevel8lbl")->font().bold());
}

TEST_F(MainWindowTest, AGroupWithNoButtonSelectedShowsNoneSelected) {
  for (const char* name : {"Columns_Q1o_File_8opb", "Columns_Q1o_Internal_8opb"}) MainControl(name).value = 0;
  Gui_sync();
  EXPECT_FALSE(mainWidget<QRadioButton>("Columns_Q1o_File_8opb")->isChecked());
  EXPECT_FALSE(mainWidget<QRadioButton>("Columns_Q1o_Internal_8opb")->isChecked());
  // The buttons still exclude each other when the user picks one.
  click("Columns_Q1o_Internal_8opb");
  click("Columns_Q1o_File_8opb");
  EXPECT_EQ(MainControl("Columns_Q1o_File_8opb").value, 1);
  EXPECT_EQ(MainControl("Columns_Q1o_Internal_8opb").value, 0);
}

}  // namespace
