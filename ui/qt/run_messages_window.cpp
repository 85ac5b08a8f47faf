#include "ui/qt/run_messages_window.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/message_box_sink.h"
#include "ui/qt/qt_text.h"

namespace zelk {

RunMessagesWindow::RunMessagesWindow(const MessageTally& tally, QWidget* parent) : QDialog(parent) {
  setObjectName("RunMessages");
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo_Messages");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setPlainText(qtText(tallyText(tally)).trimmed());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("Button_OK");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo_);
  layout->addWidget(buttons);

  // As tall as the messages need, up to some twenty lines; more scroll.
  const QFontMetrics metrics(memo_->font());
  const int lines = std::min(memo_->blockCount(), 20);
  memo_->setMinimumSize(metrics.averageCharWidth() * 60, metrics.lineSpacing() * (lines + 1) + 8);
}

}  // namespace zelk
