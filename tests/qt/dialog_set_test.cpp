#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/paths.h"
#include "ui/qt/dialog_set.h"
#include "ui/qt/radio_group.h"

namespace zelk {

using test::clickButton;
using test::crlfLines;
using test::StarterCall;
using test::whenModal;

namespace {

std::string restartedProgram() {
  const std::string executable = executablePath(nullptr);
  return executable.substr(0, executable.rfind('/') + 1) + "zelkwin";
}

// Closes the settings dialog with "更新" after choosing "=e".
void confirmSettings() {
  whenModal("Form3", [](QDialog* dialog) {
    dialog->findChild<RadioGroup*>("RG_Estimation")->setItemIndex(1);
    clickButton(dialog, "Button_OK");
  });
}

}  // namespace

class DialogSetTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void recalculatingRestartsTheProgram() {
    test::ProgramFolder folder(crlfLines({"zelk Version 4.21", "=03", "-w"}));
    DialogSet dialogs(folder.services);
    confirmSettings();
    whenModal("Form6", [](QDialog* dialog) { clickButton(dialog, "Button1"); });
    dialogs.runSettingsMenu();
    const std::vector<StarterCall> expected = {
        {"cd", folder.dir.path(), ""},
        {"start", restartedProgram(), folder.dir.path()},
        {"exit", "0", ""},
    };
    QVERIFY(folder.starter.calls == expected);
    QVERIFY(folder.settingsText().find("\r\n=e\r\n") != std::string::npos);
  }

  void keepingTheResultsStoresWithoutRestart() {
    test::ProgramFolder folder(crlfLines({"zelk Version 4.21", "=03"}));
    DialogSet dialogs(folder.services);
    confirmSettings();
    whenModal("Form6", [](QDialog* dialog) { clickButton(dialog, "Button2"); });
    dialogs.runSettingsMenu();
    QVERIFY(folder.starter.calls.empty());
    QVERIFY(folder.settingsText().find("\r\n=e\r\n") != std::string::npos);
  }

  void cancellingTheSettingsChangesNothing() {
    const std::string original = crlfLines({"zelk Version 4.21", "=03"});
    test::ProgramFolder folder(original);
    DialogSet dialogs(folder.services);
    whenModal("Form3", [](QDialog* dialog) {
      dialog->findChild<RadioGroup*>("RG_Estimation")->setItemIndex(1);
      clickButton(dialog, "Button_NG");
    });
    dialogs.runSettingsMenu();
    QVERIFY(folder.starter.calls.empty());
    QCOMPARE(folder.settingsText(), original);
  }

  void eachOpeningReadsTheFileAfresh() {
    test::ProgramFolder folder(crlfLines({"zelk Version 4.21", "=03"}));
    DialogSet dialogs(folder.services);
    whenModal("Form3", [](QDialog* dialog) {
      dialog->findChild<QLineEdit*>("Edit_num1")->setText("0312345678");
      clickButton(dialog, "Button_NG");
    });
    dialogs.runSettingsDialog();
    QString shown;
    whenModal("Form3", [&shown](QDialog* dialog) {
      shown = dialog->findChild<QLineEdit*>("Edit_num1")->text();
      clickButton(dialog, "Button_NG");
    });
    dialogs.runSettingsDialog();
    QCOMPARE(shown, QString());
  }

  void noDataWithALogStoresAndRestarts() {
    test::ProgramFolder folder(crlfLines({"zelk Version 4.21", "=03"}));
    DialogSet dialogs(folder.services);
    whenModal("Form3", [](QDialog* dialog) {
      whenModal("Form4", [](QDialog* form4) {
        form4->findChild<QListWidget*>("OptionLB")->setCurrentRow(8);
        clickButton(form4, "OkButton");
      });
      clickButton(dialog, "Button_Append");
      clickButton(dialog, "Button_OK");
    });
    dialogs.runSettingsForNoData();
    QCOMPARE(folder.starter.calls.size(), std::size_t(3));
    QCOMPARE(folder.starter.calls[1].what, std::string("start"));
    QVERIFY(folder.settingsText().find("\r\n-ttftel.tel\r\n") != std::string::npos);
  }

  void noDataWithoutALogEndsWith230() {
    for (const char* button : {"Button_OK", "Button_NG"}) {
      const std::string original = crlfLines({"zelk Version 4.21", "=03"});
      test::ProgramFolder folder(original);
      DialogSet dialogs(folder.services);
      whenModal("Form3", [button](QDialog* dialog) { clickButton(dialog, button); });
      int code = 0;
      std::string message;
      try {
        dialogs.runSettingsForNoData();
      } catch (const FatalError& error) {
        code = error.code();
        message = error.message();
      }
      QCOMPARE(code, 230);
      QCOMPARE(message, test::sj("読み込みデータが設定されないので、終了します。"));
      QVERIFY(folder.starter.calls.empty());
      QCOMPARE(folder.settingsText(), original);
    }
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::DialogSetTest)
#include "dialog_set_test.moc"
