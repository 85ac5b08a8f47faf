#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/cp932.h"
#include "ui/model/fee_table.h"
#include "ui/qt/fee_table_window.h"
#include "ui/qt/radio_group.h"

namespace zelk {

class FeeTableWindowTest : public QObject {
  Q_OBJECT

  QTableWidget* grid(FeeTableWindow& w) { return w.findChild<QTableWidget*>("SG_Feelist"); }
  QString memo(FeeTableWindow& w) { return w.findChild<QPlainTextEdit*>("Memo_Feeinfo")->toPlainText(); }
  RadioGroup* bands(FeeTableWindow& w) { return w.findChild<RadioGroup*>("RG_MA"); }

 private Q_SLOTS:
  void firstTabAtCreation() {
    FeeTableWindow window;
    auto* tabs = window.findChild<QTabBar*>("TabControl1");
    QCOMPARE(tabs->count(), 7);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(6), QStringLiteral("QTNet"));
    QVERIFY(memo(window).startsWith(QStringLiteral("ダイヤル通話料金表 (2000.10. 1現在)\n ★秒数  :  ¥10で")));
    QCOMPARE(grid(window)->item(1, 1)->text(), QStringLiteral("180.0秒(¥ 10)"));
    QCOMPARE(bands(window)->itemIndex(), -1);
    QCOMPARE(bands(window)->title(), QStringLiteral("通話先の区分を指定して下さい"));
  }

  void switchingTabsReplacesMemoAndEveryCell() {
    FeeTableWindow window;
    auto* tabs = window.findChild<QTabBar*>("TabControl1");
    tabs->setCurrentIndex(5);  // TTNet/県外
    const QStringList lines = memo(window).split('\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], QStringLiteral("中継電話サービス通話料金表  (2000. 5. 1現在)"));
    QCOMPARE(lines[6], QStringLiteral(" ★2000. 4.30以前の100km以遠の¥9での時間は"));
    QTableWidget* cells = grid(window);
    for (int row = 0; row < 8; ++row)
      for (int column = 0; column < 3; ++column)
        QCOMPARE(cells->item(row + 1, column + 1)->text(),
                 QString::fromStdString(toUtf8WithYen(feeCell(5, row, column))));
    QCOMPARE(cells->item(2, 1)->text(), QStringLiteral("90.0秒(¥14.4)"));
    // The headings stay.
    QCOMPARE(cells->item(0, 3)->text(), QStringLiteral("深夜･早朝"));
    QCOMPARE(cells->item(8, 0)->text(), QStringLiteral("170km～"));

    tabs->setCurrentIndex(2);  // KDDI(001)/県内
    QCOMPARE(memo(window).split('\n').size(), 9);
    QCOMPARE(cells->item(5, 1)->text(), QStringLiteral("1.34円(¥ 40)"));
  }

  // A legend longer than the memo opens on its title line, the tariff date.
  void aLongLegendShowsFromItsTitle() {
    FeeTableWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* legend = window.findChild<QPlainTextEdit*>("Memo_Feeinfo");
    legend->setFixedHeight(legend->fontMetrics().height() * 5);
    window.findChild<QTabBar*>("TabControl1")->setCurrentIndex(4);
    QApplication::processEvents();
    QVERIFY(legend->verticalScrollBar()->maximum() > 0);
    QCOMPARE(legend->verticalScrollBar()->value(), 0);
  }

  void preselectionAndReadBack() {
    FeeTableWindow window;
    window.preselect(DistanceBand::Beyond170km);
    QCOMPARE(bands(window)->itemIndex(), 7);
    QCOMPARE(bands(window)->item(7)->text(), QStringLiteral("170km～"));
    QCOMPARE(window.chosenBand(), DistanceBand::Beyond170km);
    window.preselect(DistanceBand::UnknownDistance);
    QCOMPARE(bands(window)->itemIndex(), 7);
    window.preselect(DistanceBand::InArea);
    QCOMPARE(window.chosenBand(), DistanceBand::InArea);
  }

  void setReturnsTheChosenBandAndCancelReturnsNone() {
    FeeTableWindow window;
    QString title;
    int preselected = -1;
    test::whenModal("Form8", [&](QDialog* dialog) {
      title = dialog->windowTitle();
      preselected = dialog->findChild<RadioGroup*>("RG_MA")->itemIndex();
      dialog->findChild<RadioGroup*>("RG_MA")->item(4)->click();
      test::clickButton(dialog, "Button_Set");
    });
    QCOMPARE(window.askBand("0612345678", DistanceBand::Upto30km), DistanceBand::Upto100km);
    QCOMPARE(title, QStringLiteral("0612345678"));
    QCOMPARE(preselected, 2);

    test::whenModal("Form8", [](QDialog* dialog) {
      dialog->findChild<RadioGroup*>("RG_MA")->item(0)->click();
      test::clickButton(dialog, "Button_Cancel");
    });
    QCOMPARE(window.askBand("0612345678", DistanceBand::Upto30km), std::nullopt);
  }

  void theWindowRemembersTheLastTab() {
    FeeTableWindow window;
    window.findChild<QTabBar*>("TabControl1")->setCurrentIndex(3);
    test::whenModal("Form8", [](QDialog* dialog) { test::clickButton(dialog, "Button_Cancel"); });
    window.askBand("0120", DistanceBand::InArea);
    QCOMPARE(window.findChild<QTabBar*>("TabControl1")->currentIndex(), 3);
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::FeeTableWindowTest)
#include "fee_table_window_test.moc"
