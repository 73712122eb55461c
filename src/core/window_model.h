// The window model: every control of the program's windows as plain data --
// caption, text, value, enabled and visible state, bold weight, list items --
// with its window default. The engine reads and writes only this model; the
// desktop program mirrors it on real widgets and the batch command has no
// window at all.
//
// Control names are the real names the rest of the system refers to
// ("Run8cmd", "projectS_8cbo", "Show_BreakdownOf_LineInput_8chk", ...). Option
// buttons and check boxes hold their state in `value`: 0 clear, 1 selected or
// ticked, 2 greyed (check boxes only).
//
// The engine talks to the window program through WindowHooks: let pending
// window events run, show the error window, and report the sounding a run is at.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

enum class ControlKind { Button, Label, TextBox, Option, CheckBox, ComboBox, ListBox };

struct Control {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string frame;    // caption of the frame that groups it ("" when none)
  std::string caption;  // labels, buttons, option buttons, check boxes
  std::string text;     // text boxes
  int value = 0;        // option buttons and check boxes
  bool enabled = true;
  bool visible = true;
  bool bold = false;
  std::vector<std::string> items;  // combo box and list box entries
  int selected = -1;               // index into items, -1 for none
  // A control the user changes or clicks (button, option button, check box,
  // text box, combo box) cannot be used while start-up or a run is going, so
  // nothing can change the project, the data area or the options under it.
  // Set for the few that must stay usable then (END, the error window's
  // "Proceed").
  bool usableDuringRun = false;
};

struct Form {
  std::string name;
  std::string caption;
  bool loaded = false;
  bool visible = false;
  std::vector<Control> controls;
  // Control positions by name, kept by Form_control: rebuilt whenever the
  // number of controls differs from the number it was built for.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> positions;
};

struct WindowModel {
  Form main;        // the main window
  Form error;       // the error window
  Form debug;       // the debug window with its list "List1"
  Form newProject;  // the new-project window
};

extern WindowModel gWindow;

// Rebuilds every window with its controls in their window defaults.
void WindowModel_reset();

// The control `name` of `form`. An unknown name is a programming error and
// throws std::logic_error.
Control& Form_control(Form& form, std::string_view name);

// Shorthands for the main window and the error window.
Control& MainControl(std::string_view name);
Control& ErrorControl(std::string_view name);

// The debug window's list box.
Control& DebugList();

struct WindowHooks {
  // Lets the window process pending events (repaint, clicks). The window
  // program mirrors the model onto its widgets here.
  std::function<void()> processEvents;
  // The error window has been filled; show it. May block until dismissed.
  std::function<void()> showErrorWindow;
  // A run has begun sounding `sequence` (from 1), whose field data file is `fileName`.
  std::function<void(int sequence, const std::string& fileName)> soundingStarted;
  // A run is about to process `total` soundings (the rows of its sounding
  // database), before its first soundingStarted.
  std::function<void(int total)> soundingTotal;
};

extern WindowHooks gWindowHooks;

// Removes every hook (no window attached).
void WindowHooks_reset();

// Calls the processEvents hook when there is one.
void Window_processEvents();
