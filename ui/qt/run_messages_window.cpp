#include "ui/qt/run_messages_window.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
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
  // The icon a message box of the gravest message would carry.
  auto* icon = new QLabel(this);
  icon->setObjectName("Image_Kind");
  QMessageBox iconSource;
  iconSource.setIcon(messageBoxIconOf(tally.gravestKind()));
  icon->setPixmap(iconSource.iconPixmap());
  auto* row = new QHBoxLayout;
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addWidget(memo_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
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
  // The dialog's margins, the icon and the button.
  const QSize room = availableClientSize(*this) - QSize(40 + icon->sizeHint().width(), 80);
  memo_->setMinimumSize(wanted.boundedTo(room));
}

}  // namespace zelk
