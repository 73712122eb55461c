// Builds the program's windows by walking the window model: one widget per
// control, grouped in its frame, placed by a small layout table, with the signals
// that write user edits back to the model.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <string_view>

#include "gui/results_view.h"
#include "gui/windows.h"

namespace {

// A top-level window whose closing (by the window manager's close button) is
// told to its owner: the main window ends the program, the others hide.
class FormWindow : public QWidget {
 public:
  std::function<bool()> onClose;  // returns whether the window may close

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (!onClose || onClose()) {
      event->accept();
    } else {
      event->ignore();
    }
  }
};

// Where a control goes on the main window.
enum class Area { Header, RunOptions, MoreOptions, Commands, Status, Information };

// Frames of the options a run reads; they fill the first column. Other frames
// (the options no run reads, the project list, first use, and any frame added
// later) fill the second.
constexpr std::string_view kRunOptionFrames[] = {
    "Sress Normalizaion method for CPT cone resistance ",
    "Soil type (standardized Robertson Ic) Calculation Method",
    "Columns defined for *-Q1o.csv files ",
    "SLD data input Location",
    "CPT input data file type",
    "SLD output files (for external plotting and other)",
    "Predicting Earthquake Liquefaction Resistance if CRR_* or FS-Liq_* column are specified",
};
constexpr std::string_view kStatusFrame = "Processing information";

// Controls without a frame that belong to the line at the top of the window.
constexpr std::string_view kHeaderControls[] = {
    "VurnVersion8lbl", "VurnVersionDate8lbl", "VurnSystemArea8lbl", "ForceVurnToUseCdrive8cmd",
    "Check_Before_Compling8chk",
};

template <size_t N>
bool listed(const std::string_view (&list)[N], std::string_view text) {
  return std::find(std::begin(list), std::end(list), text) != std::end(list);
}

bool containsNoCase(std::string_view text, std::string_view word) {
  auto lower = [](std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
  };
  return lower(text).find(lower(word)) != std::string::npos;
}

const Control* at(const std::vector<Control>& controls, size_t i) {
  return i < controls.size() ? &controls[i] : nullptr;
}

bool isFramelessTextBox(const Control* c) { return c && c->frame.empty() && c->kind == ControlKind::TextBox; }

Area areaOf(const std::vector<Control>& controls, size_t i) {
  const Control& c = controls[i];
  if (!c.frame.empty()) {
    if (c.frame == kStatusFrame) return Area::Status;
    if (listed(kRunOptionFrames, c.frame)) return Area::RunOptions;
    return Area::MoreOptions;
  }
  if (listed(kHeaderControls, c.name)) return Area::Header;
  switch (c.kind) {
    case ControlKind::Button:
      return Area::Commands;
    case ControlKind::Label:
      // A label beside a text box is its title or its unit.
      if (isFramelessTextBox(at(controls, i + 1)) || (i > 0 && isFramelessTextBox(at(controls, i - 1)))) {
        return Area::MoreOptions;
      }
      return Area::Information;
    default:
      return Area::MoreOptions;
  }
}

