#include "ui/qt/calls_window.h"

#include <QAbstractTableModel>
#include <algorithm>
#include <array>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "ui/model/bill_calls.h"
#include "ui/model/year_summary.h"
#include "ui/qt/bill_check_panel.h"
#include "ui/qt/csv_path.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/screen_fit.h"

namespace zelk {

// The calls as table rows: display text per column, and the column's value
// as the sort key so that numbers sort as numbers.
class CallsTableModel : public QAbstractTableModel {
 public:
  explicit CallsTableModel(const MonthCalls& calls, QObject* parent) : QAbstractTableModel(parent), calls_(calls) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(calls_.calls.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(kCallColumnCount);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const CallLine& call = calls_.calls[static_cast<std::size_t>(index.row())];
    const CallColumn column = kCallColumns[static_cast<std::size_t>(index.column())];
    switch (role) {
      case Qt::DisplayRole: return qtText(cellText(call, column));
      case Qt::UserRole:
        return isSummed(column) || column == CallColumn::Band ? QVariant(qlonglong(cellValue(call, column)))
                                                               : QVariant(qtText(cellText(call, column)));
      case Qt::TextAlignmentRole:
        return isSummed(column) ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
      default: return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return qtText(columnCaption(kCallColumns[static_cast<std::size_t>(section)]));
  }

 private:
  const MonthCalls& calls_;
};

// Shows the calls to one number and sorts by the calls' own values: neither
// needs a display text per row or per comparison.
class CallsProxyModel : public QSortFilterProxyModel {
 public:
  CallsProxyModel(const MonthCalls& calls, QObject* parent) : QSortFilterProxyModel(parent), calls_(calls) {}

  void setNumber(const std::string& number) {
    number_ = number;
    invalidateRowsFilter();
  }
  bool shows(const CallLine& call) const { return number_.empty() || call.number == number_; }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override {
    return shows(calls_.calls[static_cast<std::size_t>(sourceRow)]);
  }
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
    const CallColumn column = kCallColumns[static_cast<std::size_t>(left.column())];
    const CallLine& a = calls_.calls[static_cast<std::size_t>(left.row())];
    const CallLine& b = calls_.calls[static_cast<std::size_t>(right.row())];
    // Dates and numbers are ASCII: their bytes sort as their texts.
    if (column == CallColumn::Start) return a.start < b.start;
    if (column == CallColumn::Number) return a.number < b.number;
    if (isSummed(column) || column == CallColumn::Band) return cellValue(a, column) < cellValue(b, column);
    return QSortFilterProxyModel::lessThan(left, right);  // names and captions as the user reads them
  }

 private:
  const MonthCalls& calls_;
  std::string number_;
};

namespace {

QString chooseBillFile(QWidget* parent, const QString& folder) {
  return QFileDialog::getOpenFileName(parent, QString::fromUtf8("請求書(通話明細のCSV)を開く"), folder,
                                      QString::fromUtf8("CSVファイル (*.csv *.txt *.tsv);;すべてのファイル (*)"));
}

}  // namespace

// Sizes a column to its widest text, which the window finds from the values
// (widestCells), instead of measuring thousands of rows.
class CallsTableView : public QTableView {
 public:
  CallsTableView(const WidestCells& widest, QWidget* parent) : QTableView(parent), widest_(widest) {}

  int sizeHintForColumn(int column) const override {
    const auto* proxy = static_cast<const QSortFilterProxyModel*>(model());
    const QModelIndex index =
        proxy->mapFromSource(proxy->sourceModel()->index(static_cast<int>(widest_.row[static_cast<std::size_t>(column)]), column));
    if (!index.isValid()) return QTableView::sizeHintForColumn(column);  // filtered out: measure what is shown
    ensurePolished();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int hint = itemDelegateForIndex(index)->sizeHint(option, index).width();
    return showGrid() ? hint + 1 : hint;
  }

