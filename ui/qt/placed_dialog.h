// A modal window whose position is remembered for the window-settings file:
// it opens where it stood last (or where the file put it) and hands its
// position back when it closes.
#pragma once

#include <QDialog>

#include "ui/model/window_settings.h"

namespace zelk {

class PlacedDialog : public QDialog {
  Q_OBJECT

 public:
  PlacedDialog(QWidget* parent, PlacedWindow which, const QString& name);

  // The positions to use and to update; null: the window keeps the position
  // it was given (the design position at first).
  void setPlacement(WindowPlacement* placement) { placement_ = placement; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  WindowPlacement* placement_ = nullptr;
  PlacedWindow which_;
};

}  // namespace zelk
