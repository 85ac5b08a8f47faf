// The small modal windows around the settings dialog: the about box (Form2),
// the new-log dialog (Form4), the log-deletion list (Form5), the
// recalculation question (Form6) and the deletion confirmation (Form9). Each
// reports OK (accepted) or cancel (rejected); the caller reads the choice.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "ui/qt/placed_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelk {

// Form2: "About zelk for Windows...".
class AboutBox : public PlacedDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

// Asks for a log file: the file dialog with the filter to start on (1-12, as
// in the filter list) and the name it showed last; none when cancelled.
using LogFilePicker = std::function<std::optional<QString>(QWidget* parent, const QStringList& filters,
                                                           int filterIndex, const QString& lastName)>;

// Form4: "新規登録", the format and the file of a new log.
class NewLogDialog : public PlacedDialog {
  Q_OBJECT
 public:
  explicit NewLogDialog(QWidget* parent = nullptr);

  // Replaces the file dialog (tests).
  void setFilePicker(LogFilePicker picker) { picker_ = std::move(picker); }

  // The caller empties the name before showing the dialog.
  void clearFileName();
  // The selected list item (the format), -1 when none.
  int selectedFormat() const;
  QString fileName() const;

  // The file dialog: its filter follows the selected format. The edit takes
  // the dialog's name also when the dialog is cancelled: the name chosen last.
  void chooseFile();

  // "(pattern)" forms of the filter list, all files last.
  static QStringList fileFilters();

  // "追加" closes only with a format chosen and a file name that fits the
  // settings file; otherwise a message says what is missing.
  void accept() override;

 private:
  QListWidget* formats_;
  QLineEdit* fileName_;
  LogFilePicker picker_;
  QString lastChosen_;
};

// Form5: "削除", the list of logs to delete one from.
class DeleteLogDialog : public PlacedDialog {
  Q_OBJECT
 public:
  explicit DeleteLogDialog(QWidget* parent = nullptr);
  void setFileNames(const QStringList& names);
  int selectedIndex() const;

 private:
  QListWidget* logs_;
};

// Form6: "どうする??", recalculate with the new settings (restart) or not.
class RecalculateDialog : public PlacedDialog {
  Q_OBJECT
 public:
  explicit RecalculateDialog(QWidget* parent = nullptr);
};

// Form9: "削除しちゃっていいの??", confirms the deletion of one log.
class ConfirmDeleteDialog : public PlacedDialog {
  Q_OBJECT
 public:
  explicit ConfirmDeleteDialog(QWidget* parent = nullptr);
  void setFileName(const QString& name);

 private:
  QLabel* fileName_;
};

// A push button with its hint and modal role.
QPushButton* dialogButton(QWidget* parent, const char* name, const QString& caption, const QString& hint = {});

}  // namespace zelk
