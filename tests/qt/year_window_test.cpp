// The year window as the main window opens it: its table is the core's year
// summary, one window for the menu item and the tool button, its CSV, and
// its place in zelkwin.cfg.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "dialog_test_support.h"
#include "platform/cp932.h"
#include "support/test_support.h"
#include "ui/model/year_summary.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/year_chart_layout.h"
#include "ui/qt/year_window.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::sj;

template <typename T>
T* child(QObject& window, const QString& name) {
  T* found = window.findChild<T*>(name);
  if (!found) qFatal("no child %s", qPrintable(name));
  return found;
}

// Twelve months whose fees differ from month to month and plan to plan, so
// the ranking and the cheapest months are not those of the slot order.
MonthList twelveMonths() {
  MonthList list;
  for (int m = 0; m < 12; ++m) {
    MonthResult month = test::monthWithSlots(static_cast<std::uint32_t>(1000 + 37 * ((m * 5) % 12)),
                                             sj("2000年" + std::to_string(m + 1) + "月15日〆分"));
    month.amounts[ResultSlot::NormalFee] = static_cast<std::uint32_t>(900 + 300 * (m % 4));
    month.amounts[ResultSlot::Telejoze2000Fee] = static_cast<std::uint32_t>(1750 - 100 * (m % 3));
    list.months[static_cast<std::size_t>(list.count++)] = month;
  }
  return list;
}

bool overlaps(const QRect& a, const QRect& b) { return a.intersects(b); }

// Settings with a hidden plan, and today in the last of twelveMonths().
RunSettings settingsTodayInTheLastMonth() {
  RunSettings settings = test::makeSettings({test::Line::Analog, {}, {}, false, true, true, false, 0, false, {"10"}});
  settings.unfinishedMonth = 11;
  return settings;
}

class YearWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    QApplication::setFont(font);
  }

  void theChartsTextsNeverRunIntoEachOtherOrOutOfTheChart() {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const QStringList legend = {QString::fromUtf8("通常料金"), QString::fromUtf8("期間の最適プラン"),
                                QString::fromUtf8("その月の最適プラン")};
    QStringList months;
    for (int m = 1; m <= 12; ++m) months.push_back(QStringLiteral("%1/15").arg(m, 2, 10, QChar('0')));
    const QSize minimum = minimumYearChartSize(metrics, legend, months, 123456);
    for (int width = minimum.width(); width <= 1000; width += 7) {
      for (int height : {minimum.height(), 260, 500}) {
        const QRect chart(QPoint(0, 0), QSize(width, height));
        const YearChartLayout layout = layoutYearChart(chart.size(), metrics, legend, months, 123456);
        const QString where = QStringLiteral("%1x%2").arg(width).arg(height);
        QVERIFY2(!layout.plot.isEmpty() && chart.contains(layout.plot), qPrintable(where));
        QVERIFY2(layout.labels.size() * 2 >= 12, qPrintable(where));  // at least every second month
        for (std::size_t i = 0; i < layout.labels.size(); ++i) {
          QVERIFY2(chart.contains(layout.labels[i].rect), qPrintable(where));
          QVERIFY2(layout.labels[i].rect.top() > layout.plot.bottom(), qPrintable(where));
          if (i > 0) QVERIFY2(!overlaps(layout.labels[i - 1].rect, layout.labels[i].rect), qPrintable(where));
        }
        for (const QRect& text : layout.legendTexts) {
          QVERIFY2(chart.contains(text), qPrintable(where));
          QVERIFY2(!overlaps(text, layout.plot), qPrintable(where));
          for (const ChartTick& tick : layout.ticks) QVERIFY2(!overlaps(text, tick.labelRect), qPrintable(where));
        }
        // The axis reaches past the highest bar in a few round steps.
        QVERIFY(layout.scaleTop >= 123456 && layout.ticks.size() >= 3 && layout.ticks.size() <= 6);
        for (const ChartTick& tick : layout.ticks) QVERIFY2(tick.labelRect.right() < layout.plot.left(), qPrintable(where));
      }
    }
    // At a width that has room for each month's label, every month has one.
    QCOMPARE(layoutYearChart({900, 300}, metrics, legend, months, 123456).labels.size(), std::size_t(12));
  }

  void atItsMinimumSizeTheWindowKeepsTheChartAboveTheButtons() {
    YearWindow year;
    year.showYear(twelveMonths(), settingsTodayInTheLastMonth());
    year.show();
    QVERIFY(QTest::qWaitForWindowExposed(&year));
    const QSize minimum = year.minimumSize();
    QVERIFY2(minimum.width() > 205 && minimum.height() > 352, qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
    for (const QSize& size : {minimum, QSize(420, minimum.height()), QSize(205, 352)}) {
      year.resize(size);
      QApplication::processEvents();
      auto* chart = child<QWidget>(year, "YearChart");
      auto* close = child<QPushButton>(year, "BT_Close");
      QVERIFY2(chart->geometry().bottom() < close->geometry().top(), qPrintable(QStringLiteral("%1x%2 chart %3 close %4").arg(year.width()).arg(year.height()).arg(chart->geometry().bottom()).arg(close->geometry().top())));
      QVERIFY(chart->height() >= chart->minimumSizeHint().height());
      QVERIFY(chart->width() >= chart->minimumSizeHint().width());
    }
  }

  void theMenuOpensTheSummaryOfTheCoreAndTheButtonRaisesIt() {
    test::ScratchDir dir;
    const MonthList months = twelveMonths();
    const RunSettings settings = settingsTodayInTheLastMonth();
    const std::string csvPath = dir.path() + "year.csv";
    test::FakeMainWindowServices services;
    services.csvPath = QString::fromStdString(csvPath);
    MainWindow window;
    window.setServices(services);
    window.setProgramDirectory(dir.path());
    WindowSettings ws = defaultWindowSettings();
    ws.placement.yearWindow = {40, 60, 500, 700};
    window.applyWindowSettings(ws);
    window.prepare(months, settings);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(!window.yearWindow());
    child<QAction>(window, "Menu_Year")->trigger();
    YearWindow* year = window.yearWindow();
    QVERIFY(year && year->isVisible());
    QCOMPARE(year->objectName(), QString("Form10"));
    QCOMPARE(year->size(), QSize(700, 500));

    const YearSummary expected = summarizeYear(months, settings);
    QVERIFY(expected.plans.size() > 5);
    auto* table = child<QTableWidget>(*year, "SG_YearSummary");
    QCOMPARE(table->rowCount(), static_cast<int>(expected.plans.size()));
    for (std::size_t r = 0; r < expected.plans.size(); ++r) {
      const PlanTotal& plan = expected.plans[r];
      const int row = static_cast<int>(r);
      QCOMPARE(table->item(row, 0)->text(), qtAmountText(plan.caption));
      QCOMPARE(table->item(row, 1)->text(), QChar(0x00A5) + QString::number(plan.total));
      QCOMPARE(table->item(row, 2)->text().toInt(), plan.monthsCheapest);
      QCOMPARE(table->item(row, 3)->text().toLongLong(), plan.versusNormal);
    }
    // A hidden plan (Timeplus, "!10-") is not in the table.
    QVERIFY(table->findItems(qtAmountText(sj("タイムプラス(定額通話料 \\200)")), Qt::MatchExactly).isEmpty());
    const QString caption = child<QLabel>(*year, "Label_YearCaption")->text();
    QVERIFY(caption.contains(qtAmountText(expected.cheapest()->caption)));
    QVERIFY(caption.contains(QString::fromUtf8("締め前 (今日までの分) ですが、最安月数に数えています")));

    year->hide();
    auto* button = child<QToolButton>(window, "TB_Year");
    QCOMPARE(button->toolTip(), QString::fromUtf8("年間比較"));
    button->click();
    QCOMPARE(window.yearWindow(), year);
    QVERIFY(year->isVisible());

    QVERIFY(year->saveCsv());
    QCOMPARE(test::readFile(csvPath), yearCsv(months, settings));

    year->resize(650, 420);
    QCOMPARE(window.currentWindowSettings().placement.yearWindow.width, 650);
    QCOMPARE(window.currentWindowSettings().placement.yearWindow.height, 420);
  }
};

}  // namespace
}  // namespace zelk

QTEST_MAIN(zelk::YearWindowTest)
#include "year_window_test.moc"
