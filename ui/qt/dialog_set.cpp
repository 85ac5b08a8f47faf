#include "ui/qt/dialog_set.h"

#include "platform/cp932.h"
#include "platform/message_forms.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "tariff/ma_data.h"
#include "ui/qt/dialog_text.h"
#include "ui/qt/process_starter.h"

namespace zelk {
namespace {

constexpr int kNoDataExitCode = 230;

// The program to restart: zelkwin beside the running executable.
std::string restartProgram() {
  const std::string executable = executablePath(nullptr);
  const auto slash = executable.rfind('/');
  return (slash == std::string::npos ? std::string("./") : executable.substr(0, slash + 1)) + "zelkwin";
}

}  // namespace

DialogSet::DialogSet(const DialogServices& services, QWidget* parent) : services_(services) {
  about_ = new AboutBox(parent);
  newLog_ = new NewLogDialog(parent);
  deleteLog_ = new DeleteLogDialog(parent);
  recalculate_ = new RecalculateDialog(parent);
  feeTable_ = new FeeTableWindow(parent);
  confirmDelete_ = new ConfirmDeleteDialog(parent);
  maReference_ = new MaReferenceDialog(parent);
  for (PlacedDialog* dialog : std::initializer_list<PlacedDialog*>{about_, newLog_, deleteLog_, recalculate_,
                                                                  feeTable_, confirmDelete_, maReference_})
    dialog->setPlacement(services.placement);
  if (services.maList) maReference_->setEntries(fromCp932(services.maList->names()));
  settings_ = new SettingsDialog(services, {newLog_, deleteLog_, confirmDelete_, maReference_, feeTable_}, parent);
}

DialogSet::~DialogSet() {
  // Windows whose parent went first are gone already.
  delete settings_.data();
  delete about_.data();
  delete newLog_.data();
  delete deleteLog_.data();
  delete recalculate_.data();
  delete feeTable_.data();
  delete confirmDelete_.data();
  delete maReference_.data();
}

ProcessStarter& DialogSet::starter() const {
  return services_.starter ? *services_.starter : systemProcessStarter();
}

void DialogSet::showAbout() { about_->exec(); }

int DialogSet::runSettingsDialog() {
  settings_->load();
  return settings_->exec();
}

int DialogSet::settingsLogCount() const { return settings_->logCount(); }

void DialogSet::storeSettings() { settings_->store(); }

void DialogSet::restart() {
  starter().changeDirectory(services_.programDir);
  const std::string program = restartProgram();
  if (!starter().startDetached(program, services_.programDir)) showPair(sjis("Cannot start"), program);
  starter().endProcess(0);
}

void DialogSet::runSettingsMenu() {
  if (runSettingsDialog() != QDialog::Accepted) return;
  storeSettings();
  if (recalculate_->exec() == QDialog::Accepted) restart();
}

void DialogSet::runSettingsForNoData() {
  if (runSettingsDialog() == QDialog::Accepted && settingsLogCount() > 0) {
    storeSettings();
    restart();
    return;
  }
  fatalExit(kNoDataExitCode, sjis("読み込みデータが設定されないので、終了します。"));
}

}  // namespace zelk
