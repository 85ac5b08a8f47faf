// Pictures of the settings dialog's six pages, the fee-table window, the
// MA reference list, the year comparison of the demo's months and 通話明細 (the
// newest month up to 2001-03-31) with its check of a bill made from those
// calls, drawn as they show the demo settings, for the README:
//
//   window_pictures PROGRAM_DIR OUTPUT_DIR
//
// Runs on any Qt platform, offscreen included (scripts/screenshot --dialogs).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "run/calculation.h"
#include "tariff/ma_data.h"
#include "platform/cp932.h"
#include "ui/qt/calls_window.h"
#include "ui/qt/dialog_set.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/year_window.h"

namespace {

// The month's calls as a carrier's itemised bill, CP932 with hyphenated
// numbers, that differs from the logs in three ways: the third call billed
// 30 yen more, the last one missing, and a call the logs do not have.
std::string demoBill(const zelk::MonthCalls& calls) {
  std::string bill = zelk::sjis("通話日,通話開始時刻,通話先電話番号,通話時間,通話料金\r\n");
  for (std::size_t i = 0; i + 1 < calls.calls.size(); ++i) {
    const zelk::CallLine& call = calls.calls[i];
    const int yen = 10 * (call.outOfPrefecture ? call.comUnits : call.feeUnits) + (i == 2 ? 30 : 0);
    char row[160];
    std::snprintf(row, sizeof row, "%s,%s,%s-%s-%s,%02d:%02d:%02d,%d\r\n", call.start.substr(0, 10).c_str(),
                  call.start.substr(11).c_str(), call.number.substr(0, 2).c_str(), call.number.substr(2, 4).c_str(),
                  call.number.substr(6).c_str(), call.seconds / 3600, call.seconds / 60 % 60, call.seconds % 60, yen);
    bill += row;
  }
  return bill + "2001-03-12,19:02:44,03-3556-2210,00:12:05,50\r\n";
}

bool save(QWidget& widget, const QString& path) {
  widget.show();
  QApplication::processEvents();
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", path.toUtf8().constData());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: window_pictures PROGRAM_DIR OUTPUT_DIR\n");
    return 2;
  }
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  zelk::installFontSubstitutions();
  zelk::StderrSink messages;
  zelk::ScopedMessageSink sink(messages);

  std::string programDir = argv[1];
  if (programDir.empty() || programDir.back() != '/') programDir += '/';
  const QString out = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(out);
  try {
    QDir::setCurrent(QString::fromLocal8Bit(programDir.c_str()));
    zelk::MaList maList = zelk::loadMaList(zelk::maDataPath(programDir));
    zelk::MaDataFile maSearch(zelk::maDataPath(programDir));
    zelk::DialogSet dialogs(zelk::DialogServices{programDir, &maList, &maSearch, nullptr, nullptr});
    zelk::SettingsDialog& form3 = dialogs.form3();
    form3.load();
    auto* pages = form3.findChild<QTabWidget*>();
    bool saved = true;
    for (int page = 0; pages && page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      saved &= save(form3, out + QString("/settings-page%1.png").arg(page + 1));
    }
    zelk::FeeTableWindow& form8 = dialogs.form8();
    form8.preselect(zelk::DistanceBand::Upto60km);
    form8.showTab(0);
    saved &= save(form8, out + "/fee-table.png");
    // The MA reference list as a double-click in the origin edit opens it,
    // with the demo's own MA found by typing its first characters.
    zelk::MaReferenceDialog& maRef = dialogs.maRef();
    maRef.show();
    if (auto* list = maRef.findChild<QListWidget*>(QStringLiteral("ListBox"))) list->keyboardSearch(QStringLiteral("東京"));
    saved &= save(maRef, out + "/ma-reference.png");
    // The demo's twelve months, as on the last day of its logs.
    if (!std::getenv("ZELK_TODAY")) zelk::setToday(zelk::LocalDate{2001, 3, 31});
    zelk::RunResult run;
    zelk::runCalculation({programDir, {}}, run);
    zelk::YearWindow year;
    year.resize(720, 600);
    year.showYear(run.months, run.settings);
    saved &= save(year, out + "/year-window.png");
    // 通話明細 of the demo's newest month, as the view menu opens it.
    const int newest = run.months.count - 1;
    zelk::CallsWindow calls(zelk::monthCalls(run, newest), run.months.months[newest].title);
    calls.resize(1060, 330);
    calls.show();
    saved &= save(calls, out + "/calls-window.png");
    // 請求書と照合… with a bill made from those calls.
    const QString billPath = out + "/demo-bill.csv";
    QFile bill(billPath);
    saved &= bill.open(QIODevice::WriteOnly) && bill.write(QByteArray::fromStdString(demoBill(zelk::monthCalls(run, newest)))) > 0;
    bill.close();
    saved &= calls.checkBill(billPath);
    QFile::remove(billPath);
    calls.resize(1060, 380);
    saved &= save(calls, out + "/bill-check.png");
    return saved ? 0 : 1;
  } catch (const zelk::FatalError& error) {
    messages.show(error.message(), zelk::MessageKind::Error);
    return error.code();
  }
}
