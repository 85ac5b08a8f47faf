// Form0, the start-up window, and the start-up sequence its one-shot timer
// runs: captions, MA list, the calculation, the window settings, the no-data
// question, the main window shown modally, and the exit code of the process.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "run/run_settings.h"
#include "run/calculation.h"
#include "tariff/month_result.h"
#include "ui/model/month_calls.h"
#include "ui/model/window_settings.h"

class QLabel;
class QTimer;

namespace zelk {

class MainWindow;
class NoDataDialog;

// What the calculation leaves for the main window.
struct CalculationOutcome {
  MonthList months;
  RunSettings settings;  // as handed over at the end of the run
  // Set when the logs held calls, all of them before the months kept.
  std::optional<NewestCallBeforeWindow> newestCallBeforeWindow;
};

// The parts of the start-up that belong to other windows and to the core.
// Empty members are skipped, except where a default is named.
struct StartupHooks {
  // The calculation run with the process's option lines. Fatal conditions
  // throw FatalError. Required.
  std::function<CalculationOutcome(const std::string& programDir, const std::vector<std::string>& optionLines)>
      calculate;
  // Captions set at run time in the other windows (Form2, Form3, Form8).
  std::function<void()> fillRunTimeCaptions;
  // Loads the MA list of ma.zlk in the program directory.
  std::function<void(const std::string& programDir)> loadMaList;
  // Fills the MA reference list Ma_ref from the loaded MA list.
  std::function<void()> buildMaReference;
  // Loads zelk.cfg into the settings dialog's copy of the settings, shows
  // Form3 modally and returns its modal result (1 OK). Default: 2.
  std::function<int()> openSettingsDialog;
  // The logs registered in the dialog's copy of the settings. Default: 0.
  std::function<int()> dialogLogCount;
  // Stores the dialog's copy of the settings (rewrites zelk.cfg).
  std::function<void()> storeSettingsDialog;
  // Form6 after a store from the settings menu: 1 to recalculate. Default: 2.
  std::function<int()> askRecalculation;
  // The about box Form2, modally. Default: the product title as a message.
  std::function<void()> showAbout;
  // The other windows whose positions zelkwin.cfg keeps (Form2 to Form6,
  // Form8, Form9, Ma_ref); nullptr for a window that does not exist.
  std::function<QWidget*(PlacedWindow)> placedWindow;
  // The calls of a stored month for 通話明細 (the main window's view menu
  // and call list); see MainWindowHooks::monthCalls.
  std::function<std::optional<MonthCalls>(int monthIndex)> monthCalls;
  // Starts zelkwin anew. Default: restartProgram.
  std::function<void(const std::string& programDir)> restart;
};

// Makes the program directory the current one and starts this program's
// executable again, detached and without arguments.
void restartProgram(const std::string& programDir);

class StartupWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTimerInterval = 500;  // ms

  // `programDir` ends in "/"; `optionLines` are the process's arguments.
  StartupWindow(std::string programDir, std::vector<std::string> optionLines, StartupHooks hooks,
                QWidget* parent = nullptr);
  ~StartupWindow() override;

  // Shows the window and starts Timer1.
  void start();

  // The whole sequence; returns the exit code of the process. Fatal
  // conditions are shown as messages and end with their code.
  int runSequence();

  MainWindow& mainWindow() { return *mainWindow_; }
  NoDataDialog& noDataDialog() { return *noData_; }
  QTimer& timer() { return *timer_; }

 Q_SIGNALS:
  // The sequence has ended; the process ends with `exitCode`.
  void finished(int exitCode);

 private:
  void runSteps();
  // The calculation with its non-fatal messages gathered and shown at once
  // when it ends, fatal or not.
  CalculationOutcome calculate();
  // "記録は…までです。…表示しますか?": true for はい.
  bool askShowOldMonths(const LocalDate& newestCall);
  // Without a month: Form7, then perhaps the settings dialog. Returns when
  // the program restarts; otherwise ends with exit code 230.
  void noDataPath();
  void applyPositions();
  QWidget* placedWindow(PlacedWindow window);
  bool settingsMenu();

  std::string programDir_;
  std::vector<std::string> optionLines_;
  StartupHooks hooks_;
  WindowSettings windowSettings_;
  QLabel* label_ = nullptr;
  QTimer* timer_ = nullptr;
  MainWindow* mainWindow_ = nullptr;
  NoDataDialog* noData_ = nullptr;
  int exitCode_ = 0;
};

}  // namespace zelk
