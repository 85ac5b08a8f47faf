// End-to-end runs of zelk --json on complete program directories (settings,
// MA data, logs in every format) whose results were computed independently.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/test_support.h"
#include "tariff/ma_data.h"
#include "tariff/result_slot.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace zelk {
namespace {

std::vector<std::string> goldenCases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(std::string(ZELK_TEST_DATA) + "/golden")) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Copies the case into a scratch directory with our own identification line
// at the top of its MA data file.
void prepareHome(const std::string& caseDir, const test::ScratchDir& home) {
  fs::copy(caseDir, home.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::string ma = test::readFile(home.path() + "ma.zlk");
  ma = std::string(kMaIdentificationLine) + ma.substr(ma.find('\n'));
  home.write("ma.zlk", ma);
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
    text.replace(pos, from.size(), to);
}

void expectSameResult(const json& expected, const json& actual, const std::string& what) {
  SCOPED_TRACE(what);
  if (expected.contains("title")) {
    EXPECT_EQ(expected["title"], actual["title"]);
  }
  EXPECT_EQ(expected["cheapest"], actual["cheapest"]);
  EXPECT_EQ(expected["calls"], actual["calls"]);
  ASSERT_EQ(expected["slots"].size(), actual["slots"].size());
  for (std::size_t slot = 0; slot < expected["slots"].size(); ++slot)
    EXPECT_EQ(expected["slots"][slot], actual["slots"][slot]) << "slot " << slot;
}

class GoldenCase : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenCase, GivesTheExpectedResult) {
  const std::string caseDir = std::string(ZELK_TEST_DATA) + "/golden/" + GetParam();
  const json scenario = json::parse(test::readFile(caseDir + "/scenario.json"));
  json expected = json::parse(test::readFile(caseDir + "/expected.json"));

  test::ScratchDir home;
  prepareHome(caseDir, home);
  std::string command = test::shellQuote(ZELK_BINARY) + " --json";
  for (const auto& arg : scenario["args"]) command += " " + test::shellQuote(arg.get<std::string>());
  auto result = test::runCommand(command, home.path(),
                                 {"ZELK_HOME=" + home.path(),
                                  "ZELK_TODAY=" + scenario["today"].get<std::string>()});
  std::string out = result.out;
  replaceAll(out, home.path(), "<HOME>");
  ASSERT_FALSE(out.empty()) << result.err;
  json actual = json::parse(out);

  EXPECT_EQ(expected["exitCode"].get<int>(), result.exitCode) << result.err;
  EXPECT_EQ(expected["fatal"], actual["fatal"]);
  EXPECT_EQ(expected["messages"], actual["messages"]);
  EXPECT_EQ(expected["estimateFactor"].get<float>(), actual["estimateFactor"].get<float>());
  ASSERT_EQ(expected["months"].size(), actual["months"].size());
  for (std::size_t i = 0; i < expected["months"].size(); ++i)
    expectSameResult(expected["months"][i], actual["months"][i], "month " + std::to_string(i));
  expectSameResult(expected["estimate"], actual["estimate"], "estimate");
}

