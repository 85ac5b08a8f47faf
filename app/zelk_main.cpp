// zelk: the command line. Runs the calculation with the settings file and the
// option lines given as arguments, and prints the months for a person or, with
// --json, as one JSON object for scripts.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/json_report.h"
#include "app/text_report.h"
#include "engine/calculation_run.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace {

constexpr const char* kUsage =
    "usage: zelk [--json] [--help] [--version] [report options] [OPTION_LINE ...]\n"
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
    "\n"
    "Environment:\n"
    "  ZELK_HOME=DIR          program directory (zelk.cfg, ma.zlk); default: the\n"
    "                         directory of the executable\n"
    "  ZELK_TODAY=YYYY-MM-DD  today's date\n";

}  // namespace

int main(int argc, char** argv) try {
  bool json = false;
  zelk::ReportChoice choice;
  std::vector<std::string> optionLines;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strncmp(arg, "--", 2) != 0) {
      optionLines.emplace_back(arg);
    } else if (!std::strcmp(arg, "--json")) {
      json = true;
    } else if (!std::strcmp(arg, "--help")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!std::strcmp(arg, "--version")) {
      std::puts("zelk Version " ZELK_VERSION_TEXT);
      return 0;
    } else if (!std::strcmp(arg, "--all")) {
      choice.all = true;
    } else if (!std::strcmp(arg, "--estimate")) {
      choice.estimate = true;
    } else if (!std::strcmp(arg, "--month") && i + 1 < argc) {
      choice.month = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "zelk: unknown option %s\n%s", arg, kUsage);
      return 2;
    }
  }

  zelk::RecordingSink recorder;
  zelk::StderrSink stderrSink;
  zelk::ScopedMessageSink sink(json ? static_cast<zelk::MessageSink&>(recorder) : stderrSink);

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

  if (json) {
    std::string text = zelk::jsonReport(run, recorder.messages, fatal);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return exitCode;
  }
  if (fatal) {
    stderrSink.show(fatal->message());
    return exitCode;
  }
  std::string text = zelk::textReport(run, choice);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
} catch (const std::exception& error) {
  // Out of memory while reporting, say: a message and a fatal code, never an abort.
  const zelk::FatalError failure = zelk::unexpectedFailure(error);
  zelk::StderrSink().show(failure.message());
  return failure.code();
}
