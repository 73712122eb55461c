// The fixture of the window tests: the engine fixture (fresh drive C:, records
// and hooks reset) with the program's windows open on the model, and helpers
// that drive the real widgets.
#pragma once

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "gui/windows.h"
#include "support/vurn_test.h"

class GuiTest : public VurnTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The widget of a main-window control; fails the test when there is none.
  template <typename W = QWidget>
  static W* mainWidget(const std::string& name) {
    W* w = Gui_widgetAs<W>(gWindow.main, name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  // Builds the windows anew from the model as it is now, the main window shown.
  static void reopenWindows();

  // A mouse click on a main-window control's widget.
  static void click(const std::string& name);
  // The text a main-window label shows.
  static std::string labelText(const std::string& name);

  // Copies the bundled install tree (dist/Vurn) to C:\Vurn, as first-use
  // preparation leaves it: setup file, project list, example project.
  void installExampleDataArea() const;

  // Calls `act` with the error window as soon as it is on screen (polled from
  // the event loop that the error window runs). Until a test calls it, an error
  // window fails the test and is closed.
  void whenErrorWindowShows(std::function<void(QDialog&)> act);

 private:
  std::unique_ptr<QTimer> errorWatch_;
};
