#include <fcntl.h>

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <set>

#include "dialog_test_support.h"
#include "bill/bill_check_table.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/staged_file.h"
#include "support/test_support.h"
#include "ui/ui_fixtures.h"
#include "ui/qt/bill_check_panel.h"
#include "ui/qt/calls_window.h"
#include "ui/qt/csv_path.h"
#include "ui/qt/year_window.h"
#include "ui/qt/main_window.h"

namespace zelk {

class CallsWindowTest : public QObject {
  Q_OBJECT

  static CallLine call(const char* start, const char* number, int fee, int com, bool out) {
    CallLine line;
    line.start = start;
    line.number = number;
    line.seconds = 60;
    line.feeUnits = line.nttUnits = fee;
    line.comUnits = com;
    line.outOfPrefecture = out;
    return line;
  }
  static MonthCalls sample() {
    return MonthCalls{{call("2001-03-01 10:00:00", "0312345678", 9, 7, true),
                       call("2001-03-02 10:00:00", "0455551234", 2, 2, false),
                       call("2001-03-03 10:00:00", "0312345678", 11, 8, true)}};
  }
  static QString cell(QTableView* table, int row, CallColumn column) {
    return table->model()->index(row, static_cast<int>(column)).data().toString();
  }
  static QString total(CallsWindow& w, CallColumn column) {
    return w.findChild<QTableWidget*>("CallsTotals")->item(0, static_cast<int>(column))->text();
  }

 private Q_SLOTS:
  void filtersToANumberSortsByValueAndTotalsWhatIsShown() {
    CallsWindow window(sample(), sjis("2001年 3月31日〆分"));
    auto* table = window.findChild<QTableView*>("CallsTable");
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(total(window, CallColumn::FeeUnits), QStringLiteral("22"));

    window.showNumber("0312345678");
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(total(window, CallColumn::FeeUnits), QStringLiteral("20"));
    QCOMPARE(total(window, CallColumn::ComUnits), QStringLiteral("15"));

    // 11 sorts above 9 as a number would, not as text.
    table->sortByColumn(static_cast<int>(CallColumn::FeeUnits), Qt::DescendingOrder);
    QCOMPARE(cell(table, 0, CallColumn::FeeUnits), QStringLiteral("11"));
    QCOMPARE(cell(table, 1, CallColumn::FeeUnits), QStringLiteral("9"));
    table->sortByColumn(static_cast<int>(CallColumn::Start), Qt::DescendingOrder);
    QCOMPARE(cell(table, 0, CallColumn::Start), QStringLiteral("2001-03-03 10:00:00"));

    const std::string csv = window.shownCsv();
    QVERIFY(csv.starts_with("\xEF\xBB\xBF"));
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 3);  // header and the two calls shown
    test::ScratchDir dir;
    QVERIFY(window.saveCsv(QString::fromStdString(dir.path() + "calls.csv")));
    QCOMPARE(test::readFile(dir.path() + "calls.csv"), csv);
  }

