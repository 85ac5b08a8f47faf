// The messages of one calculation run in one window: each distinct text once,
// in the order they came, with its count when it came more than once. A
// history of years would otherwise raise a message box for every repeat.
#pragma once

#include <QDialog>

#include "platform/messages.h"

class QPlainTextEdit;

namespace zelk {

class RunMessagesWindow : public QDialog {
  Q_OBJECT

 public:
  explicit RunMessagesWindow(const MessageTally& tally, QWidget* parent = nullptr);

  QPlainTextEdit& memo() { return *memo_; }

 private:
  QPlainTextEdit* memo_ = nullptr;
};

}  // namespace zelk
