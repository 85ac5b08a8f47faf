// zelkwin: the desktop program. One process does one calculation: the
// start-up window runs it, shows the main window, and the process ends when
// the main window closes (or restarts itself after the settings changed).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop_services.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/standard_output.h"
#include "ui/qt/auto_answer.h"
#include "ui/qt/message_box_sink.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_translations.h"
#include "ui/qt/startup_window.h"
#include "ui/qt/tool_icons.h"

namespace {

constexpr const char* kUsage =
    "usage: zelkwin [--help] [--version] [--today=YYYY-MM-DD] [--] [OPTION_LINE ...]\n"
    "\n"
    "The desktop program of zelk. Every argument is one option line of zelk.cfg,\n"
    "applied after the settings file (=i, =d15, -c path, ...; see 'zelk --help');\n"
    "after \"--\" even one that begins with \"--\".\n"
    "\n"
    "Environment:\n"
    "  ZELK_HOME=DIR          program directory (zelk.cfg, zelkwin.cfg, ma.zlk)\n"
    "  ZELK_TODAY=YYYY-MM-DD  today's date (--today=YYYY-MM-DD does the same)\n";

// --help and --version answer on the terminal, as zelk does, without
// opening a window; false when neither was given.
bool answeredOnTerminal(int argc, char** argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--"); ++i) {
    if (!std::strcmp(argv[i], "--help")) {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (!std::strcmp(argv[i], "--version")) {
      std::puts("zelkwin Version " ZELK_VERSION_TEXT);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (answeredOnTerminal(argc, argv)) return zelk::closeStandardOutput("zelkwin", 0);
  // Every argument but --today= is an option line of the settings syntax
  // ("-c path", "=i", ...); none of them is for Qt, so Qt sees only the
  // program name.
  std::vector<std::string> optionLines;
  bool flagsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--" && !flagsEnded) {
      flagsEnded = true;
      continue;
    }
    if (flagsEnded || !arg.starts_with("--")) {
      optionLines.emplace_back(arg);
      continue;
    }
    if (!arg.starts_with("--today=")) {
      // No window for a mistyped flag: the same one line as zelk's.
      std::fprintf(stderr, "zelkwin: unknown option %s\nTry 'zelkwin --help'.\n", argv[i]);
      return 2;
    }
    const auto date = zelk::parseIsoDate(arg.substr(8));
    if (!date) {
      std::fprintf(stderr, "zelkwin: --today needs a date that exists, as YYYY-MM-DD: '%s'\nTry 'zelkwin --help'.\n",
                   argv[i] + 8);
      return 2;
    }
    zelk::setToday(*date);
  }
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  app.setApplicationName(QString::fromUtf8(zelk::kApplicationTitle));
  // Docks, task bars and Wayland compositors match the windows to the menu
  // entry (and its icon) by this name: the desktop file's, without ".desktop".
  app.setDesktopFileName(QStringLiteral("io.github.zelk.zelkwin"));
  app.setWindowIcon(zelk::applicationIcon());
  app.setQuitOnLastWindowClosed(false);
  zelk::installFontSubstitutions();
  zelk::installQtTranslations(app);

  const char* answers = std::getenv(zelk::kAutoAnswerVariable);
  zelk::MessageBoxSink boxes;
  zelk::StderrSink stderrSink;
  zelk::ScopedMessageSink sink(answers ? static_cast<zelk::MessageSink&>(stderrSink) : boxes);
  std::unique_ptr<zelk::AutoAnswer> autoAnswer;
  if (answers) autoAnswer = std::make_unique<zelk::AutoAnswer>(answers);

  const std::string programDir = zelk::programDirectory(argv[0]);
  zelk::DesktopServices services(programDir);
  zelk::StartupWindow form0(programDir, optionLines, services);
  QObject::connect(&form0, &zelk::StartupWindow::finished, &app, [](int code) { QCoreApplication::exit(code); });
  form0.start();
  return app.exec();
}
