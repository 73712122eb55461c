// Mirrors the window model on the widgets, throttles the engine's event
// processing, shows the error window and the run's progress.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "core/halt.h"
#include "core/run_state.h"
#include "core/screen_mode.h"
#include "gui/windows.h"

GuiState gGui;

namespace {

const Control* controlOf(const GuiBinding& b) {
  const auto& controls = b.form->controls;
  if (b.index < controls.size() && controls[b.index].name == b.name) return &controls[b.index];
  for (const Control& c : controls) {
    if (c.name == b.name) return &c;
  }
  return nullptr;
}

void setTextIfChanged(QLabel* label, const QString& text) {
  if (label->text() != text) label->setText(text);
}

void syncBold(QWidget* w, bool bold) {
  if (w->font().bold() == bold) return;
  QFont font = w->font();
  font.setBold(bold);
  w->setFont(font);
}

// Option buttons of one frame exclude each other, but the model may also hold a
// group with none selected; such a button is cleared with the exclusion off.
void syncOption(QRadioButton* option, bool checked) {
  if (option->isChecked() == checked) return;
  if (!checked) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
  } else {
    option->setChecked(true);
  }
}

void syncCheck(QCheckBox* box, int value) {
  const Qt::CheckState state = value == 1 ? Qt::Checked : (value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  box->setTristate(value == 2);
  if (box->checkState() != state) box->setCheckState(state);
}

void syncItems(QComboBox* combo, const Control& c) {
  bool same = combo->count() == static_cast<int>(c.items.size());
  for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i).toStdString() == c.items[static_cast<size_t>(i)];
  if (!same) {
    combo->clear();
    for (const std::string& item : c.items) combo->addItem(QString::fromStdString(item));
  }
  const int selected = c.selected < static_cast<int>(c.items.size()) ? c.selected : -1;
  if (combo->currentIndex() != selected) combo->setCurrentIndex(selected);
}

void syncItems(QListWidget* list, const Control& c) {
  bool same = list->count() == static_cast<int>(c.items.size());
  for (int i = 0; same && i < list->count(); ++i) same = list->item(i)->text().toStdString() == c.items[static_cast<size_t>(i)];
  if (!same) {
    list->clear();
    for (const std::string& item : c.items) list->addItem(QString::fromStdString(item));
    list->scrollToBottom();
  }
}

// A status value shows on one line, elided in its middle when it is longer
// than the label is wide (the start and the file name at the end stay), with
// its whole text as its tooltip. One line per value keeps the panel's rows
// from overlapping whatever a run puts there.
void syncStatusValue(QLabel* label, const QString& text) {
  if (label->toolTip() != text) label->setToolTip(text);
  const int width = label->contentsRect().width();
  const QString shown =
      label->isVisible() && width > 0 ? label->fontMetrics().elidedText(text, Qt::ElideMiddle, width) : text;
  setTextIfChanged(label, shown);
}

void syncControl(const Control& c, QWidget* w) {
  const bool enabled = c.enabled && !Gui_controlLocked(c);
  if (w->testAttribute(Qt::WA_Disabled) == enabled) w->setEnabled(enabled);
  if (w->isHidden() == c.visible) w->setVisible(c.visible);
  switch (c.kind) {
    case ControlKind::Label:
      if (auto* label = qobject_cast<QLabel*>(w)) {
        syncBold(label, c.bold);
        if (label->property("vurnStatusValue").toBool()) {
          syncStatusValue(label, Gui_labelText(c.caption));
        } else {
          setTextIfChanged(label, Gui_labelText(c.caption));
        }
      }
      break;
    case ControlKind::Button:
      if (auto* button = qobject_cast<QPushButton*>(w)) {
        const QString caption = QString::fromStdString(c.caption);
        if (button->text() != caption) button->setText(caption);
      }
      break;
    case ControlKind::TextBox:
      if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const QString text = QString::fromStdString(c.text);
        if (edit->text() != text) edit->setText(text);
      }
      break;
    case ControlKind::Option:
      if (auto* option = qobject_cast<QRadioButton*>(w)) {
        const QString caption = QString::fromStdString(c.caption);
        if (option->text() != caption) option->setText(caption);
        syncOption(option, c.value == 1);
      }
      break;
    case ControlKind::CheckBox:
      if (auto* box = qobject_cast<QCheckBox*>(w)) {
        const QString caption = QString::fromStdString(c.caption);
        if (box->text() != caption) box->setText(caption);
        syncCheck(box, c.value);
      }
      break;
    case ControlKind::ComboBox:
      if (auto* combo = qobject_cast<QComboBox*>(w)) syncItems(combo, c);
      break;
    case ControlKind::ListBox:
      if (auto* list = qobject_cast<QListWidget*>(w)) syncItems(list, c);
      break;
  }
}

