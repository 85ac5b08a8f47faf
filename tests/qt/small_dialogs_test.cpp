#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "dialog_test_support.h"
#include "ui/qt/ma_reference.h"
#include "ui/qt/run_messages_window.h"
#include "ui/qt/small_dialogs.h"
#include "platform/cp932.h"
#include "platform/messages.h"

namespace zelk {

namespace {

// Characters as an input method hands them over, one commit each.
void typeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QInputMethodEvent commit;
    commit.setCommitString(QString(c));
    QApplication::sendEvent(widget, &commit);
  }
}

}  // namespace

class SmallDialogsTest : public QObject {
  Q_OBJECT

  struct PickerCall {
    int filterIndex;
    QString lastName;
  };

 private Q_SLOTS:
  void theRunMessagesShowTheirWidestLineWholeUpToTheScreen() {
    const std::string japanese =
        sjis("ログファイル /home/user/.zelk/logs/terminal-2001-03.log の 1234 行目: 日付が読めないので読み飛ばしました");
    const struct {
      std::string line;
      bool fitsTheScreen;
    } cases[] = {{japanese, true}, {std::string(3000, 'x'), false}};
    for (const auto& c : cases) {
      RunMessagesWindow window(tallyOf({sjis("短い行"), c.line}));
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      auto* memo = window.findChild<QPlainTextEdit*>("Memo_Messages");
      const int lineWidth = memo->fontMetrics().horizontalAdvance(QString::fromUtf8(toUtf8(c.line).c_str()));
      const int room = window.screen()->availableGeometry().width();
      QVERIFY2(window.width() <= room, qPrintable(QString::number(window.width())));
      if (c.fitsTheScreen) {
        QVERIFY2(memo->viewport()->width() > lineWidth, qPrintable(QStringLiteral("%1 <= %2").arg(memo->viewport()->width()).arg(lineWidth)));
        QVERIFY(!memo->horizontalScrollBar()->isVisible());
      } else {
        QVERIFY(memo->horizontalScrollBar()->isVisible());
      }
    }
  }

