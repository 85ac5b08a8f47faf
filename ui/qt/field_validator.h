// The edits' side of the field limits: typing stops at a field's size, as an
// edit's maximum length does, and the dialogs check every text once more
// when they are confirmed (texts the program puts in, characters without a
// CP932 form, "==" in a name), naming the field in the message.
#pragma once

#include <QStyledItemDelegate>
#include <QValidator>
#include <array>
#include <optional>
#include <string>

#include "ui/model/field_limits.h"

class QLineEdit;

namespace zelk {

class FieldValidator : public QValidator {
  Q_OBJECT
 public:
  FieldValidator(const FieldLimit& field, QObject* parent);
  State validate(QString& input, int& position) const override;

 private:
  FieldLimit field_;
};

// Gives the edit its field's limit.
void limitEdit(QLineEdit* edit, const FieldLimit& field);

// The cells of a two-column grid, each column with its field's limit.
class LimitedCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  LimitedCellDelegate(const std::array<FieldLimit, 2>& columns, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::array<FieldLimit, 2> columns_;
};

// Why `text` cannot go into the field called `label` (UTF-8), as a CP932
// message; none when it fits.
std::optional<std::string> textProblem(const QString& label, const QString& text, const FieldLimit& field);

}  // namespace zelk
