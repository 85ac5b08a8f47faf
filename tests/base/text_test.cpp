#include <gtest/gtest.h>

#include <random>

#include "base/text.h"
#include "support/test_support.h"

namespace zelk {
namespace {

TEST(DigitsOnly, DialledTextsBecomeNumbers) {
  const std::pair<const char*, const char*> cases[] = {
      {"0,03-1234-1234", "0312341234"},  // outside-line prefix and pause dropped
      {"03-1234-1234", "0312341234"},
      {"03-3200-****", "033200"},
      {"0081-028-651", "0081028651"},
      {"0,312", "312"},
      {"12,3", "123"},                    // a comma after two digits is just ignored
      {"abc", ""},
      {"", ""},
      {"0123456789012345", "012345678901"},  // at most 12 digits
  };
  for (const auto& [text, number] : cases) EXPECT_EQ(digitsOnly(text), number) << text;
  EXPECT_EQ(digitsOnly("0797681736123", 11), "07976817361");
}

TEST(TrimRight, RemovesOnlySpaces) {
  EXPECT_EQ(trimRight("NIFTY 2     "), "NIFTY 2");
  EXPECT_EQ(trimRight("a\t"), "a\t");
  EXPECT_EQ(trimRight("   "), "");
}

TEST(RepeatChar, NegativeCountEndsTheLine) {
  std::string out;
  repeatChar(out, '-', -3);
  EXPECT_EQ(out, "---\n");
  out.clear();
  repeatChar(out, '-', 3);
  EXPECT_EQ(out, "---");
}

std::vector<std::string> readAll(const std::string& bytes, std::size_t bufferSize = 256) {
  test::ScratchDir dir;
  LineReader reader;
  const std::string path = dir.write("f", bytes);
  EXPECT_TRUE(reader.open(path));
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line, bufferSize)) lines.push_back(line);
  EXPECT_FALSE(reader.readLine(line, bufferSize));  // stays at the end
  // The view of each line, as the log reader takes it, is the same line.
  EXPECT_TRUE(reader.open(path));
  std::vector<std::string> viewed;
  std::string_view view;
  while (reader.readLineView(view, bufferSize)) viewed.emplace_back(view);
  EXPECT_FALSE(reader.readLineView(view, bufferSize));
  EXPECT_EQ(viewed, lines);
  // The text of each line ends at its first NUL, read from the start and
  // again after a seek back to it.
  std::vector<std::string> texts;
  for (const std::string& each : lines) texts.push_back(each.substr(0, each.find('\0')));
  EXPECT_TRUE(reader.open(path));
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<std::string> viewedTexts;
    while (reader.readTextLineView(view, bufferSize)) viewedTexts.emplace_back(view);
    EXPECT_EQ(viewedTexts, texts) << "pass " << pass;
    EXPECT_TRUE(reader.seek(0));
  }
  return lines;
}

TEST(ReadLine, SplitsLinesAsTextModeDoes) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(readAll(""), Lines{});
  EXPECT_EQ(readAll("a\r\nb\nc"), (Lines{"a", "b", "c"}));  // last line without LF counts
  EXPECT_EQ(readAll("a\r\r\n"), Lines{"a\r"});              // only the CR before LF goes
  EXPECT_EQ(readAll("a\rb\n"), Lines{"a\rb"});
  EXPECT_EQ(readAll("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(readAll("x\r"), Lines{"x\r"});
  EXPECT_EQ(readAll(std::string("a\0b\n", 4)), Lines{std::string("a\0b", 3)});
}

TEST(ReadLine, CutsLongLinesAndSkipsTheirTail) {
  const std::string huge(100000, 'x');
  auto lines = readAll(huge + "\r\nnext\r\n" + huge);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(255, 'x'));
  EXPECT_EQ(lines[1], "next");
  EXPECT_EQ(lines[2], std::string(255, 'x'));
  EXPECT_EQ(readAll(std::string(511, 'y') + "\n", 512)[0].size(), 511u);  // settings lines fit whole
}

// The reading rules one byte at a time, as the programs that write the logs
// read them: the block reader must split and cut every file the same way.
std::vector<std::string> readByteByByte(const std::string& bytes, std::size_t bufferSize) {
  std::vector<std::string> lines;
  std::string line;
  bool readAny = false, pendingCr = false;
  auto append = [&](char c) {
    if (line.size() + 1 < bufferSize) line += c;
  };
  for (char c : bytes) {
    readAny = true;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      readAny = pendingCr = false;
      continue;
    }
    if (pendingCr) append('\r');
    pendingCr = c == '\r';
    if (!pendingCr) append(c);
  }
  if (pendingCr) append('\r');
  if (readAny) lines.push_back(line);
  return lines;
}

