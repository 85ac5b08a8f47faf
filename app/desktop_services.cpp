#include "app/desktop_services.h"

#include <QDialog>

#include "platform/paths.h"
#include "ui/qt/dialog_set.h"

namespace zelk {

DesktopServices::DesktopServices(std::string programDir)
    : programDir_(std::move(programDir)), maSearch_(maDataPath(programDir_)) {}

DesktopServices::~DesktopServices() = default;

CalculationOutcome DesktopServices::calculate(const std::string& programDir,
                                              const std::vector<std::string>& optionLines) {
  RunResult run;
  runCalculation({programDir, optionLines}, run);
  CalculationOutcome outcome{run.months, run.settings, run.newestCallBeforeWindow};
  lastRun_ = std::move(run);  // only a run that ended is replayed
  return outcome;
}

void DesktopServices::loadMaList(const std::string& programDir) { maList_ = zelk::loadMaList(maDataPath(programDir)); }

void DesktopServices::buildMaReference() {
  dialogs_ = std::make_unique<DialogSet>(DialogServices{programDir_, &maList_, &maSearch_, nullptr, nullptr});
}

SettingsDialogAnswer DesktopServices::openSettingsDialog() {
  if (!dialogs_) return StartupServices::openSettingsDialog();
  return dialogs_->runSettingsDialog() == QDialog::Accepted ? SettingsDialogAnswer::Accepted
                                                             : SettingsDialogAnswer::Cancelled;
}

int DesktopServices::dialogLogCount() {
  if (!dialogs_) return StartupServices::dialogLogCount();
  return dialogs_->settingsLogCount();
}

void DesktopServices::storeSettingsDialog() {
  if (dialogs_) dialogs_->storeSettings();
}

RecalculationAnswer DesktopServices::askRecalculation() {
  if (!dialogs_) return StartupServices::askRecalculation();
  return dialogs_->form6().exec() == QDialog::Accepted ? RecalculationAnswer::Now : RecalculationAnswer::Later;
}

void DesktopServices::showAbout() {
  if (!dialogs_) return StartupServices::showAbout();
  dialogs_->showAbout();
}

QWidget* DesktopServices::placedWindow(PlacedWindow window) {
  if (!dialogs_) return nullptr;
  switch (window) {
    case PlacedWindow::Form2: return &dialogs_->form2();
    case PlacedWindow::Form3: return &dialogs_->form3();
    case PlacedWindow::Form4: return &dialogs_->form4();
    case PlacedWindow::Form5: return &dialogs_->form5();
    case PlacedWindow::Form6: return &dialogs_->form6();
    case PlacedWindow::Form8: return &dialogs_->form8();
    case PlacedWindow::Form9: return &dialogs_->form9();
    case PlacedWindow::MaRef: return &dialogs_->maRef();
    default: return nullptr;
  }
}

std::optional<MonthCalls> DesktopServices::monthCalls(int monthIndex) {
  if (!lastRun_) return std::nullopt;
  return zelk::monthCalls(*lastRun_, monthIndex);
}

void DesktopServices::restart(const std::string& programDir) {
  if (!dialogs_) return StartupServices::restart(programDir);
  dialogs_->restart();
}

}  // namespace zelk
