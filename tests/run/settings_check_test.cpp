// zelk --check: each line the reading ignores or cuts, found at its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "run/settings_check.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"

namespace zelk {
namespace {

struct Row {
  std::string line;
  const char* found;  // a piece of what --check says of the line; nullptr: nothing
};

std::vector<Row> faultyFile() {
  std::vector<Row> rows = {
      {"zelk Version 4.21", nullptr},
      {"; a comment", nullptr},
      {"=0", "自分の電話番号が空です"},
      {"=0337219876", nullptr},  // Tokyo: the distances below are from here
      {"=x", "知らないオプション"},
      {"=d32", "検針日"},
      {"=d", "検針日"},
      {"=de", nullptr},
      {"=l13", "=l は1～12"},
      {"=l", nullptr},
      {"=17011", "知らないオプション"},
      {"-wa.tel", nullptr},
      {"-tb.tel", nullptr},
      {"-hc.txt", nullptr},
      {"-rd.txt", nullptr},
      {"-a1e.log", nullptr},
      {"-wf.tel", "ログは5つまで"},
      {"-zz", "知らないオプション"},
      {"!z1-", "知らないオプション"},
      {"!03", nullptr},  // an unset switch, as the writer keeps it
      {"$A-CONNECTION-NAME-LONGER-THAN-THIRTY-EIGHT==0312345678", "長すぎる"},
      {"$NO NUMBER", "\"==\") がない"},
      {"%8=045-212-7730", "\"%3=0452127730\" と書き直せます"},  // Yokohama, up to 30 km
      {"%8=06-6345-2290", "なくても同じ"},                       // Osaka, beyond 170 km
      {"%8=0999", nullptr},                                        // a name without a number
      {"%9=089-999", "距離区分が1～8でない"},
      {"%5 045", "\"==\") がない"},
      {"H=03-3721-9999", nullptr},
      {"H=06-1234-5678", "テレホーダイの番号がすべて無効"},
      {"H=03-3721-0000", "無効になった後"},
      {"N=only", "\"==\") がない"},
      {"=o" + std::string(600, 'x'), "511バイト"},  // cut twice: the line, then the path
  };
  for (int i = 0; i < 20; ++i) rows.push_back({"N=011" + std::to_string(i) + "==03", nullptr});
  rows.push_back({"N=0999==03", "いっぱい"});
  return rows;
}

TEST(SettingsCheck, FindsEachFaultAtItsLine) {
  const auto rows = faultyFile();
  std::vector<std::string> lines;
  for (const auto& row : rows) lines.push_back(sjis(row.line));
  test::ScratchDir home;
  home.write("zelk.cfg", test::crlfLines(lines));
  const std::string before = test::readFile(home.path() + "zelk.cfg");
  MaDataFile maData(ZELK_SOURCE_DIR "/data/ma.zlk");

  const auto items = checkSettings(home.path(), {"=l0", "-wg.tel"}, maData);

  // What is said of each line, in the order of the lines and then the
  // arguments; the long line is cut, and then its path too.
  std::vector<std::pair<int, std::string>> expected;  // line (-n: argument n), piece
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].found) expected.emplace_back(static_cast<int>(i + 1), rows[i].found);
  expected.insert(expected.end() - 1, {static_cast<int>(rows.size() - 21), "長すぎる"});
  expected.emplace_back(-1, "=l は1～12");
  expected.emplace_back(-2, "ログは5つまで");
  const std::string report = toUtf8(checkReportText(items));
  ASSERT_EQ(items.size(), expected.size()) << report;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int place = items[i].argument > 0 ? -items[i].argument : items[i].fileLine;
    EXPECT_EQ(place, expected[i].first) << expected[i].second << "\n" << report;
    EXPECT_NE(toUtf8(items[i].text).find(expected[i].second), std::string::npos) << report;
  }
  EXPECT_EQ(test::readFile(home.path() + "zelk.cfg"), before);  // nothing written
}

TEST(SettingsCheck, AMissingFileAndOwnNumberAreTold) {
  test::ScratchDir home;
  MaDataFile maData(ZELK_SOURCE_DIR "/data/ma.zlk");
  const auto items = checkSettings(home.path(), {}, maData);
  ASSERT_EQ(items.size(), 2u) << toUtf8(checkReportText(items));
  EXPECT_NE(toUtf8(items[0].text).find("ファイルがありません"), std::string::npos);
  EXPECT_NE(toUtf8(items[1].text).find("自分の電話番号 (=0...) がありません"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(home.path() + "zelk.cfg"));
}

TEST(SettingsCheck, ListsEveryLineInTheOtherEncoding) {
  test::ScratchDir home;
  const std::string settings = test::crlfLines(
      {"zelk Version 4.21", "=0337219876", sjis("$大学==0298532111"), "$会社==0312345678", "; ok", "$支店==0612345678"});
  home.write("zelk.cfg", settings);
  MaDataFile maData(ZELK_SOURCE_DIR "/data/ma.zlk");
  const auto items = checkSettings(home.path(), {}, maData);
  const std::string report = toUtf8(checkReportText(items));
  ASSERT_EQ(items.size(), 2u) << report;
  EXPECT_EQ(items[0].fileLine, 4);
  EXPECT_EQ(items[1].fileLine, 6);
  EXPECT_NE(report.find("zelk.cfg:4: $会社==0312345678: ファイルのほかの行と違う文字コード"), std::string::npos) << report;
  EXPECT_EQ(test::readFile(home.path() + "zelk.cfg"), settings);
}

}  // namespace
}  // namespace zelk
