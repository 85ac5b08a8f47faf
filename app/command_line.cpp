#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <string_view>

namespace zelk {
namespace {

constexpr const char* kOptionLines =
    "Every argument that does not start with \"--\" is one option line of zelk.cfg,\n"
    "applied after the settings file, in the order given:\n"
    "  =d<n> / =de   meter-reading day n / month end      =l<n>  keep the latest n months\n"
    "  =0<number>    your own telephone number (its MA)   =i     ISDN line\n"
    "  =t / =q       Tokyo / Kyushu regional carrier      =k     KDDI 001\n"
    "  =10<list> =15<list> =30<list>  Telechoice and its area codes (=&10 keeps the list)\n"
    "  =e  estimate the current month   =f  recompute every fee   =z  Flets ISDN\n"
    "  =#  show the own MA's prefixes   =r  forget the logs declared so far\n"
    "  !XY-          hide switch: bit Y of byte X\n"
    "  -a1 -a2 -nt -v1 -c -t -w -h -k -mf -r  followed by a path: declare a log\n";

constexpr const char* kEnvironment =
    "Environment:\n"
    "  ZELK_HOME=DIR          program directory (zelk.cfg, zelk.idx); default: the\n"
    "                         executable's directory when it holds ma.zlk, else\n"
    "                         $XDG_CONFIG_HOME/zelk/ (~/.config/zelk/)\n"
    "  ZELK_TODAY=YYYY-MM-DD  today's date (--today wins)\n"
    "  ZELK_NO_INDEX=1        as --no-index (also for zelkwin)\n";

std::string validMonth(std::string& text) {
  const bool digits = !text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || std::stoi(text) < 1 || std::stoi(text) > 12)
    return "needs a stored month from 1 (the oldest) to 12, not '" + text + "'";
  return {};
}

std::string validTolerance(std::string& text) {
  const bool digits = !text.empty() && text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits || std::stoi(text) > 86400) return "needs whole seconds from 0 to 86400, not '" + text + "'";
  return {};
}

std::string validCarrier(std::string& text) {
  for (const char* name : {"ntt", "com", "ttnet", "qtnet", "kddi"})
    if (text == name) return {};
  return "needs one of ntt, com, ttnet, qtnet, kddi, not '" + text + "'";
}

std::string validDate(std::string& text) {
  if (!parseIsoDate(text)) return "needs a date that exists, as YYYY-MM-DD: '" + text + "'";
  return {};
}

// The flags, with the values they fill. A new flag is one line here.
struct Flags {
  CLI::App app{"zelk: estimates the telephone charges of the declared logs and the cheapest plan."};
  CommandLine line;
  std::string month;
  std::string today;
  std::string bill;
  std::string tolerance;
  std::string carrier;

  Flags() {
    app.set_help_flag();
    app.get_formatter()->column_width(22);
    app.allow_extras();  // the option lines, kept in order
    app.add_flag("--help", line.help, "show this text and exit");
    app.add_flag("--version", line.version, "show the version and exit");
    CLI::Option* json = app.add_flag("--json", line.json, "print the run as one JSON object (for scripts)");
    CLI::Option* check = app.add_flag(
        "--check", line.check,
        "run nothing: list the lines of zelk.cfg and the option lines that the reading "
        "ignores or cuts, with their line numbers (exit 1 when there is one)");
    // A value given twice: the last one counts, as in other tools.
    CLI::Option* monthFlag =
        app.add_option("--month", month, "show stored month N (1 is the oldest; default: the newest)")
            ->type_name("N")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->check(CLI::Validator(validMonth, ""));
    CLI::Option* all = app.add_flag("--all", line.choice.all, "show every stored month");
    CLI::Option* estimate =
        app.add_flag("--estimate", line.choice.estimate, "show the projection of the current month");
    CLI::Option* summary =
        app.add_flag("--summary", line.summary, "compare the plans over the stored months (also with --json)");
    CLI::Option* calls = app.add_flag("--calls", line.calls, "show every call of the month (--month N) with its cost");
    CLI::Option* csv = app.add_flag(
        "--csv", line.csv, "every stored month as a CSV row (UTF-8 with BOM); with --calls, the month's calls; "
                   "with --bill, the check's rows");
    CLI::Option* billFlag =
        app.add_option("--bill", bill,
                       "check the carrier's itemised bill (CSV) against the month's calls (--month N); "
                       "exit 1 when they differ")
            ->type_name("FILE")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    CLI::Option* toleranceFlag =
        app.add_option("--tolerance", tolerance,
                       "with --bill: seconds a bill's start may lie from the logged start (default 120)")
            ->type_name("SECONDS")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->check(CLI::Validator(validTolerance, ""));
    CLI::Option* carrierFlag =
        app.add_option("--carrier", carrier,
                       "with --bill: hold each row against this carrier's estimate, not the counted units")
            ->type_name("ntt|com|ttnet|qtnet|kddi")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->check(CLI::Validator(validCarrier, ""));
    app.add_flag("--no-index", line.noIndex,
                 "neither read nor write zelk.idx, the index of the logs' old records (same answer, slower)");
    app.add_flag("--read-only", line.readOnly,
                 "compute and report as usual but write nothing: no zelk.cfg rewrite, backup, index or lock file");
    app.add_option("--today", today,
                   "take this day as today: the months kept are those up to it")
        ->type_name("YYYY-MM-DD")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator(validDate, ""));
    // The flags that ask for different things (CLI11 makes each pair mutual).
    monthFlag->excludes(all)->excludes(estimate);
    all->excludes(estimate);
    summary->excludes(calls);
    billFlag->excludes(calls)->excludes(summary)->excludes(all)->excludes(estimate);
    toleranceFlag->needs(billFlag);
    carrierFlag->needs(billFlag);
    json->excludes(csv);
    check->excludes(json)->excludes(csv)->excludes(summary)->excludes(calls);
    check->excludes(monthFlag)->excludes(all)->excludes(estimate)->excludes(billFlag);
  }
};

