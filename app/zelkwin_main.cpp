// zelkwin: the desktop program. One process does one calculation: the
// start-up window runs it, shows the main window, and the process ends when
// the main window closes (or restarts itself after the settings changed).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/standard_output.h"
#include "run/calculation.h"
#include "tariff/ma_data.h"
#include "ui/qt/auto_answer.h"
#include "ui/qt/dialog_set.h"
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
  zelk::MaList maList;
  zelk::MaDataFile maSearch(zelk::maDataPath(programDir));
  // The settings dialog and the small windows, made once the MA list is loaded
  // (the MA reference list is filled from it).
  std::unique_ptr<zelk::DialogSet> dialogs;

  zelk::StartupHooks hooks;
  hooks.loadMaList = [&maList](const std::string& dir) { maList = zelk::loadMaList(zelk::maDataPath(dir)); };
  hooks.buildMaReference = [&] {
    dialogs = std::make_unique<zelk::DialogSet>(zelk::DialogServices{programDir, &maList, &maSearch, nullptr, nullptr});
  };
  hooks.openSettingsDialog = [&] { return dialogs->runSettingsDialog() == QDialog::Accepted ? 1 : 2; };
  hooks.dialogLogCount = [&] { return dialogs->settingsLogCount(); };
  hooks.storeSettingsDialog = [&] { dialogs->storeSettings(); };
  hooks.askRecalculation = [&] { return dialogs->form6().exec() == QDialog::Accepted ? 1 : 2; };
  hooks.showAbout = [&] { dialogs->showAbout(); };
  hooks.restart = [&](const std::string&) { dialogs->restart(); };
  hooks.placedWindow = [&](zelk::PlacedWindow window) -> QWidget* {
    if (!dialogs) return nullptr;
    switch (window) {
      case zelk::PlacedWindow::Form2: return &dialogs->form2();
      case zelk::PlacedWindow::Form3: return &dialogs->form3();
      case zelk::PlacedWindow::Form4: return &dialogs->form4();
      case zelk::PlacedWindow::Form5: return &dialogs->form5();
      case zelk::PlacedWindow::Form6: return &dialogs->form6();
      case zelk::PlacedWindow::Form8: return &dialogs->form8();
      case zelk::PlacedWindow::Form9: return &dialogs->form9();
      case zelk::PlacedWindow::MaRef: return &dialogs->maRef();
      default: return nullptr;
    }
  };
  // What the run worked from: 通話明細 replays one of its months.
  std::optional<zelk::RunResult> lastRun;
  hooks.monthCalls = [&lastRun](int monthIndex) -> std::optional<zelk::MonthCalls> {
    if (!lastRun) return std::nullopt;
    return zelk::monthCalls(*lastRun, monthIndex);
  };
  hooks.calculate = [&lastRun](const std::string& programDir, const std::vector<std::string>& lines) {
    zelk::RunResult run;
    zelk::runCalculation({programDir, lines}, run);
    lastRun = run;
    return zelk::CalculationOutcome{run.months, run.settings, run.newestCallBeforeWindow};
  };

  zelk::StartupWindow form0(programDir, optionLines, hooks);
  QObject::connect(&form0, &zelk::StartupWindow::finished, &app, [](int code) { QCoreApplication::exit(code); });
  form0.start();
  return app.exec();
}
