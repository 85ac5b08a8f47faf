#include "tariff/ma_data.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "support/test_support.h"

namespace zelk {
namespace {

using test::ScratchDir;
using test::sj;

struct Block {
  std::string header;
  std::vector<std::string> prefixes;
  std::vector<std::string> adjacent;
};

std::vector<std::string> blockLines(const Block& block) {
  std::vector<std::string> lines{"#####", block.header, std::to_string(block.prefixes.size())};
  lines.insert(lines.end(), block.prefixes.begin(), block.prefixes.end());
  lines.push_back("#");
  lines.push_back(std::to_string(block.adjacent.size()));
  lines.insert(lines.end(), block.adjacent.begin(), block.adjacent.end());
  return lines;
}

std::vector<std::string> fileLines(const std::vector<Block>& blocks) {
  std::vector<std::string> lines{std::string(kMaIdentificationLine), std::string(kMaVersionLine)};
  for (const auto& block : blocks) {
    auto more = blockLines(block);
    lines.insert(lines.end(), more.begin(), more.end());
  }
  lines.push_back("#####");
  lines.push_back("end");
  return lines;
}

std::string lfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// A small geography: 北's "422" comes before 後's "4221", so 後 is never found.
std::vector<Block> sampleBlocks() {
  return {
      {sj("中央") + "\t13\t100\t100", {"3"}, {"44", "45"}},
      {sj("北") + "\t\t11\t\t\t110\t\t100", {"48", "422"}, {"3"}},
      {sj("南") + "\t14\t115\t100", {"42"}, {}},
      {sj("後") + "\t14\t1\t1", {"4221"}, {}},
  };
}

class MaDataTest : public ::testing::Test {
 protected:
  std::string write(const std::string& bytes) { return dir.write("ma.zlk", bytes); }
  std::string writeSample() { return write(test::crlfLines(fileLines(sampleBlocks()))); }

  ScratchDir dir;
  RecordingSink messages;
  ScopedMessageSink scope{messages};
};

TEST_F(MaDataTest, SingleModeFillsTheLookup) {
  MaDataFile data(writeSample());
  MaLookup lookup;
  lookup.areaList = {"9"};
  EXPECT_EQ(data.findSingle("312345678", lookup), 1);
  EXPECT_EQ(lookup.name, sj("中央"));
  EXPECT_EQ(lookup.prefixes, (std::vector<std::string>{"3"}));
  EXPECT_EQ(lookup.adjacentPrefixes, (std::vector<std::string>{"44", "45"}));
  EXPECT_EQ(lookup.prefecture, 13);
  EXPECT_EQ(lookup.x, 100);
  EXPECT_EQ(lookup.y, 100);
  EXPECT_EQ(lookup.areaList, (std::vector<std::string>{"9"}));
  EXPECT_TRUE(messages.messages.empty());

  // Runs of TABs separate like one.
  EXPECT_EQ(data.findSingle("4801", lookup), 2);
  EXPECT_EQ(lookup.name, sj("北"));
  EXPECT_EQ(lookup.prefecture, 11);
  EXPECT_EQ(lookup.x, 110);
  EXPECT_EQ(lookup.y, 100);
  EXPECT_EQ(lookup.adjacentPrefixes, (std::vector<std::string>{"3"}));
}

TEST_F(MaDataTest, FirstMatchingBlockWins) {
  MaDataFile data(writeSample());
  const struct {
    const char* number;
    const char* ma;
  } cases[] = {
      {"42215", "北"},  // 後's 4221 comes after 北's 422
      {"4221", "北"},
      {"4231", "南"},
      {"42", "南"},     // 422 is longer than the number
      {"3", "中央"},
      {"4", ""},
      {"", ""},
      {"0312", ""},
  };
  // The second pass finds each number as it was found the first time.
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& c : cases) {
      MaLookup lookup;
      const int count = data.findSingle(c.number, lookup);
      EXPECT_EQ(lookup.name, sj(c.ma)) << c.number;
      EXPECT_EQ(count != 0, *c.ma != 0) << c.number;
    }
  }
}

