// Form7: asked at start-up when the calculation produced no month.
#pragma once

#include <QDialog>

namespace zelk {

class NoDataDialog : public QDialog {
  Q_OBJECT

 public:
  // The modal results of the two buttons.
  static constexpr int kConfigure = 1;  // "設定する"
  static constexpr int kQuit = 2;       // "やめる", also Esc and the close box

  explicit NoDataDialog(QWidget* parent = nullptr);

 protected:
  void reject() override { done(kQuit); }
};

}  // namespace zelk
