#include "ui/qt/year_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt/csv_path.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/year_chart_layout.h"

namespace zelk {
namespace {

QString u8(const char* text) { return QString::fromUtf8(text); }

// The three bars of a month, in the legend's order.
struct Series {
  const char* name;
  QColor colour;
  std::uint32_t MonthBars::*value;
};
const Series kSeries[] = {
    {"通常料金", QColor(150, 150, 150), &MonthBars::normal},
    {"期間の最適プラン", QColor(70, 130, 220), &MonthBars::periodBest},
    {"その月の最適プラン", QColor(60, 170, 90), &MonthBars::monthBest},
};

}  // namespace

// One group of bars per month, drawn with QPainter: a dozen groups of three
// need no chart library.
class YearChart : public QWidget {
 public:
  explicit YearChart(QWidget* parent) : QWidget(parent) {
    setObjectName("YearChart");
    setMinimumHeight(180);
  }
  void setSummary(const YearSummary& summary) {
    bars_ = summary.bars;
    QString tip;
    for (const MonthBars& month : bars_)
      tip += qtText(month.title) + u8(": ") + qtAmountText(month.monthBestCaption) + "\n";
    setToolTip(u8("その月の最適プラン\n") + tip.trimmed());
    updateGeometry();
    update();
  }
  QSize minimumSizeHint() const override {
    return minimumYearChartSize(fontMetrics(), legend(), monthLabels(), highest());
  }
  YearChartLayout chartLayout() const {
    return layoutYearChart(size(), fontMetrics(), legend(), monthLabels(), highest());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    if (bars_.empty()) return;
    const YearChartLayout layout = chartLayout();
    p.setPen(palette().text().color());
    for (std::size_t s = 0; s < std::size(kSeries); ++s) {
      p.fillRect(layout.legendSwatches[s], kSeries[s].colour);
      p.drawText(layout.legendTexts[s], Qt::AlignLeft | Qt::AlignVCenter, u8(kSeries[s].name));
    }
    const QRect& plot = layout.plot;
    if (plot.isEmpty()) return;
    for (const ChartTick& tick : layout.ticks) {
      p.setPen(palette().text().color());
      p.drawText(tick.labelRect, Qt::AlignRight | Qt::AlignVCenter, yenText(tick.value));
      p.setPen(tick.value == 0 ? palette().mid().color() : palette().midlight().color());
      p.drawLine(plot.left(), tick.y, plot.right(), tick.y);
    }
    const double group = static_cast<double>(plot.width()) / static_cast<double>(bars_.size());
    const double bar = std::max(1.0, group * 0.8 / 3.0);
    for (std::size_t m = 0; m < bars_.size(); ++m) {
      const double left = plot.left() + group * static_cast<double>(m) + group * 0.1;
      for (std::size_t s = 0; s < std::size(kSeries); ++s) {
        const double h = plot.height() * static_cast<double>(bars_[m].*kSeries[s].value) / layout.scaleTop;
        const QRectF rect(left + bar * static_cast<double>(s), plot.bottom() - h, bar, h);
        p.fillRect(rect, kSeries[s].colour);
        // Today's month: its calls so far, hatched.
        if (bars_[m].unfinished) p.fillRect(rect, QBrush(palette().base().color(), Qt::BDiagPattern));
      }
    }
    p.setPen(palette().text().color());
    const QStringList labels = monthLabels();
    for (const ChartLabel& label : layout.labels)
      p.drawText(label.rect, Qt::AlignHCenter | Qt::AlignTop, labels[static_cast<int>(label.month)]);
  }

 private:
  static QStringList legend() {
    QStringList names;
    for (const Series& s : kSeries) names.push_back(u8(s.name));
    return names;
  }
  // "2000-09-15" shows as "09/15" under its group.
  QStringList monthLabels() const {
    QStringList labels;
    for (const MonthBars& month : bars_) {
      const QString date = QString::fromStdString(closingDateOfTitle(month.title));
      labels.push_back(date.size() == 10 ? date.mid(5).replace('-', '/') : date);
    }
    if (labels.isEmpty()) labels.push_back(u8("00/00"));  // room for the months to come
    return labels;
  }
  std::uint32_t highest() const {
    std::uint32_t value = 1;
    for (const MonthBars& month : bars_)
      for (const Series& s : kSeries) value = std::max(value, month.*s.value);
    return value;
  }