TEST_F(MaDataTest, NotFoundEmptiesTheLookupButItsAreaList) {
  MaDataFile data(writeSample());
  MaLookup lookup;
  lookup.areaList = {"42"};
  ASSERT_EQ(data.findSingle("3", lookup), 1);
  EXPECT_EQ(data.findSingle("999", lookup), 0);
  EXPECT_EQ(lookup.name, "");
  EXPECT_TRUE(lookup.prefixes.empty());
  EXPECT_TRUE(lookup.adjacentPrefixes.empty());
  EXPECT_EQ(lookup.x, 0);
  EXPECT_EQ(lookup.y, 0);
  EXPECT_EQ(lookup.prefecture, 0);
  EXPECT_EQ(lookup.areaList, (std::vector<std::string>{"42"}));
  // Every search of an unknown number shows the message, the first or not.
  ASSERT_EQ(data.findSingle("3", lookup), 1);
  EXPECT_EQ(data.findSingle("999", lookup), 0);
  EXPECT_EQ(lookup.name, "");
  EXPECT_EQ(messages.messages, std::vector<std::string>(2, sj("なんか、該当dataがないのぉ(:_;)[0999]")));
}

TEST_F(MaDataTest, AccumulatingModeAppendsOnlyTheAreaList) {
  MaDataFile data(writeSample());
  MaLookup origin;
  ASSERT_EQ(data.findSingle("3", origin), 1);
  const MaLookup before = origin;
  EXPECT_EQ(data.findAccumulate("4231", origin), 1);
  EXPECT_EQ(data.findAccumulate("48", origin), 3);
  EXPECT_EQ(origin.areaList, (std::vector<std::string>{"42", "48", "422"}));
  EXPECT_EQ(data.findAccumulate("77", origin), 0);
  EXPECT_EQ(origin.areaList.size(), 3u);
  EXPECT_EQ(origin.name, before.name);
  EXPECT_EQ(origin.prefixes, before.prefixes);
  EXPECT_EQ(origin.adjacentPrefixes, before.adjacentPrefixes);
  EXPECT_EQ(messages.messages, (std::vector<std::string>{sj("なんか、該当dataがないのぉ(:_;)[077]")}));
}

TEST_F(MaDataTest, HeaderFields) {
  const struct {
    std::string line;
    std::string name;
    int prefecture, x, y;
  } cases[] = {
      {"A\t1\t2\t3", "A", 1, 2, 3},
      {"A\t\t\t1\t\t2\t\t\t3", "A", 1, 2, 3},
      {"\tA\t1\t2\t3", "A", 1, 2, 3},
      {"A", "A", 0, 0, 0},
      {"", "", 0, 0, 0},
      {"A\t 12\t-73\t4x", "A", 12, 0, 4},
      {"ABCDEFGHIJKLMNOP\t1", "ABCDEFGHIJKL", 1, 0, 0},
      {"ab" + sj("あいうえおか"), "ab" + sj("あいうえお"), 0, 0, 0},
      {"a" + sj("あいうえおか"), "a" + sj("あいうえお"), 0, 0, 0},  // never half a character
      {"A B\t1\t99999999999999\t2", "A B", 1, 2147483647, 2},
  };
  for (const auto& c : cases) {
    const MaHeader header = parseMaHeader(c.line);
    EXPECT_EQ(header.name, c.name) << c.line;
    EXPECT_EQ(header.prefecture, c.prefecture) << c.line;
    EXPECT_EQ(header.x, c.x) << c.line;
    EXPECT_EQ(header.y, c.y) << c.line;
  }
}

