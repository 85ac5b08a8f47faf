// A bill made from the demo's calls, as is and perturbed one way at a time:
// each bill must give exactly the classes the change makes. And the same
// through zelk --bill: the exit status, the JSON and the CSV.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>

#include "bill/bill_check_table.h"
#include "bill/bill_file.h"
#include "bill/bill_match.h"
#include "ui/model/bill_calls.h"
#include "bill_support.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "run/calculation.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace zelk {
namespace {

using test::BillBytes;
using test::BillLine;

// The demo's home in a scratch folder, run once for the whole suite.
class DemoBill : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = new test::ScratchDir;
    fs::copy(std::string(ZELK_SOURCE_DIR) + "/data/demo", home_->path(), fs::copy_options::recursive);
    fs::copy_file(std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk", home_->path() + "ma.zlk");
    setToday(LocalDate{2001, 3, 20});
    RecordingSink quiet;
    ScopedMessageSink sink(quiet);
    run_ = new RunResult;
    runCalculation({home_->path(), {}, true, SettingsWrites::None}, *run_);
    // The month with the most calls.
    for (int i = 0; i < run_->months.count; ++i)
      if (monthCalls(*run_, i).calls.size() > monthCalls(*run_, month_).calls.size()) month_ = i;
  }
  static void TearDownTestSuite() {
    delete run_;
    delete home_;
    setToday(std::nullopt);
  }

  static std::vector<BillLine> demoLines() { return test::billLinesOf(monthCalls(*run_, month_)); }
  static BillCheck check(const std::string& bytes, const BillMatchRules& rules = {}) {
    return matchBill(readBill(bytes), loggedCallsOf(monthCalls(*run_, month_)), rules);
  }

  static test::ScratchDir* home_;
  static RunResult* run_;
  static int month_;
};

test::ScratchDir* DemoBill::home_ = nullptr;
RunResult* DemoBill::run_ = nullptr;
int DemoBill::month_ = 0;

// matched, differs, billOnly, logsOnly, skipped rows.
using Counts = std::array<int, 5>;

Counts countsOf(const BillCheck& check) {
  const auto& count = check.totals.count;
  return {count[0], count[1], count[2], count[3], check.bill.skippedRows};
}

// "00:04:12" moved by `seconds`; the date stays (the demo's calls are not
// near midnight by that much).
std::string movedTime(const std::string& time, int seconds) {
  int at = std::stoi(time.substr(0, 2)) * 3600 + std::stoi(time.substr(3, 2)) * 60 + std::stoi(time.substr(6, 2));
  at = (at + seconds + 86400) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", at / 3600, at / 60 % 60, at % 60);
  return text;
}

std::string hyphenated(const std::string& number) {
  return number.size() == 10 ? number.substr(0, 2) + "-" + number.substr(2, 4) + "-" + number.substr(6) : number;
}

