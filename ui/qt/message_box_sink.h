// Messages of the desktop program: each one is a modal message box over the
// window that is active at that moment.
#pragma once

#include <QMessageBox>

#include "platform/messages.h"

namespace zelk {

// "zelk for Windows", the application title and the title of its message boxes.
inline constexpr const char* kApplicationTitle = "zelk for Windows";

// The icon of a message box that shows a message of `kind`.
QMessageBox::Icon messageBoxIconOf(MessageKind kind);

class MessageBoxSink : public MessageSink {
 public:
  void show(const std::string& cp932Text, MessageKind kind) override;
  // The messages of a calculation run: one RunMessagesWindow.
  void showTally(const MessageTally& tally) override;
};

}  // namespace zelk