// The flag a CLI11 message begins with ("--month: ..."), or the message.
std::string flagOf(const std::string& message) { return message.substr(0, message.find(':')); }

std::string usageLine(const CLI::ParseError& error, const CLI::App& app) {
  const std::string message = error.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
    const std::string flag = flagOf(message);
    const CLI::Option* option = app.get_option_no_throw(flag);
    return flag + " needs a value" + (option ? ", " + option->get_type_name() : std::string());
  }
  if (dynamic_cast<const CLI::ExcludesError*>(&error)) {
    // "--json excludes --csv"
    const std::size_t between = message.find(" excludes ");
    if (between != std::string::npos)
      return message.substr(0, between) + " and " + message.substr(between + 10) + " cannot be combined";
  }
  if (dynamic_cast<const CLI::ValidationError*>(&error)) {
    // "--month: needs ...": the flag and what it needs, as one sentence.
    const std::string flag = flagOf(message);
    return flag + message.substr(std::min(message.size(), flag.size() + 1));
  }
  return message;
}

// The date ZELK_TODAY sets, refused as --today's would be; none when unset.
std::optional<LocalDate> todayFromEnvironment() {
  const char* text = std::getenv("ZELK_TODAY");
  if (!text || !*text) return std::nullopt;
  const auto date = parseIsoDate(text);
  if (!date) throw UsageError(std::string("ZELK_TODAY needs a date that exists, as YYYY-MM-DD: '") + text + "'");
  return date;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
  // "--" ends the flags: every argument after it is an option line, even one
  // that begins with "--".
  int flagCount = 1;
  while (flagCount < argc && std::string_view(argv[flagCount]) != "--") ++flagCount;
  Flags flags;
  try {
    flags.app.parse(flagCount, argv);
  } catch (const CLI::ParseError& error) {
    throw UsageError(usageLine(error, flags.app));
  }
  CommandLine line = std::move(flags.line);
  for (std::string& arg : flags.app.remaining()) {
    if (arg.starts_with("--")) throw UsageError("unknown option " + arg);
    line.optionLines.push_back(std::move(arg));
  }
  for (int i = flagCount + 1; i < argc; ++i) line.optionLines.emplace_back(argv[i]);
  if (!flags.month.empty()) line.choice.month = std::stoi(flags.month);
  if (flags.app.count("--bill")) line.billPath = flags.bill;
  if (!flags.tolerance.empty()) line.tolerance = std::stoi(flags.tolerance);
  if (!flags.carrier.empty()) line.carrier = flags.carrier;
  if (flags.app.count("--today"))
    line.today = parseIsoDate(flags.today);
  else if (!line.help && !line.version)
    line.today = todayFromEnvironment();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--today" && i + 1 < argc)
      ++i;
    else if (!arg.starts_with("--today="))
      line.argsButToday.push_back(arg);
  }
  return line;
}

std::string usageText(const std::string& settingsPath) {
  Flags flags;
  flags.app.name("zelk");
  flags.app.footer(std::string("\n") + kOptionLines + "\nSettings file: " + settingsPath + "\n" +
                   kEnvironment + "\nThe manual: man zelk\n");
  std::string text = flags.app.help();
  return text;
}

}  // namespace zelk
