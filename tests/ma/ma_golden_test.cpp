// The synthetic geographies of the golden cases read with this reader: every
// number the expected output reports as not in the MA data is not found
// here either, with the same message.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

const std::string kNotFound = "なんか、該当dataがないのぉ(:_;)[0";

std::string joined(const std::vector<std::string>& prefixes) {
  std::string text;
  for (const auto& prefix : prefixes) text += (text.empty() ? "0" : "/0") + prefix;
  return text;
}

// The case's ma.zlk with the program's identification line, in `dir`.
std::string caseFile(const fs::path& folder, const test::ScratchDir& dir) {
  std::string file = test::readFile((folder / "ma.zlk").string());
  file.replace(0, file.find('\n'), kMaIdentificationLine);
  return dir.write("ma.zlk", file);
}

TEST(MaGoldenGeography, NotFoundNumbersAgree) {
  int cases = 0;
  for (const auto& entry : fs::directory_iterator(std::string(ZELK_TEST_DATA) + "/golden")) {
    if (!fs::exists(entry.path() / "ma.zlk")) continue;
    ++cases;
    const std::string name = entry.path().filename().string();
    test::ScratchDir dir;
    const std::string path = caseFile(entry.path(), dir);
    EXPECT_GT(loadMaList(path).size(), 0u) << name;

    MaDataFile data(path);
    const auto expected = nlohmann::json::parse(test::readFile((entry.path() / "expected.json").string()));
    for (const auto& message : expected["messages"]) {
      const std::string text = message.get<std::string>();
      if (text.rfind(kNotFound, 0) != 0) continue;
      const std::string number = text.substr(kNotFound.size(), text.size() - kNotFound.size() - 1);
      RecordingSink messages;
      ScopedMessageSink scope(messages);
      MaLookup lookup;
      EXPECT_EQ(data.findSingle(number, lookup), 0) << name << " " << number;
      ASSERT_EQ(messages.messages.size(), 1u) << name << " " << number;
      EXPECT_EQ(toUtf8(messages.messages[0]), text) << name;
    }
  }
  EXPECT_GE(cases, 10);
}

// The origin report of the cases that show it names the prefixes and the
// adjacent prefixes this search finds for the "=0" line of their zelk.cfg.
TEST(MaGoldenGeography, OriginReportsAgree) {
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(std::string(ZELK_TEST_DATA) + "/golden")) {
    if (!fs::exists(entry.path() / "ma.zlk")) continue;
    const auto expected = nlohmann::json::parse(test::readFile((entry.path() / "expected.json").string()));
    std::string report;
    for (const auto& message : expected["messages"])
      if (message.get<std::string>().rfind("同一MA#", 0) == 0) report = message.get<std::string>();
    if (report.empty()) continue;
    std::string origin;
    const std::string config = test::readFile((entry.path() / "zelk.cfg").string());
    for (std::size_t pos = 0; pos < config.size();) {
      std::size_t end = config.find('\n', pos);
      if (end == std::string::npos) end = config.size();
      std::string line = config.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("=0", 0) == 0) origin = line.substr(2);
      pos = end + 1;
    }
    ASSERT_FALSE(origin.empty()) << entry.path();
    test::ScratchDir dir;
    MaDataFile data(caseFile(entry.path(), dir));
    MaLookup lookup;
    ASSERT_GT(data.findSingle(origin, lookup), 0) << entry.path();
    std::string mine = "同一MA#  " + joined(lookup.prefixes) + "\n";
    if (!lookup.adjacentPrefixes.empty()) mine += "隣接MA#  " + joined(lookup.adjacentPrefixes) + "\n";
    EXPECT_EQ(mine, report) << entry.path();
    ++checked;
  }
  EXPECT_GE(checked, 3);
}

}  // namespace
}  // namespace zelk
