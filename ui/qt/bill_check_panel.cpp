#include "ui/qt/bill_check_panel.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "bill/bill_check_table.h"
#include "platform/cp932.h"
#include "ui/qt/qt_text.h"

namespace zelk {
namespace {

// Pale backgrounds, so that the text stays readable; the class column says
// the same in words.
const QColor kClassColours[kBillClassCount] = {
    QColor(0xE3, 0xF4, 0xE0),  // matched: green
    QColor(0xFB, 0xDA, 0xDA),  // differs: red
    QColor(0xFF, 0xF0, 0xC8),  // billOnly: amber
    QColor(0xDC, 0xE9, 0xF8),  // logsOnly: blue
};

const char* const kClassObjectNames[kBillClassCount] = {"BillShowMatched", "BillShowDiffers", "BillShowBillOnly",
                                                        "BillShowLogsOnly"};

}  // namespace

class BillCheckModel : public QAbstractTableModel {
 public:
  BillCheckModel(const BillCheck& check, QObject* parent) : QAbstractTableModel(parent), check_(check) {}

  void reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(check_.entries.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(kBillCheckColumnCount);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const BillCheckEntry& entry = check_.entries[static_cast<std::size_t>(index.row())];
    const BillCheckColumn column = kBillCheckColumns[static_cast<std::size_t>(index.column())];
    switch (role) {
      case Qt::DisplayRole: return qtText(billCheckCell(check_, entry, column));
      case Qt::BackgroundRole: return kClassColours[static_cast<std::size_t>(entry.kind)];
      case Qt::ForegroundRole: return QColor(Qt::black);
      case Qt::TextAlignmentRole:
        return isNumeric(column) ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
      default: return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return qtText(billCheckCaption(kBillCheckColumns[static_cast<std::size_t>(section)]));
  }

 private:
  const BillCheck& check_;
};

class BillCheckFilter : public QSortFilterProxyModel {
 public:
  BillCheckFilter(const BillCheck& check, QObject* parent) : QSortFilterProxyModel(parent), check_(check) {
    shown_.fill(true);
  }
  void show(BillClass kind, bool shown) {
    shown_[static_cast<std::size_t>(kind)] = shown;
    invalidateRowsFilter();
  }
  bool shows(BillClass kind) const { return shown_[static_cast<std::size_t>(kind)]; }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override {
    return shows(check_.entries[static_cast<std::size_t>(sourceRow)].kind);
  }

 private:
  const BillCheck& check_;
  std::array<bool, kBillClassCount> shown_{};
};

BillCheckPanel::BillCheckPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("BillCheckPanel");
  model_ = new BillCheckModel(check_, this);
  filter_ = new BillCheckFilter(check_, this);
  filter_->setSourceModel(model_);
  table_ = new QTableView(this);
  table_->setObjectName("BillCheckTable");
  table_->setModel(filter_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

  auto* filters = new QHBoxLayout;
  filters->addWidget(new QLabel(QString::fromUtf8("表示:"), this));
  for (std::size_t i = 0; i < kBillClassCount; ++i) {
    const auto kind = static_cast<BillClass>(i);
    auto* box = new QCheckBox(this);
    box->setObjectName(kClassObjectNames[i]);
    box->setChecked(true);
    // A swatch of the class's colour: the filter doubles as the legend.
    QPixmap swatch(12, 12);
    swatch.fill(kClassColours[i].darker(115));
    box->setIcon(QIcon(swatch));
    connect(box, &QCheckBox::toggled, this, [this, kind](bool shown) { showClass(kind, shown); });
    classBoxes_[i] = box;
    filters->addWidget(box);
  }
  filters->addStretch(1);

  totals_ = new QLabel(this);
  totals_->setObjectName("BillCheckTotals");
  totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  verdict_ = new QLabel(this);
  verdict_->setObjectName("BillCheckVerdict");

  auto* csv = new QPushButton(QString::fromUtf8("CSVで保存(&S)…"), this);
  csv->setObjectName("BillCheckCsv");
  connect(csv, &QPushButton::clicked, this, &BillCheckPanel::saveRequested);
  auto* back = new QPushButton(QString::fromUtf8("通話明細に戻る(&R)"), this);
  back->setObjectName("BillCheckBack");
  connect(back, &QPushButton::clicked, this, &BillCheckPanel::closed);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(verdict_, 1);
  bottom->addWidget(csv);
  bottom->addWidget(back);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(filters);
  layout->addWidget(table_, 1);
  layout->addWidget(totals_);
  layout->addLayout(bottom);
}

BillCheckPanel::~BillCheckPanel() = default;

void BillCheckPanel::setCheck(BillCheck check) {
  check_ = std::move(check);
  model_->reset();
  for (std::size_t i = 0; i < kBillClassCount; ++i) classBoxes_[i]->setChecked(true);
  table_->resizeColumnsToContents();
  updateCaptions();
}

void BillCheckPanel::showClass(BillClass kind, bool shown) {
  filter_->show(kind, shown);
  QCheckBox* box = classBoxes_[static_cast<std::size_t>(kind)];
  if (box->isChecked() != shown) box->setChecked(shown);
}

void BillCheckPanel::updateCaptions() {
  const BillTotals& totals = check_.totals;
  for (std::size_t i = 0; i < kBillClassCount; ++i)
    classBoxes_[i]->setText(qtText(billClassCaption(static_cast<BillClass>(i)) + " " +
                                   std::to_string(totals.count[i]) + sjis("件")));
  std::string text;
  for (std::size_t i = 0; i < kBillClassCount; ++i) {
    if (totals.count[i] == 0) continue;
    text += billClassCaption(static_cast<BillClass>(i)) + sjis(": 請求 ") + yenText(totals.billHundredths[i]) +
            sjis("円 / 見積 ") + yenText(totals.estimateHundredths[i]) + sjis("円　");
  }
  text += sjis("合計: 請求 ") + yenText(totals.bill()) + sjis("円 / 見積 ") + yenText(totals.estimate()) + sjis("円");
  if (check_.bill.skippedRows > 0)
    text += sjis("　(通話でない行 ") + std::to_string(check_.bill.skippedRows) + sjis("行は読み飛ばしました)");
  totals_->setText(qtText(text));
  verdict_->setText(qtText(totals.allMatched() ? sjis("請求書とログはすべて一致しています")
                                               : sjis("請求書とログに違いがあります")));
}

std::string BillCheckPanel::shownCsv() const {
  BillCheck shown;
  shown.bill = check_.bill;
  shown.calls = check_.calls;
  for (const auto& entry : check_.entries)
    if (filter_->shows(entry.kind)) shown.entries.push_back(entry);
  return billCheckCsv(shown);
}

}  // namespace zelk