// Every broken file fails the search that reaches the break and the loader
// with the same exit code and message.
TEST_F(MaDataTest, BrokenFilesEndTheProcess) {
  const std::string id(kMaIdentificationLine);
  const std::string good = lfLines(blockLines({"A\t1\t1\t1", {"5"}, {}}));
  const std::string longLine(100000, 'x');
  const struct {
    const char* what;
    std::string content;
    int code;
    std::string message;  // "" for broken file
  } cases[] = {
      {"empty file", "", 249, ""},
      {"identification line only", id + "\n", 249, ""},
      {"other identification line", "NTT MA data\nVersion 3.51\n#####\nend\n", 248,
       "\"ma.zlk\"'s header'1' is illegal."},
      {"identification line with a blank", id + " \nVersion 3.51\n#####\nend\n", 248,
       "\"ma.zlk\"'s header'1' is illegal."},
      {"identification line of 100000 bytes", longLine + "\n", 248,
       "\"ma.zlk\"'s header'1' is illegal."},
      {"other version", id + "\nVersion 3.52\n#####\nend\n", 248,
       "\"ma.zlk\"'s header'2' is illegal."},
      {"no block after the header", id + "\nVersion 3.51\n", 249, ""},
      {"block without #####", id + "\nVersion 3.51\n####\nend\n", 247,
       "\"ma.zlk\"'s token is not got."},
      {"##### with 100000 more bytes", id + "\nVersion 3.51\n#####" + longLine + "\nend\n", 247,
       "\"ma.zlk\"'s token is not got."},
      {"block without #", id + "\nVersion 3.51\n#####\nA\t1\t1\t1\n1\n5\n##\n0\n#####\nend\n", 247,
       "\"ma.zlk\"'s token is not got."},
      {"prefix count beyond the file", id + "\nVersion 3.51\n#####\nA\t1\t1\t1\n3\n5\n6\n", 249, ""},
      {"adjacent count beyond the file", id + "\nVersion 3.51\n#####\nA\t1\t1\t1\n1\n5\n#\n9\n6\n#####\nend\n",
       249, ""},
      {"##### without end", id + "\nVersion 3.51\n" + good + "#####\n", 249, ""},
      {"no ##### after a block", id + "\nVersion 3.51\n" + good, 249, ""},
      {"garbage after a block", id + "\nVersion 3.51\n" + good + "end\n", 247,
       "\"ma.zlk\"'s token is not got."},
      {"binary bytes", id + "\nVersion 3.51\n" + std::string("\0\xff\x81#####", 8) + "\n", 247,
       "\"ma.zlk\"'s token is not got."},
  };
  for (const auto& c : cases) {
    const std::string path = write(c.content);
    const std::string message = c.message.empty() ? "broken file : " + path + "\n" : c.message;
    MaDataFile data(path);
    MaLookup lookup;
    FatalError searchError = test::fatalErrorOf([&] { data.findSingle("9", lookup); });
    EXPECT_EQ(searchError.code(), c.code) << c.what;
    EXPECT_EQ(searchError.message(), message) << c.what;
    FatalError loadError = test::fatalErrorOf([&] { loadMaList(path); });
    EXPECT_EQ(loadError.code(), c.code) << c.what;
    EXPECT_EQ(loadError.message(), message) << c.what;
  }
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MaDataTest, MissingFileFailsAtTheFirstSearch) {
  const std::string path = dir.path() + "none/ma.zlk";
  MaDataFile data(path);
  MaLookup lookup;
  FatalError error = test::fatalErrorOf([&] { data.findSingle("3", lookup); });
  EXPECT_EQ(error.code(), 250);
  EXPECT_EQ(error.message(), "Cannot find : " + path + "\n");
  EXPECT_EQ(test::fatalErrorOf([&] { loadMaList(path); }).code(), 250);
  EXPECT_EQ(test::fatalErrorOf([&] { loadMaList(dir.path()); }).code(), 250);  // a directory
}

