// The start-up sequence: the order of its steps, the no-data question and
// its endings, the main window shown and closed, fatal conditions, and the
// whole program run as a process.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"
#include "ui/qt/auto_answer.h"
#include "ui/qt/main_window.h"
#include "ui/qt/message_box_sink.h"
#include "ui/qt/no_data_dialog.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/startup_window.h"
#include "ui/ui_fixtures.h"

namespace zelk {
namespace {

using test::sj;

const char* const kNoDataMessage = "読み込みデータが設定されないので、終了します。";

std::vector<QString> utf8Messages(const RecordingSink& sink) {
  std::vector<QString> texts;
  for (const std::string& m : sink.messages) texts.push_back(qtText(m));
  return texts;
}

// A start-up with recorded messages, over a scratch program directory, run
// with the given services (the fake's, which note their steps, unless set).
struct Startup {
  test::ScratchDir dir;
  RecordingSink messages;
  ScopedMessageSink sink{messages};
  test::FakeStartupServices services;

  int run(const std::string& answers) { return run(services, answers); }
  int run(StartupServices& given, const std::string& answers) {
    StartupWindow window(dir.path(), {"=i", "-c log.txt"}, given);
    AutoAnswer answer(answers);
    return window.runSequence();
  }
};

// The fake with the calculation `run` in place of its own.
template <typename Run>
class CalculationOf : public test::FakeStartupServices {
 public:
  explicit CalculationOf(Run run) : run_(std::move(run)) {}
  CalculationOutcome calculate(const std::string&, const std::vector<std::string>&) override { return run_(); }

 private:
  Run run_;
};

// Answers every modal window the start-up shows and notes its name: the run's
// messages and the old-records question are answered as set, anything else
// is cancelled (Form7 then quits).
struct ModalAnswers {
  bool showOldMonths = false;
  std::vector<QString> shown;
  std::vector<QMessageBox::Icon> boxIcons;  // of each message box
  QString summary;
  QString question;
  QTimer timer;

