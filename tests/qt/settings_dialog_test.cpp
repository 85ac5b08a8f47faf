#include <QComboBox>
#include <QLabel>
#include <QSet>
#include <QButtonGroup>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/paths.h"
#include "ui/model/settings_records_file.h"
#include "ui/qt/dialog_set.h"
#include "ui/qt/radio_group.h"

namespace zelk {

using test::clickButton;
using test::crlfLines;
using test::sj;
using test::whenModal;

namespace {

const std::vector<std::string> kFullSettings = {
    "zelk Version 4.21",
    "=03",
    "=15011,06",
    "=d15",
    "=k",
    "=l6",
    "=q",
    "=e",
    "=i",
    "=z",
    "-a1c:\\ac\\access.log",
    "-w",
    "H=0332001111",
    "H=0422111111",
    "N=0081-028-651==651-3026",
    "$NIFTY 2==03-3200-0000",
    "%8=0612345678",
    "%3=0120123456",
    "!60-",
};

bool hasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

void doubleClick(QWidget* widget) {
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

  template <typename T>
  static T* child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no %s", name);
    return widget;
  }
  static QString text(QWidget& dialog, const char* label) { return child<QLabel>(dialog, label)->text(); }
  static void setCell(QWidget& dialog, const char* grid, int row, int column, const QString& value) {
    child<QTableWidget>(dialog, grid)->setItem(row, column, new QTableWidgetItem(value));
  }

 private Q_SLOTS:
  void controlsCarryTheirNamesAndTexts() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    QCOMPARE(form3.objectName(), QStringLiteral("Form3"));
    QCOMPARE(form3.windowTitle(), QStringLiteral("各種設定"));
    auto* pages = child<QTabWidget>(form3, "PC_Option");
    QCOMPARE(pages->count(), 6);
    QCOMPARE(pages->widget(0)->objectName(), QStringLiteral("Tab_Opt"));
    QCOMPARE(pages->tabText(5), QStringLiteral("料金区分指定"));
    QCOMPARE(child<QRadioButton>(form3, "RB_Telechoice10")->text(), QStringLiteral("テレチョイス10/INSテレチョイス10"));
    QCOMPARE(child<RadioGroup>(form3, "RG_Isdn")->item(1)->text(), QStringLiteral("INS64(デジタル)回線"));
    QCOMPARE(child<RadioGroup>(form3, "RB_Deadline")->count(), 6);
    QCOMPARE(child<QTableWidget>(form3, "SG_ReplaceNo")->rowCount(), 20);
    QCOMPARE(child<QTableWidget>(form3, "SG_ReplaceName")->horizontalHeaderItem(0)->text(),
             QStringLiteral("通信履歴に記録されている接続先名"));
    QCOMPARE(child<QTableWidget>(form3, "SG_ReplaceNo")->columnWidth(1), 266);
    QCOMPARE(text(form3, "Label16"), QStringLiteral("その為、計算する為の資料を設定します。但し、現在の使用上50ヶ所までです。"));
    QCOMPARE(child<QPushButton>(form3, "Button_AreaChange")->text(), QStringLiteral("追加・変更"));
    QVERIFY(child<QPushButton>(form3, "Button_OK")->isDefault());
  }

  void tabEntersEachRadioGroupAtItsCheckedButton() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    form3.show();
    QApplication::setActiveWindow(&form3);
    QVERIFY(QTest::qWaitForWindowActive(&form3));
    auto* start = child<QLineEdit>(form3, "Edit_Telnum");
    start->setFocus();
    QCOMPARE(QApplication::focusWidget(), start);

    // Once round the page's tab stops: every radio button reached is its
    // group's checked one, and Space on it changes nothing.
    QSet<QButtonGroup*> groupsReached;
    for (int step = 0; step < 100; ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      if (focus == start) break;
      auto* radio = qobject_cast<QRadioButton*>(focus);
      if (!radio || !radio->group()) continue;
      QVERIFY2(radio->isChecked(), qPrintable(radio->objectName()));
      QVERIFY2(!groupsReached.contains(radio->group()), qPrintable(radio->objectName()));
      groupsReached.insert(radio->group());
      QTest::keyClick(radio, Qt::Key_Space);
      QVERIFY2(radio->isChecked(), qPrintable(radio->objectName()));
    }
    QCOMPARE(QApplication::focusWidget(), start);
    QVERIFY(groupsReached.size() >= 8);
    QCOMPARE(child<RadioGroup>(form3, "RB_Deadline")->itemIndex(), 2);
    QVERIFY(child<QRadioButton>(form3, "RB_Telechoice15")->isChecked());