TEST_F(MaDataTest, BrokenTailFailsOnlySearchesThatReachIt) {
  auto lines = fileLines(sampleBlocks());
  lines.resize(lines.size() - 2);  // no "#####", "end"
  auto extra = blockLines({"Z\t1\t1\t1", {"7"}, {}});
  lines.insert(lines.end(), extra.begin(), extra.end());
  lines.push_back("######");
  const std::string path = write(lfLines(lines));
  MaDataFile data(path);
  MaLookup lookup;
  EXPECT_EQ(data.findSingle("4231", lookup), 1);
  EXPECT_EQ(data.findSingle("71", lookup), 1);  // the block before the break is whole
  EXPECT_EQ(lookup.name, "Z");
  EXPECT_EQ(data.findAccumulate("3", lookup), 1);
  FatalError error = test::fatalErrorOf([&] { data.findSingle("999", lookup); });
  EXPECT_EQ(error.code(), 247);
  EXPECT_EQ(test::fatalErrorOf([&] { data.findAccumulate("999", lookup); }).code(), 247);
  EXPECT_EQ(data.findSingle("3", lookup), 1);  // and earlier blocks still answer
  EXPECT_EQ(test::fatalErrorOf([&] { loadMaList(path); }).code(), 247);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MaDataTest, OverfullBlocksKeepTheirFirstEntriesAndStayInStep) {
  Block big{"Big\t1\t1\t1", {}, {}};
  for (int i = 0; i < 21; ++i) big.prefixes.push_back(std::to_string(501 + i));  // 501..521
  for (int i = 0; i < 70; ++i) big.adjacent.push_back(std::to_string(100 + i));
  const std::string path = write(lfLines(fileLines({big, {"Next\t2\t2\t2", {"9"}, {}}})));
  MaDataFile data(path);
  MaLookup lookup;
  EXPECT_EQ(data.findSingle("5191", lookup), 19);  // the 19th prefix
  EXPECT_EQ(lookup.prefixes.size(), 19u);
  EXPECT_EQ(lookup.adjacentPrefixes.size(), 65u);
  EXPECT_EQ(lookup.adjacentPrefixes.back(), "164");
  EXPECT_EQ(data.findSingle("5201", lookup), 0);  // the 20th is not kept
  EXPECT_EQ(data.findSingle("91", lookup), 1);
  EXPECT_EQ(lookup.name, "Next");
  const MaList list = loadMaList(path);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.records()[0].prefixCount(), 19);
}

TEST_F(MaDataTest, LongLinesAreCut) {
  const std::string digits(100000, '1');
  const std::string name = "N" + std::string(100000, 'n');
  const std::string path = write(lfLines(fileLines({
      {name + "\t1\t1\t1", {"2345678"}, {}},
      {"L\t1\t1\t1", {digits}, {digits}},
  })));
  MaDataFile data(path);
  MaLookup lookup;
  EXPECT_EQ(data.findSingle("2345679", lookup), 1);  // cut to 234567
  EXPECT_EQ(lookup.prefixes, (std::vector<std::string>{"234567"}));
  EXPECT_EQ(lookup.name, "N" + std::string(11, 'n'));
  EXPECT_EQ(lookup.x, 0);  // the TABs were cut off with the rest of the line
  EXPECT_EQ(data.findSingle("111111", lookup), 1);
  EXPECT_EQ(lookup.adjacentPrefixes, (std::vector<std::string>{"111111"}));
  EXPECT_EQ(data.findSingle("11111", lookup), 0);
}

TEST_F(MaDataTest, LineEndsAndALastLineWithoutLineFeed) {
  std::string text = lfLines(fileLines(sampleBlocks()));
  text.pop_back();  // "end" without its LF
  MaDataFile data(write(text));
  MaLookup lookup;
  EXPECT_EQ(data.findSingle("999", lookup), 0);
  EXPECT_EQ(loadMaList(write(text)).size(), 4u);
  EXPECT_EQ(loadMaList(write(test::crlfLines(fileLines(sampleBlocks())))).size(), 4u);
  // A CR that is not part of a line end stays in the line.
  EXPECT_EQ(test::fatalErrorOf([&] { loadMaList(write(std::string(kMaIdentificationLine) + "\r\r\n")); }).code(), 248);
}