void syncWindow(QWidget* window, const Form& form, bool showFromModel) {
  if (!window) return;
  const QString title = QString::fromStdString(form.caption);
  if (window->windowTitle() != title) window->setWindowTitle(title);
  if (form.visible && window->isHidden() && showFromModel) window->show();
  if (!form.visible && !window->isHidden()) window->hide();
}

void syncProgress() {
  if (!gGui.progressBar) return;
  const GuiProgress& p = gGui.progress;
  int maximum = 1;
  int value = 0;
  if (gRun.runInProgress) {
    maximum = p.total > 0 ? p.total : 0;  // 0..0 is Qt's busy bar
    value = p.total > 0 ? std::clamp(p.sequence - 1, 0, p.total) : 0;  // the soundings done
  } else if (p.runsCompleted > 0) {
    value = 1;  // a finished run: a full bar
  }
  if (gGui.progressBar->maximum() != maximum) gGui.progressBar->setRange(0, maximum);
  if (gGui.progressBar->value() != value) gGui.progressBar->setValue(value);
  setTextIfChanged(gGui.progressText, Gui_progressText());
}

}  // namespace

bool Gui_engineBusy() { return gGui.engineCalls > 0 || gRun.runInProgress; }

bool Gui_controlLocked(const Control& control) { return Gui_engineBusy() && Control_lockedDuringRun(control); }

QWidget* Gui_widget(const Form& form, const std::string& name) {
  for (const GuiBinding& b : gGui.bindings) {
    if (b.form == &form && b.name == name) return b.widget;
  }
  return nullptr;
}

void Gui_sync() {
  gGui.syncing = true;
  for (const GuiBinding& b : gGui.bindings) {
    if (const Control* c = controlOf(b)) syncControl(*c, b.widget);
  }
  syncProgress();
  syncWindow(gGui.main.get(), gWindow.main, true);
  syncWindow(gGui.debug.get(), gWindow.debug, true);
  syncWindow(gGui.newProject.get(), gWindow.newProject, true);
  syncWindow(gGui.error.get(), gWindow.error, false);  // shown only by Gui_showErrorWindow, modal
  gGui.syncing = false;
  ++gGui.syncCount;
  gGui.sinceSync.restart();
}

void Gui_processEventsThrottled() {
  if (!gGui.sinceSync.isValid() || gGui.sinceSync.elapsed() >= gGui.syncIntervalMs) {
    Gui_sync();
    QApplication::processEvents();
    gGui.sinceSync.restart();
  }
  // END during start-up or a run: stop the engine where it is. The top level
  // catches this like any fatal stop and closes every file.
  if (gGui.endRequested && gGui.engineCalls > 0) throw FatalStop("ended by the END command");
}

void Gui_showErrorWindow() {
  Gui_sync();
  if (!gGui.error) return;
  syncWindow(gGui.error.get(), gWindow.error, false);
  gGui.error->exec();
  gWindow.error.visible = false;
  gGui.error->hide();
}

void Gui_soundingStarted(int sequence, const std::string& fileName) {
  gGui.progress.sequence = sequence;
  gGui.progress.fileName = fileName;
}

void Gui_setSoundingTotal(int total) { gGui.progress.total = total; }

QString Gui_progressText() {
  const GuiProgress& p = gGui.progress;
  if (gRun.runInProgress) {
    if (p.sequence == 0) return QStringLiteral("Run started");
    QString text = QStringLiteral("Sounding %1").arg(p.sequence);
    if (p.total > 0) text += QStringLiteral(" of %1").arg(p.total);
    if (!p.fileName.empty()) text += QStringLiteral(": ") + QString::fromStdString(p.fileName);
    return text;
  }
  if (p.runsCompleted > 0) {
    return QStringLiteral("Last run: %1 soundings").arg(static_cast<int>(gRun.soundingsProcessed));
  }
  return QString();
}

void Gui_endProgram(int exitCode) {
  gGui.endRequested = true;
  gGui.exitCode = exitCode;
  gWindow.error.visible = false;
  gWindow.debug.visible = false;
  gWindow.newProject.visible = false;
  gWindow.main.visible = false;
  for (QWidget* w : {static_cast<QWidget*>(gGui.error.get()), gGui.debug.get(), gGui.newProject.get(), gGui.main.get()}) {
    if (w) w->close();
  }
  QCoreApplication::exit(exitCode);
}

bool Gui_saveScreenshot(const QString& pngPath) {
  if (!gGui.main) return false;
  Gui_sync();
  return gGui.main->grab().save(pngPath, "PNG");
}
