// zelk: the command line. Runs the calculation with the settings file and the
// option lines given as arguments, and prints the months for a person or, with
// --json, as one JSON object for scripts.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/calls_report.h"
#include "app/json_report.h"
#include "app/summary_report.h"
#include "app/text_report.h"
#include "engine/calculation_run.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/model/year_summary.h"

namespace {

constexpr const char* kUsage =
    "usage: zelk [--json] [--summary] [--csv] [--calls] [--help] [--version] [--today=YYYY-MM-DD] [report options] [OPTION_LINE ...]\n"
    "\n"
    "Every argument that does not start with \"--\" is one option line of zelk.cfg,\n"
    "applied after the settings file:\n"
    "  =d<n> / =de   meter-reading day n / month end      =l<n>  keep the latest n months\n"
    "  =0<number>    your own telephone number (its MA)   =i     ISDN line\n"
    "  =t / =q       Tokyo / Kyushu regional carrier      =k     KDDI 001\n"
    "  =10<list> =15<list> =30<list>  Telechoice and its area codes (=&10 keeps the list)\n"
    "  =e  estimate the current month   =f  recompute every fee   =z  Flets ISDN\n"
    "  =#  show the own MA's prefixes   =r  forget the logs declared so far\n"
    "  !XY-          hide switch: bit Y of byte X\n"
    "  -a1 -a2 -nt -v1 -c -t -w -h -k -mf -r  followed by a path: declare a log\n"
    "\n"
    "Report options (without --json):\n"
    "  --month N     show stored month N (1 is the oldest; default: the newest)\n"
    "  --all         show every stored month\n"
    "  --estimate    show the projection of the current month\n"
    "  --summary     compare the plans over the stored months (also with --json)\n"
    "  --csv         every stored month as a CSV row (UTF-8 with BOM); with --calls,\n"
    "                the month's calls\n"
    "\n"
    "  --today=YYYY-MM-DD  take this day as today: the months kept are those up to\n"
    "                it (for logs older than the last 12 months; also with --json)\n"
    "\n"
    "Environment:\n"
    "  ZELK_HOME=DIR          program directory (zelk.cfg, ma.zlk); default: the\n"
    "                         directory of the executable\n"
    "  ZELK_TODAY=YYYY-MM-DD  today's date (--today= wins)\n";

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

// --calls: the run's stored month `month` (1 the oldest, 0 the newest) call
// by call; the replay of the month gives the same figures as the run.
int printCalls(const zelk::CalculationRun& run, int month, bool json, bool csv) {
  const zelk::MonthList& list = run.monthList();
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
  const auto calls = zelk::monthCalls(run.inputs(), month - 1);
  const std::string text = json ? zelk::callsJson(result, calls)
                           : csv ? zelk::callsCsv(calls)
                                 : zelk::callsText(result, calls);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) try {
  bool json = false;
  bool calls = false;
  bool summary = false;
  bool csv = false;
  zelk::ReportChoice choice;
  std::vector<std::string> optionLines;
  std::vector<std::string> argsButToday;  // for the command the newest-call hint shows
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strncmp(arg, "--today=", 8) != 0) argsButToday.emplace_back(arg);
    if (std::strncmp(arg, "--", 2) != 0) {
      optionLines.emplace_back(arg);
    } else if (!std::strcmp(arg, "--json")) {
      json = true;
    } else if (!std::strcmp(arg, "--summary")) {
      summary = true;
    } else if (!std::strcmp(arg, "--csv")) {
      csv = true;
    } else if (!std::strcmp(arg, "--help")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!std::strcmp(arg, "--version")) {
      std::puts("zelk Version " ZELK_VERSION_TEXT);
      return 0;
    } else if (!std::strcmp(arg, "--calls")) {
      calls = true;
    } else if (!std::strcmp(arg, "--all")) {
      choice.all = true;
    } else if (!std::strcmp(arg, "--estimate")) {
      choice.estimate = true;
    } else if (!std::strcmp(arg, "--month") && i + 1 < argc) {
      choice.month = std::atoi(argv[++i]);
      argsButToday.emplace_back(argv[i]);
    } else if (!std::strncmp(arg, "--today=", 8)) {
      const auto date = zelk::parseIsoDate(arg + 8);
      if (!date) {
        std::fprintf(stderr, "zelk: --today needs a date that exists, as YYYY-MM-DD: '%s'\nTry 'zelk --help'.\n",
                     arg + 8);
        return 2;
      }
      zelk::setToday(*date);
    } else {
      std::fprintf(stderr, "zelk: unknown option %s\n%s", arg, kUsage);
      return 2;
    }
  }

  if (csv && json) {
    std::fputs("zelk: --csv and --json cannot be combined\nTry 'zelk --help'.\n", stderr);
    return 2;
  }

  // --json lists every message in order; the text report gathers them and
  // shows each once, with its count, after the run.
  zelk::RecordingSink recorder;
  zelk::StderrSink stderrSink;
  zelk::ScopedMessageSink sink(recorder);

  zelk::CalculationRun run(zelk::programDirectory(argv[0]), optionLines);
  int exitCode = 0;
  const zelk::FatalError* fatal = nullptr;
  std::optional<zelk::FatalError> caught;
  try {
    run.run();
  } catch (const zelk::FatalError& error) {
    caught = error;
  } catch (const std::exception& error) {
    caught = zelk::unexpectedFailure(error);
  }
  if (caught) {
    fatal = &*caught;
    exitCode = caught->code();
  }

  if (calls && !fatal) {
    if (!json) stderrSink.showTally(zelk::tallyOf(recorder.messages));
    return printCalls(run, choice.month, json, csv);
  }
  if (json) {
    std::string text = zelk::jsonReport(run, recorder.messages, fatal, summary);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return exitCode;
  }
  stderrSink.showTally(zelk::tallyOf(recorder.messages));
  if (fatal) {
    stderrSink.show(fatal->message());
    return exitCode;
  }
  std::string text = csv       ? zelk::yearCsv(run.monthList(), run.handedOverSettings())
                     : summary ? zelk::summaryText(run)
                               : zelk::textReport(run, choice);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (const auto& newest = run.newestCallBeforeWindow()) printNewestCallHint(*newest, argsButToday);
  return 0;
} catch (const std::exception& error) {
  // Out of memory while reporting, say: a message and a fatal code, never an abort.
  const zelk::FatalError failure = zelk::unexpectedFailure(error);
  zelk::StderrSink().show(failure.message());
  return failure.code();
}