// Control lookup that tolerates a model rebuilt since the widgets were made.
Control* findControl(Form* form, const std::string& name) {
  for (Control& c : form->controls) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

// The control a user edit is written to, or nullptr when there is none or it
// is locked now: an edit that reaches a locked control (queued before the lock
// took hold) is dropped, and the next sync shows the model's value again.
Control* editableControl(Form* form, const std::string& name) {
  Control* m = findControl(form, name);
  return m && !Gui_controlLocked(*m) ? m : nullptr;
}

QLabel* newLabel(const Control& c) {
  auto* label = new QLabel(Gui_labelText(c.caption));
  label->setTextFormat(Qt::PlainText);
  return label;
}

// Makes the widget of one control and connects its user edits to the model.
QWidget* makeWidget(Form* form, const Control& c) {
  const std::string name = c.name;
  QWidget* widget = nullptr;
  switch (c.kind) {
    case ControlKind::Button: {
      auto* button = new QPushButton(QString::fromStdString(c.caption));
      QObject::connect(button, &QPushButton::clicked, button, [form, name] {
        if (gGui.onCommand) gGui.onCommand(form->name, name);  // refused there while the control is locked
      });
      widget = button;
      break;
    }
    case ControlKind::Label:
      widget = newLabel(c);
      break;
    case ControlKind::TextBox: {
      auto* edit = new QLineEdit(QString::fromStdString(c.text));
      QObject::connect(edit, &QLineEdit::textEdited, edit, [form, name](const QString& text) {
        if (Control* m = editableControl(form, name)) m->text = text.toStdString();
      });
      if (c.text.size() <= 8) edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 10);
      widget = edit;
      break;
    }
    case ControlKind::Option: {
      auto* option = new QRadioButton(QString::fromStdString(c.caption));
      QObject::connect(option, &QRadioButton::toggled, option, [form, name](bool checked) {
        if (gGui.syncing) return;
        if (Control* m = editableControl(form, name)) m->value = checked ? 1 : 0;
      });
      widget = option;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(QString::fromStdString(c.caption));
      QObject::connect(box, &QCheckBox::stateChanged, box, [form, name](int state) {
        if (gGui.syncing) return;
        if (Control* m = editableControl(form, name)) {
          m->value = state == Qt::Checked ? 1 : (state == Qt::PartiallyChecked ? 2 : 0);
        }
      });
      widget = box;
      break;
    }
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox;
      combo->setMinimumContentsLength(24);
      QObject::connect(combo, &QComboBox::activated, combo, [form, name](int index) {
        Control* m = editableControl(form, name);
        if (!m) return;
        m->selected = index;
        if (gGui.onCommand) gGui.onCommand(form->name, name);
      });
      widget = combo;
      break;
    }
    case ControlKind::ListBox:
      widget = new QListWidget;
      break;
  }
  widget->setObjectName(QString::fromStdString(c.name));
  return widget;
}

// Builds the widgets of `indices` (controls of `form`, in model order) into a
// grid of rows:
//   - a title label followed by its value label: title and value side by side
//     (a long title has its value on the line below);
//   - a label, its text box, and a label right after that (a unit or a note):
//     one line;
//   - a run of option buttons with short captions: one line; longer ones: a line each;
//   - anything else: a line of its own.
QGridLayout* buildRows(Form* form, const std::vector<size_t>& indices) {
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  grid->setVerticalSpacing(4);
  const auto& controls = form->controls;
  auto kindAt = [&](size_t k) { return k < indices.size() ? controls[indices[k]].kind : ControlKind::Button; };
  auto nameAt = [&](size_t k) { return k < indices.size() ? std::string_view(controls[indices[k]].name) : ""; };
  auto make = [&](size_t k) {
    QWidget* w = makeWidget(form, controls[indices[k]]);
    gGui.bindings.push_back(GuiBinding{form, controls[indices[k]].name, indices[k], w});
    return w;
  };

  int row = 0;
  size_t k = 0;
  while (k < indices.size()) {
    const Control& c = controls[indices[k]];
    if (c.kind == ControlKind::Label && containsNoCase(c.name, "title") && kindAt(k + 1) == ControlKind::Label &&
        !containsNoCase(nameAt(k + 1), "title")) {
      auto* title = static_cast<QLabel*>(make(k));
      auto* value = static_cast<QLabel*>(make(k + 1));
      value->setWordWrap(true);
      value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      value->setMinimumWidth(120);
      if (c.caption.size() > 24) {
        grid->addWidget(title, row++, 0, 1, 2);
        grid->addWidget(value, row++, 0, 1, 2);
      } else {
        title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(title, row, 0);
        grid->addWidget(value, row++, 1);
      }
      k += 2;
    } else if (c.kind == ControlKind::Label && kindAt(k + 1) == ControlKind::TextBox) {
      auto* line = new QHBoxLayout;
      auto* title = static_cast<QLabel*>(make(k));
      if (c.caption.size() > 40) title->setWordWrap(true);
      line->addWidget(title, c.caption.size() > 40 ? 1 : 0);
      QWidget* box = make(k + 1);
      line->addWidget(box, box->maximumWidth() < QWIDGETSIZE_MAX ? 0 : 1);
      size_t used = 2;
      if (kindAt(k + 2) == ControlKind::Label && kindAt(k + 3) != ControlKind::TextBox) {
        auto* after = static_cast<QLabel*>(make(k + 2));
        const bool longNote = controls[indices[k + 2]].caption.size() > 12;
        after->setWordWrap(longNote);
        line->addWidget(after, longNote ? 1 : 0);
        used = 3;
      }
      if (box->maximumWidth() < QWIDGETSIZE_MAX && c.caption.size() <= 40 && used == 2) line->addStretch(1);
      grid->addLayout(line, row++, 0, 1, 2);
      k += used;
    } else if (c.kind == ControlKind::Option) {
      size_t end = k;
      size_t captionLength = 0;
      while (end < indices.size() && kindAt(end) == ControlKind::Option) {
        captionLength += controls[indices[end]].caption.size();
        ++end;
      }
      if (captionLength <= 40) {
        auto* line = new QHBoxLayout;
        for (size_t j = k; j < end; ++j) line->addWidget(make(j));
        line->addStretch(1);
        grid->addLayout(line, row++, 0, 1, 2);
      } else {
        for (size_t j = k; j < end; ++j) grid->addWidget(make(j), row++, 0, 1, 2);
      }
      k = end;
    } else {
      QWidget* w = make(k);
      if (auto* label = qobject_cast<QLabel*>(w)) label->setWordWrap(true);
      grid->addWidget(w, row++, 0, 1, 2);
      ++k;
    }
  }
  return grid;
}