 private:
  WidestCells widest_;
};

CallsWindow::CallsWindow(MonthCalls calls, const std::string& title, QWidget* parent)
    : QDialog(parent), calls_(std::move(calls)) {
  setObjectName("CallsWindow");
  setWindowTitle(qtText(sjis("通話明細 ") + title));
  setAttribute(Qt::WA_DeleteOnClose, false);
  // Several logs give the calls log by log: the list reads in time order.
  std::stable_sort(calls_.calls.begin(), calls_.calls.end(),
                   [](const CallLine& a, const CallLine& b) { return a.start < b.start; });
  const std::string closing = closingDateOfTitle(title);
  csvName_ = QString::fromUtf8("通話明細") + (closing.size() == 10 && closing[4] == '-' ? "-" + QString::fromStdString(closing.substr(0, 7)) : QString()) +
             ".csv";

  caption_ = new QLabel(this);
  caption_->setObjectName("CallsCaption");
  model_ = new CallsTableModel(calls_, this);
  proxy_ = new CallsProxyModel(calls_, this);
  proxy_->setSourceModel(model_);
  proxy_->setSortRole(Qt::UserRole);

  const WidestCells widest = widestCells(calls_);
  table_ = new CallsTableView(widest, this);
  table_->setObjectName("CallsTable");
  table_->setModel(proxy_);
  // Time order until the user sorts: with no sort column, enabling sorting
  // leaves the rows as they are.
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  totals_ = new QTableWidget(1, static_cast<int>(kCallColumnCount), this);
  totals_->setObjectName("CallsTotals");
  totals_->horizontalHeader()->hide();
  totals_->verticalHeader()->hide();
  totals_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  totals_->setFocusPolicy(Qt::NoFocus);
  totals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  totals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // One row as high as the table's rows, the frame round it: the row's
  // default height would be cut at the bottom.
  totals_->verticalHeader()->setMinimumSectionSize(1);
  totals_->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
  totals_->setFixedHeight(table_->verticalHeader()->defaultSectionSize() + 2 * totals_->frameWidth());

  // The totals row keeps the table's column widths and scroll position.
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) { totals_->setColumnWidth(column, width); });
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, totals_->horizontalScrollBar(),
          &QScrollBar::setValue);

  allCallsButton_ = new QPushButton(QString::fromUtf8("すべての通話(&A)"), this);
  allCallsButton_->setObjectName("CallsAll");
  allCallsButton_->setToolTip(QString::fromUtf8("番号を絞らず、この月の通話をすべて表示します"));
  connect(allCallsButton_, &QPushButton::clicked, this, [this] { showNumber(""); });
  csvButton_ = new QPushButton(QString::fromUtf8("CSVで保存(&S)…"), this);
  csvButton_->setObjectName("CallsCsv");
  chooseCsvPath_ = chooseCsvPath;
  connect(csvButton_, &QPushButton::clicked, this, [this] {
    const QString path = chooseCsvPath_(this, csvName_);
    if (!path.isEmpty()) saveCsv(path);
  });

  billButton_ = new QPushButton(QString::fromUtf8("請求書と照合(&B)…"), this);
  billButton_->setObjectName("CallsBillCheck");
  billButton_->setToolTip(QString::fromUtf8("通信会社の通話明細(CSV)を開き、この月の通話と一件ずつ照らし合わせます"));
  chooseBillPath_ = chooseBillFile;
  connect(billButton_, &QPushButton::clicked, this, [this] {
    const QString path = chooseBillPath_(this, billFolder_);
    if (!path.isEmpty()) checkBill(path);
  });

  auto* close = new QPushButton(QString::fromUtf8("閉じる"), this);
  close->setObjectName("CallsClose");
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(caption_, 1);
  bottom->addWidget(allCallsButton_);
  bottom->addWidget(billButton_);
  bottom->addWidget(csvButton_);
  bottom->addWidget(close);
  // The calls and the bill check take turns in the window.
  auto* callsPage = new QWidget(this);
  auto* callsLayout = new QVBoxLayout(callsPage);
  callsLayout->setContentsMargins(0, 0, 0, 0);
  callsLayout->setSpacing(0);
  callsLayout->addWidget(table_, 1);
  callsLayout->addWidget(totals_);
  callsLayout->addSpacing(6);
  callsLayout->addLayout(bottom);
  billPanel_ = new BillCheckPanel(this);
  connect(billPanel_, &BillCheckPanel::closed, this, &CallsWindow::showCalls);
  connect(billPanel_, &BillCheckPanel::saveRequested, this, [this] {
    const QString path = chooseCsvPath_(this, QString(csvName_).replace(QString::fromUtf8("通話明細"), QString::fromUtf8("請求書照合")));
    if (!path.isEmpty()) writeCsvFile(path, billPanel_->shownCsv());
  });
  pages_ = new QStackedWidget(this);
  pages_->addWidget(callsPage);
  pages_->addWidget(billPanel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);

  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table_->resizeColumnsToContents();
  hideEmptyColumns(widest);
  updateTotals();
  fitColumnsToTotals();
  resize(fittedToScreen(*this, QSize(1100, 480)));
}

