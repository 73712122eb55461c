// vurn: the program's main window over the engine. Opening the window runs
// start-up and the first run, as the load event does; the window's commands do
// the rest.
//
//   vurn                      the window
//   vurn --screenshot FILE    start-up and the first run, then the main window
//                             saved as a PNG file, and end (use with
//                             QT_QPA_PLATFORM=offscreen to need no display)
#include <QApplication>
#include <QTimer>
#include <iostream>

#include "gui/window_commands.h"
#include "gui/windows.h"
#include "platform/host_paths.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);  // END and the error report end the program
  HostProgram_set(QCoreApplication::applicationFilePath().toStdString());

  QString screenshot;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size()) {
      screenshot = args[++i];
    } else {
      std::cerr << "usage: vurn [--screenshot FILE.png]\n";
      return 1;
    }
  }

  WindowCommands_openWindows();
  QTimer::singleShot(0, [screenshot] {
    WindowCommand_startUp();
    if (screenshot.isEmpty() || gGui.endRequested) return;
    QApplication::processEvents();
    const bool saved = Gui_saveScreenshot(screenshot);
    if (!saved) std::cerr << "vurn: cannot write " << screenshot.toStdString() << "\n";
    Gui_endProgram(saved ? 0 : 1);
  });
  const int code = app.exec();
  Gui_close();
  return code;
}