  ModalAnswers() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      shown.push_back(dialog->objectName());
      if (dialog->objectName() == "RunMessages") {
        summary = dialog->findChild<QPlainTextEdit*>("Memo_Messages")->toPlainText();
        dialog->findChild<QPushButton*>("Button_OK")->click();
      } else if (auto* box = qobject_cast<QMessageBox*>(dialog); box && dialog->objectName() == "OldRecordsQuestion") {
        question = box->text();
        box->button(showOldMonths ? QMessageBox::Yes : QMessageBox::No)->click();
      } else {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) boxIcons.push_back(box->icon());
        dialog->reject();
      }
    });
    timer.start(20);
  }
};

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { installFontSubstitutions(); }

  void windowsCarryTheirNamesAndTexts() {
    test::FakeStartupServices services;
    StartupWindow window("/tmp/", {}, services);
    QCOMPARE(window.objectName(), QString("Form0"));
    QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QString::fromUtf8("zelk for Windowsを起動します"));
    QCOMPARE(window.timer().objectName(), QString("Timer1"));
    QCOMPARE(window.timer().interval(), 500);
    QVERIFY(window.timer().isSingleShot());

    NoDataDialog& form7 = window.noDataDialog();
    QCOMPARE(form7.objectName(), QString("Form7"));
    QCOMPARE(form7.findChild<QLabel*>("Label1")->text(), QString::fromUtf8("読み込みデータがありません。"));
    QCOMPARE(form7.findChild<QLabel*>("Label2")->text(),
             QString::fromUtf8("オプション設定して、データを読み込ませますか??"));
    auto* ok = form7.findChild<QPushButton*>("Ok_Button");
    auto* ng = form7.findChild<QPushButton*>("NG_Button");
    QCOMPARE(ok->text(), QString::fromUtf8("設定する"));
    QCOMPARE(ng->text(), QString::fromUtf8("やめる"));
    QTimer::singleShot(0, ok, [ok] { ok->click(); });
    QCOMPARE(form7.exec(), 1);
    QTimer::singleShot(0, ng, [ng] { ng->click(); });
    QCOMPARE(form7.exec(), 2);
  }

  void noMonthAndQuitEndsWith230() {
    Startup s;
    QCOMPARE(s.run("2"), 230);
    QCOMPARE(utf8Messages(s.messages), std::vector<QString>{QString::fromUtf8(kNoDataMessage)});
    const std::vector<std::string> steps = {"captions", "ma list " + s.dir.path(),
                                            "calculate " + s.dir.path() + " =i -c log.txt", "ma reference"};
    QCOMPARE(s.services.steps, steps);
    QVERIFY(test::readFile(s.dir.path() + "zelkwin.cfg").empty());
  }

  void noMonthWithoutASettingsDialogEndsWith230() {
    Startup s;
    QCOMPARE(s.run("1"), 230);
    QCOMPARE(utf8Messages(s.messages), std::vector<QString>{QString::fromUtf8(kNoDataMessage)});
  }

  void noMonthSettingsDialogEndings() {
    struct Case {
      const char* label;
      SettingsDialogAnswer dialogAnswer;
      int logs;
      int exitCode;
      bool stored;
    };
    const Case cases[] = {
        {"cancelled", SettingsDialogAnswer::Cancelled, 1, 230, false},
        {"OK without a log", SettingsDialogAnswer::Accepted, 0, 230, false},
        {"OK with a log restarts", SettingsDialogAnswer::Accepted, 2, 0, true},
    };
    // The settings dialog answers as the case says and notes the store.
    struct SettingsDialogServices : test::FakeStartupServices {
      explicit SettingsDialogServices(const Case& answers) : c(answers) {}
      SettingsDialogAnswer openSettingsDialog() override { return c.dialogAnswer; }
      int dialogLogCount() override { return c.logs; }
      void storeSettingsDialog() override { stored = true; }
      const Case& c;
      bool stored = false;
    };
    for (const Case& c : cases) {
      Startup s;
      SettingsDialogServices services(c);
      QVERIFY2(s.run(services, "1") == c.exitCode, c.label);
      QVERIFY2(services.stored == c.stored, c.label);
      QVERIFY2((services.steps.back() == "restart") == c.stored, c.label);
      QVERIFY2(s.messages.messages.empty() == c.stored, c.label);
    }
  }

  void aMonthIsShownWithTheWindowSettingsAndEscapeEndsWith0() {
    Startup s;
    s.services.months.count = 1;
    s.services.months.months[0] = test::monthWithSlots(1, sj("2000年 8月15日〆分"));
    s.dir.write("zelkwin.cfg", test::crlfLines({"F01T50", "F01L60", "F01H500", "F01W700", "F07T11", "F07L12",
                                                 "FPMP20", "PF_P0"}));
    StartupWindow window(s.dir.path(), {}, s.services);
    AutoAnswer answer("");
    QCOMPARE(window.runSequence(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.mainWindow().windowTitle(),
             QString::fromUtf8("zelk for Windows Version 4.21    [2000年 8月15日〆分]"));
    QCOMPARE(window.noDataDialog().pos(), QPoint(12, 11));
    QCOMPARE(window.mainWindow().size(), QSize(700, 500));

    WindowSettings written = defaultWindowSettings();
    readWindowSettings(s.dir.path() + "zelkwin.cfg", written);
    QCOMPARE(written.placement.at(PlacedWindow::Form7).top, 11);
    QCOMPARE(written.placement.mainWidth, 700);
    QCOMPARE(written.fonts.main.size, 20);
    QCOMPARE(written.placement.at(PlacedWindow::Form0).left, 200);
  }

  void fatalConditionsAreShownAndEndWithTheirCode() {
    Startup s;
    CalculationOf services([]() -> CalculationOutcome { fatalExit(255, sj("ファイルがオープンできません")); });
    QCOMPARE(s.run(services, ""), 255);
    QCOMPARE(utf8Messages(s.messages), std::vector<QString>{QString::fromUtf8("ファイルがオープンできません")});
    QCOMPARE(services.steps.back(), "ma list " + s.dir.path());
  }

  // A long history repeats its messages: they come in one window after the
  // run, each once with its count, and the fatal end still comes alone.
  void theRunsMessagesComeInOneWindow() {
    for (const bool fatal : {false, true}) {
      Startup s;
      MessageBoxSink boxes;
      ScopedMessageSink sink(boxes);
      MonthList months;
      months.count = 1;
      months.months[0] = test::monthWithSlots(1, sj("2000年 8月15日〆分"));
      CalculationOf services([&] {
        for (int year = 0; year < 24; ++year) {
          showMessage(sj("なんか、該当dataがないのぉ(:_;)[0999]"));
          showMessage(sj("この[0") + std::to_string(9000 + year) + sj("]って番号をzelk.cfgでセットしてね\n"));
        }
        showMessage(sj("この[09000]って番号をzelk.cfgでセットしてね\n"));
        if (fatal) fatalExit(254, sj("検針日が設定できません(-_-)\n"));
        return CalculationOutcome{months, RunSettings{}, std::nullopt};
      });
      ModalAnswers answers;
      StartupWindow window(s.dir.path(), {}, services);
      QCOMPARE(window.runSequence(), fatal ? 254 : 0);
      const std::vector<QString> shown = {"RunMessages", fatal ? "MessageBox" : "Form1"};
      QCOMPARE(answers.shown, shown);
      if (fatal) QCOMPARE(answers.boxIcons, std::vector<QMessageBox::Icon>{QMessageBox::Critical});
      const QStringList lines = answers.summary.split('\n');
      QCOMPARE(lines.size(), 25);
      QCOMPARE(lines[0], QString::fromUtf8("なんか、該当dataがないのぉ(:_;)[0999] (×24)"));
      QCOMPARE(lines[1], QString::fromUtf8("この[09000]って番号をzelk.cfgでセットしてね (×2)"));
      QCOMPARE(lines[24], QString::fromUtf8("この[09023]って番号をzelk.cfgでセットしてね"));
    }
  }

  // Connection names and paths come from files: a message box shows them as
  // written, never as markup; its icon says what kind of message it is.
  void messageBoxesShowOutsideTextAsPlainText() {
    const struct {
      MessageKind kind;
      QMessageBox::Icon icon;
    } cases[] = {{MessageKind::Notice, QMessageBox::Information},
                 {MessageKind::Warning, QMessageBox::Warning},
                 {MessageKind::Error, QMessageBox::Critical}};
    for (const auto& c : cases) {
      MessageBoxSink boxes;
      QString shown;
      Qt::TextFormat format = Qt::AutoText;
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      QTimer::singleShot(20, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        format = box->textFormat();
        icon = box->icon();
        box->reject();
      });
      boxes.show(sj("[<h1 style=\"color:red\">会社</h1><a href=\"x\">x</a>]の番号がありません"), c.kind);
      QCOMPARE(format, Qt::PlainText);
      QCOMPARE(shown, QString::fromUtf8("[<h1 style=\"color:red\">会社</h1><a href=\"x\">x</a>]の番号がありません"));
      QCOMPARE(icon, c.icon);
    }
  }

  // Logs older than the months kept: はい calculates again as if the newest
  // call's closing date were today; いいえ goes on to the no-data question.
  void oldLogsOfferTheirMonths() {
    for (const bool yes : {true, false}) {
      Startup s;
      std::vector<std::string> todays;
      CalculationOf services([&] {
        todays.push_back(isoDateText(today()));
        CalculationOutcome outcome{MonthList{}, RunSettings{}, NewestCallBeforeWindow{{2001, 3, 18}, {2001, 3, 31}}};
        if (todays.size() == 2) {
          outcome.months.count = 1;
          outcome.months.months[0] = test::monthWithSlots(1, sj("2001年 3月31日〆分"));
          outcome.newestCallBeforeWindow.reset();
        }
        return outcome;
      });
      ModalAnswers answers;
      answers.showOldMonths = yes;
      StartupWindow window(s.dir.path(), {}, services);
      const int exitCode = window.runSequence();
      setToday(std::nullopt);
      QCOMPARE(answers.question, QString::fromUtf8("記録は2001年3月18日までです。その日までの記録を表示しますか?"));
      if (yes) {
        QCOMPARE(exitCode, 0);
        QCOMPARE(todays.size(), std::size_t{2});
        QCOMPARE(todays[1], std::string("2001-03-31"));
        QCOMPARE(answers.shown, (std::vector<QString>{"OldRecordsQuestion", "Form1"}));
      } else {
        QCOMPARE(exitCode, 230);
        QCOMPARE(todays.size(), std::size_t{1});
        QCOMPARE(answers.shown, (std::vector<QString>{"OldRecordsQuestion", "Form7"}));
      }
    }
  }

  void theTimerRunsTheSequenceOnce() {
    Startup s;
    StartupWindow window(s.dir.path(), {}, s.services);
    AutoAnswer answer("2");
    QSignalSpy finished(&window, &StartupWindow::finished);
    window.start();
    QVERIFY(window.isVisible());
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().first().toInt(), 230);
    QVERIFY(!window.timer().isActive());
    QCOMPARE(s.services.steps.size(), std::size_t{4});
  }

  // The program itself with an empty program directory (only ma.zlk): the
  // calculation finds no log, the question is answered "やめる".
  void theProgramWithoutDataEndsWith230() {
    const std::string binary = ZELKWIN_BINARY;
    if (binary.empty() || !std::filesystem::exists(binary)) QSKIP("zelkwin is not built");
    test::ScratchDir home;
    home.write("ma.zlk", test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk"));
    for (const char* answer : {"2", "1"}) {
      const test::ProcessResult result = test::runCommand(
          test::shellQuote(binary), home.path(),
          {"ZELK_HOME=" + home.path(), "QT_QPA_PLATFORM=offscreen", std::string(kAutoAnswerVariable) + "=" + answer});
      QVERIFY2(result.exitCode == 230, result.err.c_str());
      QVERIFY2(result.err.find(kNoDataMessage) != std::string::npos, result.err.c_str());
    }
  }
};

}  // namespace zelk

QTEST_MAIN(zelk::StartupTest)
#include "startup_test.moc"
