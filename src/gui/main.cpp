// vurn: the program's main window over the engine. Opening the window runs
// start-up and the first run, as the load event does; the window's commands do
// the rest.
//
//   vurn                      the window
//   vurn --screenshot FILE    start-up and the first run, then the main window
//                             saved as a PNG file, and end (use with
//                             QT_QPA_PLATFORM=offscreen to need no display)
//   vurn --help               the usage text, and end
#include <QApplication>
#include <QTimer>
#include <cstring>
#include <iostream>

#include "gui/window_commands.h"
#include "gui/windows.h"
#include "platform/host_paths.h"

namespace {

constexpr const char* kUsage = R"(usage: vurn [--screenshot FILE.png]

Opens Vurn's main window: start-up, then a processing run of the last-used
project at once; the window's commands do the rest. Without a data area the
window offers first-use preparation. For runs without a window see vurn-batch.

  --screenshot FILE.png  after start-up and the first run, save the main window
                         as a PNG picture and end (with QT_QPA_PLATFORM=offscreen
                         no display is needed)
  -h, --help             print this text and end

Drive C: is the home folder, or $VURN_DRIVE_C when set (any drive X: $VURN_DRIVE_X).
Exit codes: 0 ended by END; 1 usage error or a picture not written; 2 error
report; 3 fatal stop; 5 host file error.
)";

}  // namespace

int main(int argc, char** argv) {
  // Help needs no window system: answered before Qt starts.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
  }

  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);  // END and the error report end the program
  HostProgram_set(QCoreApplication::applicationFilePath().toStdString());

  QString screenshot;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size()) {
      screenshot = args[++i];
    } else {
      std::cerr << "vurn: unknown option " << args[i].toStdString() << "\n" << "Try vurn --help\n";
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
