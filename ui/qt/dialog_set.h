// The settings dialog and the small windows around it, created once at
// start-up and reused, with the flows that the main window's menu and the
// start-up sequence run through them.
#pragma once

#include <QPointer>
#include <string>

#include "ui/qt/fee_table_window.h"
#include "ui/qt/ma_reference.h"
#include "ui/qt/settings_dialog.h"
#include "ui/qt/small_dialogs.h"

namespace zelk {

class DialogSet {
 public:
  // The windows become children of `parent` (null: they stand alone). The MA
  // reference list is filled from `services.maList`.
  DialogSet(const DialogServices& services, QWidget* parent = nullptr);
  ~DialogSet();
  DialogSet(const DialogSet&) = delete;
  DialogSet& operator=(const DialogSet&) = delete;

  AboutBox& form2() { return *about_; }
  SettingsDialog& form3() { return *settings_; }
  NewLogDialog& form4() { return *newLog_; }
  DeleteLogDialog& form5() { return *deleteLog_; }
  RecalculateDialog& form6() { return *recalculate_; }
  FeeTableWindow& form8() { return *feeTable_; }
  ConfirmDeleteDialog& form9() { return *confirmDelete_; }
  MaReferenceDialog& maRef() { return *maReference_; }

  // Menu_Aboutzelk: the about box, modally.
  void showAbout();

  // Reads zelk.cfg into the settings dialog and shows it modally; returns
  // QDialog::Accepted ("更新") or QDialog::Rejected. Nothing is stored.
  int runSettingsDialog();
  // The logs the settings dialog lists.
  int settingsLogCount() const;
  // Stores the settings dialog into zelk.cfg (after its backup).
  void storeSettings();

  // Changes to the program directory, starts zelkwin detached and ends the
  // process with exit code 0; zelkwin.cfg is not written on this path.
  void restart();

  // Menu_zelkcfg: the dialog; on "更新" the store and the question whether
  // to recalculate, which restarts the program.
  void runSettingsMenu();

  // The start-up sequence after "設定する" of the no-data question: the
  // dialog; on "更新" with at least one log the store and the restart.
  // Otherwise "読み込みデータが設定されないので、終了します。" and exit code 230
  // (raised as FatalError).
  void runSettingsForNoData();

 private:
  ProcessStarter& starter() const;

  DialogServices services_;
  QPointer<AboutBox> about_;
  QPointer<NewLogDialog> newLog_;
  QPointer<DeleteLogDialog> deleteLog_;
  QPointer<RecalculateDialog> recalculate_;
  QPointer<FeeTableWindow> feeTable_;
  QPointer<ConfirmDeleteDialog> confirmDelete_;
  QPointer<MaReferenceDialog> maReference_;
  QPointer<SettingsDialog> settings_;
};

}  // namespace zelk