// CR and LF on both sides of the 64 KiB block boundary, then random files
// of short and very long lines over several blocks.
std::vector<std::string> blockBoundaryFiles() {
  const std::size_t block = 65536;
  std::vector<std::string> files = {
      std::string(block - 1, 'a') + "\r\nb", std::string(block - 1, 'a') + "\rb\n",
      std::string(block - 1, 'a') + "\r", std::string(block, 'a') + "\n\r\n",
      std::string(block - 2, 'a') + "\r\r\n"};
  // Short lines, a few with a NUL, over blocks.
  std::string sparseNuls;
  for (int line = 0; line < 40000; ++line)
    sparseNuls += line % 7001 == 3 ? std::string("ab\0c\r\n", 6) : std::string(line % 3 ? "abc\n" : "\n");
  files.push_back(sparseNuls);
  // No NUL in the first block, one early in the next.
  std::string lateNul;
  for (int line = 0; line < 16500; ++line) lateNul += line == 16400 ? std::string("a\0bc\n", 5) : "abc\n";
  files.push_back(lateNul);
  std::mt19937 random(17);
  const char alphabet[] = {'a', 'b', '\r', '\n', '\0', '\xe9'};
  for (int i = 0; i < 40; ++i) {
    std::string bytes;
    const std::size_t size = random() % (3 * block);
    const std::size_t lineScale = i % 2 ? 40 : 4000;
    while (bytes.size() < size) {
      bytes.append(random() % lineScale, alphabet[random() % 2]);
      bytes += alphabet[random() % std::size(alphabet)];
    }
    files.push_back(bytes);
  }
  return files;
}

TEST(ReadLine, BlockReadingSplitsEveryFileAsByteByByteReading) {
  const std::vector<std::string> files = blockBoundaryFiles();
  for (std::size_t i = 0; i < files.size(); ++i)
    for (std::size_t bufferSize : {1, 2, 256, 512})
      ASSERT_EQ(readAll(files[i], bufferSize), readByteByByte(files[i], bufferSize))
          << "file " << i << ", buffer " << bufferSize;
}

// A bookmark of the reading: the offset before each line leads back to that
// line, whatever the line ends and blocks around it, also in a moved reader.
TEST(ReadLine, OffsetLeadsBackToTheNextLine) {
  test::ScratchDir dir;
  const std::vector<std::string> files = blockBoundaryFiles();
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string path = dir.write("f" + std::to_string(i), files[i]);
    LineReader reader;
    ASSERT_TRUE(reader.open(path));
    std::vector<std::uint64_t> offsets;
    std::vector<std::string> lines;
    std::string line;
    for (offsets.push_back(reader.offset()); reader.readLine(line, 256); offsets.push_back(reader.offset()))
      lines.push_back(line);
    EXPECT_EQ(offsets.back(), files[i].size()) << "file " << i;
    LineReader moved(std::move(reader));
    for (std::size_t k = lines.size(); k-- > 0;) {
      ASSERT_TRUE(moved.seek(offsets[k]));
      ASSERT_TRUE(moved.readLine(line, 256));
      ASSERT_EQ(line, lines[k]) << "file " << i << ", line " << k;
      ASSERT_EQ(moved.offset(), offsets[k + 1]) << "file " << i << ", line " << k;
    }
    if (lines.size() > 2) {  // a move in mid-block keeps the place
      ASSERT_TRUE(moved.seek(offsets[1]));
      ASSERT_TRUE(moved.readLine(line, 256));
      LineReader again(std::move(moved));
      EXPECT_EQ(again.offset(), offsets[2]);
      ASSERT_TRUE(again.readLine(line, 256));
      EXPECT_EQ(line, lines[2]) << "file " << i;
    }
  }
}

TEST(ReadLine, DirectoriesAndMissingFilesDoNotOpen) {
  test::ScratchDir dir;
  LineReader reader;
  EXPECT_FALSE(reader.open(dir.path()));
  EXPECT_FALSE(reader.open(dir.path() + "missing"));
}

TEST(Numbers, DecimalReadingRules) {
  EXPECT_EQ(readDecimal("  5"), 5);
  EXPECT_EQ(readDecimal(""), 0);
  EXPECT_EQ(readDecimal("12ab"), 12);
  EXPECT_EQ(readDecimal("-3"), 0);
  // Only spaces are skipped: a tab is the first non-digit.
  EXPECT_EQ(readDecimal("\t5"), 0);
  EXPECT_EQ(readDecimal(" \t5"), 0);
  EXPECT_EQ(atoiLike(" -12x"), -12);
  EXPECT_EQ(atoiLike("+7"), 7);
  EXPECT_EQ(atoiLike("x"), 0);
}

}  // namespace
}  // namespace zelk
