// Runs that share a program directory at the same moment: each learns a
// different connection name, and the settings file must end with both, as
// some order of the two whole runs leaves it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace zelk {
namespace {

constexpr int kPairs = 250;

TEST(ConcurrentRuns, EveryPairOfRunsKeepsBothLearnedNames) {
  test::ScratchDir root;
  const std::string maData = test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk");
  ASSERT_FALSE(maData.empty());
  for (int i = 0; i < kPairs; ++i) {
    const std::string home = "h" + std::to_string(i) + "/";
    root.write(home + "ma.zlk", maData);
    root.write(home + "zelk.cfg", test::crlfLines({"zelk Version 4.21", "=de"}));
    for (const char* side : {"A", "B"})
      root.write(home + side + ".txt",
                 test::crlfLines({"RasUp log", "date,time,length,speed,protocol,entry",
                                  std::string("2001/03/01,10:00:00,00:01:00,64000,PPP,NAME-") + side}));
  }
  // Both runs of a pair start together; every exit code is kept beside them.
  const std::string script =
      "for d in h*/; do"
      " (ZELK_HOME=\"$PWD/$d\" " + test::shellQuote(ZELK_BINARY) + " \"-r$PWD/${d}A.txt\" >/dev/null 2>&1;"
      "  echo $? >\"${d}exitA\") &"
      " (ZELK_HOME=\"$PWD/$d\" " + test::shellQuote(ZELK_BINARY) + " \"-r$PWD/${d}B.txt\" >/dev/null 2>&1;"
      "  echo $? >\"${d}exitB\") &"
      " wait; done";
  root.write("pairs.sh", script);
  ASSERT_EQ(test::runCommand("sh pairs.sh", root.path(), {"ZELK_TODAY=2001-03-20"}).exitCode, 0);

  int lost = 0;
  int failed = 0;
  for (int i = 0; i < kPairs; ++i) {
    const std::string home = root.path() + "h" + std::to_string(i) + "/";
    const std::string settings = test::readFile(home + "zelk.cfg");
    const bool both = settings.find("\n$NAME-A==0999\r") != std::string::npos &&
                      settings.find("\n$NAME-B==0999\r") != std::string::npos;
    lost += both ? 0 : 1;
    for (const char* side : {"A", "B"})
      failed += test::readFile(home + "exit" + side) == "0\n" ? 0 : 1;
  }
  EXPECT_EQ(lost, 0) << "pairs that lost a run's name";
  EXPECT_EQ(failed, 0) << "runs that did not end normally";
}

// Five runs at once in each folder, whose zelk.cfg.lock is a link to a file
// of the user's: the lock must still hold (the link gives way to a lock
// file), so every run's name is kept and the linked file stays as it was.
TEST(ConcurrentRuns, FiveRunsWithALinkedLockFileKeepEveryName) {
  constexpr int kFolders = 40;
  constexpr const char* kSides[] = {"A", "B", "C", "D", "E"};
  test::ScratchDir root;
  const std::string maData = test::readFile(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk");
  const std::string victim = root.write("victim", "the user's own file\n");
  for (int i = 0; i < kFolders; ++i) {
    const std::string home = "h" + std::to_string(i) + "/";
    root.write(home + "ma.zlk", maData);
    root.write(home + "zelk.cfg", test::crlfLines({"zelk Version 4.21", "=de"}));
    std::filesystem::create_symlink(victim, root.path() + home + "zelk.cfg.lock");
    for (const char* side : kSides)
      root.write(home + side + ".txt",
                 test::crlfLines({"RasUp log", "date,time,length,speed,protocol,entry",
                                  std::string("2001/03/01,10:00:00,00:01:00,64000,PPP,NAME-") + side}));
  }
  std::string script = "for d in h*/; do";
  for (const char* side : kSides)
    script += std::string(" (ZELK_HOME=\"$PWD/$d\" ") + test::shellQuote(ZELK_BINARY) + " \"-r$PWD/${d}" + side +
              ".txt\" >/dev/null 2>&1; echo $? >\"${d}exit" + side + "\") &";
  script += " wait; done";
  root.write("runs.sh", script);
  ASSERT_EQ(test::runCommand("sh runs.sh", root.path(), {"ZELK_TODAY=2001-03-20"}).exitCode, 0);

  int lost = 0;
  int failed = 0;
  for (int i = 0; i < kFolders; ++i) {
    const std::string home = root.path() + "h" + std::to_string(i) + "/";
    const std::string settings = test::readFile(home + "zelk.cfg");
    for (const char* side : kSides) {
      lost += settings.find(std::string("\n$NAME-") + side + "==0999\r") == std::string::npos ? 1 : 0;
      failed += test::readFile(home + "exit" + side) == "0\n" ? 0 : 1;
    }
  }
  EXPECT_EQ(lost, 0) << "names lost of " << kFolders * 5;
  EXPECT_EQ(failed, 0) << "runs that did not end normally";
  EXPECT_EQ(test::readFile(victim), "the user's own file\n");
}

}  // namespace
}  // namespace zelk
