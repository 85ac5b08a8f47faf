// What zelkwin's start-up window asks of the rest of the program: the MA
// list, the settings dialog and the small windows around it, and the
// calculation, whose result it keeps for 通話明細.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "run/calculation.h"
#include "tariff/ma_data.h"
#include "ui/qt/startup_window.h"

namespace zelk {

class DialogSet;

// Owns everything it makes. The dialogs exist once the MA reference list is
// built (they are filled from the MA list); asked before that, each call
// answers as the base implementation does.
class DesktopServices final : public StartupServices {
 public:
  // `programDir` ends in "/".
  explicit DesktopServices(std::string programDir);
  ~DesktopServices() override;
  DesktopServices(const DesktopServices&) = delete;
  DesktopServices& operator=(const DesktopServices&) = delete;

  CalculationOutcome calculate(const std::string& programDir, const std::vector<std::string>& optionLines) override;
  void loadMaList(const std::string& programDir) override;
  void buildMaReference() override;
  SettingsDialogAnswer openSettingsDialog() override;
  int dialogLogCount() override;
  void storeSettingsDialog() override;
  RecalculationAnswer askRecalculation() override;
  void showAbout() override;
  QWidget* placedWindow(PlacedWindow window) override;
  std::optional<MonthCalls> monthCalls(int monthIndex) override;
  void restart(const std::string& programDir) override;

 private:
  std::string programDir_;
  MaList maList_;
  MaDataFile maSearch_;
  std::unique_ptr<DialogSet> dialogs_;
  // What the last run worked from: 通話明細 replays one of its months.
  std::optional<RunResult> lastRun_;
};

}  // namespace zelk
