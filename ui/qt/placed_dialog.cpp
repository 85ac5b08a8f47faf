#include "ui/qt/placed_dialog.h"

namespace zelk {

PlacedDialog::PlacedDialog(QWidget* parent, PlacedWindow which, const QString& name)
    : QDialog(parent), which_(which) {
  setObjectName(name);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void PlacedDialog::showEvent(QShowEvent* event) {
  const WindowPosition& position = placement_ ? placement_->at(which_) : designPosition_;
  move(position.left, position.top);
  QDialog::showEvent(event);
}

void PlacedDialog::hideEvent(QHideEvent* event) {
  if (placement_) placement_->at(which_) = WindowPosition{pos().y(), pos().x()};
  QDialog::hideEvent(event);
}

}  // namespace zelk