// A frame: a box with its caption above its rows. The caption wraps, so a long
// one does not widen its column.
QFrame* buildFrame(Form* form, const std::string& caption, const std::vector<size_t>& indices) {
  auto* frame = new QFrame;
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setProperty("vurnFrame", QString::fromStdString(caption));
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(4);
  if (!caption.empty()) {
    auto* title = new QLabel(Gui_labelText(caption));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
  }
  layout->addLayout(buildRows(form, indices));
  return frame;
}

// The controls of one area grouped into blocks: one per frame, in the order of
// each frame's first control, and one for the controls without a frame.
struct Block {
  std::string frame;
  std::vector<size_t> indices;
};

std::vector<Block> blocksOf(const Form& form, Area area) {
  std::vector<Block> blocks;
  for (size_t i = 0; i < form.controls.size(); ++i) {
    if (areaOf(form.controls, i) != area) continue;
    const std::string& frame = form.controls[i].frame;
    auto it = std::find_if(blocks.begin(), blocks.end(), [&](const Block& b) { return b.frame == frame; });
    if (it == blocks.end()) {
      blocks.push_back(Block{frame, {}});
      it = blocks.end() - 1;
    }
    it->indices.push_back(i);
  }
  return blocks;
}

QVBoxLayout* buildColumn(Form* form, Area area) {
  auto* column = new QVBoxLayout;
  column->setSpacing(6);
  for (const Block& block : blocksOf(*form, area)) {
    if (block.frame.empty()) {
      auto* plain = new QWidget;
      auto* layout = new QVBoxLayout(plain);
      layout->setContentsMargins(8, 0, 8, 0);
      layout->addLayout(buildRows(form, block.indices));
      column->addWidget(plain);
    } else {
      column->addWidget(buildFrame(form, block.frame, block.indices));
    }
  }
  column->addStretch(1);
  return column;
}

// The line at the top: the version and data-area labels on the left, the
// build's check boxes on the right.
QWidget* buildHeader(Form* form) {
  auto* header = new QWidget;
  auto* line = new QHBoxLayout(header);
  line->setContentsMargins(8, 0, 8, 0);
  line->setSpacing(18);
  for (const bool labels : {true, false}) {
    for (size_t i = 0; i < form->controls.size(); ++i) {
      const Control& c = form->controls[i];
      if (areaOf(form->controls, i) != Area::Header || (c.kind == ControlKind::Label) != labels) continue;
      QWidget* w = makeWidget(form, c);
      if (c.name == "VurnVersion8lbl") {
        QFont bold = w->font();
        bold.setBold(true);
        w->setFont(bold);
      }
      gGui.bindings.push_back(GuiBinding{form, c.name, i, w});
      line->addWidget(w);
    }
    if (labels) line->addStretch(1);
  }
  return header;
}

