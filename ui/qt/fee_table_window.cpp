#include "ui/qt/fee_table_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextCursor>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/model/fee_table.h"
#include "ui/qt/dialog_text.h"
#include "ui/qt/radio_group.h"
#include "ui/qt/small_dialogs.h"

namespace zelk {
namespace {

QTableWidgetItem* fixedCell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setBackground(QPalette().button());
  return item;
}

}  // namespace

FeeTableWindow::FeeTableWindow(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::Form8, QStringLiteral("Form8")) {
  bands_ = new RadioGroup(QStringLiteral("RG_MA"), QStringLiteral("通話先の区分を指定して下さい"),
                          fromCp932(std::vector<std::string>(bandItemTexts().begin(), bandItemTexts().end())), 4,
                          this);
  bands_->setToolTip(QStringLiteral("zelk内部で推定出来る場合はあらかじめマークを付けているはずです。"));

  auto* set = dialogButton(this, "Button_Set", QStringLiteral("設定"));
  auto* cancel = dialogButton(this, "Button_Cancel", QStringLiteral("取り消し"));
  set->setDefault(true);
  connect(set, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("TabControl1"));
  for (const std::string& name : feeTabNames()) tabs_->addTab(fromCp932(name));

  legend_ = new QPlainTextEdit(this);
  legend_->setObjectName(QStringLiteral("Memo_Feeinfo"));
  legend_->setToolTip(QStringLiteral("凡例"));
  legend_->setReadOnly(true);
  legend_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The legend aligns its rate lines ("100-   km") with spaces: a fixed-pitch
  // face with Japanese glyphs, at the dialog's size.
  QFont legendFont(QStringLiteral("ＭＳ ゴシック"), font().pointSize());
  legendFont.setStyleHint(QFont::Monospace);
  legend_->setFont(legendFont);

  grid_ = new QTableWidget(kFeeBandRows + 1, kFeeTimeColumns + 1, this);
  grid_->setObjectName(QStringLiteral("SG_Feelist"));
  grid_->setToolTip(QStringLiteral("料金表です。"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setItem(0, 0, fixedCell(QString()));
  for (int column = 0; column < kFeeTimeColumns; ++column)
    grid_->setItem(0, column + 1, fixedCell(fromCp932(feeColumnHeadings()[column])));
  for (int row = 0; row < kFeeBandRows; ++row) grid_->setItem(row + 1, 0, fixedCell(fromCp932(feeRowHeadings()[row])));
  grid_->resizeColumnToContents(0);
  connect(tabs_, &QTabBar::currentChanged, this, &FeeTableWindow::showTab);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(bands_, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(set);
  buttons->addWidget(cancel);
  buttons->addStretch();
  top->addLayout(buttons);
  layout->addLayout(top);
  layout->addWidget(tabs_);
  auto* body = new QHBoxLayout;
  body->addWidget(legend_, 2);
  body->addWidget(grid_, 3);
  layout->addLayout(body, 1);

  showTab(0);
  resize(QSize(940, 440).expandedTo(sizeHint()));
}

void FeeTableWindow::showTab(int tab) {
  // The legend is read from its title line (the tariff's date) down.
  QStringList lines;
  for (const std::string& line : feeLegend(tab)) lines << amountFromCp932(line);
  legend_->setPlainText(lines.join(QLatin1Char('\n')));
  legend_->moveCursor(QTextCursor::Start);
  for (int row = 0; row < kFeeBandRows; ++row)
    for (int column = 0; column < kFeeTimeColumns; ++column)
      grid_->setItem(row + 1, column + 1, new QTableWidgetItem(amountFromCp932(feeCell(tab, row, column))));
  grid_->resizeColumnsToContents();
}

void FeeTableWindow::preselect(DistanceBand band) {
  if (std::optional<int> item = bandItem(band)) bands_->setItemIndex(*item);
}

std::optional<DistanceBand> FeeTableWindow::chosenBand() const { return itemBand(bands_->itemIndex()); }

std::optional<DistanceBand> FeeTableWindow::askBand(const QString& number, DistanceBand band) {
  setWindowTitle(number);
  preselect(band);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return chosenBand();
}

}  // namespace zelk