TEST_F(DemoBill, EachPerturbationGivesExactlyItsClasses) {
  const std::vector<BillLine> made = demoLines();
  const int n = static_cast<int>(made.size());
  ASSERT_GE(n, 8);
  const std::size_t middle = made.size() / 2;
  struct Case {
    const char* what;
    std::function<void(std::vector<BillLine>&)> change;
    Counts expected;
    char separator = ',';
    BillBytes bytes = BillBytes::Cp932;
    BillMatchRules rules{};
  };
  const Case cases[] = {
      {"as made", [](auto&) {}, {n, 0, 0, 0, 0}},
      {"a row removed", [&](auto& lines) { lines.erase(lines.begin() + middle); }, {n - 1, 0, 0, 1, 0}},
      {"a row added", [&](auto& lines) { lines.push_back({made[0].date, "12:00:00", "0312345678", "00:01:00", "10", ""}); },
       {n, 0, 1, 0, 0}},
      {"a charge changed", [&](auto& lines) { lines[middle].charge = std::to_string(std::stoi(lines[middle].charge) + 10); },
       {n - 1, 1, 0, 0, 0}},
      {"a start moved within the tolerance", [&](auto& lines) { lines[middle].time = movedTime(lines[middle].time, 110); },
       {n, 0, 0, 0, 0}},
      {"a start moved beyond it", [&](auto& lines) { lines[middle].time = movedTime(lines[middle].time, -130); },
       {n - 1, 0, 1, 1, 0}},
      {"beyond the default, within --tolerance 300",
       [&](auto& lines) { lines[middle].time = movedTime(lines[middle].time, 250); }, {n, 0, 0, 0, 0}, ',',
       BillBytes::Cp932, {.startTolerance = 300, .carrier = std::nullopt}},
      {"a length far off", [&](auto& lines) { lines[middle].duration = "05:00:00"; }, {n - 1, 0, 1, 1, 0}},
      {"hyphenated numbers", [](auto& lines) { for (auto& line : lines) line.number = hyphenated(line.number); },
       {n, 0, 0, 0, 0}},
      {"UTF-8 with a byte-order mark, tab separated", [](auto&) {}, {n, 0, 0, 0, 0}, '\t', BillBytes::Utf8WithMark},
      {"UTF-8 without the mark", [](auto&) {}, {n, 0, 0, 0, 0}, ',', BillBytes::Utf8},
      {"charges with a yen sign or 円",
       [](auto& lines) {
         for (std::size_t i = 0; i < lines.size(); ++i)
           lines[i].charge = i % 2 ? "¥" + lines[i].charge : lines[i].charge + "円";
       },
       {n, 0, 0, 0, 0}},
      {"a subtotal, a blank line and a note",
       [](auto& lines) {
         lines.push_back({"", "", "", "", "", ""});
         lines.push_back({"小計", "", "", "", "1,230", ""});
         lines.insert(lines.begin(), {"※ 通話明細は税抜きです", "", "", "", "", ""});
       },
       {n, 0, 0, 0, 3}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    std::vector<BillLine> lines = made;
    row.change(lines);
    const BillCheck result = check(test::billFileOf(lines, row.separator, row.bytes), row.rules);
    EXPECT_EQ(countsOf(result), row.expected);
    // Every row and every call appear once.
    EXPECT_EQ(result.entries.size(), result.bill.rows.size() + static_cast<std::size_t>(result.totals.count[3]));
  }
}

TEST_F(DemoBill, ACarrierNamedByTheRowOrTheUserPricesTheCall) {
  const MonthCalls calls = monthCalls(*run_, month_);
  std::vector<BillLine> lines = test::billLinesOf(calls);
  int differentFromCounted = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string ntt = std::to_string(calls.calls[i].nttUnits * 10);
    differentFromCounted += ntt != lines[i].charge;
    lines[i].charge = ntt;
  }
  ASSERT_GT(differentFromCounted, 0) << "the month must have calls NTT East/West prices otherwise";
  const int n = static_cast<int>(lines.size());
  EXPECT_EQ(countsOf(check(test::billFileOf(lines))), (Counts{n - differentFromCounted, differentFromCounted, 0, 0, 0}));
  EXPECT_EQ(countsOf(check(test::billFileOf(lines), {.carrier = BillCarrier::Ntt})), (Counts{n, 0, 0, 0, 0}));
  for (auto& line : lines) line.carrier = "NTT東日本";
  EXPECT_EQ(countsOf(check(test::billFileOf(lines))), (Counts{n, 0, 0, 0, 0}));
}

TEST_F(DemoBill, AMissingColumnIsNamedWithTheColumnsFound) {
  std::string bytes = test::billFileOf(demoLines());
  bytes.replace(bytes.find(test::sj("通話時間")), test::sj("通話時間").size(), test::sj("備考"));
  const FatalError error = test::fatalErrorOf([&] { readBill(bytes); });
  EXPECT_EQ(error.code(), kBadBillFile);
  EXPECT_NE(error.message().find(test::sj("見つかった列: 通話日, 通話開始時刻, 通話先電話番号, 備考, 通話料金")),
            std::string::npos) << toUtf8(error.message());
  EXPECT_NE(error.message().find(test::sj("足りない列: 通話時間")), std::string::npos);
}