  std::vector<MonthBars> bars_;
};

YearWindow::YearWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("Form10");
  setWindowTitle(u8("年間比較"));
  setModal(false);

  caption_ = new QLabel(this);
  caption_->setObjectName("Label_YearCaption");
  // One sentence a line, not wrapped: a wrapped label grows taller as the
  // window narrows, past the room the window's minimum size left for it.

  table_ = new QTableWidget(0, 4, this);
  table_->setObjectName("SG_YearSummary");
  table_->setHorizontalHeaderLabels({u8("プラン"), u8("合計"), u8("最安月数"), u8("通常料金との差")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  // Room for the header and three plans however small the window gets.
  table_->setMinimumHeight(4 * (fontMetrics().height() + 8));
  for (int c = 1; c < 4; ++c) table_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);

  chart_ = new YearChart(this);

  saveButton_ = new QPushButton(u8("CSVで保存(&S)…"), this);
  saveButton_->setObjectName("BT_SaveCsv");
  connect(saveButton_, &QPushButton::clicked, this, [this] { saveCsv(); });
  auto* close = new QPushButton(u8("閉じる"), this);
  close->setObjectName("BT_Close");
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(saveButton_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(table_, 3);
  layout->addWidget(chart_, 2);
  layout->addLayout(buttons);

  chooseCsvPath_ = chooseCsvPath;
  resize(640, 480);
}

YearWindow::~YearWindow() = default;

void YearWindow::setCsvPathChooser(std::function<QString(QWidget*, const QString&)> choose) {
  chooseCsvPath_ = std::move(choose);
}

void YearWindow::showYear(const MonthList& months, const RunSettings& settings) {
  months_ = months;
  settings_ = settings;
  summary_ = summarizeYear(months, settings);
  if (summary_.months == 0) {
    caption_->setText(u8("表示できる月がありません。"));
  } else {
    const PlanTotal* best = summary_.cheapest();
    QString text = u8("%1か月 (%2 - %3)\n")
                       .arg(summary_.months)
                       .arg(qtText(months.months[0].title), qtText(months.months[summary_.months - 1].title));
    if (best && summary_.saving() > 0)
      text += u8("最適プラン: %1\n通常料金より %2 安くなります。").arg(qtAmountText(best->caption), yenText(summary_.saving()));
    else if (best)
      text += u8("最適プラン: %1\nどの割引プランも通常料金より安くなりません。").arg(qtAmountText(best->caption));
    if (summary_.unfinishedMonth >= 0) text += u8("\n斜線の月は締め前 (今日までの分) ですが、最安月数に数えています。");
    caption_->setText(text);
  }
  table_->setRowCount(static_cast<int>(summary_.plans.size()));
  for (std::size_t r = 0; r < summary_.plans.size(); ++r) {
    const PlanTotal& plan = summary_.plans[r];
    const QString cells[] = {qtAmountText(plan.caption), yenText(plan.total), QString::number(plan.monthsCheapest),
                             (plan.versusNormal > 0 ? "+" : "") + QString::number(plan.versusNormal)};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight));
      if (r == 0) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      table_->setItem(static_cast<int>(r), c, item);
    }
  }
  table_->setCurrentCell(-1, -1);
  chart_->setSummary(summary_);
  saveButton_->setEnabled(summary_.months > 0);
}

bool YearWindow::saveCsv() {
  const QString path = chooseCsvPath_ ? chooseCsvPath_(this, u8("年間比較.csv")) : QString();
  if (path.isEmpty()) return false;
  return writeCsvFile(path, yearCsv(months_, settings_));
}

}  // namespace zelk