  void captionsAndRoles() {
    AboutBox about;
    QCOMPARE(about.objectName(), QStringLiteral("Form2"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About zelk for Windows..."));
    QCOMPARE(about.findChild<QLabel*>("Label1")->text(), QStringLiteral("zelk for Windows Version 4.21"));
    QCOMPARE(about.findChild<QPushButton*>("OK")->toolTip(), QStringLiteral("クリックすれば閉じます。"));

    RecalculateDialog recalculate;
    QCOMPARE(recalculate.windowTitle(), QStringLiteral("どうする??"));
    QCOMPARE(recalculate.findChild<QPushButton*>("Button1")->text(), QStringLiteral("演算しなおし"));
    QCOMPARE(recalculate.findChild<QPushButton*>("Button2")->toolTip(), QStringLiteral("このウインドウを閉じるだけです。"));

    ConfirmDeleteDialog confirm;
    confirm.setFileName("c:\\ac\\access.log");
    QCOMPARE(confirm.findChild<QLabel*>("Label2")->text(), QStringLiteral("c:\\ac\\access.log"));
    QCOMPARE(confirm.findChild<QLabel*>("Label2")->width(), 357);
    // A file name is shown as it is, even when it looks like markup.
    QCOMPARE(confirm.findChild<QLabel*>("Label2")->textFormat(), Qt::PlainText);
    QVERIFY(confirm.findChild<QPushButton*>("Button1")->isDefault());

    MaReferenceDialog ma;
    QCOMPARE(ma.windowTitle(), QStringLiteral("MA参照ウインドウ"));
    QVERIFY(ma.findChild<QPushButton*>("Button_ok")->isDefault());
  }

  // The small windows draw their texts in "ＭＳ Ｐゴシック" unless a control
  // has a font of its own (the about box's title).
  void theSmallWindowsUseTheProportionalGothicFont() {
    AboutBox form2;
    NewLogDialog form4;
    DeleteLogDialog form5;
    RecalculateDialog form6;
    ConfirmDeleteDialog form9;
    MaReferenceDialog maRef;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&form2, &form4, &form5, &form6, &form9, &maRef})
      QVERIFY2(dialog->font().family() == QStringLiteral("ＭＳ Ｐゴシック"), qPrintable(dialog->objectName()));
    QCOMPARE(form2.findChild<QLabel*>("Label1")->font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
  }

  void escapeClosesTheAboutBox() {
    AboutBox about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
  }

  void newLogListsTheElevenFormats() {
    NewLogDialog dialog;
    auto* list = dialog.findChild<QListWidget*>("OptionLB");
    QCOMPARE(list->count(), 11);
    QCOMPARE(list->item(6)->text(), QStringLiteral("-nt (access.log/NifTern等)"));
    QCOMPARE(dialog.selectedFormat(), -1);
    const QStringList filters = NewLogDialog::fileFilters();
    QCOMPARE(filters.size(), 12);
    QCOMPARE(filters[5], QStringLiteral("-mf (connect,dat/FAPX等) (connect.dat)"));
    QCOMPARE(filters[11], QStringLiteral("すべてのファイル (*)"));
  }

  // All eleven formats are in view, and "追加" needs a format and a file name
  // that fits the settings file; otherwise the dialog stays open and says why.
  void newLogShowsEveryFormatAndRefusesWhatCannotBeStored() {
    NewLogDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QListWidget*>("OptionLB");
    for (int row = 0; row < list->count(); ++row)
      QVERIFY2(list->viewport()->rect().contains(list->visualItemRect(list->item(row))), qPrintable(list->item(row)->text()));

    test::MessageRecorder messages;
    auto* edit = dialog.findChild<QLineEdit*>("LogEdit");
    const struct {
      int format;
      QString name;
      const char* said;
    } refused[] = {
        {-1, QStringLiteral("wterm.tel"), "形式"},
        {10, QString(128, QLatin1Char('a')), "127"},
        {10, QString(64, QChar(0x30ED)), "127"},  // 128 bytes in CP932
        {10, QStringLiteral("한국.log"), "シフトJIS"},
    };
    for (const auto& row : refused) {
      messages.sink.messages.clear();
      list->setCurrentRow(row.format);
      edit->setText(row.name);
      test::clickButton(&dialog, "OkButton");
      QVERIFY2(dialog.isVisible(), row.said);
      QCOMPARE(messages.sink.messages.size(), std::size_t(1));
      QVERIFY2(messages.sink.messages[0].find(test::sj(row.said)) != std::string::npos, row.said);
    }
    edit->setText(QString(127, QLatin1Char('a')));
    test::clickButton(&dialog, "OkButton");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // Typing stops at the limit.
    dialog.show();
    edit->setText(QString(126, QLatin1Char('a')));
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("bcd"));
    QCOMPARE(edit->text().size(), 127);
  }

