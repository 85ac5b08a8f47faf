// The zelk command line: its own flags and the --json contract.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>

#include "platform/cp932.h"
#include "platform/messages.h"

#include "support/test_support.h"

namespace zelk {
namespace {

using nlohmann::json;

test::ProcessResult runZelk(const test::ScratchDir& home, const std::string& args,
                            const std::string& today = "2001-03-20") {
  return test::runCommand(test::shellQuote(ZELK_BINARY) + " " + args, home.path(),
                          {"ZELK_HOME=" + home.path(), "ZELK_TODAY=" + today});
}

TEST(CommandLine, VersionHelpAndUnknownFlags) {
  test::ScratchDir home;
  auto version = runZelk(home, "--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "zelk Version 4.21\n");

  auto help = runZelk(home, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("ZELK_TODAY"), std::string::npos);
  EXPECT_NE(help.out.find("=d<n>"), std::string::npos);

  // The settings file it would read, in the program directory it resolved.
  EXPECT_NE(help.out.find("Settings file: " + home.path() + "zelk.cfg\n"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("man zelk"), std::string::npos);
  // Where the program directory lies without ZELK_HOME, as the manual says.
  EXPECT_NE(help.out.find("$XDG_CONFIG_HOME/zelk/"), std::string::npos) << help.out;
}

TEST(CommandLine, BadFlagsAreOneLineNamingTheArgument) {
  test::ScratchDir home;
  const struct {
    const char* args;
    const char* named;
  } cases[] = {
      {"--bogus", "--bogus"},           {"=d15 --month=99", "'99'"},  {"--month abc", "'abc'"},
      {"--month=0", "'0'"},             {"--month", "--month"},       {"--month=", "--month"},
      {"--today", "YYYY-MM-DD"},        {"-h --nope -nt", "--nope"},
  };
  for (const auto& c : cases) {
    auto result = runZelk(home, c.args);
    EXPECT_EQ(result.exitCode, 2) << c.args;
    EXPECT_TRUE(result.out.empty()) << c.args;
    EXPECT_NE(result.err.find(c.named), std::string::npos) << c.args << ": " << result.err;
    const auto firstLineEnd = result.err.find('\n');
    EXPECT_EQ(result.err.substr(firstLineEnd + 1), "Try 'zelk --help'.\n") << c.args;
  }
  EXPECT_FALSE(std::filesystem::exists(home.path() + "zelk.cfg"));  // nothing was run
}

TEST(CommandLine, EveryOtherArgumentIsAnOptionLineInOrder) {
  test::ScratchDir home;
  // "-h" declares a HideTerm log, not help; "=r" then drops it and "-wmissing.tel"
  // declares the one that is missing. Both month forms take their value.
  for (const char* month : {"--month 1", "--month=1"}) {
    auto result = runZelk(home, std::string("-hgone.txt =r ") + month + " -wmissing.tel");
    EXPECT_EQ(result.exitCode, 255) << month << result.err;
    EXPECT_NE(result.err.find("all data is/are closed by -r option"), std::string::npos);
    EXPECT_NE(result.err.find("Not found : missing.tel"), std::string::npos) << result.err;
  }
}

TEST(CommandLine, EmptyHomeCreatesTheSettingsFile) {
  test::ScratchDir home;
  auto result = runZelk(home, "--json");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  json report = json::parse(result.out);
  EXPECT_TRUE(report["months"].empty());
  EXPECT_TRUE(report["fatal"].is_null());
  ASSERT_EQ(report["messages"].size(), 1u);
  EXPECT_EQ(report["messages"][0], "making config. file : " + home.path() + "zelk.cfg\n\n");
  EXPECT_EQ(report["estimate"]["slots"].size(), 61u);
  EXPECT_EQ(test::readFile(home.path() + "zelk.cfg").substr(0, 19), "zelk Version 4.21\r\n");
}

TEST(CommandLine, FatalConditionsGiveTheirCodeAndNoMonths) {
  test::ScratchDir home;
  home.write("zelk.cfg", test::crlfLines({"zelk Version 4.21", "-wmissing.tel"}));
  auto result = runZelk(home, "--json");
  EXPECT_EQ(result.exitCode, 255);
  json report = json::parse(result.out);
  EXPECT_TRUE(report["months"].empty());
  EXPECT_EQ(report["fatal"]["code"], 255);
  EXPECT_EQ(report["fatal"]["message"], "Not found : missing.tel\n");

  auto plain = runZelk(home, "");
  EXPECT_EQ(plain.exitCode, 255);
  EXPECT_NE(plain.err.find("Not found : missing.tel"), std::string::npos);
}

TEST(CommandLine, OptionLinesOverrideTheFile) {
  test::ScratchDir home;
  // A log declared on the command line is read although the file declares none;
  // =r on the command line drops what the file declared.
  home.write("zelk.cfg", test::crlfLines({"zelk Version 4.21", "-wmissing.tel"}));
  auto result = runZelk(home, "--json =r");
  EXPECT_EQ(result.exitCode, 0) << result.out;
  json report = json::parse(result.out);
  ASSERT_FALSE(report["messages"].empty());
  EXPECT_EQ(report["messages"][0], "all data is/are closed by -r option");
}

TEST(CommandLine, TheShippedMaDataPlacesTheOwnNumber) {
  // With the country's MA data, =0 and a Tokyo number make Tokyo the own MA,
  // which owns the whole area code 03.
  test::ScratchDir home;
  home.write("ma.zlk", test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk"));
  auto result = runZelk(home, "--json =0312345678 =#");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  json report = json::parse(result.out);
  ASSERT_EQ(report["messages"].size(), 2u);  // "making", then the origin report
  const std::string origin = report["messages"][1];
  EXPECT_EQ(origin.rfind("同一MA#  03\n", 0), 0u) << origin;
}

TEST(CommandLine, ADeviceOrFifoAsALogIsRefusedNotReadForever) {
  test::ScratchDir home;
  home.write("zelk.cfg", test::crlfLines({"zelk Version 4.21", "-w/dev/zero"}));
  auto result = runZelk(home, "");
  EXPECT_EQ(result.exitCode, 255);
  EXPECT_NE(result.err.find("Not found : /dev/zero"), std::string::npos);
}

TEST(CommandLine, RunningOutOfMemoryEndsWithAMessageNotAnAbort) {
  if (!test::kMemoryLimitsWork) GTEST_SKIP() << "the sanitizers cannot run under a memory limit";
  test::ScratchDir home;
  std::string maData = "This file is the NTT MA data list for the zelk program.\nVersion 3.51\n";
  const std::string block = "#####\nM\t1\t1\t1\n1\n9\n#\n0\n";
  while (maData.size() < (96u << 20)) maData += block;
  home.write("ma.zlk", maData + "#####\nend\n");
  home.write("zelk.cfg", test::crlfLines({"zelk Version 4.21", "=03"}));
  auto result = test::runCommand("sh -c " + test::shellQuote("ulimit -v 65536; exec " + test::shellQuote(ZELK_BINARY)),
                                 home.path(), {"ZELK_HOME=" + home.path(), "ZELK_TODAY=2001-03-20"});
  EXPECT_EQ(result.exitCode, 101) << result.err;
  EXPECT_FALSE(result.err.empty());
}

// The shipped demo: five logs of April 2000 to March 2001.
void writeDemo(const test::ScratchDir& home) {
  namespace fs = std::filesystem;
  fs::copy(std::string(ZELK_SOURCE_DIR) + "/data/demo", home.path(), fs::copy_options::recursive);
  home.write("ma.zlk", test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk"));
}

TEST(CommandLine, TodayMustBeADayThatExists) {
  test::ScratchDir home;
  for (const char* bad : {"--today=2001-02-30", "--today=abc", "--today=", "--today=2001-2-3", "--today=2001-13-01"}) {
    auto result = runZelk(home, bad);
    EXPECT_EQ(result.exitCode, 2) << bad;
    EXPECT_TRUE(result.out.empty()) << bad;
    EXPECT_NE(result.err.find("YYYY-MM-DD"), std::string::npos) << bad;
    EXPECT_NE(result.err.find("Try 'zelk --help'."), std::string::npos) << bad;
  }
  EXPECT_FALSE(std::filesystem::exists(home.path() + "zelk.cfg"));  // nothing was run
  EXPECT_EQ(runZelk(home, "--today=2000-02-29 --json").exitCode, 0);
}

// Each flag rule as a row: the arguments, ZELK_TODAY, the exit code and the
// first line of standard error ("" when it is empty).
TEST(CommandLine, FlagsBehaveLikeFlags) {
  test::ScratchDir home;
  writeDemo(home);
  const struct {
    const char* args;
    const char* today;
    int exitCode;
    const char* firstErrorLine;
  } cases[] = {
      {"--month 2 --all", "2001-03-20", 2, "zelk: --month and --all cannot be combined"},
      {"--estimate --month 2", "2001-03-20", 2, "zelk: --month and --estimate cannot be combined"},
      {"--all --estimate", "2001-03-20", 2, "zelk: --all and --estimate cannot be combined"},
      {"--summary --calls", "2001-03-20", 2, "zelk: --summary and --calls cannot be combined"},
      {"--check --json", "2001-03-20", 2, "zelk: --json and --check cannot be combined"},
      {"--check --month=3", "2001-03-20", 2, "zelk: --check and --month cannot be combined"},
      {"--check --calls", "2001-03-20", 2, "zelk: --check and --calls cannot be combined"},
      {"--csv --json", "2001-03-20", 2, "zelk: --json and --csv cannot be combined"},
      // The last of a repeated flag counts.
      {"--month 3 --month 4", "2001-03-20", 0, ""},
      {"--today=2001-03-19 --today=2001-03-20 --json", "2001-03-20", 0, ""},
      {"--today=2001-02-30 --today=2001-03-20", "2001-03-20", 2,  // each value is checked
       "zelk: --today needs a date that exists, as YYYY-MM-DD: '2001-02-30'"},
      // "--" ends the flags: "--month" after it is an option line, which the
      // reading ignores (so --check finds it).
      {"--check -- --month", "2001-03-20", 1, ""},
      {"-- --bogus", "2001-03-20", 0, ""},
      {"--bogus --", "2001-03-20", 2, "zelk: unknown option --bogus"},
      // ZELK_TODAY is a date that exists, or the run is refused; --today wins.
      {"--json", "2001-02-30", 2, "zelk: ZELK_TODAY needs a date that exists, as YYYY-MM-DD: '2001-02-30'"},
      {"", "tomorrow", 2, "zelk: ZELK_TODAY needs a date that exists, as YYYY-MM-DD: 'tomorrow'"},
      {"--today=2001-03-20 --json", "2001-02-30", 0, ""},
      {"--version", "2001-02-30", 0, ""},
  };
  for (const auto& c : cases) {
    const auto result = runZelk(home, c.args, c.today);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args << ": " << result.err;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), c.firstErrorLine) << c.args;
    if (c.exitCode == 2) {
      EXPECT_TRUE(result.out.empty()) << c.args;
    }
  }
  // The month shown is the last one asked for.
  EXPECT_EQ(runZelk(home, "--month 3 --month 4").out, runZelk(home, "--month 4").out);
  EXPECT_NE(runZelk(home, "--month 3").out, runZelk(home, "--month 4").out);
  // After "--" the flag-like word reaches the reading as an option line.
  EXPECT_NE(runZelk(home, "--check -- --month").out.find("--month"), std::string::npos);
}

// zelkwin refuses a mistyped flag on the terminal as zelk does, before any
// window, and its usage shows the syntax it takes.
TEST(CommandLine, ZelkwinRefusesUnknownFlagsWithoutAWindow) {
  const std::string zelkwin = std::filesystem::path(ZELK_BINARY).parent_path() / "zelkwin";
  if (!std::filesystem::exists(zelkwin)) GTEST_SKIP() << "zelkwin is not built";
  test::ScratchDir home;
  const struct {
    const char* args;
    int exitCode;
    const char* firstErrorLine;
  } cases[] = {
      {"--bogus", 2, "zelkwin: unknown option --bogus"},
      {"=i --month=3", 2, "zelkwin: unknown option --month=3"},
      {"--today=2001-02-30", 2, "zelkwin: --today needs a date that exists, as YYYY-MM-DD: '2001-02-30'"},
      {"--help", 0, ""},
  };
  for (const auto& c : cases) {
    const auto result = test::runCommand(test::shellQuote(zelkwin) + " " + c.args, home.path(),
                                         {"ZELK_HOME=" + home.path(), "QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args << ": " << result.err;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), c.firstErrorLine) << c.args;
  }
  EXPECT_FALSE(std::filesystem::exists(home.path() + "zelk.cfg"));  // no run, no window
  EXPECT_NE(test::runCommand(test::shellQuote(zelkwin) + " --help", home.path()).out.find(
                "usage: zelkwin [--help] [--version] [--today=YYYY-MM-DD] [--] [OPTION_LINE ...]"),
            std::string::npos);
}

// Every entry below `root`, sorted, each file with its size and a digest of
// its bytes.
std::string treeListing(const std::string& root) {
  namespace fs = std::filesystem;
  std::vector<std::string> rows;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string row = fs::relative(entry.path(), root).string();
    if (entry.is_regular_file()) {
      const std::string bytes = test::readFile(entry.path().string());
      row += " " + std::to_string(bytes.size()) + " " + std::to_string(std::hash<std::string>{}(bytes));
    }
    rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  std::string listing;
  for (const auto& row : rows) listing += row + "\n";
  return listing;
}

TEST(CommandLine, ReadOnlyReportsAsUsualAndLeavesTheFolderAsItWas) {
  test::ScratchDir home;
  writeDemo(home);
  // An older settings file, which a run backs up and upgrades; a run also
  // leaves its index and takes the lock.
  std::string settings = test::readFile(home.path() + "zelk.cfg");
  settings.replace(0, settings.find('\r'), "zelk Version 4.00");
  home.write("zelk.cfg", settings);
  const std::string before = treeListing(home.path());
  for (const char* args : {"", "--json", "--summary", "--csv", "--calls", "--calls --json --month 2", "--all =de"}) {
    const auto result = runZelk(home, std::string("--read-only ") + args);
    EXPECT_EQ(result.exitCode, 0) << args << ": " << result.err;
    EXPECT_FALSE(result.out.empty()) << args;
    EXPECT_EQ(treeListing(home.path()), before) << args;
  }
  // The same figures as a run that writes, which does change the folder.
  const json readOnly = json::parse(runZelk(home, "--read-only --json").out);
  const json written = json::parse(runZelk(home, "--json").out);
  EXPECT_EQ(readOnly["months"], written["months"]);
  EXPECT_NE(treeListing(home.path()), before);

  // No program folder at all: the run reports on the defaults and makes none.
  test::ScratchDir empty;
  const std::string missing = empty.path() + "none/";
  const auto fresh = test::runCommand(test::shellQuote(ZELK_BINARY) + " --read-only --json", empty.path(),
                                      {"ZELK_HOME=" + missing, "ZELK_TODAY=2001-03-20"});
  EXPECT_EQ(fresh.exitCode, 0) << fresh.err;
  EXPECT_TRUE(json::parse(fresh.out)["months"].empty());
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(CommandLine, OldLogsSayUpToWhenTheyGoAndHowToSeeThem) {
  test::ScratchDir home;
  writeDemo(home);
  // Ten years after the demo's last call: no month is kept.
  auto asJson = runZelk(home, "--json", "2011-06-01");
  ASSERT_EQ(asJson.exitCode, 0) << asJson.err;
  const json report = json::parse(asJson.out);
  EXPECT_TRUE(report["months"].empty());
  EXPECT_EQ(report["newestCallBeforeWindow"], "2001-03-18");

  auto text = runZelk(home, "=l3", "2011-06-01");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("No month was produced"), std::string::npos);
  EXPECT_NE(text.err.find("2001-03-18"), std::string::npos) << text.err;
  const std::string command = "zelk --today=2001-03-31 =l3";
  ASSERT_NE(text.err.find(command + "\n"), std::string::npos) << text.err;

  // The command it prints shows the months up to that call, whatever today is.
  auto shown = runZelk(home, "--json" + command.substr(4), "2011-06-01");
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  const json months = json::parse(shown.out);
  ASSERT_EQ(months["months"].size(), 3u);
  EXPECT_EQ(months["months"][2]["title"], "2001年 3月31日〆分");
  EXPECT_TRUE(months["newestCallBeforeWindow"].is_null());

  // Logs with calls in the months kept give no hint.
  auto current = runZelk(home, "", "2001-03-20");
  EXPECT_EQ(current.exitCode, 0);
  EXPECT_EQ(current.err.find("--today="), std::string::npos) << current.err;
}

TEST(CommandLine, CheckListsTheFaultsAndRunsNothing) {
  test::ScratchDir home;
  writeDemo(home);
  EXPECT_EQ(runZelk(home, "--check").exitCode, 0);  // the demo is sound

  // An older file with a bad line: listed, and neither rewritten nor backed up.
  const std::string settings = test::crlfLines({"zelk Version 4.00", "=0337219876", "=d40", "-wmissing.tel"});
  home.write("zelk.cfg", settings);
  auto result = runZelk(home, "--check =l0");
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "zelk.cfg:3: =d40: 検針日は =d1～=d31 か =de で指定してください");
  EXPECT_NE(result.out.find("\n引数1: =l0: "), std::string::npos) << result.out;
  EXPECT_EQ(test::readFile(home.path() + "zelk.cfg"), settings);
  EXPECT_FALSE(std::filesystem::exists(home.path() + "zelkcfg.org"));
}

TEST(CommandLine, TextShowsEachMessageOnceWithItsCount) {
  test::ScratchDir home;
  writeDemo(home);
  // Without the number of "大学ラボ" each of its calls says so.
  std::string settings = test::readFile(home.path() + "zelk.cfg");
  const std::string named = test::sj("$大学ラボ==029-853-2111\r\n");
  ASSERT_NE(settings.find(named), std::string::npos);
  settings.erase(settings.find(named), named.size());
  home.write("zelk.cfg", settings);
  auto asJson = runZelk(home, "--json");
  ASSERT_EQ(asJson.exitCode, 0) << asJson.err;
  std::vector<std::string> all;
  const json report = json::parse(asJson.out);
  for (const auto& message : report["messages"]) all.push_back(test::sj(message.get<std::string>()));

  home.write("zelk.cfg", settings);
  auto text = runZelk(home, "");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  const MessageTally tally = tallyOf(all);
  ASSERT_LT(tally.messages().size(), all.size());  // some came more than once
  EXPECT_EQ(text.err, toUtf8(tallyText(tally)));
  EXPECT_NE(text.err.find(" (×"), std::string::npos) << text.err;
}

// zelk with `args` inside a shell of its own, so that `redirection` applies
// to zelk alone and its standard error is still captured.
test::ProcessResult runZelkRedirected(const test::ScratchDir& home, const std::string& args,
                                      const std::string& redirection) {
  return test::runCommand("sh -c " + test::shellQuote(test::shellQuote(ZELK_BINARY) + " " + args + " " + redirection),
                          home.path(), {"ZELK_HOME=" + home.path(), "ZELK_TODAY=2001-03-20"});
}

// Output that could not be written is a failure with one line saying so; a
// reader that stopped early (`| head`) is not.
TEST(CommandLine, OutputToAFullDiskFailsAndAClosedPipeStaysQuiet) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  test::ScratchDir home;
  writeDemo(home);
  const std::string line = "zelk: write error: No space left on device\n";
  for (const char* args : {"--version", "--help", "--json", "--csv", "--calls", "--calls --csv", "--summary", "",
                           "--all"}) {
    auto full = runZelkRedirected(home, args, ">/dev/full");
    EXPECT_EQ(full.exitCode, 1) << args;
    // After any messages of the run, the one line.
    EXPECT_TRUE(full.err == line || full.err.ends_with("\n" + line)) << args << ": " << full.err;
  }
  for (const char* args : {"--all", "--help"}) {
    auto piped = runZelkRedirected(home, args, "| head -c 1");
    EXPECT_EQ(piped.exitCode, 0) << args;
    EXPECT_EQ(piped.err.find("write error"), std::string::npos) << args << ": " << piped.err;
  }
}

// An installed zelk (no ma.zlk beside it) with a fresh home: asking for help,
// the version or a check, or a mistake on the command line, leaves the home
// as it was; only a run makes its folder.
TEST(CommandLine, HelpVersionCheckAndUsageErrorsMakeNoFolder) {
  namespace fs = std::filesystem;
  test::ScratchDir root;
  const std::string installed = root.path() + "bin/zelk";
  fs::create_directories(root.path() + "bin");
  fs::copy_file(ZELK_BINARY, installed);
  fs::create_directories(root.path() + "home");
  const std::vector<std::string> environment = {"ZELK_HOME=", "HOME=" + root.path() + "home",
                                                "XDG_CONFIG_HOME=", "XDG_CACHE_HOME=", "ZELK_TODAY=2001-03-20"};
  for (const char* args : {"--help", "--version", "--check", "--check =d40", "--bogus", "--json --csv", "--month=0"}) {
    auto result = test::runCommand(test::shellQuote(installed) + " " + args, root.path(), environment);
    EXPECT_NE(result.exitCode, -1) << args;
    EXPECT_TRUE(fs::is_empty(root.path() + "home")) << args << " made something in the home";
  }
  EXPECT_NE(test::runCommand(test::shellQuote(installed) + " --help", root.path(), environment)
                .out.find("Settings file: " + root.path() + "home/.config/zelk/zelk.cfg\n"),
            std::string::npos);
  test::runCommand(test::shellQuote(installed) + " --json", root.path(), environment);
  EXPECT_TRUE(fs::is_directory(root.path() + "home/.config/zelk"));
}

}  // namespace
}  // namespace zelk
