#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "dialog_test_support.h"
#include "ui/qt/ma_reference.h"
#include "ui/qt/small_dialogs.h"

namespace zelk {

class SmallDialogsTest : public QObject {
  Q_OBJECT

  struct PickerCall {
    int filterIndex;
    QString lastName;
  };

 private Q_SLOTS:
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
