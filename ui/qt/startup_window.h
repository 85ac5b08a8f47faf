// Form0, the start-up window, and the start-up sequence its one-shot timer
// runs: captions, MA list, the calculation, the window settings, the no-data
// question, the main window shown modally, and the exit code of the process.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "run/run_settings.h"
#include "run/calculation.h"
#include "tariff/month_result.h"
#include "ui/model/month_calls.h"
#include "ui/model/window_settings.h"
#include "ui/qt/main_window.h"

class QLabel;
class QTimer;

namespace zelk {

class NoDataDialog;

// What the calculation leaves for the main window.
struct CalculationOutcome {
  MonthList months;
  RunSettings settings;  // as handed over at the end of the run
  // Set when the logs held calls, all of them before the months kept.
  std::optional<NewestCallBeforeWindow> newestCallBeforeWindow;
};

// The settings dialog's modal result: 更新 (the dialog's copy of the settings
// may be stored) or cancelled.
enum class SettingsDialogAnswer { Accepted, Cancelled };

// The parts of the start-up that belong to other windows and to the core.
// Every function but the calculation has a base implementation: without a
// settings dialog the no-data path ends as if it was cancelled.
class StartupServices {
 public:
  virtual ~StartupServices() = default;

  // The calculation run with the process's option lines. Fatal conditions
  // throw FatalError.
  virtual CalculationOutcome calculate(const std::string& programDir, const std::vector<std::string>& optionLines) = 0;
  // Captions set at run time in the other windows (Form2, Form3, Form8).
  virtual void fillRunTimeCaptions() {}
  // Loads the MA list of ma.zlk in the program directory.
  virtual void loadMaList(const std::string& /*programDir*/) {}
  // Fills the MA reference list Ma_ref from the loaded MA list.
  virtual void buildMaReference() {}
  // Loads zelk.cfg into the settings dialog's copy of the settings and shows
  // Form3 modally.
  virtual SettingsDialogAnswer openSettingsDialog() { return SettingsDialogAnswer::Cancelled; }
  // The logs registered in the dialog's copy of the settings.
  virtual int dialogLogCount() { return 0; }
  // Stores the dialog's copy of the settings (rewrites zelk.cfg).
  virtual void storeSettingsDialog() {}
  // Form6 after a store from the settings menu.
  virtual RecalculationAnswer askRecalculation() { return RecalculationAnswer::Later; }
  // The about box Form2, modally; the base shows the product title as a
  // message.
  virtual void showAbout();
  // The other windows whose positions zelkwin.cfg keeps (Form2 to Form6,
  // Form8, Form9, Ma_ref); nullptr for a window that does not exist.
  virtual QWidget* placedWindow(PlacedWindow) { return nullptr; }
  // The calls of a stored month for 通話明細 (the main window's view menu
  // and call list); see MainWindowServices::monthCalls.
  virtual std::optional<MonthCalls> monthCalls(int) { return std::nullopt; }
  // Starts zelkwin anew; the base calls restartProgram.
  virtual void restart(const std::string& programDir);
};

// Makes the program directory the current one and starts this program's
// executable again, detached and without arguments.
void restartProgram(const std::string& programDir);

// The main window's services are answered here: the settings menu, the
// restart and the placed windows combine the start-up's own windows with
// the services it was given.
class StartupWindow : public QWidget, private MainWindowServices {
  Q_OBJECT

 public:
  static constexpr int kTimerInterval = 500;  // ms

  // `programDir` ends in "/"; `optionLines` are the process's arguments.
  // `services` must outlive the window.
  StartupWindow(std::string programDir, std::vector<std::string> optionLines, StartupServices& services,
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

  // What the main window asks.
  void showAbout() override;
  RecalculationAnswer changeSettings() override;
  void restart() override;
  std::optional<MonthCalls> monthCalls(int monthIndex) override;
  QWidget* placedWindow(PlacedWindow window) override;

  std::string programDir_;
  std::vector<std::string> optionLines_;
  StartupServices& services_;
  WindowSettings windowSettings_;
  QLabel* label_ = nullptr;
  QTimer* timer_ = nullptr;
  MainWindow* mainWindow_ = nullptr;
  NoDataDialog* noData_ = nullptr;
  int exitCode_ = 0;
};

}  // namespace zelk
