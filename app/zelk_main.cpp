// zelk: the command line. Runs the calculation with the settings file and the
// option lines given as arguments, and prints the months for a person or, with
// --json, as one JSON object for scripts.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/bill_report.h"
#include "app/calls_report.h"
#include "app/command_line.h"
#include "app/json_report.h"
#include "app/summary_report.h"
#include "app/text_report.h"
#include "bill/bill_check_table.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/standard_output.h"
#include "run/calculation.h"
#include "run/settings_check.h"
#include "tariff/ma_data.h"
#include "ui/model/bill_calls.h"
#include "ui/model/year_summary.h"

namespace {

// The argument as a shell reads it back.
std::string shellWord(const std::string& text) {
  if (!text.empty() && text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              "0123456789=-_./:,+%@") == std::string::npos)
    return text;
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Old logs: every call lies before the months kept. Says up to when the logs
// go and the command that shows their months.
void printNewestCallHint(const zelk::NewestCallBeforeWindow& newest, const std::vector<std::string>& otherArgs) {
  std::string command = "zelk --today=" + zelk::isoDateText(newest.closingDate);
  for (const auto& arg : otherArgs) command += " " + shellWord(arg);
  std::fprintf(stderr,
               "The newest call in the logs is of %s, before the months kept (those up to today).\n"
               "To show the months up to it:\n  %s\n",
               zelk::isoDateText(newest.date).c_str(), command.c_str());
}

// zelk --check: 0 when the settings hold nothing the reading ignores or cuts.
int checkSettings(const std::string& programDir, const std::vector<std::string>& optionLines) {
  try {
    zelk::MaDataFile maData(zelk::maDataPath(programDir));
    const auto items = zelk::checkSettings(programDir, optionLines, maData);
    const std::string text = zelk::toUtf8(zelk::checkReportText(items));
    zelk::writeStandardOutput(text);
    return items.empty() ? 0 : 1;
  } catch (const zelk::FatalError& error) {  // the MA data cannot be read
    zelk::StderrSink().show(error.message(), zelk::MessageKind::Error);
    return error.code();
  }
}

// --calls: the run's stored month `month` (1 the oldest, 0 the newest) call
// by call; the replay of the month gives the same figures as the run.
int printCalls(const zelk::RunResult& run, int month, bool json, bool csv) {
  const zelk::MonthList& list = run.months;
  if (list.count == 0) {
    std::fputs("zelk: --calls: no month is stored (no calls in the months kept)\n", stderr);
    return 1;
  }
  if (month == 0) month = list.count;
  if (month < 1 || month > list.count) {
    std::fprintf(stderr, "zelk: --month %d: the stored months are 1 to %d\nTry 'zelk --help'.\n", month, list.count);
    return 2;
  }
  const zelk::MonthResult& result = list.months[static_cast<std::size_t>(month - 1)];
  zelk::MonthCalls calls;
  try {
    calls = zelk::monthCalls(run, month - 1);
  } catch (const zelk::FatalError& error) {
    // A log changed or gone since the run: no list rather than another month's.
    if (json)
      zelk::writeStandardOutput(zelk::callsFatalJson(error));
    else
      zelk::StderrSink().show(error.message(), zelk::MessageKind::Error);
    return error.code();
  }
  const std::string text = json ? zelk::callsJson(result, calls)
                           : csv ? zelk::callsCsv(calls)
                                 : zelk::callsText(result, calls);
  zelk::writeStandardOutput(text);
  return 0;
}

// --bill: the carrier's itemised bill against the calls of stored month
// `month` (1 the oldest, 0 the newest): 0 when everything agrees, 1 when
// something differs, 2 for a bill that cannot be read.
int printBillCheck(const zelk::RunResult& run, const zelk::CommandLine& args) {
  const zelk::MonthList& list = run.months;
  int month = args.choice.month;
  if (list.count == 0) {
    std::fputs("zelk: --bill: no month is stored (no calls in the months kept)\n", stderr);
    return 1;
  }
  if (month == 0) month = list.count;
  if (month < 1 || month > list.count) {
    std::fprintf(stderr, "zelk: --month %d: the stored months are 1 to %d\nTry 'zelk --help'.\n", month, list.count);
    return 2;
  }
  zelk::BillMatchRules rules;
  rules.startTolerance = args.tolerance;
  if (args.carrier) {
    rules.carrier = zelk::carrierOfKey(*args.carrier);
    if (rules.carrier && !zelk::pricesCarrier(run.settings, *rules.carrier)) {
      std::fprintf(stderr, "zelk: --carrier %s: the settings do not price this carrier (=t, =q or =k)\n"
                           "Try 'zelk --help'.\n", args.carrier->c_str());
      return 2;
    }
  }
  zelk::BillCheck check;
  try {
    check = zelk::checkBill(*args.billPath, zelk::monthCalls(run, month - 1), rules);
  } catch (const zelk::FatalError& error) {
    if (args.json)
      zelk::writeStandardOutput(zelk::billFatalJson(error));
    else
      zelk::StderrSink().show(error.message(), zelk::MessageKind::Error);
    return error.code();
  }
  const zelk::MonthResult& result = list.months[static_cast<std::size_t>(month - 1)];
  const std::string text = args.json ? zelk::billJson(result, check, rules)
                           : args.csv ? zelk::billCheckCsv(check)
                                      : zelk::billText(result, check);
  zelk::writeStandardOutput(text);
  return check.totals.allMatched() ? zelk::kBillAgrees : zelk::kBillDiffers;
}

int runZelk(int argc, char** argv) try {
  zelk::CommandLine args;
  try {
    args = zelk::parseCommandLine(argc, argv);
  } catch (const zelk::UsageError& error) {
    std::fprintf(stderr, "zelk: %s\nTry 'zelk --help'.\n", error.what());
    return 2;
  }
  // Help, the version, --check and usage errors make no file or folder:
  // only a run makes the program directory.
  if (args.help) {
    const std::string programDir = zelk::programDirectory(argv[0], zelk::MakeFolder::No);
    zelk::writeStandardOutput(zelk::usageText(programDir + "zelk.cfg"));  // a console's own characters on Windows
    return 0;
  }
  if (args.version) {
    std::puts("zelk Version " ZELK_VERSION_TEXT);
    return 0;
  }
  if (args.today) zelk::setToday(*args.today);
  if (args.check) return checkSettings(zelk::programDirectory(argv[0], zelk::MakeFolder::No), args.optionLines);

  const std::string programDir =
      zelk::programDirectory(argv[0], args.readOnly ? zelk::MakeFolder::No : zelk::MakeFolder::Yes);

  // --json lists every message in order; the text report gathers them and
  // shows each once, with its count, after the run.
  zelk::RecordingSink recorder;
  zelk::StderrSink stderrSink;
  zelk::ScopedMessageSink sink(recorder);

  const zelk::RunRequest request{programDir, args.optionLines, !args.noIndex,
                                 args.readOnly ? zelk::SettingsWrites::None : zelk::SettingsWrites::Allowed};
  zelk::RunResult run;
  int exitCode = 0;
  const zelk::FatalError* fatal = nullptr;
  std::optional<zelk::FatalError> caught;
  try {
    zelk::runCalculation(request, run);
  } catch (const zelk::FatalError& error) {
    caught = error;
  } catch (const std::exception& error) {
    caught = zelk::unexpectedFailure(error);
  }
  if (caught) {
    fatal = &*caught;
    exitCode = caught->code();
  }

  if (args.billPath && !fatal) {
    if (!args.json) stderrSink.showTally(zelk::tallyOf(recorder.messages));
    return printBillCheck(run, args);
  }
  if (args.billPath && args.json) {
    zelk::writeStandardOutput(zelk::billFatalJson(*fatal));
    return exitCode;
  }
  if (args.calls && !fatal) {
    if (!args.json) stderrSink.showTally(zelk::tallyOf(recorder.messages));
    return printCalls(run, args.choice.month, args.json, args.csv);
  }
  // A script that asked for the calls reads the calls object, fatal or not.
  if (args.calls && args.json) {
    zelk::writeStandardOutput(zelk::callsFatalJson(*fatal));
    return exitCode;
  }
  if (args.json) {
    std::string text = zelk::jsonReport(run, recorder.messages, fatal, args.summary);
    zelk::writeStandardOutput(text);
    return exitCode;
  }
  stderrSink.showTally(zelk::tallyOf(recorder.messages));
  if (fatal) {
    stderrSink.show(fatal->message(), zelk::MessageKind::Error);
    return exitCode;
  }
  std::string text = args.csv       ? zelk::yearCsv(run.months, run.settings)
                     : args.summary ? zelk::summaryText(run)
                                    : zelk::textReport(run, args.choice);
  zelk::writeStandardOutput(text);
  if (const auto& newest = run.newestCallBeforeWindow) printNewestCallHint(*newest, args.argsButToday);
  return 0;
} catch (const std::exception& error) {
  // Out of memory while reporting, say: a message and a fatal code, never an abort.
  const zelk::FatalError failure = zelk::unexpectedFailure(error);
  zelk::StderrSink().show(failure.message(), zelk::MessageKind::Error);
  return failure.code();
}

}  // namespace

// Every way out passes here: a report that did not reach a full disk is a failure.
int main(int argc, char** argv) { return zelk::closeStandardOutput("zelk", runZelk(argc, argv)); }