    // The arrow keys move the choice within a group; Tab then leaves it.
    auto* deadline = child<RadioGroup>(form3, "RB_Deadline");
    deadline->item(2)->setFocus();
    QTest::keyClick(deadline->item(2), Qt::Key_Right);
    QCOMPARE(deadline->itemIndex(), 3);
    QCOMPARE(QApplication::focusWidget(), deadline->item(deadline->itemIndex()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget()->parentWidget() != deadline);
  }

  // At 2x on a 1280x1024 screen the dialog has 640x512 logical pixels: the
  // pages scroll and 更新/取り消し stay inside the dialog.
  void theButtonsShowOnASmallScreen() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    form3.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form3));
    QCOMPARE(form3.windowType(), Qt::Dialog);
    QVERIFY(!(form3.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(form3.windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(form3.minimumSizeHint().width() <= 600 && form3.minimumSizeHint().height() <= 460);
    const QSize pagesWant = child<QTabWidget>(form3, "PC_Option")->minimumSizeHint();
    for (const QSize& size : {QSize(620, 470), QSize(1000, 800)}) {
      form3.resize(size);
      QApplication::processEvents();
      for (const char* name : {"Button_OK", "Button_NG", "Button_Help"}) {
        const QRect button(child<QPushButton>(form3, name)->mapTo(&form3, QPoint(0, 0)), child<QPushButton>(form3, name)->size());
        QVERIFY2(form3.rect().contains(button), name);
      }
    }
    QVERIFY(pagesWant.height() > 470 || pagesWant.width() > 620);  // the small size did need the scrolling
  }

  void loadFillsEveryControl() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    QCOMPARE(child<QLineEdit>(form3, "Edit_Telnum")->text(), QStringLiteral("03"));
    QVERIFY(child<QRadioButton>(form3, "RB_Telechoice15")->isChecked());
    QCOMPARE(child<QLineEdit>(form3, "Edit_Telechoice")->text(), QStringLiteral("011,06"));
    QCOMPARE(child<RadioGroup>(form3, "RB_Deadline")->itemIndex(), 2);
    QCOMPARE(child<RadioGroup>(form3, "RG_Kdd")->itemIndex(), 0);
    QCOMPARE(child<RadioGroup>(form3, "RG_Last")->itemIndex(), 1);
    QCOMPARE(child<QLineEdit>(form3, "Edit_Last")->text(), QStringLiteral("6"));
    QCOMPARE(child<RadioGroup>(form3, "RG_Ttnet")->itemIndex(), 1);
    QCOMPARE(child<RadioGroup>(form3, "RG_Isdn")->itemIndex(), 1);
    QCOMPARE(child<RadioGroup>(form3, "RG_Fletsi")->itemIndex(), 0);
    QCOMPARE(text(form3, "Label_Terminal1_Opt"), QStringLiteral("-a1"));
    QCOMPARE(text(form3, "Label_Terminal1_FName"), QStringLiteral("c:\\ac\\access.log"));
    QCOMPARE(text(form3, "Label_Terminal2_Opt"), QStringLiteral("-w"));
    QCOMPARE(text(form3, "Label_Terminal2_FName"), QStringLiteral("wterm.tel"));
    QCOMPARE(text(form3, "Label_Terminal3_Opt"), QString());
    for (int n = 1; n <= 5; ++n) {
      const QString name = QStringLiteral("Label_Terminal%1_FName").arg(n);
      QVERIFY2(child<QLabel>(form3, name.toLatin1().constData())->textFormat() == Qt::PlainText, qPrintable(name));
    }
    QCOMPARE(child<QLineEdit>(form3, "Edit_num2")->text(), QStringLiteral("0422111111"));
    QCOMPARE(child<QTableWidget>(form3, "SG_ReplaceNo")->item(0, 1)->text(), QStringLiteral("6513026"));
    QCOMPARE(child<QTableWidget>(form3, "SG_ReplaceName")->item(0, 0)->text(), QStringLiteral("NIFTY 2"));
    QCOMPARE(child<QComboBox>(form3, "CB_Areaset")->count(), 2);
    QCOMPARE(child<QComboBox>(form3, "CB_Areaset")->itemText(1), QStringLiteral("0120123456"));
  }

  void loadThenStoreLeavesTheFileEquivalent() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    const Configuration before = readDialogConfiguration(folder.dir.path(), *folder.maSearch);
    dialogs.form3().load();
    QVERIFY(dialogs.form3().store());
    QCOMPARE(test::readFile(folder.dir.path() + "zelkcfg.org"), crlfLines(kFullSettings));
    const std::string first = folder.settingsText();
    for (const char* line : {"=03", "=15011,06", "=d15", "=k", "=l6", "=q", "=e", "=i", "=z", "-a1c:\\ac\\access.log",
                             "-wwterm.tel", "H=0332001111", "H=0422111111", "N=0081028651==6513026",
                             "$NIFTY 2==0332000000", "%8=0612345678", "%3=0120123456", "!60-"})
      QVERIFY2(hasLine(first, line), line);

    const Configuration after = readDialogConfiguration(folder.dir.path(), *folder.maSearch);
    QCOMPARE(after.settings.meterDay, before.settings.meterDay);
    QCOMPARE(after.settings.telechoiceText, before.settings.telechoiceText);
    QCOMPARE(after.settings.logCount, before.settings.logCount);
    QCOMPARE(after.telehodai.count, before.telehodai.count);
    QCOMPARE(after.tables.areaSet.size(), before.tables.areaSet.size());
    QCOMPARE(after.origin.name, before.origin.name);
    QVERIFY(after.settings.hiddenFlags == before.settings.hiddenFlags);

    // A second round changes nothing at all.
    dialogs.form3().load();
    QVERIFY(dialogs.form3().store());
    QCOMPARE(folder.settingsText(), first);
  }

  void storeRulesThroughTheControls() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    test::MessageRecorder messages;
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    child<QLineEdit>(form3, "Edit_Telnum")->setText("06-1234-5678");
    child<QRadioButton>(form3, "RB_Telechoice30")->setChecked(true);
    child<QLineEdit>(form3, "Edit_Telechoice")->setText("03");
    child<RadioGroup>(form3, "RB_Deadline")->setItemIndex(5);
    child<RadioGroup>(form3, "RG_Kdd")->setItemIndex(1);
    child<RadioGroup>(form3, "RG_Last")->setItemIndex(0);
    child<RadioGroup>(form3, "RG_Ttnet")->setItemIndex(0);
    child<RadioGroup>(form3, "RG_ZelkFee")->setItemIndex(1);
    child<RadioGroup>(form3, "RG_Fletsi")->setItemIndex(1);
    // Against the new origin Osaka only the Osaka number is eligible.
    child<QLineEdit>(form3, "Edit_num1")->setText("03-3200-1111");
    child<QLineEdit>(form3, "Edit_num2")->setText("06-6000-0000");
    setCell(form3, "SG_ReplaceNo", 0, 1, QString());
    setCell(form3, "SG_ReplaceNo", 3, 0, "111");
    setCell(form3, "SG_ReplaceNo", 3, 1, "222");
    setCell(form3, "SG_ReplaceName", 2, 0, QString(40, 'N'));
    setCell(form3, "SG_ReplaceName", 2, 1, "99");
    QVERIFY(form3.store());

    const std::string file = folder.settingsText();
    QVERIFY(hasLine(file, "=06"));
    QVERIFY(hasLine(file, "=3003"));
    QVERIFY(hasLine(file, "=de"));
    QVERIFY(hasLine(file, ";=k"));
    QVERIFY(hasLine(file, ";=l"));
    QVERIFY(hasLine(file, "=t"));
    QVERIFY(hasLine(file, ";=q"));
    QVERIFY(hasLine(file, "=f"));
    QVERIFY(hasLine(file, ";=z"));
    QVERIFY(hasLine(file, "H=0660000000"));
    QVERIFY(!hasLine(file, "H=0332001111"));
    QVERIFY(!hasLine(file, "N=0081028651==6513026"));
    QVERIFY(hasLine(file, "N=111==222"));
    QVERIFY(hasLine(file, "$" + std::string(38, 'N') + "==99"));
    QVERIFY(messages.sink.messages.empty());
  }

  void aMonthCountThatIsNoNumberKeepsTheDialogOpenAndTheFileAsItWas() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    test::MessageRecorder messages;
    DialogSet dialogs(folder.services);
    const std::string before = folder.settingsText();
    bool openAfterOk = false;
    bool storeRefused = false;
    whenModal("Form3", [&](QDialog* dialog) {
      dialog->findChild<QLineEdit*>("Edit_Last")->setText(QStringLiteral("六"));
      dialog->findChild<RadioGroup*>("RB_Deadline")->setItemIndex(0);
      clickButton(dialog, "Button_OK");
      openAfterOk = dialog->isVisible();
      storeRefused = !static_cast<SettingsDialog*>(dialog)->store();
      clickButton(dialog, "Button_NG");
    });
    QCOMPARE(dialogs.runSettingsDialog(), int(QDialog::Rejected));
    QVERIFY(openAfterOk);
    QVERIFY(storeRefused);
    QCOMPARE(messages.sink.messages.size(), std::size_t(2));
    QVERIFY(messages.sink.messages[0].find(sj("数字")) != std::string::npos);
    QCOMPARE(folder.settingsText(), before);
    QVERIFY(test::readFile(folder.dir.path() + "zelkcfg.org").empty());

    // A number lets "更新" close the dialog.
    whenModal("Form3", [](QDialog* dialog) {
      dialog->findChild<QLineEdit*>("Edit_Last")->setText(" 7");
      clickButton(dialog, "Button_OK");
    });
    QCOMPARE(dialogs.runSettingsDialog(), int(QDialog::Accepted));
    dialogs.storeSettings();
    QVERIFY(hasLine(folder.settingsText(), "=l7"));
  }

  // A text that the settings file cannot hold as typed keeps the dialog open
  // with a message naming the field, and the file as it was.
  void textsThatDoNotFitTheirFieldAreRefused() {
    const QString longAreas = QStringLiteral("011,") + QString(121, QLatin1Char('3'));  // 125 bytes fit
    const struct {
      const char* control;
      int row;  // grid row, -1 for an edit
      int column;
      QString text;
      const char* said;
    } cases[] = {
        {"Edit_Telechoice", -1, 0, longAreas + QStringLiteral(",3"), "テレチョイス"},
        {"Edit_Telechoice", -1, 0, QStringLiteral("011,서울"), "シフトJIS"},
        {"Edit_num1", -1, 0, QStringLiteral("03-1234-567890"), "11桁"},
        {"SG_ReplaceNo", 2, 1, QStringLiteral("0081-0312345-6789"), "番号置換指定 3行目"},
        {"SG_ReplaceName", 0, 0, QString(39, QLatin1Char('N')), "38文字"},
        {"SG_ReplaceName", 1, 0, QStringLiteral("A==B"), "=="},
        {"SG_ReplaceName", 4, 0, QStringLiteral("한글"), "接続先番号登録 5行目"},
    };
    for (const auto& c : cases) {
      test::ProgramFolder folder(crlfLines(kFullSettings));
      test::MessageRecorder messages;
      DialogSet dialogs(folder.services);
      const std::string before = folder.settingsText();
      bool openAfterOk = true;
      whenModal("Form3", [&](QDialog* dialog) {
        if (c.row < 0) {
          dialog->findChild<QLineEdit*>(c.control)->setText(c.text);
        } else {
          auto* grid = dialog->findChild<QTableWidget*>(c.control);
          grid->setItem(c.row, c.column, new QTableWidgetItem(c.text));
          grid->setItem(c.row, 1 - c.column, new QTableWidgetItem(QStringLiteral("0312345678")));
        }
        clickButton(dialog, "Button_OK");
        openAfterOk = dialog->isVisible();
        clickButton(dialog, "Button_NG");
      });
      QCOMPARE(dialogs.runSettingsDialog(), int(QDialog::Rejected));
      QVERIFY2(openAfterOk, c.said);
      QCOMPARE(messages.sink.messages.size(), std::size_t(1));
      QVERIFY2(messages.sink.messages[0].find(sj(c.said)) != std::string::npos, c.said);
      QCOMPARE(folder.settingsText(), before);
    }

    // What fits is stored whole; typing stops at a field's size.
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    whenModal("Form3", [&](QDialog* dialog) {
      dialog->findChild<QLineEdit*>("Edit_Telechoice")->setText(longAreas);
      auto* telehodai = dialog->findChild<QLineEdit*>("Edit_num1");
      telehodai->clear();
      QTest::keyClicks(telehodai, QStringLiteral("03-3200-11112222"));
      QCOMPARE(telehodai->text(), QStringLiteral("03-3200-11112"));
      clickButton(dialog, "Button_OK");
    });
    QCOMPARE(dialogs.runSettingsDialog(), int(QDialog::Accepted));
    dialogs.storeSettings();
    QVERIFY(hasLine(folder.settingsText(), "=15" + longAreas.toStdString()));
  }

  void theLogListThroughPanelsAndButtons() {
    test::ProgramFolder folder(crlfLines({"zelk Version 4.21", "-h", "-k", "-r"}));
    test::MessageRecorder messages;
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    form3.show();

    // Double-click on the fourth panel, which is empty: the new-log dialog,
    // its file name emptied.
    child<QLineEdit>(dialogs.form4(), "LogEdit")->setText("old");
    QString shown;
    whenModal("Form4", [&](QDialog* dialog) {
      shown = dialog->findChild<QLineEdit*>("LogEdit")->text();
      dialog->findChild<QListWidget*>("OptionLB")->setCurrentRow(5);
      dialog->findChild<QLineEdit*>("LogEdit")->setText("d:\\fapx\\");
      clickButton(dialog, "OkButton");
    });
    doubleClick(child<QLabel>(form3, "Label_Terminal4_FName"));
    QCOMPARE(shown, QString());
    QCOMPARE(text(form3, "Label_Terminal4_Opt"), QStringLiteral("-mf"));
    QCOMPARE(text(form3, "Label_Terminal4_FName"), QStringLiteral("d:\\fapx\\"));

    // Double-click on the first panel: confirm, then the last log moves up.
    whenModal("Form9", [&](QDialog* dialog) {
      shown = dialog->findChild<QLabel*>("Label2")->text();
      clickButton(dialog, "Button1");
    });
    doubleClick(child<QFrame>(form3, "Panel_Terminal1"));
    QCOMPARE(shown, QStringLiteral("phone.txt"));
    QCOMPARE(text(form3, "Label_Terminal1_Opt"), QStringLiteral("-mf"));
    QCOMPARE(form3.logCount(), 3);

    // The deletion list: the second entry.
    int listed = 0;
    whenModal("Form5", [&](QDialog* dialog) {
      auto* list = dialog->findChild<QListWidget*>("LogLB");
      listed = list->count();
      list->setCurrentRow(1);
      clickButton(dialog, "OKButton");
    });
    clickButton(&form3, "Button_Delete");
    QCOMPARE(listed, 3);
    QCOMPARE(form3.logCount(), 2);
    QCOMPARE(text(form3, "Label_Terminal2_Opt"), QStringLiteral("-r"));

    // Appending with Form4 cancelled adds nothing.
    whenModal("Form4", [](QDialog* dialog) { clickButton(dialog, "CancelButton"); });
    clickButton(&form3, "Button_Append");
    QCOMPARE(form3.logCount(), 2);

    QVERIFY(form3.store());
    const std::string file = folder.settingsText();
    QVERIFY(hasLine(file, "-mfd:\\fapx\\connect.dat"));
    QVERIFY(hasLine(file, "-rlog.txt"));
    QVERIFY(!hasLine(file, "-hphone.txt"));
    QVERIFY(!hasLine(file, "-kktx.log"));
  }

  void areaSetAddChangeAndCancel() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    auto* combo = child<QComboBox>(form3, "CB_Areaset");

    // A new number far from Tokyo: band 20 preselected, changed to 160 km.
    QString title;
    int preselected = -1;
    auto answer = [&](int item, const char* button) {
      whenModal("Form8", [&title, &preselected, item, button](QDialog* dialog) {
        title = dialog->windowTitle();
        preselected = dialog->findChild<RadioGroup*>("RG_MA")->itemIndex();
        dialog->findChild<RadioGroup*>("RG_MA")->item(item)->click();
        clickButton(dialog, button);
      });
    };
    combo->setEditText("06-9999-0000");
    answer(5, "Button_Set");
    clickButton(&form3, "Button_AreaChange");
    QCOMPARE(title, QStringLiteral("0699990000"));
    QCOMPARE(preselected, 7);
    QCOMPARE(combo->count(), 3);

    // An existing number: its band preselected; cancel keeps it.
    combo->setEditText("0120123456");
    answer(0, "Button_Cancel");
    clickButton(&form3, "Button_AreaChange");
    QCOMPARE(preselected, 2);

    // A neighbour of Tokyo is proposed as adjacent.
    combo->setEditText("0422-00-0000");
    answer(1, "Button_Set");
    clickButton(&form3, "Button_AreaChange");
    QCOMPARE(preselected, 1);

    combo->setEditText("0612345678");
    clickButton(&form3, "Button_AreaDelete");

    QVERIFY(form3.store());
    const std::string file = folder.settingsText();
    QVERIFY(hasLine(file, "%6=0699990000"));
    QVERIFY(hasLine(file, "%3=0120123456"));
    QVERIFY(hasLine(file, "%2=0422000000"));
    QVERIFY(!hasLine(file, "%8=0612345678"));
  }

  // A number beyond the 50 that the page adds by hand is refused alone: the
  // dialog stays open and the other edits are stored.
  void aFiftyFirstAreaNumberIsRefusedAlone() {
    std::vector<std::string> lines = {"zelk Version 4.21", "=03"};
    for (int i = 0; i < 50; ++i) lines.push_back("%4=0570" + std::to_string(100000 + i));
    test::ProgramFolder folder(crlfLines(lines));
    test::MessageRecorder messages;
    DialogSet dialogs(folder.services);
    whenModal("Form3", [](QDialog* dialog) {
      auto* numbers = dialog->findChild<QComboBox*>("CB_Areaset");
      numbers->setEditText("0570100049");
      clickButton(dialog, "Button_AreaDelete");
      numbers->setEditText("0120000000");
      whenModal("Form8", [](QDialog* fee) {
        fee->findChild<RadioGroup*>("RG_MA")->item(7)->click();
        clickButton(fee, "Button_Set");
      });
      clickButton(dialog, "Button_AreaChange");
      numbers->setEditText("0120000001");
      clickButton(dialog, "Button_AreaChange");  // the 51st: no fee-table window
      QVERIFY(dialog->isVisible());
      clickButton(dialog, "Button_OK");
    });
    QCOMPARE(dialogs.runSettingsDialog(), int(QDialog::Accepted));
    QCOMPARE(messages.sink.messages, std::vector<std::string>{sj("登録限度を超えてます")});
    dialogs.storeSettings();
    const std::string after = folder.settingsText();
    QVERIFY(hasLine(after, "%4=0570100048"));
    QVERIFY(!hasLine(after, "%4=0570100049"));
    QVERIFY(hasLine(after, "%8=0120000000"));
    QVERIFY(after.find("0120000001") == std::string::npos);
  }

  void maReferenceShortcuts() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    form3.load();
    form3.show();
    QCOMPARE(dialogs.maRef().findChild<QListWidget*>("ListBox")->count(), 3);
    QCOMPARE(dialogs.maRef().findChild<QListWidget*>("ListBox")->item(1)->text(), QStringLiteral("武蔵野"));
    auto chooseMa = [](int row) {
      whenModal("Ma_ref", [row](QDialog* dialog) {
        dialog->findChild<QListWidget*>("ListBox")->setCurrentRow(row);
        clickButton(dialog, "Button_ok");
      });
    };
    chooseMa(1);
    doubleClick(child<QLineEdit>(form3, "Edit_Telnum"));
    QCOMPARE(child<QLineEdit>(form3, "Edit_Telnum")->text(), QStringLiteral("0422"));
    chooseMa(2);
    doubleClick(child<QLineEdit>(form3, "Edit_Telechoice"));
    QCOMPARE(child<QLineEdit>(form3, "Edit_Telechoice")->text(), QStringLiteral("011,06,06"));
    child<QLineEdit>(form3, "Edit_Telechoice")->clear();
    chooseMa(0);
    doubleClick(child<QLineEdit>(form3, "Edit_Telechoice"));
    QCOMPARE(child<QLineEdit>(form3, "Edit_Telechoice")->text(), QStringLiteral("03"));
  }

  void helpOpensThePageOfTheActiveTab() {
    test::ProgramFolder folder(crlfLines(kFullSettings));
    test::MessageRecorder messages;
    folder.dir.write("html/help/Tab_Hod.html", "<html></html>");
    folder.dir.write("html/help/Tab_Aset.html", "<html></html>");
    DialogSet dialogs(folder.services);
    SettingsDialog& form3 = dialogs.form3();
    for (int page : {2, 5, 1}) {
      child<QTabWidget>(form3, "PC_Option")->setCurrentIndex(page);
      clickButton(&form3, "Button_Help");
    }
    const std::vector<test::StarterCall> expected = {
        {"open", folder.dir.path() + "html/help/Tab_Hod.html", ""},
        {"open", folder.dir.path() + "html/help/Tab_Aset.html", ""},
    };
    QVERIFY(folder.starter.calls == expected);
    // A page neither here nor installed is named in a message.
    QCOMPARE(messages.sink.messages.size(), std::size_t(1));
    QVERIFY(messages.sink.messages[0].find("Tab_Log.html") != std::string::npos);
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::SettingsDialogTest)
#include "settings_dialog_test.moc"