  // The MA reference list: four columns as wide as the longest name, the
  // rest of the columns to the side; typing a name's first characters
  // selects it.
  void maReferenceShowsWholeNamesInFourColumns() {
    QStringList names;
    for (int i = 0; i < 120; ++i) names << QStringLiteral("南牧%1").arg(i);
    names << QStringLiteral("八丈島") << QStringLiteral("小笠原") << QStringLiteral("上富良野町") << QStringLiteral("武蔵野");
    MaReferenceDialog maRef;
    maRef.setEntries(names);
    maRef.show();
    QVERIFY(QTest::qWaitForWindowExposed(&maRef));
    auto* list = maRef.findChild<QListWidget*>("ListBox");
    const int column = list->gridSize().width();
    QVERIFY(list->viewport()->width() >= 4 * column);
    QVERIFY(list->viewport()->width() < 5 * column);
    for (int row = 0; row < list->count(); ++row)
      QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(row)->text()) < column, qPrintable(list->item(row)->text()));
    QVERIFY(list->horizontalScrollBar()->maximum() > 0);

    typeText(list, QStringLiteral("武"));
    QCOMPARE(maRef.selectedIndex(), names.indexOf(QStringLiteral("武蔵野")));
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    typeText(list, QStringLiteral("上富"));
    QCOMPARE(maRef.selectedIndex(), names.indexOf(QStringLiteral("上富良野町")));
    QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->currentItem())));
  }

  void fileDialogFilterAndCancelKeepsTheLastName() {
    NewLogDialog dialog;
    std::vector<PickerCall> calls;
    std::optional<QString> answer = QStringLiteral("/logs/wterm.tel");
    dialog.setFilePicker([&](QWidget*, const QStringList&, int filterIndex, const QString& lastName) {
      calls.push_back({filterIndex, lastName});
      return answer;
    });
    dialog.chooseFile();
    QCOMPARE(calls.back().filterIndex, 12);  // nothing selected: all files
    QCOMPARE(dialog.fileName(), QStringLiteral("/logs/wterm.tel"));

    dialog.findChild<QListWidget*>("OptionLB")->setCurrentRow(10);
    dialog.clearFileName();
    answer.reset();
    dialog.chooseFile();
    QCOMPARE(calls.back().filterIndex, 11);
    QCOMPARE(calls.back().lastName, QStringLiteral("/logs/wterm.tel"));
    QCOMPARE(dialog.fileName(), QStringLiteral("/logs/wterm.tel"));
  }

  void doubleClickInTheFormatListOpensTheFileDialog() {
    NewLogDialog dialog;
    int opened = 0;
    dialog.setFilePicker([&](QWidget*, const QStringList&, int, const QString&) {
      ++opened;
      return std::optional<QString>("x.log");
    });
    auto* list = dialog.findChild<QListWidget*>("OptionLB");
    list->setCurrentRow(3);
    Q_EMIT list->itemDoubleClicked(list->item(3));
    QCOMPARE(opened, 1);
    QCOMPARE(dialog.selectedFormat(), 3);
  }

  void doubleClickInAListClosesWithOk() {
    DeleteLogDialog form5;
    form5.setFileNames({"a.log", "b.log"});
    test::whenModal("Form5", [](QDialog* dialog) {
      auto* list = dialog->findChild<QListWidget*>("LogLB");
      list->setCurrentRow(1);
      Q_EMIT list->itemDoubleClicked(list->item(1));
    });
    QCOMPARE(form5.exec(), int(QDialog::Accepted));
    QCOMPARE(form5.selectedIndex(), 1);

    MaReferenceDialog maRef;
    maRef.setEntries({"A", "B", "C"});
    test::whenModal("Ma_ref", [](QDialog* dialog) {
      auto* list = dialog->findChild<QListWidget*>("ListBox");
      list->setCurrentRow(2);
      Q_EMIT list->itemDoubleClicked(list->item(2));
    });
    QCOMPARE(maRef.exec(), int(QDialog::Accepted));
    QCOMPARE(maRef.selectedIndex(), 2);
  }

  void confirmingWithoutASelectionIsNoChoice() {
    DeleteLogDialog form5;
    form5.setFileNames({"a.log"});
    test::whenModal("Form5", [](QDialog* dialog) { test::clickButton(dialog, "OKButton"); });
    QCOMPARE(form5.exec(), int(QDialog::Accepted));
    QCOMPARE(form5.selectedIndex(), -1);
  }

  void positionsAreTakenAndGivenBack() {
    WindowPlacement placement;
    placement.at(PlacedWindow::Form6) = {150, 250};
    RecalculateDialog dialog;
    dialog.setPlacement(&placement);
    dialog.show();
    QCOMPARE(dialog.pos(), QPoint(250, 150));
    dialog.move(300, 120);
    dialog.hide();
    QCOMPARE(placement.at(PlacedWindow::Form6), (WindowPosition{120, 300}));
    QCOMPARE(placement.at(PlacedWindow::Form5), WindowPosition{});
  }

  // zelkwin hands no placement to the dialogs: the start-up moves each one to
  // where zelkwin.cfg put it, and the window settings are written from where
  // they stand at the end. Showing must not send them back to the design
  // position, neither the first time nor after the user moved one.
  void withoutAPlacementADialogStaysWhereItWasPut() {
    AboutBox fresh;
    fresh.show();
    QCOMPARE(fresh.pos(), QPoint(200, 100));
    fresh.hide();

    RecalculateDialog dialog;
    dialog.move(310, 140);  // the start-up applying F06L, F06T
    dialog.show();
    QCOMPARE(dialog.pos(), QPoint(310, 140));
    dialog.move(330, 170);  // the user drags it
    dialog.hide();
    dialog.show();
    QCOMPARE(dialog.pos(), QPoint(330, 170));
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::SmallDialogsTest)
#include "small_dialogs_test.moc"
