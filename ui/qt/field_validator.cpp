#include "ui/qt/field_validator.h"

#include <QLineEdit>

#include "ui/qt/dialog_text.h"

namespace zelk {

FieldValidator::FieldValidator(const FieldLimit& field, QObject* parent) : QValidator(parent), field_(field) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
  const std::optional<std::string> cp932 = exactCp932(input);
  // Characters without a CP932 form and "==" are left for the confirmation
  // to name; only the size stops typing.
  if (!cp932) return Intermediate;
  if (fitsField(*cp932, FieldLimit{field_.limit, field_.digits, false}))
    return fitsField(*cp932, field_) ? Acceptable : Intermediate;
  return Invalid;
}

void limitEdit(QLineEdit* edit, const FieldLimit& field) { edit->setValidator(new FieldValidator(field, edit)); }

LimitedCellDelegate::LimitedCellDelegate(const std::array<FieldLimit, 2>& columns, QObject* parent)
    : QStyledItemDelegate(parent), columns_(columns) {}

QWidget* LimitedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && index.column() >= 0 && index.column() < 2)
    limitEdit(edit, columns_[static_cast<std::size_t>(index.column())]);
  return editor;
}

std::optional<std::string> textProblem(const QString& label, const QString& text, const FieldLimit& field) {
  const std::optional<std::string> cp932 = exactCp932(text);
  return fieldProblem(toCp932Text(label), cp932 ? *cp932 : std::string(), cp932.has_value(), field);
}

}  // namespace zelk
