// zelkwin: the desktop program. One process does one calculation: the
// start-up window runs it, shows the main window, and the process ends when
// the main window closes (or restarts itself after the settings changed).
#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/calculation_run.h"
#include "platform/messages.h"
#include "tariff/ma_data.h"
#include "platform/paths.h"
#include "ui/qt/auto_answer.h"
#include "ui/qt/message_box_sink.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/startup_window.h"

int main(int argc, char** argv) {
  // Every argument is an option line of the settings syntax ("-c path",
  // "=i", ...); none of them is for Qt, so Qt sees only the program name.
  std::vector<std::string> optionLines(argv + 1, argv + argc);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  app.setApplicationName(QString::fromUtf8(zelk::kApplicationTitle));
  app.setQuitOnLastWindowClosed(false);
  zelk::installFontSubstitutions();

  const char* answers = std::getenv(zelk::kAutoAnswerVariable);
  zelk::MessageBoxSink boxes;
  zelk::StderrSink stderrSink;
  zelk::ScopedMessageSink sink(answers ? static_cast<zelk::MessageSink&>(stderrSink) : boxes);
  std::unique_ptr<zelk::AutoAnswer> autoAnswer;
  if (answers) autoAnswer = std::make_unique<zelk::AutoAnswer>(answers);

  zelk::MaList maList;
  zelk::StartupHooks hooks;
  hooks.loadMaList = [&maList](const std::string& programDir) {
    maList = zelk::loadMaList(zelk::maDataPath(programDir));
  };
  hooks.calculate = [](const std::string& programDir, const std::vector<std::string>& lines) {
    zelk::CalculationRun run(programDir, lines);
    run.run();
    return zelk::CalculationOutcome{run.monthList(), run.handedOverSettings()};
  };

  zelk::StartupWindow form0(zelk::programDirectory(argv[0]), optionLines, hooks);
  QObject::connect(&form0, &zelk::StartupWindow::finished, &app, [](int code) { QCoreApplication::exit(code); });
  form0.start();
  return app.exec();
}
