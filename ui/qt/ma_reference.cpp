#include "ui/qt/ma_reference.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt/small_dialogs.h"

namespace zelk {
namespace {

// MA names run to five double-width characters; a column holds at least that.
constexpr int kWidestNameCharacters = 5;
constexpr int kColumnPadding = 12;
constexpr int kRowPadding = 4;

}  // namespace

MaReferenceDialog::MaReferenceDialog(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::MaRef, QStringLiteral("Ma_ref")) {
  setWindowTitle(QStringLiteral("MA参照ウインドウ"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ListBox"));
  list_->setToolTip(QStringLiteral("この中から探してね(^^;;;;"));
  // A list box of columns: the entries fill each column top to bottom and
  // the columns scroll sideways, four in view. Typing the first characters of
  // a name selects it (the view's keyboard search).
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
  list_->setTextElideMode(Qt::ElideNone);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  auto* ok = dialogButton(this, "Button_ok", QStringLiteral("OK"));
  auto* cancel = dialogButton(this, "Button_Cancel", QStringLiteral("Cancel"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  setEntries({});
}

void MaReferenceDialog::setEntries(const QStringList& names) {
  list_->clear();
  list_->addItems(names);
  list_->setCurrentRow(-1);

  const QFontMetrics metrics = list_->fontMetrics();
  int widest = metrics.horizontalAdvance(QString(kWidestNameCharacters, QChar(0x56FD)));
  for (const QString& name : names) widest = std::max(widest, metrics.horizontalAdvance(name));
  const QSize cell(widest + kColumnPadding, metrics.height() + kRowPadding);
  list_->setGridSize(cell);
  const int frame = 2 * list_->frameWidth();
  list_->setFixedSize(kColumns * cell.width() + frame,
                      kVisibleRows * cell.height() + frame + list_->horizontalScrollBar()->sizeHint().height());
  setFixedSize(QSize(309, 130).expandedTo(sizeHint()));
}

int MaReferenceDialog::selectedIndex() const {
  return list_->selectedItems().isEmpty() ? -1 : list_->currentRow();
}

void MaReferenceDialog::showEvent(QShowEvent* event) {
  PlacedDialog::showEvent(event);
  // Typing searches from the first key on.
  list_->setFocus();
}

}  // namespace zelk
