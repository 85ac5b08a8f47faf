#include "ui/qt/placed_dialog.h"

#include <QFont>

namespace zelk {

PlacedDialog::PlacedDialog(QWidget* parent, PlacedWindow which, const QString& name)
    : QDialog(parent), which_(which) {
  setObjectName(name);
  // A dialog with a title and a close button only: without the customize
  // hint window managers add minimise and maximise buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));
  // Without a placement the window keeps where it is put (the start-up moves
  // it to the position of zelkwin.cfg) and where the user leaves it.
  const WindowPosition design;
  move(design.left, design.top);
}

void PlacedDialog::showEvent(QShowEvent* event) {
  if (placement_) move(placement_->at(which_).left, placement_->at(which_).top);
  QDialog::showEvent(event);
}

void PlacedDialog::hideEvent(QHideEvent* event) {
  if (placement_) placement_->at(which_) = WindowPosition{pos().y(), pos().x()};
  QDialog::hideEvent(event);
}

}  // namespace zelk