  // A link at the chosen name is replaced, not written through; a write
  // that fails says so and leaves neither a half file nor the staging file.
  void savingNeverWritesThroughALinkNorLeavesAHalfFile() {
    CallsWindow window(sample(), "");
    test::ScratchDir dir, elsewhere;
    const std::string victim = elsewhere.write("victim", "mine\n");
    const std::string linked = dir.path() + "linked.csv";
    std::filesystem::create_symlink(victim, linked);
    QVERIFY(window.saveCsv(QString::fromStdString(linked)));
    QCOMPARE(test::readFile(victim), std::string("mine\n"));
    QVERIFY(!std::filesystem::is_symlink(linked));
    QCOMPARE(test::readFile(linked), window.shownCsv());

    RecordingSink sink;
    ScopedMessageSink scope(sink);
    const ScopedStagingOpener fullDisk([](const std::string&) { return ::open("/dev/full", O_WRONLY | O_CLOEXEC); });
    QVERIFY(!window.saveCsv(QString::fromStdString(dir.path() + "full.csv")));
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QVERIFY(!std::filesystem::exists(dir.path() + "full.csv"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      QCOMPARE(entry.path().filename().string(), std::string("linked.csv"));
  }

  void hidesEmptyColumnsAndFitsTheWidestCellWhereverItIs() {
    MonthCalls calls = sample();
    {
      CallsWindow window(calls, "");
      auto* table = window.findChild<QTableView*>("CallsTable");
      QVERIFY(table->isColumnHidden(static_cast<int>(CallColumn::Name)));
      QVERIFY(table->isColumnHidden(static_cast<int>(CallColumn::LoggedFee)));
      QVERIFY(!table->isColumnHidden(static_cast<int>(CallColumn::OutOfPrefecture)));
    }
    // The widest texts on the last of many calls still fit their columns.
    for (int i = 0; i < 500; ++i) calls.calls.push_back(call("2001-03-04 10:00:00", "0455551234", 1, 1, false));
    calls.calls.back().name = sjis("とても長い名前の接続先プロバイダ");
    calls.calls.back().loggedFee = 1234567;
    CallsWindow window(calls, "");
    auto* table = window.findChild<QTableView*>("CallsTable");
    for (CallColumn column : {CallColumn::Name, CallColumn::LoggedFee}) {
      const int index = static_cast<int>(column);
      QVERIFY(!table->isColumnHidden(index));
      const QString text = table->model()->index(static_cast<int>(calls.calls.size()) - 1, index).data().toString();
      QVERIFY2(table->columnWidth(index) > table->fontMetrics().horizontalAdvance(text), qPrintable(text));
    }
  }

  void theTotalsRowShowsEachSumWhole() {
    // Sums many digits longer than any one call's value: the columns fit
    // the totals row, not only the calls.
    MonthCalls calls;
    for (int i = 0; i < 2000; ++i) {
      CallLine line = call("2001-03-04 10:00:00", "0455551234", 99, 99, i % 2 == 0);
      line.seconds = 9999;
      calls.calls.push_back(line);
    }
    CallsWindow window(calls, "");
    auto* totals = window.findChild<QTableWidget*>("CallsTotals");
    for (CallColumn column : {CallColumn::Seconds, CallColumn::FeeUnits, CallColumn::NttYen, CallColumn::ComUnits}) {
      const int index = static_cast<int>(column);
      const QString text = total(window, column);
      QVERIFY2(text.size() >= 6, qPrintable(text));
      QVERIFY2(totals->columnWidth(index) >= static_cast<QAbstractItemView*>(totals)->sizeHintForColumn(index), qPrintable(text));
      QCOMPARE(window.findChild<QTableView*>("CallsTable")->columnWidth(index), totals->columnWidth(index));
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(totals->rowHeight(0) <= totals->viewport()->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(totals->rowHeight(0)).arg(totals->viewport()->height())));
  }

  void namesItsCsvKeepsTimeOrderAndLeadsBackToAllCalls() {
    const struct {
      const char* title;
      const char* csvName;
    } names[] = {{"2001年 3月31日〆分", "通話明細-2001-03.csv"}, {"2000年12月15日〆分", "通話明細-2000-12.csv"}, {"", "通話明細.csv"}};
    for (const auto& name : names)
      QCOMPARE(CallsWindow(sample(), sjis(name.title)).suggestedCsvName(), QString::fromUtf8(name.csvName));
    const struct {
      const char* typed;
      const char* saved;
    } paths[] = {{"/tmp/calls", "/tmp/calls.csv"}, {"/tmp/calls.csv", "/tmp/calls.csv"}, {"/tmp/a.txt", "/tmp/a.txt"}, {"", ""}};
    for (const auto& path : paths) QCOMPARE(withCsvSuffix(QString::fromUtf8(path.typed)), QString::fromUtf8(path.saved));

    // Two logs give their calls one after the other; the list is in time order.
    MonthCalls calls{{call("2001-03-01 12:00:00", "0312345678", 1, 1, true), call("2001-03-02 09:00:00", "0312345678", 1, 1, true),
                      call("2001-03-01 08:00:00", "0455551234", 1, 1, false), call("2001-03-01 23:00:00", "0455551234", 1, 1, false)}};
    CallsWindow window(calls, sjis("2001年 3月31日〆分"));
    auto* table = window.findChild<QTableView*>("CallsTable");
    const char* order[] = {"2001-03-01 08:00:00", "2001-03-01 12:00:00", "2001-03-01 23:00:00", "2001-03-02 09:00:00"};
    for (int row = 0; row < 4; ++row) QCOMPARE(cell(table, row, CallColumn::Start), QString::fromLatin1(order[row]));

    window.show();
    auto* caption = window.findChild<QLabel*>("CallsCaption");
    auto* all = window.findChild<QPushButton*>("CallsAll");
    QVERIFY(!all->isVisible());
    window.showNumber("0455551234");
    QVERIFY(caption->text().contains(QStringLiteral("0455551234")));
    QVERIFY(all->isVisible());
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(table->model()->rowCount(), 4);
    QCOMPARE(window.shownNumber(), std::string());
    QVERIFY(!all->isVisible());
    QVERIFY(!caption->text().contains(QStringLiteral("0455551234")));

    QCOMPARE(window.findChild<QPushButton*>("CallsCsv")->text(), QString::fromUtf8("CSVで保存(&S)…"));
    YearWindow year;
    QCOMPARE(year.findChild<QPushButton*>("BT_SaveCsv")->text(), window.findChild<QPushButton*>("CallsCsv")->text());
    QTest::mouseClick(window.findChild<QPushButton*>("CallsClose"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
  }

  // 請求書と照合…: the bill opened from the folder the settings keep, its
  // rows shown in the window by class (colour and words), filtered, totalled
  // and saved; a bill without its columns says so and leaves the calls.
  void checksABillInPlaceByClassAndKeepsItsFolder() {
    test::ScratchDir dir;
    const std::string bill = dir.write("bills/meisai.csv", test::sj(
        "通話日,通話開始時刻,通話先電話番号,通話時間,通話料金\r\n"
        "2001/03/01,10:00:30,03-1234-5678,00:01:00,70\r\n"     // the first call: matched
        "2001/03/03,09:59:00,03-1234-5678,00:01:05,\"1,000\"\r\n"  // the third: differs
        "2001/03/05,12:00:00,0999999999,00:02:00,30\r\n"       // on the bill only
        "小計,,,,1100\r\n"));
    const std::string broken = dir.write("bills/broken.csv", "date,number\r\n");
    MonthList months;
    months.months[0] = test::monthWithSlots(1000, sjis("2001年 3月31日〆分"));
    months.count = 1;
    test::FakeMainWindowServices services;
    services.calls = sample();
    MainWindow main;
    main.setServices(services);
    main.setProgramDirectory(dir.path());
    WindowSettings settings = defaultWindowSettings();
    settings.billFolder = dir.path() + "bills";
    main.applyWindowSettings(settings);
    main.prepare(months, test::makeSettings({}));
    main.showCalls("");
    CallsWindow* window = main.callsWindow();
    QString askedIn;
    std::string answer = bill;
    window->setBillPathChooser([&](QWidget*, const QString& folder) {
      askedIn = folder;
      return QString::fromStdString(answer);
    });
    QTest::mouseClick(window->findChild<QPushButton*>("CallsBillCheck"), Qt::LeftButton);
    QCOMPARE(askedIn, QString::fromStdString(dir.path() + "bills"));
    QVERIFY(window->showsBillCheck());
    QCOMPARE(main.currentWindowSettings().billFolder, dir.path() + "bills");

    auto* table = window->findChild<QTableView*>("BillCheckTable");
    QCOMPARE(table->model()->rowCount(), 4);
    const char* classes[] = {"一致", "ログのみ", "金額違い", "請求書のみ"};  // in time order
    std::set<QRgb> colours;
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(table->model()->index(row, 0).data().toString(), QString::fromUtf8(classes[row]));
      colours.insert(table->model()->index(row, 3).data(Qt::BackgroundRole).value<QColor>().rgb());
    }
    QCOMPARE(colours.size(), std::size_t(4));
    QCOMPARE(table->model()->index(2, static_cast<int>(BillCheckColumn::Difference)).data().toString(), QStringLiteral("920"));
    auto* differs = window->findChild<QCheckBox*>("BillShowDiffers");
    QCOMPARE(differs->text(), QString::fromUtf8("金額違い 1件"));
    const QString totals = window->findChild<QLabel*>("BillCheckTotals")->text();
    QVERIFY2(totals.contains(QString::fromUtf8("合計: 請求 1100円 / 見積 170円")), qPrintable(totals));
    QVERIFY(totals.contains(QString::fromUtf8("通話でない行 1行")));

    window->findChild<QCheckBox*>("BillShowMatched")->setChecked(false);
    window->findChild<QCheckBox*>("BillShowLogsOnly")->setChecked(false);
    QCOMPARE(table->model()->rowCount(), 2);
    const std::string csv = window->billCheckPanel()->shownCsv();
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 3);  // the header and the two rows shown
    const std::string saved = dir.path() + "check.csv";
    window->setCsvPathChooser([&](QWidget*, const QString&) { return QString::fromStdString(saved); });
    QTest::mouseClick(window->findChild<QPushButton*>("BillCheckCsv"), Qt::LeftButton);
    QCOMPARE(test::readFile(saved), csv);

    QTest::mouseClick(window->findChild<QPushButton*>("BillCheckBack"), Qt::LeftButton);
    QVERIFY(!window->showsBillCheck());
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    answer = broken;
    QTest::mouseClick(window->findChild<QPushButton*>("CallsBillCheck"), Qt::LeftButton);
    QVERIFY(!window->showsBillCheck());
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QVERIFY(toUtf8(sink.messages[0]).find("見つかった列: date, number") != std::string::npos);
  }

  void opensWhereTheLastOneStoodAndKeepsItsPlaceInTheSettings() {
    test::ScratchDir dir;
    MonthList months;
    months.months[0] = test::monthWithSlots(1000, sjis("2001年 3月31日〆分"));
    months.count = 1;
    test::FakeMainWindowServices services;
    services.calls = sample();
    MainWindow window;
    window.setServices(services);
    window.setProgramDirectory(dir.path());
    WindowSettings ws = defaultWindowSettings();
    ws.placement.callsWindow = {60, 40, 420, 700};
    window.applyWindowSettings(ws);
    window.prepare(months, test::makeSettings({}));
    window.show();

    window.showCalls("");
    CallsWindow* calls = window.callsWindow();
    QVERIFY(calls && calls->isVisible());
    QCOMPARE(calls->size(), QSize(700, 420));
    QCOMPARE(calls->pos(), QPoint(40, 60));
    calls->resize(640, 300);
    const QPointer<CallsWindow> first = calls;
    window.showCalls("0312345678");
    QVERIFY(first.isNull());  // a new window for each opening, the last one gone
    calls = window.callsWindow();
    QCOMPARE(calls->size(), QSize(640, 300));
    QCOMPARE(calls->findChild<QTableView*>("CallsTable")->model()->rowCount(), 2);
    QCOMPARE(calls->windowTitle().contains(QString::fromUtf8("2001年 3月31日〆分")), true);
    calls->resize(680, 310);
    QCOMPARE(window.currentWindowSettings().placement.callsWindow.width, 680);
    QCOMPARE(window.currentWindowSettings().placement.callsWindow.height, 310);

    // A size and place from a larger screen (or the 1100 pixels wide
    // default) are fitted to this one: the whole window stays on it.
    const QRect screen = calls->screen()->availableGeometry();
    const struct {
      WindowBounds bounds;
    } placements[] = {{{100, 200, 480, 1100}}, {{900, 1500, 300, 600}}, {{-50, -80, 2000, 3000}}};
    for (const auto& placement : placements) {
      ws.placement.callsWindow = placement.bounds;
      window.applyWindowSettings(ws);
      window.showCalls("");
      calls = window.callsWindow();
      QVERIFY(screen.contains(calls->geometry()));
    }
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::CallsWindowTest)
#include "calls_window_test.moc"
