// The window tests' fixture.
#include "gui/gui_test.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <filesystem>

#include "core/window_model.h"
#include "gui/window_commands.h"

void GuiTest::SetUp() {
  VurnTest::SetUp();
  reopenWindows();
  // An error window that the test does not wait for fails it and is closed with "Proceed", so the test ends with
  // the error's record instead of waiting for a click that never comes.
  whenErrorWindowShows([](QDialog&) {
    ADD_FAILURE() << "error window: " << ErrorControl("errorCode8lbl").caption << " "
                  << ErrorControl("ErrorDescription8lbl").caption;
    QTest::mouseClick(Gui_widget(gWindow.error, "Proceed8cmd"), Qt::LeftButton);
  });
}

void GuiTest::reopenWindows() {
  WindowCommands_openWindows();
  gWindow.main.visible = true;
  Gui_sync();
}

void GuiTest::TearDown() {
  errorWatch_.reset();
  Gui_close();
  VurnTest::TearDown();
}

void GuiTest::click(const std::string& name) {
  QWidget* w = mainWidget(name);
  if (!w) return;
  // Option buttons and check boxes take a click on their mark; they may be
  // wider than their caption.
  if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(6, w->height() / 2));
  } else {
    QTest::mouseClick(w, Qt::LeftButton);
  }
}

std::string GuiTest::labelText(const std::string& name) {
  auto* label = mainWidget<QLabel>(name);
  return label ? label->text().toStdString() : std::string();
}

void GuiTest::installExampleDataArea() const {
  std::filesystem::copy(std::filesystem::path(VURN_SOURCE_DIR) / "dist" / "Vurn", driveC() / "Vurn",
                        std::filesystem::copy_options::recursive);
}

void GuiTest::whenErrorWindowShows(std::function<void(QDialog&)> act) {
  errorWatch_ = std::make_unique<QTimer>();
  errorWatch_->setInterval(5);
  QTimer* timer = errorWatch_.get();
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
    if (!gGui.error || !gGui.error->isVisible()) return;
    timer->stop();
    act(*gGui.error);
  });
  errorWatch_->start();
}
