// The main window as built: controls with their captions, defaults and frames, and the model mirrored onto the
// widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

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
};

// Every control of the model has its widget, named as the control, in the
// control's frame, showing the control's caption, text and value: the model's
// own table is the expected side, so a caption is written in one place only.
// Labels show "&&" as one "&".
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
}

// (Captions, enabled states, option buttons and texts as the model has them are checked for every control above.)
TEST_F(MainWindowTest, ModelChangesReachTheWidgets) {
  MainControl("HighLevel8lbl").caption = "           Done";
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
}

}  // namespace