// The named fields beside the slot table, and the year summary over the
// months: its totals are the sums of the months' slots.
TEST_P(GoldenCase, SummaryAndNamedFieldsAddUpTheMonths) {
  const std::string caseDir = std::string(ZELK_TEST_DATA) + "/golden/" + GetParam();
  const json scenario = json::parse(test::readFile(caseDir + "/scenario.json"));
  test::ScratchDir home;
  prepareHome(caseDir, home);
  std::string args;
  for (const auto& arg : scenario["args"]) args += " " + test::shellQuote(arg.get<std::string>());
  const std::vector<std::string> env{"ZELK_HOME=" + home.path(),
                                     "ZELK_TODAY=" + scenario["today"].get<std::string>()};
  const auto result = test::runCommand(test::shellQuote(ZELK_BINARY) + " --json --summary" + args, home.path(), env);
  ASSERT_FALSE(result.out.empty()) << result.err;
  const json report = json::parse(result.out);
  ASSERT_TRUE(report.contains("summary"));
  if (!report["fatal"].is_null()) {
    EXPECT_TRUE(report["summary"].is_null());
    return;
  }
  const json& months = report["months"];
  const json& summary = report["summary"];
  EXPECT_EQ(summary["months"], months.size());
  EXPECT_EQ(summary["plans"].empty(), months.empty());  // 通常料金 is always listed

  for (const json& month : months) {
    // Each named fee is the value of its slot.
    for (const json& plan : month["plans"]) EXPECT_EQ(plan["yen"], month["slots"][plan["slot"].get<int>()]);
    const std::string calls = month["calls"];
    EXPECT_EQ(month["callList"].size(), std::count(calls.begin(), calls.end(), ',') / 3);
  }
  std::int64_t previous = -1;
  const std::int64_t normal = summary["plans"].empty() ? 0 : [&] {
    std::int64_t sum = 0;
    for (const json& month : months) sum += month["slots"][slotNumber(ResultSlot::NormalFee)].get<std::int64_t>();
    return sum;
  }();
  for (const json& plan : summary["plans"]) {
    const int slot = plan["slot"];
    SCOPED_TRACE(slot);
    std::int64_t sum = 0;
    int cheapest = 0;
    for (const json& month : months) {
      sum += month["slots"][slot].get<std::int64_t>();
      // Listed plans are named in every month; it was cheapest when no listed plan cost less.
      const auto named = std::find_if(month["plans"].begin(), month["plans"].end(),
                                      [&](const json& p) { return p["slot"] == slot; });
      ASSERT_NE(named, month["plans"].end());
      bool lowest = true;
      for (const json& other : summary["plans"])
        lowest = lowest && month["slots"][slot] <= month["slots"][other["slot"].get<int>()];
      cheapest += lowest;
    }
    EXPECT_EQ(plan["total"], sum);
    EXPECT_EQ(plan["versusNormal"], sum - normal);
    EXPECT_EQ(plan["monthsCheapest"], cheapest);
    EXPECT_LE(previous, sum);  // ranked by total
    previous = sum;
  }
  if (!summary["plans"].empty()) {
    EXPECT_EQ(summary["cheapest"]["slot"], summary["plans"][0]["slot"]);
  }

  const auto csv = test::runCommand(test::shellQuote(ZELK_BINARY) + " --csv" + args, home.path(), env);
  EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBF", 0), 0u);
  const auto lines = static_cast<std::size_t>(std::count(csv.out.begin(), csv.out.end(), '\n'));
  EXPECT_EQ(lines, months.empty() ? 1u : months.size() + 1) << csv.out;
}

// A second run starts from the index of old records the first one left (in
// every log format) and must print what a run without it prints.
TEST_P(GoldenCase, ARunFromTheIndexPrintsTheSame) {
  const std::string caseDir = std::string(ZELK_TEST_DATA) + "/golden/" + GetParam();
  const json scenario = json::parse(test::readFile(caseDir + "/scenario.json"));
  test::ScratchDir home, bare;
  prepareHome(caseDir, home);
  std::string command = test::shellQuote(ZELK_BINARY) + " --json";
  for (const auto& arg : scenario["args"]) command += " " + test::shellQuote(arg.get<std::string>());
  auto run = [&](const test::ScratchDir& dir) {
    auto result = test::runCommand(command, dir.path(),
                                   {"ZELK_HOME=" + dir.path(), "ZELK_TODAY=" + scenario["today"].get<std::string>()});
    replaceAll(result.out, dir.path(), "<HOME>");
    return result;
  };
  run(home);
  fs::copy(home.path(), bare.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  fs::remove(bare.path() + "zelk.idx");
  const auto without = run(bare);
  const auto with = run(home);
  EXPECT_EQ(with.exitCode, without.exitCode);
  EXPECT_EQ(with.out, without.out);
  EXPECT_EQ(with.err, without.err);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, ::testing::ValuesIn(goldenCases()),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace zelk
