// The zelk command line: its own flags and the --json contract.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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

  auto unknown = runZelk(home, "--bogus");
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(unknown.out.empty());
  EXPECT_NE(unknown.err.find("--bogus"), std::string::npos);
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

}  // namespace
}  // namespace zelk