QWidget* buildCommands(Form* form) {
  auto* box = new QFrame;
  box->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(3);
  for (size_t i = 0; i < form->controls.size(); ++i) {
    if (areaOf(form->controls, i) != Area::Commands) continue;
    const Control& c = form->controls[i];
    QWidget* w = makeWidget(form, c);
    if (c.name == "Run8cmd") {
      QFont bold = w->font();
      bold.setBold(true);
      bold.setPointSizeF(bold.pointSizeF() * 1.15);
      w->setFont(bold);
      w->setMinimumHeight(36);
    }
    gGui.bindings.push_back(GuiBinding{form, c.name, i, w});
    layout->addWidget(w);
  }
  return box;
}

QWidget* buildInformation(Form* form) {
  auto* info = new QWidget;
  auto* layout = new QVBoxLayout(info);
  layout->setContentsMargins(8, 0, 8, 0);
  layout->setSpacing(2);
  for (size_t i = 0; i < form->controls.size(); ++i) {
    if (areaOf(form->controls, i) != Area::Information) continue;
    QLabel* label = newLabel(form->controls[i]);
    label->setObjectName(QString::fromStdString(form->controls[i].name));
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setStyleSheet(QStringLiteral("color: #404040;"));
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.92);
    label->setFont(small);
    // The empty information texts only separate the others.
    if (form->controls[i].caption.empty()) label->setMaximumHeight(4);
    gGui.bindings.push_back(GuiBinding{form, form->controls[i].name, i, label});
    layout->addWidget(label);
  }
  layout->addStretch(1);
  return info;
}

std::unique_ptr<QWidget> buildMain(Form* form) {
  auto window = std::make_unique<FormWindow>();
  window->setObjectName(QString::fromStdString(form->name));
  window->onClose = [] {
    // Closing the main window is the END command.
    if (!gGui.endRequested && gGui.onCommand) gGui.onCommand(gWindow.main.name, "ender8cmd");
    return true;
  };

  auto* top = new QVBoxLayout(window.get());
  top->setContentsMargins(8, 8, 8, 8);
  top->setSpacing(6);
  top->addWidget(buildHeader(form));

  auto* body = new QHBoxLayout;
  body->setSpacing(8);

  // The options scroll when the screen is small; commands and the status panel
  // beside them are always in view.
  auto* options = new QWidget;
  auto* optionColumns = new QHBoxLayout(options);
  optionColumns->setContentsMargins(0, 0, 0, 0);
  optionColumns->setSpacing(8);
  optionColumns->addLayout(buildColumn(form, Area::RunOptions), 1);
  optionColumns->addLayout(buildColumn(form, Area::MoreOptions), 1);
  auto* scroll = new QScrollArea;
  scroll->setWidget(options);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  scroll->setMinimumWidth(options->minimumSizeHint().width() + 4);
  body->addWidget(scroll, 1);

  auto* side = new QVBoxLayout;
  side->setSpacing(6);
  side->addWidget(buildCommands(form));
  const std::vector<Block> status = blocksOf(*form, Area::Status);
  for (const Block& block : status) {
    QFrame* frame = buildFrame(form, block.frame, block.indices);
    // The status values (the run's summary puts folder paths there) show on
    // one line each, elided with their whole text as tooltip (Gui_sync).
    for (size_t i : block.indices) {
      const Control& c = form->controls[i];
      const bool isValue = c.kind == ControlKind::Label && !containsNoCase(c.name, "title");
      auto* label = qobject_cast<QLabel*>(Gui_widget(*form, c.name));
      if (!isValue || !label) continue;
      label->setWordWrap(false);
      label->setProperty("vurnStatusValue", true);
    }
    if (&block == &status.front()) {
      gGui.progressBar = new QProgressBar;
      gGui.progressBar->setObjectName(QStringLiteral("progressBar"));
      gGui.progressBar->setTextVisible(false);
      gGui.progressBar->setMaximumHeight(14);
      gGui.progressText = new QLabel;
      gGui.progressText->setObjectName(QStringLiteral("progressText"));
      gGui.progressText->setTextFormat(Qt::PlainText);
      gGui.progressText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      frame->layout()->addWidget(gGui.progressBar);
      frame->layout()->addWidget(gGui.progressText);
    }
    side->addWidget(frame);
  }
  side->addWidget(buildInformation(form), 1);
  auto* sideWidget = new QWidget;
  sideWidget->setLayout(side);
  side->setContentsMargins(0, 0, 0, 0);
  sideWidget->setFixedWidth(400);
  body->addWidget(sideWidget);

  top->addLayout(body, 1);
  window->resize(window->sizeHint().expandedTo(QSize(1300, 740)).boundedTo(QSize(1366, 740)));
  return window;
}

