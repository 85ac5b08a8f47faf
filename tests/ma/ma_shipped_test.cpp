// The MA data file shipped in data/: that it is what the generator writes
// from the facts table, and that real numbers land in the right MA.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ma_geography.h"
#include "platform/cp932.h"
#include "platform/messages.h"
#include "support/test_support.h"
#include "tariff/ma_data.h"
#include "tariff/ma_zlk_builder.h"

namespace zelk {
namespace {

using test::sj;

const std::string kShippedFile = std::string(ZELK_SOURCE_DIR) + "/data/ma.zlk";
const std::string kSourceTable = std::string(ZELK_SOURCE_DIR) + "/data/ma-source.tsv";

class MaShippedData : public ::testing::Test {
 protected:
  MaLookup lookUp(const std::string& numberWithoutZero) {
    MaLookup lookup;
    data.findSingle(numberWithoutZero, lookup);
    return lookup;
  }

  MaDataFile data{kShippedFile};
  RecordingSink messages;
  ScopedMessageSink scope{messages};
};

TEST_F(MaShippedData, FileIsWhatTheGeneratorWrites) {
  const std::string shipped = test::readFile(kShippedFile);
  ASSERT_FALSE(shipped.empty());
  const MaZlkBuild build = buildMaZlk(parseMaSource(test::readFile(kSourceTable)));
  EXPECT_TRUE(build.file == shipped) << "data/ma.zlk is out of date: run the ma_zlk target";
  ASSERT_EQ(build.notes.size(), 2u);
  EXPECT_EQ(build.notes[0].rfind("浜松: 5397 ", 0), 0u) << build.notes[0];
  EXPECT_EQ(build.notes[1].rfind("岡山: 8636 ", 0), 0u) << build.notes[1];
}

TEST_F(MaShippedData, RealNumbersFindTheirMa) {
  const struct {
    const char* number;  // without the leading 0
    const char* ma;      // "" when no MA serves it
  } cases[] = {
      {"312345678", "東京"},      {"422512345", "武蔵野三鷹"}, {"426123456", "八王子"},
      {"471771234", "市川"},      {"471781234", "柏"},          {"26177", "長野"},
      {"223012345", "仙台"},      {"223112345", "岩沼"},        {"451234567", "横浜"},
      {"612345678", "大阪"},      {"112345678", "札幌"},        {"988123456", "那覇"},
      {"539741234", "天竜"},      {"539771234", "天竜"},        {"539711234", "浜松"},
      {"863661234", "玉野"},      {"863621234", "岡山"},        {"863611234", "岡山"},
      {"120123456", ""},          {"9012345678", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(lookUp(c.number).name, sj(c.ma)) << c.number;
}

TEST_F(MaShippedData, KnownDistances) {
  const struct {
    const char* origin;  // without the leading 0
    const char* number;
    DistanceBand band;
  } cases[] = {
      {"3", "0451234567", DistanceBand::Upto30km},      // 東京-横浜 28.6 km
      {"3", "0612345678", DistanceBand::Beyond170km},   // 東京-大阪 407.1 km
      {"3", "0441234567", DistanceBand::Adjacent},      // 東京-川崎 19.0 km
      {"3", "0431234567", DistanceBand::Upto60km},      // 東京-千葉 33.0 km
      {"3", "0521234567", DistanceBand::Beyond170km},   // 東京-名古屋 268.3 km
      {"6", "0781234567", DistanceBand::Upto30km},      // 大阪-神戸 28.1 km
      {"6", "0751234567", DistanceBand::Upto60km},      // 大阪-京都 42.8 km
      {"52", "0612345678", DistanceBand::Upto160km},    // 名古屋-大阪 140.0 km
      {"11", "0138123456", DistanceBand::Upto160km},    // 札幌-函館 150.5 km
      {"222", "0196123456", DistanceBand::Upto170km},   // 仙台-盛岡 161.8 km
      {"3", "0312345678", DistanceBand::InArea},
  };
  for (const auto& c : cases) {
    const MaLookup origin = lookUp(c.origin);
    ASSERT_TRUE(origin.found()) << c.origin;
    DistanceBand band = originBand(c.number, origin);
    if (band == DistanceBand::Undetermined)
      band = distanceBand(lookUp(std::string(c.number).substr(1)), origin.x, origin.y);
    EXPECT_EQ(band, c.band) << c.origin << " " << c.number;
  }
  EXPECT_TRUE(messages.messages.empty());
}

// Whatever the block order, every prefix of the table reaches its own MA.
TEST_F(MaShippedData, EveryPrefixOfTheTableReachesItsMa) {
  const auto rows = parseMaSource(test::readFile(kSourceTable));
  ASSERT_EQ(rows.size(), 561u);
  for (const auto& row : rows)
    for (const auto& prefix : row.prefixes)
      EXPECT_EQ(lookUp(prefix + "0").name, sj(row.name)) << prefix;
  EXPECT_EQ(loadMaList(kShippedFile).size(), 561u);
}

// The reader keeps 19 prefixes and 65 adjacent prefixes of a block, so the
// counts are checked on the text itself.
TEST_F(MaShippedData, BlocksStayWithinTheirLimits) {
  const std::string text = test::readFile(kShippedFile);
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = text.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  ASSERT_EQ(lines[0], kMaIdentificationLine);
  ASSERT_EQ(lines[1], kMaVersionLine);
  std::size_t i = 2;
  int blocks = 0;
  while (lines.at(i + 1) != "end") {
    ASSERT_EQ(lines.at(i), "#####");
    const MaHeader header = parseMaHeader(lines.at(i + 1));
    EXPECT_GT(header.x, 0) << header.name;
    EXPECT_GT(header.y, 0) << header.name;
    const std::size_t prefixes = std::stoul(lines.at(i + 2));
    EXPECT_LE(prefixes, 19u) << toUtf8(header.name);
    EXPECT_GE(prefixes, 1u) << toUtf8(header.name);
    i += 3 + prefixes;
    ASSERT_EQ(lines.at(i), "#");
    const std::size_t adjacent = std::stoul(lines.at(i + 1));
    EXPECT_LE(adjacent, 65u) << toUtf8(header.name);
    i += 2 + adjacent;
    ++blocks;
  }
  EXPECT_EQ(blocks, 561);
  EXPECT_EQ(i + 2, lines.size());
}

}  // namespace
}  // namespace zelk
