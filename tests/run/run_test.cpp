// Whole runs on small program directories: the merge of several logs by
// date, billing months, the fee a log records, and what a run writes back
// into zelk.cfg. Expected fees are worked out by hand in the comments.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/test_support.h"
#include "tariff/ma_file.h"
#include "tariff/result_slot.h"

namespace zelk {
namespace {

using nlohmann::json;
constexpr std::size_t kNormalFee = slotNumber(ResultSlot::NormalFee);

// Three MAs: Tokyo (03) with Yokohama (045) as its neighbour, and Osaka (06)
// 400 km away in another prefecture.
std::string smallMaData() {
  return test::crlfLines({std::string(kMaIdentificationLine), "Version 3.51", "#####",
                          test::sj("東京\t13\t100\t100"), "1", "3", "#", "1", "45", "#####",
                          test::sj("横浜\t14\t110\t100"), "1", "45", "#", "1", "3", "#####",
                          test::sj("大阪\t27\t300\t100"), "1", "6", "#", "0", "#####", "end"});
}

// One -nt record: date, time, number, length in seconds.
std::string ntLine(const char* date, const char* time, const char* number, int seconds) {
  return std::string(date) + "\t" + time + "\t" + number + "\t" + std::to_string(seconds) + "\tPPP";
}

// One -w record with the fee the log recorded, in yen.
std::string wLine(const char* date, const char* time, const char* length, int yen,
                  const char* number) {
  char line[128];
  std::snprintf(line, sizeof line, "%s  %s  [%s] %6d %s  [%-12s]", date, time, length, yen,
                test::sj("円").c_str(), number);
  return line;
}

struct Home {
  test::ScratchDir dir;
  explicit Home(const std::vector<std::string>& cfgLines) {
    dir.write("ma.zlk", smallMaData());
    std::vector<std::string> lines{"zelk Version 4.21"};
    lines.insert(lines.end(), cfgLines.begin(), cfgLines.end());
    dir.write("zelk.cfg", test::crlfLines(lines));
  }
  json run(const std::string& today, const std::string& args = "", int expectedExit = 0) const {
    auto result = test::runCommand(test::shellQuote(ZELK_BINARY) + " --json " + args, dir.path(),
                                   {"ZELK_HOME=" + dir.path(), "ZELK_TODAY=" + today});
    EXPECT_EQ(result.exitCode, expectedExit) << result.out << result.err;
    return json::parse(result.out);
  }
};

TEST(Run, CallsOfOneDayAreTakenLogByLogWhateverTheirTime) {
  // Slot 0 calls Osaka at 15:00, slot 1 calls Yokohama at 09:00 on the same
  // day: only the date orders the merge, so Osaka takes the first row. (A
  // logged minute is 599 tenths: three 20-second units to Osaka, whose row
  // shows NTT Com units as it lies in another prefecture.)
  Home home({"=03", "-nta.log", "-ntb.log"});
  home.dir.write("a.log", test::crlfLines({ntLine("2000/02/07", "15:00", "0612345678", 60)}));
  home.dir.write("b.log", test::crlfLines({ntLine("2000/02/07", "09:00", "0451234567", 60),
                                           ntLine("2000/02/08", "09:00", "0312345678", 60)}));
  json report = home.run("2000-02-20");
  ASSERT_EQ(report["months"].size(), 1u);
  EXPECT_EQ(report["months"][0]["calls"], " 3,0612345678,0,3,0451234567,0,1,0312345678,0,1");
}

TEST(Run, MonthsWithoutCallsProduceNoResult) {
  // Month end billing; calls in January and April 2000 only.
  Home home({"=03", "=de", "-nta.log"});
  home.dir.write("a.log", test::crlfLines({ntLine("2000/01/31", "10:00", "0312345678", 60),
                                           ntLine("2000/04/01", "10:00", "0312345678", 60)}));
  json report = home.run("2000-05-10");
  ASSERT_EQ(report["months"].size(), 2u);
  EXPECT_EQ(report["months"][0]["title"], "2000年 1月31日〆分");
  EXPECT_EQ(report["months"][1]["title"], "2000年 4月30日〆分");
}

TEST(Run, OldCallsAreSkippedAndAnExhaustedLogLeavesTheOthersAlone) {
  // Today 2000-03-20 with =l1 keeps only March; slot 0 holds nothing newer
  // and ends while old calls are skipped, slot 1 still counts.
  Home home({"=03", "=l1", "-ntold.log", "-ntnew.log"});
  home.dir.write("old.log", test::crlfLines({ntLine("2000/01/05", "10:00", "0312345678", 60),
                                             ntLine("2000/02/29", "10:00", "0312345678", 60)}));
  home.dir.write("new.log", test::crlfLines({ntLine("2000/02/29", "10:00", "0451234567", 60),
                                             ntLine("2000/03/01", "10:00", "0451234567", 60)}));
  json report = home.run("2000-03-20");
  ASSERT_EQ(report["months"].size(), 1u);
  EXPECT_EQ(report["months"][0]["title"], "2000年 3月31日〆分");
  EXPECT_EQ(report["months"][0]["calls"], " 1,0451234567,0,1");
}

TEST(Run, AMonthAfterTheTwelfthIsEvaluatedButNotStored) {
  // A call in each month of 2000 fills the twelve blocks; a call dated in
  // February 2001, after today's month, makes a thirteenth that is not stored.
  Home home({"=03", "-nta.log"});
  std::vector<std::string> lines;
  char date[16];
  for (int month = 1; month <= 12; ++month) {
    std::snprintf(date, sizeof date, "2000/%02d/02", month);
    lines.push_back(ntLine(date, "10:00", "0312345678", 60));
  }
  lines.push_back(ntLine("2001/02/02", "10:00", "0612345678", 60));
  home.dir.write("a.log", test::crlfLines(lines));
  json report = home.run("2000-12-20");
  ASSERT_EQ(report["months"].size(), 12u);
  EXPECT_EQ(report["months"][0]["title"], "2000年 1月31日〆分");
  EXPECT_EQ(report["months"][11]["title"], "2000年12月31日〆分");
  EXPECT_EQ(report["months"][11]["calls"], " 1,0312345678,0,1");
}

TEST(Run, TheLoggedFeeCountsUnlessEveryFeeIsRecomputed) {
  // One in-area call of 3 minutes whose log says 1200 yen (120 units): the
  // normal charge is 9 yen a unit below 150 units, so 1080 yen. With =f the
  // call is priced anew: 180 s is one in-area unit, 9 yen.
  Home home({"=03", "-wcalls.tel"});
  home.dir.write("calls.tel",
                 test::crlfLines({wLine("2000-03-02", "10:00:00", "00:03:00", 1200, "0312345678")}));
  EXPECT_EQ(home.run("2000-03-20")["months"][0]["slots"][kNormalFee], 1080);
  EXPECT_EQ(home.run("2000-03-20", "=f")["months"][0]["slots"][kNormalFee], 9);
}

TEST(Run, LearnedNumbersAndNamesAreWrittenBackKeepingThePreviousFile) {
  // 0999 is in no MA: it gets band 20 in the area set; the unknown name gets
  // the number 0999 in the name table; zelk.cfg is rewritten with both and the
  // file as it was stays in zelkcfg.org.
  Home home({"=03", "-nta.log", "-v1b.log"});
  home.dir.write("a.log", test::crlfLines({ntLine("2000/03/02", "10:00", "0999123", 60)}));
  std::string v1 = "ODN                   00-03-02 10:00:00  00-03-02 10:01:00  00:01:00";
  ASSERT_EQ(v1.size(), 68u);
  home.dir.write("b.log", test::crlfLines({v1}));
  const std::string before = test::readFile(home.dir.path() + "zelk.cfg");
  json report = home.run("2000-03-20");
  const std::string after = test::readFile(home.dir.path() + "zelk.cfg");
  EXPECT_EQ(test::readFile(home.dir.path() + "zelkcfg.org"), before);
  EXPECT_NE(after.find("\r\n%8=0999123\r\n"), std::string::npos);
  EXPECT_NE(after.find("\r\n$ODN==0999\r\n"), std::string::npos);
  EXPECT_NE(after.find("\r\n-nta.log\r\n"), std::string::npos);
  ASSERT_EQ(report["messages"].size(), 4u);
  EXPECT_EQ(report["messages"][0],
            "この[ODN]って所の番号を[0990]、170km以上として[zelk.cfg]に登録します。"
            "必要なら変更してください\n");

  // The next run finds both and has nothing to learn.
  json again = home.run("2000-03-20");
  EXPECT_EQ(test::readFile(home.dir.path() + "zelk.cfg"), after);
  for (const auto& message : again["messages"])
    EXPECT_EQ(message.get<std::string>().find("zelk.cfg"), std::string::npos) << message;
}

TEST(Run, SkippedRecordsStillLearnTheirNamesAndShowOddLinesInOrder) {
  // Only March is kept. The skipped records are read by their date first, yet
  // an unknown name in them is shown and learned, and a record whose year
  // cannot be converted is shown after its name, as for a record kept.
  Home home({"=03", "=l1", "-ca.tel"});
  auto cLine = [](const char* date, const char* name) {
    return std::string(date) + " 10:00:00 00:01:00    10  : " + name;
  };
  home.dir.write("a.tel", test::crlfLines({cLine("1999/12/02", "ODN"), cLine("0000/01/05", "DION"),
                                           cLine("2000/02/10", "ODN"), cLine("2000/03/02", "ODN")}));
  json report = home.run("2000-03-20");
  const std::string unknown = "って所の番号を[0990]、170km以上として[zelk.cfg]に登録します。"
                              "必要なら変更してください\n";
  ASSERT_GE(report["messages"].size(), 3u);
  EXPECT_EQ(report["messages"][0], "この[ODN]" + unknown);
  EXPECT_EQ(report["messages"][1], "この[DION]" + unknown);
  EXPECT_EQ(report["messages"][2], "なんか変な行がある(=_=)");
  EXPECT_EQ(report["months"].size(), 1u);
  const std::string cfg = test::readFile(home.dir.path() + "zelk.cfg");
  EXPECT_NE(cfg.find("\r\n$ODN==0999\r\n"), std::string::npos);
  EXPECT_NE(cfg.find("\r\n$DION==0999\r\n"), std::string::npos);
}

TEST(Run, TheReportForAPersonShowsTheMonthsLikeTheWindow) {
  // Two months of one in-area call each; the second is projected (=e).
  Home home({"=03", "=e", "-nta.log"});
  home.dir.write("a.log", test::crlfLines({ntLine("2000/02/02", "10:00", "0312345678", 60),
                                           ntLine("2000/03/02", "10:00", "0312345678", 60)}));
  auto text = [&](const std::string& args) {
    auto result = test::runCommand(test::shellQuote(ZELK_BINARY) + " " + args, home.dir.path(),
                                   {"ZELK_HOME=" + home.dir.path(), "ZELK_TODAY=2000-03-10"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.out;
  };
  const std::string newest = text("");
  EXPECT_NE(newest.find("2000年 3月31日〆分"), std::string::npos) << newest;
  EXPECT_EQ(newest.find("2000年 2月29日〆分"), std::string::npos);
  EXPECT_NE(newest.find("通常料金"), std::string::npos);
  EXPECT_NE(newest.find("¥      9"), std::string::npos) << newest;  // one unit at 9 yen
  EXPECT_NE(newest.find("最適プラン"), std::string::npos);
  EXPECT_NE(newest.find("0312345678"), std::string::npos);

  const std::string all = text("--all");
  EXPECT_LT(all.find("2000年 2月29日〆分"), all.find("2000年 3月31日〆分"));
  EXPECT_EQ(text("--month 1").find("2000年 3月31日〆分"), std::string::npos);
  EXPECT_NE(text("--estimate").find("今月推計"), std::string::npos);
}

TEST(Run, AStartDateBefore1900EndsTheRun) {
  // Two months before February 1900 the start date cannot be formed.
  Home home({"=03"});
  json report = home.run("1900-02-10", "=l2", 241);
  EXPECT_EQ(report["fatal"]["message"], "=l option不良");
}

}  // namespace
}  // namespace zelk
