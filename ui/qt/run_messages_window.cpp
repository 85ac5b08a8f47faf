#include "ui/qt/run_messages_window.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <algorithm>
#include <QVBoxLayout>

#include "ui/qt/message_box_sink.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/screen_fit.h"

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

  // As wide as the widest message and as tall as the messages need, up to
  // some twenty lines and the screen; beyond that the memo scrolls.
  const QFontMetrics metrics(memo_->font());
  int widest = 0;
  for (const QString& line : memo_->toPlainText().split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  const int chrome = 2 * (memo_->frameWidth() + static_cast<int>(memo_->document()->documentMargin())) +
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent) + metrics.averageCharWidth();
  const int lines = std::min(memo_->blockCount(), 20);
  const QSize wanted(std::max(widest, metrics.averageCharWidth() * 40) + chrome,
                     metrics.lineSpacing() * (lines + 1) + 8);
  const QSize room = availableClientSize(*this) - QSize(40, 80);  // the dialog's margins and its button
  memo_->setMinimumSize(wanted.boundedTo(room));
}

}  // namespace zelk