// The error window: its title lines, the identifier, description and the seven
// status values beside their titles, and "Proceed".
std::unique_ptr<QDialog> buildError(Form* form) {
  auto dialog = std::make_unique<QDialog>();
  dialog->setObjectName(QString::fromStdString(form->name));
  dialog->setModal(true);
  auto* layout = new QVBoxLayout(dialog.get());
  std::vector<size_t> rows;
  for (size_t i = 0; i < form->controls.size(); ++i) {
    const Control& c = form->controls[i];
    if (c.kind == ControlKind::Button) continue;
    rows.push_back(i);
  }
  QGridLayout* grid = buildRows(form, rows);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(6);
  layout->addLayout(grid);
  if (auto* title = Gui_widgetAs<QLabel>(*form, "ErrorTitle8lbl")) {
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title->setFont(big);
    title->setStyleSheet(QStringLiteral("color: #a00000;"));
  }
  if (auto* code = Gui_widgetAs<QLabel>(*form, "errorCode8lbl")) {
    QFont bold = code->font();
    bold.setBold(true);
    code->setFont(bold);
  }
  if (auto* description = Gui_widgetAs<QLabel>(*form, "ErrorDescription8lbl")) description->setMinimumWidth(420);
  for (size_t i = 0; i < form->controls.size(); ++i) {
    const Control& c = form->controls[i];
    if (c.kind != ControlKind::Button) continue;
    QWidget* w = makeWidget(form, c);
    gGui.bindings.push_back(GuiBinding{form, c.name, i, w});
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    line->addWidget(w);
    layout->addLayout(line);
    // "Proceed" has no action of its own: it closes the window.
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      button->setDefault(true);
      QObject::connect(button, &QPushButton::clicked, dialog.get(), &QDialog::accept);
    }
  }
  dialog->resize(620, dialog->sizeHint().height());
  return dialog;
}

std::unique_ptr<QWidget> buildPlainForm(Form* form, QSize size) {
  auto window = std::make_unique<FormWindow>();
  window->setObjectName(QString::fromStdString(form->name));
  window->onClose = [form] {
    form->visible = false;
    return true;
  };
  std::vector<size_t> all(form->controls.size());
  for (size_t i = 0; i < all.size(); ++i) all[i] = i;
  auto* layout = new QVBoxLayout(window.get());
  layout->addLayout(buildRows(form, all));
  window->resize(size);
  return window;
}

}  // namespace

QString Gui_labelText(const std::string& caption) {
  QString text = QString::fromStdString(caption);
  text.replace(QStringLiteral("&&"), QStringLiteral("&"));
  return text;
}

void Gui_open() {
  Gui_close();
  gGui.main = buildMain(&gWindow.main);
  gGui.error = buildError(&gWindow.error);
  gGui.debug = buildPlainForm(&gWindow.debug, QSize(520, 420));
  gGui.newProject = buildPlainForm(&gWindow.newProject, QSize(420, 140));
  gWindowHooks.processEvents = Gui_processEventsThrottled;
  gWindowHooks.showErrorWindow = Gui_showErrorWindow;
  gWindowHooks.soundingStarted = Gui_soundingStarted;
  gWindowHooks.soundingTotal = Gui_setSoundingTotal;
  Gui_sync();
}

void Gui_close() {
  ResultsView_close();
  if (gWindowHooks.processEvents) WindowHooks_reset();
  gGui.bindings.clear();
  gGui.progressBar = nullptr;
  gGui.progressText = nullptr;
  gGui.error.reset();
  gGui.debug.reset();
  gGui.newProject.reset();
  gGui.main.reset();
  gGui = GuiState{};
}