CallsWindow::~CallsWindow() = default;

void CallsWindow::hideEmptyColumns(const WidestCells& widest) {
  for (std::size_t i = 0; i < kCallColumnCount; ++i) {
    const bool hidden = widest.length[i] == 0 && !calls_.calls.empty();
    table_->setColumnHidden(static_cast<int>(i), hidden);
    totals_->setColumnHidden(static_cast<int>(i), hidden);
  }
}

void CallsWindow::fitColumnsToTotals() {
  // The sums of all calls are the widest a totals row can get (no value is
  // negative), so a column that fits them fits every filtered total too.
  for (int column = 0; column < totals_->columnCount(); ++column) {
    if (table_->isColumnHidden(column)) continue;
    const int needed = static_cast<const QAbstractItemView*>(totals_)->sizeHintForColumn(column);
    if (needed > table_->columnWidth(column)) table_->setColumnWidth(column, needed);
  }
}

void CallsWindow::showNumber(const std::string& number) {
  // Exact: "03" must not show the calls to "0312...".
  number_ = number;
  proxy_->setNumber(number);
  updateTotals();
}

MonthCalls CallsWindow::shownCalls() const {
  MonthCalls shown;
  for (int row = 0; row < proxy_->rowCount(); ++row)
    shown.calls.push_back(calls_.calls[static_cast<std::size_t>(proxy_->mapToSource(proxy_->index(row, 0)).row())]);
  return shown;
}

void CallsWindow::updateTotals() {
  std::array<std::int64_t, kCallColumnCount> sums{};
  std::size_t shown = 0;
  for (const CallLine& call : calls_.calls) {
    if (!proxy_->shows(call)) continue;
    ++shown;
    for (std::size_t i = 0; i < kCallColumnCount; ++i) sums[i] += cellValue(call, kCallColumns[i]);
  }
  for (std::size_t i = 0; i < kCallColumnCount; ++i) {
    const CallColumn column = kCallColumns[i];
    const std::string text = column == CallColumn::Start ? sjis("合計") : sumText(column, sums[i]);
    auto* item = new QTableWidgetItem(qtText(text));
    item->setTextAlignment(isSummed(column) ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    totals_->setItem(0, static_cast<int>(i), item);
    totals_->setColumnWidth(static_cast<int>(i), table_->columnWidth(static_cast<int>(i)));
  }
  const std::string count = sjis("通話 ") + std::to_string(shown) + sjis(" 件");
  caption_->setText(qtText(number_.empty() ? count : number_ + sjis(" への") + count));
  allCallsButton_->setVisible(!number_.empty());
}

std::string CallsWindow::shownCsv() const { return callsCsv(shownCalls()); }

bool CallsWindow::checkBill(const QString& path) {
  billFolder_ = QFileInfo(path).absolutePath();
  if (keepBillFolder_) keepBillFolder_(billFolder_);
  try {
    billPanel_->setCheck(zelk::checkBill(QFile::encodeName(path).toStdString(), calls_, {}));
  } catch (const FatalError& error) {
    showMessage(error.message(), MessageKind::Error);
    return false;
  }
  pages_->setCurrentWidget(billPanel_);
  setWindowTitle(windowTitle().replace(QString::fromUtf8("通話明細 "), QString::fromUtf8("請求書との照合 ")));
  return true;
}

bool CallsWindow::showsBillCheck() const { return pages_->currentWidget() == billPanel_; }

void CallsWindow::showCalls() {
  pages_->setCurrentIndex(0);
  setWindowTitle(windowTitle().replace(QString::fromUtf8("請求書との照合 "), QString::fromUtf8("通話明細 ")));
}

bool CallsWindow::saveCsv(const QString& path) { return writeCsvFile(path, shownCsv()); }

}  // namespace zelk
