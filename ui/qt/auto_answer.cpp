#include "ui/qt/auto_answer.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace zelk {

AutoAnswer::AutoAnswer(std::string answers, QObject* parent) : QObject(parent), answers_(std::move(answers)) {
  timer_ = new QTimer(this);
  timer_->setInterval(20);
  connect(timer_, &QTimer::timeout, this, [this] { answerModalWindow(); });
  timer_->start();
}

void AutoAnswer::answerModalWindow() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!dialog || !dialog->isVisible()) return;
  if (dialog->objectName() == QLatin1String("Form7")) {
    const char answer = next_ < answers_.size() ? answers_[next_++] : '2';
    dialog->done(answer == '1' ? 1 : 2);
    return;
  }
  dialog->reject();
}

}  // namespace zelk
