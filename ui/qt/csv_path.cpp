#include "ui/qt/csv_path.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/staged_file.h"
#include "ui/qt/qt_text.h"

namespace zelk {

QString withCsvSuffix(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + QStringLiteral(".csv");
}

QString chooseCsvPath(QWidget* parent, const QString& suggestedName) {
  QFileDialog dialog(parent, QString::fromUtf8("CSVで保存"), suggestedName, QString::fromUtf8("CSV (*.csv)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The dialog adds the suffix before it asks whether to overwrite.
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return withCsvSuffix(dialog.selectedFiles().front());
}

bool writeCsvFile(const QString& path, const std::string& csv) {
  if (replaceFileContent(QFile::encodeName(path).toStdString(), csv)) return true;
  showMessage(sjis("CSVファイルに書き込めませんでした: ") + cp932Text(path), MessageKind::Error);
  return false;
}

}  // namespace zelk
