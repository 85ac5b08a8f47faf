// Unattended runs of the whole program, for the tests that start zelkwin as
// a process: ZELK_AUTOTEST_ANSWER=<digits> makes every modal window of the
// run answer itself. Each digit answers one showing of the no-data question
// Form7 (1 "設定する", 2 "やめる"; 2 once the digits run out); the main
// window closes as with Esc (saving zelkwin.cfg); any other modal window is
// cancelled. Messages go to stderr instead of message boxes. Not for users:
// without the variable nothing of this is active.
#pragma once

#include <QObject>
#include <string>

class QTimer;

namespace zelk {

inline constexpr const char* kAutoAnswerVariable = "ZELK_AUTOTEST_ANSWER";

class AutoAnswer : public QObject {
  Q_OBJECT

 public:
  explicit AutoAnswer(std::string answers, QObject* parent = nullptr);

 private:
  void answerModalWindow();

  std::string answers_;
  std::size_t next_ = 0;
  QTimer* timer_ = nullptr;
};

}  // namespace zelk