// zelk --bill on the demo's home, as a script uses it.
TEST_F(DemoBill, CommandLineExitStatusJsonAndCsv) {
  const std::vector<BillLine> made = demoLines();
  std::vector<BillLine> changed = made;
  changed[0].charge = "9990";
  const std::string agrees = home_->write("agrees.csv", test::billFileOf(made, ',', BillBytes::Utf8WithMark));
  const std::string differs = home_->write("differs.csv", test::billFileOf(changed));
  const std::string broken = home_->write("broken.csv", "date,number\r\n2001/03/05,0312345678\r\n");
  const std::vector<std::string> env = {"ZELK_HOME=" + home_->path(), "ZELK_TODAY=2001-03-20"};
  const std::string zelk = std::string(ZELK_BINARY) + " --read-only --month " + std::to_string(month_ + 1);
  auto run = [&](const std::string& args) { return test::runCommand(zelk + " " + args, home_->path(), env); };

  const auto agreed = run("--bill " + test::shellQuote(agrees));
  EXPECT_EQ(agreed.exitCode, 0) << agreed.err;
  EXPECT_NE(agreed.out.find("請求書とログはすべて一致しています"), std::string::npos) << agreed.out;

  const auto json = run("--json --bill " + test::shellQuote(differs));
  EXPECT_EQ(json.exitCode, 1) << json.err;
  const auto report = nlohmann::json::parse(json.out);
  EXPECT_EQ(report["summary"]["matched"], made.size() - 1);
  EXPECT_EQ(report["summary"]["differs"], 1);
  const auto& first = report["rows"][0];
  EXPECT_EQ(first["class"], "differs");
  EXPECT_EQ(first["line"], 2);
  EXPECT_EQ(first["yen"], 9990);
  EXPECT_EQ(first["differenceYen"], 9990 - first["estimateYen"].get<int>());

  const auto csv = run("--csv --bill " + test::shellQuote(differs));
  EXPECT_EQ(csv.exitCode, 1);
  EXPECT_TRUE(csv.out.starts_with("\xEF\xBB\xBF区分,行,")) << csv.out.substr(0, 40);
  EXPECT_NE(csv.out.find("\r\n金額違い,2,"), std::string::npos);

  const auto bad = run("--bill " + test::shellQuote(broken));
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("見つかった列: date, number"), std::string::npos) << bad.err;
  const auto badJson = run("--json --bill " + test::shellQuote(broken));
  EXPECT_EQ(badJson.exitCode, 2);
  EXPECT_EQ(nlohmann::json::parse(badJson.out)["fatal"]["code"], 2);
  EXPECT_EQ(run("--bill /nonexistent/bill.csv").exitCode, 2);

  const std::pair<std::string, std::string> usage[] = {
      {"--bill a.csv --tolerance 1.5", "zelk: --tolerance needs whole seconds from 0 to 86400, not '1.5'\n"},
      {"--bill a.csv --carrier docomo", "zelk: --carrier needs one of ntt, com, ttnet, qtnet, kddi, not 'docomo'\n"},
      {"--tolerance 30", "zelk: --tolerance requires --bill\n"},
      {"--bill a.csv --calls", "zelk: --calls and --bill cannot be combined\n"},
      {"--bill " + test::shellQuote(agrees) + " --carrier kddi",
       "zelk: --carrier kddi: the settings do not price this carrier (=t, =q or =k)\n"},
  };
  for (const auto& [args, message] : usage) {
    SCOPED_TRACE(args);
    const auto result = run(args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, message + "Try 'zelk --help'.\n");
  }
}

}  // namespace
}  // namespace zelk
