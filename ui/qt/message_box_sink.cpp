#include "ui/qt/message_box_sink.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt/qt_text.h"
#include "ui/qt/run_messages_window.h"

namespace zelk {

QMessageBox::Icon messageBoxIconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Notice: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

void MessageBoxSink::show(const std::string& cp932Text, MessageKind kind) {
  // Messages keep their yen signs and paths as the core wrote them; the
  // texts with amounts are the windows' own, not these.
  QMessageBox box(messageBoxIconOf(kind), QString::fromUtf8(kApplicationTitle), qtText(cp932Text).trimmed(),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setObjectName("MessageBox");
  // Messages carry connection names, paths and lines from the files: never markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void MessageBoxSink::showTally(const MessageTally& tally) {
  if (tally.empty()) return;
  RunMessagesWindow window(tally, QApplication::activeWindow());
  window.exec();
}

}  // namespace zelk
