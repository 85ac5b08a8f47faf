// Form3, "各種設定": everything zelk.cfg holds, on six pages. Opening reads the
// file afresh into a working copy; "更新" stores the controls back into it and
// rewrites the file. The rules live in ui/model; this is the view.
#pragma once

#include <QString>
#include <array>
#include <string>

#include "ui/model/settings_form.h"
#include "ui/qt/placed_dialog.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace zelk {

class ConfirmDeleteDialog;
class DeleteLogDialog;
class FeeTableWindow;
class MaList;
class MaReferenceDialog;
class NewLogDialog;
class ProcessStarter;
class RadioGroup;

// What the dialogs work with; the start-up sequence provides it.
struct DialogServices {
  std::string programDir;                // ends in "/"
  const MaList* maList = nullptr;        // the MA list loaded at start-up
  MaSearch* maSearch = nullptr;          // the prefix search of ma.zlk
  WindowPlacement* placement = nullptr;  // remembered positions; null: design positions
  ProcessStarter* starter = nullptr;     // restart and help pages; null: the system's
};

// The windows the settings dialog opens.
struct SettingsHelpers {
  NewLogDialog* newLog = nullptr;                // Form4
  DeleteLogDialog* deleteLog = nullptr;          // Form5
  ConfirmDeleteDialog* confirmDelete = nullptr;  // Form9
  MaReferenceDialog* maReference = nullptr;      // Ma_ref
  FeeTableWindow* feeTable = nullptr;            // Form8
};

class SettingsDialog : public PlacedDialog {
  Q_OBJECT

 public:
  SettingsDialog(const DialogServices& services, const SettingsHelpers& helpers, QWidget* parent = nullptr);

  // Reads zelk.cfg afresh and shows it.
  void load();
  // Shows the given records (the working copy becomes theirs).
  void load(const Configuration& records);

  // Stores the controls into the working copy and rewrites zelk.cfg. False,
  // with nothing changed, when the controls cannot be stored.
  bool store();

  const Configuration& records() const { return records_; }
  int logCount() const { return form_.logs.size(); }
  // The state of every control and the working lists.
  SettingsForm currentForm() const;

  // "更新" closes only when the controls can be stored.
  void accept() override;

  // What the controls do.
  void appendLog();
  void deleteLogFromList();
  void logPanelDoubleClicked(int panel);  // 0-4
  void addOrChangeArea();
  void deleteArea();
  void pickOrigin();
  void pickTelechoiceArea();
  void showHelp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildOptionPage();
  QWidget* buildLogPage();
  QWidget* buildTelehodaiPage();
  QWidget* buildReplaceNoPage();
  QWidget* buildReplaceNamePage();
  QWidget* buildAreaSetPage();
  QTableWidget* replaceGrid(const char* name, const QString& fromHeading, const QString& toHeading);

  void showForm(const SettingsForm& form);
  // Every edit and grid cell fits its field of zelk.cfg; otherwise the first
  // that does not is named in a message and shown.
  bool textsFit();
  void refreshLogPanels();
  void refillAreaSet();
  // The chosen MA's area code, or empty when nothing was chosen.
  QString chooseMa();
  ProcessStarter& starter() const;

  DialogServices services_;
  SettingsHelpers helpers_;
  Configuration records_;
  SettingsForm form_;  // the working lists; the rest mirrors the controls

  QTabWidget* pages_;
  QLineEdit* telnum_;
  QButtonGroup* telechoice_;
  QLineEdit* telechoiceAreas_;
  RadioGroup* deadline_;
  RadioGroup* zelkFee_;
  RadioGroup* isdn_;
  RadioGroup* kdd_;
  RadioGroup* last_;
  QLineEdit* lastMonths_;
  RadioGroup* ttnet_;
  RadioGroup* estimation_;
  RadioGroup* fletsi_;
  std::array<QFrame*, kMaxLogs> logPanels_{};
  std::array<QLabel*, kMaxLogs> logOptions_{};
  std::array<QLabel*, kMaxLogs> logFiles_{};
  std::array<QLineEdit*, 2> telehodai_{};
  QTableWidget* replaceNo_;
  QTableWidget* replaceName_;
  QComboBox* areaSet_;
};

}  // namespace zelk
