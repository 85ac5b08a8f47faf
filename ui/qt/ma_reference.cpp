#include "ui/qt/ma_reference.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/small_dialogs.h"

namespace zelk {
namespace {

constexpr int kColumns = 4;

}  // namespace

MaReferenceDialog::MaReferenceDialog(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::MaRef, QStringLiteral("Ma_ref")) {
  setWindowTitle(QStringLiteral("MA参照ウインドウ"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ListBox"));
  list_->setToolTip(QStringLiteral("この中から探してね(^^;;;;"));
  // Columns that fill top to bottom and scroll sideways.
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
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
  setFixedSize(QSize(309, 130).expandedTo(sizeHint()));
}

void MaReferenceDialog::setEntries(const QStringList& names) {
  list_->clear();
  list_->addItems(names);
  list_->setCurrentRow(-1);
}

int MaReferenceDialog::selectedIndex() const {
  return list_->selectedItems().isEmpty() ? -1 : list_->currentRow();
}

void MaReferenceDialog::resizeEvent(QResizeEvent* event) {
  PlacedDialog::resizeEvent(event);
  const int width = list_->viewport()->width() / kColumns;
  list_->setGridSize(QSize(width, list_->fontMetrics().height() + 2));
}

}  // namespace zelk
