// The program's windows on real Qt widgets, mirroring the window model.
//
// Every control of the window model (gWindow: main, error, debug and
// new-project windows) gets one widget, built by walking the model, so a control
// added to the model appears in the window without code here. Each widget's
// objectName is its control's name ("Run8cmd", "HighLevel8lbl", ...).
//
// The model is the truth; the widgets mirror it in both directions:
//   - model -> widgets: Gui_sync() pushes captions, texts, values, enabled and
//     visible states, the bold weight of labels, combo and list items and the
//     visibility of the windows. The status panel's values show on one line,
//     elided in the middle when too long, with the whole text as tooltip. The engine's processEvents hook calls it at
//     most every syncIntervalMs (then lets Qt process pending events), so a run
//     stays responsive without paying for a repaint at every status update;
//   - widgets -> model: every user edit (a click on an option button or check
//     box, typing in a text box, a pick in the combo box) is written to its
//     control at once, so the engine reads what the user sees.
//
// The engine's hooks: processEvents (throttled sync), showErrorWindow (the
// error window, modal, until "Proceed"), soundingTotal and soundingStarted (the
// progress bar).
//
// While start-up, a run or another engine command is going, every control that
// Control_lockedDuringRun names (all the user changes or clicks but END and
// "Proceed", controls added to the model later included) is shown disabled,
// and its edits and clicks are refused, should one still arrive.
//
// All state of the windows lives in gGui; Gui_close() destroys the windows,
// removes the hooks and returns gGui to its starting state.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/window_model.h"

class QDialog;
class QLabel;
class QProgressBar;
class QWidget;

// One widget mirroring one control.
struct GuiBinding {
  Form* form = nullptr;  // &gWindow.main, &gWindow.error, ...
  std::string name;      // the control's name
  size_t index = 0;      // where the control was in form->controls (checked against name)
  QWidget* widget = nullptr;
};

// The progress of the run shown under the status panel.
struct GuiProgress {
  int sequence = 0;      // sounding being processed (from 1), 0 before the first
  std::string fileName;  // its field data file
  int total = 0;         // soundings in the run once known, else 0 (a busy bar)
  int runsCompleted = 0;     // runs that reached their end since the windows opened
};

struct GuiState {
  std::unique_ptr<QWidget> main;
  std::unique_ptr<QDialog> error;
  std::unique_ptr<QWidget> debug;
  std::unique_ptr<QWidget> newProject;
  QProgressBar* progressBar = nullptr;
  QLabel* progressText = nullptr;
  std::vector<GuiBinding> bindings;

  // Called with the form's and the control's name when the user clicks a button
  // or picks a combo box entry (set by the commands module).
  std::function<void(const std::string& form, const std::string& control)> onCommand;

  GuiProgress progress;
  int syncIntervalMs = 50;  // least time between two syncs during a run
  QElapsedTimer sinceSync;
  bool syncing = false;  // true while Gui_sync writes widgets: their signals are not user edits
  int syncCount = 0;     // syncs since the windows opened (for measuring the throttle)

  int engineCalls = 0;         // > 0 while start-up or a run is on the call stack
  bool endRequested = false;   // END was given: the program is ending
  int exitCode = 0;            // what the program returns when it ends
};

extern GuiState gGui;

// Builds every window from the current model (in its present state), installs
// the engine's hooks and syncs once. The main window stays hidden until the
// model shows it. Needs a QApplication.
void Gui_open();

// Destroys the windows, removes the engine's hooks, and resets gGui.
void Gui_close();

// Pushes the whole model onto the widgets (see above).
void Gui_sync();

// The processEvents hook: syncs and lets Qt process pending events when at
// least syncIntervalMs have passed since the last sync, else returns at once.
void Gui_processEventsThrottled();

// True while start-up, a run or another engine command is going.
bool Gui_engineBusy();
// True when `control` cannot be used now: the engine is busy and the control
// is one that runs lock (Control_lockedDuringRun).
bool Gui_controlLocked(const Control& control);

// The widget of control `name` on `form`, or nullptr.
QWidget* Gui_widget(const Form& form, const std::string& name);
template <typename W>
W* Gui_widgetAs(const Form& form, const std::string& name) {
  return dynamic_cast<W*>(Gui_widget(form, name));
}

// The error window: filled from the model and shown modally until the user
// dismisses it ("Proceed" or closing it).
void Gui_showErrorWindow();

// The progress hooks. The bar is busy until the run knows its number of
// soundings (Gui_setSoundingTotal), then fills by the soundings done.
void Gui_soundingStarted(int sequence, const std::string& fileName);
void Gui_setSoundingTotal(int total);

// The text shown beside the progress bar now ("Sounding 3: CPT-03.CPT", ...).
QString Gui_progressText();

// Closes every window, loaded and hidden ones included, and ends Qt's event
// loop with `exitCode` (when it runs).
void Gui_endProgram(int exitCode);

// Saves the main window as drawn now (at its present size) to a PNG file.
bool Gui_saveScreenshot(const QString& pngPath);

// Shows text for people as it is written in the model: "&&" is one "&", as on
// the system's home platform (buttons and check boxes do this themselves).
QString Gui_labelText(const std::string& caption);