TEST_F(MaDataTest, ListHelpers) {
  const MaList list = loadMaList(writeSample());
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.names(), (std::vector<std::string>{sj("中央"), sj("北"), sj("南"), sj("後")}));
  EXPECT_EQ(list.areaCode(0), "03");
  EXPECT_EQ(list.areaCode(1), "048");
  EXPECT_EQ(list.areaCode(4), "");
  EXPECT_EQ(list.findByNumber("42215").name, sj("北"));
  const MaRecord none = list.findByNumber("999");
  EXPECT_EQ(none.name, "");
  EXPECT_EQ(none.prefixCount(), 0);
  EXPECT_EQ(none.x, 0);

  MaDataFile data(writeSample());
  MaLookup own;
  ASSERT_EQ(data.findSingle("3", own), 1);
  const struct {
    const char* number;
    DistanceBand band;
  } cases[] = {
      {"0312", DistanceBand::InArea},       {"1234", DistanceBand::InArea},
      {"", DistanceBand::InArea},           {"0441", DistanceBand::Adjacent},
      {"0423", DistanceBand::Upto30km},     {"0481", DistanceBand::Upto30km},
      {"0999", DistanceBand::UnknownDistance},
  };
  for (const auto& c : cases) EXPECT_EQ(list.distanceBandOf(c.number, own), c.band) << c.number;
  EXPECT_TRUE(messages.messages.empty());  // the list search is silent
}

TEST_F(MaDataTest, EmptyDataSectionLoadsAnEmptyList) {
  const std::string path = write(lfLines(fileLines({})));
  EXPECT_EQ(loadMaList(path).size(), 0u);
  MaDataFile data(path);
  MaLookup lookup;
  EXPECT_EQ(data.findSingle("3", lookup), 0);
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(MaDataTest, ListHoldsAt599MasAndEndsAtAnEmptyName) {
  std::vector<Block> blocks;
  for (int i = 0; i < 650; ++i) blocks.push_back({"M" + std::to_string(i) + "\t1\t1\t1", {std::to_string(1000 + i)}, {}});
  EXPECT_EQ(loadMaList(write(lfLines(fileLines(blocks)))).size(), 599u);
  blocks.resize(5);
  blocks[3].header = "\t\t";
  const MaList list = loadMaList(write(lfLines(fileLines(blocks))));
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(list.findByNumber("1004").name, "");
}

TEST_F(MaDataTest, ALargeFileIsKeptCompactly) {
  // 40 MB of small blocks, the densest a file can hold MAs: the search keeps
  // them in well under twice the file's size and still finds the last one.
  std::string text = std::string(kMaIdentificationLine) + "\n" + std::string(kMaVersionLine) + "\n";
  int count = 0;
  while (text.size() < (40u << 20))
    text += "#####\nM\t1\t1\t1\n2\n" + std::to_string(100000 + count++) + "\n7\n#\n0\n";
  text += "#####\n" + std::string("end") + "\n";
  const std::string path = write(text);
  const std::string last = std::to_string(100000 + count - 1);
  auto search = [&] {
    MaDataFile data(path);
    MaLookup lookup;
    if (data.findSingle(last, lookup) != 2 || loadMaList(path).size() != 599u) throw std::runtime_error("wrong");
  };
  if (test::kMemoryLimitsWork)
    EXPECT_TRUE(test::completesWithinMemory(88u << 20, search));
  else
    search();
}

TEST_F(MaDataTest, AFileThatIsNoRegularFileIsNotFound) {
  const std::string fifo = dir.path() + "fifo.zlk";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    MaDataFile data(path);
    MaLookup lookup;
    EXPECT_EQ(test::fatalErrorOf([&] { data.findSingle("3", lookup); }).code(), 250) << path;
    EXPECT_EQ(test::fatalErrorOf([&] { loadMaList(path); }).code(), 250) << path;
  }
}

}  // namespace
}  // namespace zelk
