#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "config_test_support.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

namespace fs = std::filesystem;

TEST(SettingsReader, AMissingFileIsCreatedWithDefaults) {
  ScratchDir dir;
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.read();
  const std::string path = dir.path() + "zelk.cfg";
  EXPECT_EQ(sink.messages, std::vector<std::string>{"making config. file : " + path + "\n\n"});
  EXPECT_TRUE(readFile(path) == TestConfiguration().fileText(WriteMode::Fresh));
  EXPECT_FALSE(fs::exists(dir.path() + "zelkcfg.org"));  // a creation makes no backup
  EXPECT_EQ(describe(r.settings), describe(TestConfiguration(dir.path()).settings));
  EXPECT_EQ(r.settings.meterDay, 1);
  EXPECT_EQ(r.settings.logCount, 0);

  // The created file reads as current: nothing changes on the next run.
  TestConfiguration next(dir.path());
  next.read();
  EXPECT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(describe(next.settings), describe(r.settings));
}

TEST(SettingsReader, AnEmptyFileIsLeftAsItIs) {
  ScratchDir dir;
  dir.write("zelk.cfg", "");
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.read();
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(readFile(dir.path() + "zelk.cfg"), "");
  EXPECT_FALSE(fs::exists(dir.path() + "zelkcfg.org"));
}

TEST(SettingsReader, ACurrentFileIsOnlyRead) {
  ScratchDir dir;
  const std::string content = "zelk Version 4.21\n=d15\n;=e\n=k";  // last line without LF
  dir.write("zelk.cfg", content);
  TestConfiguration r(dir.path());
  r.read();
  EXPECT_EQ(r.settings.meterDay, 16);
  EXPECT_EQ(r.settings.kddi, 1);
  EXPECT_EQ(r.settings.estimate, 0);
  EXPECT_EQ(readFile(dir.path() + "zelk.cfg"), content);
  EXPECT_FALSE(fs::exists(dir.path() + "zelkcfg.org"));
}

TEST(SettingsReader, AReadingStartsFromTheDefaultsKeepingOnlyTheProgramDirectory) {
  ScratchDir dir;
  dir.write("zelk.cfg", "zelk Version 4.21\r\n");
  TestConfiguration r(dir.path());
  for (auto line : {"=0286", "=d5", "=k", "-w", "H=0286", "N=1==2", "$a==1", "%1=2", "!03-"})
    r.line(line);
  r.read();
  EXPECT_EQ(describe(r.settings), describe(TestConfiguration(dir.path()).settings));
  EXPECT_EQ(describe(r.tables), describe(ReplaceTables{}));
  EXPECT_EQ(describe(r.telehodai), describe(TelehodaiNumbers{}));
  EXPECT_FALSE(r.origin.found());
  EXPECT_TRUE(r.origin.prefixes.empty());
}

TEST(SettingsReader, AnOlderFileIsBackedUpAndRewritten) {
  ScratchDir dir;
  const std::vector<std::string> old = {"zelk Version 4.00", "=d15", "=k", "=l", "-wc:\\",
                                        "=0286", "H=0286-1", "%8=06-177", "$NET==03"};
  std::string lfOnly;
  for (const auto& line : old) lfOnly += line + "\n";
  dir.write("zelk.cfg", lfOnly);
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.read();
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), crlfLines(old));

  const auto lines = splitCrlf(readFile(dir.path() + "zelk.cfg"));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "zelk Version 4.21");
  TestConfiguration again(dir.path());
  again.read();
  EXPECT_EQ(describe(again.settings), describe(r.settings));
  EXPECT_EQ(describe(again.tables), describe(r.tables));
  EXPECT_EQ(describe(again.logs, again.settings.logCount), "[0:c:\\wterm.tel]");
  EXPECT_EQ(describe(again.telehodai), describe(r.telehodai));
  // The rewritten file is current: the backup stays the file before the upgrade.
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), crlfLines(old));
}

TEST(SettingsReader, TheFirstLineCountsAsASettingToo) {
  ScratchDir dir;
  dir.write("zelk.cfg", "=k\n=e\n");
  TestConfiguration r(dir.path());
  r.read();
  EXPECT_EQ(r.settings.kddi, 1);
  EXPECT_EQ(r.settings.estimate, 1);
  EXPECT_EQ(readFile(dir.path() + "zelkcfg.org"), "=k\r\n=e\r\n");
  EXPECT_EQ(splitCrlf(readFile(dir.path() + "zelk.cfg")).front(), "zelk Version 4.21");
}

TEST(SettingsReader, LinesOf511BytesAreReadWhole) {
  ScratchDir dir;
  const std::string fits = "$" + std::string(506, 'n') + "==12";  // 511 bytes
  const std::string cut = "$" + std::string(507, 'n') + "==12";   // 512: the last digit is lost
  dir.write("zelk.cfg", crlfLines({"zelk Version 4.21", fits, cut}));
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.read();
  ASSERT_EQ(r.tables.nameReplaceCount, 2);
  EXPECT_EQ(r.tables.nameReplace[0].number, "12");
  EXPECT_EQ(r.tables.nameReplace[1].number, "1");
  EXPECT_EQ(r.tables.nameReplace[0].name, std::string(38, 'n'));
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[0], "cfg error : too long name\n[" + fits + "]\n");
}

TEST(SettingsReader, HugeLinesAreCutAndTheirTailIsNeverALine) {
  ScratchDir dir;
  const std::string huge(100000, 'x');
  dir.write("zelk.cfg",
            crlfLines({"zelk Version 4.21", "=o" + huge, "=k", "$" + huge + "==5", "=e",
                       "-w" + huge, "N=" + std::string(100000, '1') + "==5", ";" + huge + "=f",
                       "=i"}));
  TestConfiguration r(dir.path());
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.read();
  EXPECT_EQ(r.settings.outputPath, std::string(127, 'x') + "\\");
  EXPECT_EQ(r.settings.kddi, 1);
  EXPECT_EQ(r.settings.estimate, 1);
  EXPECT_EQ(r.settings.isdn, 1);
  EXPECT_EQ(r.settings.fullCalc, 0);
  EXPECT_EQ(r.tables.nameReplaceCount, 0);   // "==" lies beyond the cut
  EXPECT_EQ(r.tables.numberReplaceCount, 0);
  ASSERT_EQ(r.settings.logCount, 1);
  EXPECT_EQ(r.logs[0].path, std::string(127, 'x'));
  EXPECT_TRUE(sink.messages.empty());
}

TEST(SettingsReader, BinaryBytesNeverBreakTheReading) {
  ScratchDir dir;
  std::string content = "zelk Version 4.21\r\n";
  content += std::string("=d1\0 5\r\n", 8);      // a NUL ends the line: =d1
  content += std::string("-w\0xyz\r\n", 8);      // -w: the default file
  content += "$\x81\xFF\x80==1\r\n";             // invalid Shift-JIS in a name
  content += std::string("\x81\r\n\xFF\xFE\x00\x01\r\n", 9);
  content += "=k\r=e\n";                          // a lone CR is part of the line
  content += "%8=\x82\xA0" "06\r\n";
  TestConfiguration r(dir.path());
  dir.write("zelk.cfg", content);
  r.read();
  EXPECT_EQ(r.settings.meterDay, 2);
  ASSERT_EQ(r.settings.logCount, 1);
  EXPECT_EQ(r.logs[0].path, "wterm.tel");
  EXPECT_EQ(r.settings.kddi, 1);
  EXPECT_EQ(r.settings.estimate, 0);
  ASSERT_EQ(r.tables.areaSet.size(), 1u);
  EXPECT_EQ(r.tables.areaSet[0].number, "06");
  EXPECT_EQ(r.tables.nameReplaceCount, 1);
  EXPECT_EQ(readFile(dir.path() + "zelk.cfg"), content);
}

// Random lines made mostly of the characters the syntax cares about.
std::string garbage(unsigned seed, bool withVersionLine) {
  std::mt19937 random(seed);
  const std::string alphabet = "=-/!%#$HN0123456789abdeklortqzfic&;: \\=\x81\x82\xA0\xFF";
  std::string text = withVersionLine ? "zelk Version 4.21\r\n" : "";
  for (int line = 0; line < 400; ++line) {
    const int length = std::uniform_int_distribution<int>(0, line % 50 == 0 ? 2000 : 40)(random);
    for (int i = 0; i < length; ++i) {
      if (random() % 97 == 0)
        text += static_cast<char>(random() % 256);
      else
        text += alphabet[random() % alphabet.size()];
    }
    text += random() % 5 == 0 ? "\n" : "\r\n";
  }
  return text;
}

TEST(SettingsReader, GarbageIsReadWithinEveryLimit) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    ScratchDir dir;
    const bool current = seed % 2 == 0;
    const std::string content = garbage(seed, current);
    dir.write("zelk.cfg", content);
    TestConfiguration r(dir.path());
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    r.read();
    EXPECT_LE(r.settings.logCount, 5) << seed;
    EXPECT_LE(r.tables.numberReplaceCount, 20) << seed;
    EXPECT_LE(r.tables.nameReplaceCount, 20) << seed;
    for (int i = 0; i < r.settings.logCount; ++i)
      EXPECT_LE(r.logs[i].path.size(), 127u) << seed;
    for (int i = 0; i < r.tables.nameReplaceCount; ++i)
      EXPECT_LE(r.tables.nameReplace[i].name.size(), 38u) << seed;
    EXPECT_LE(r.settings.outputPath.size(), 128u) << seed;
    EXPECT_LE(r.settings.telechoiceText.size(), 127u) << seed;
    if (current) {
      EXPECT_EQ(readFile(dir.path() + "zelk.cfg"), content) << seed;
      continue;
    }
    // An upgraded garbage file is backed up whole and rewritten as a current one.
    EXPECT_EQ(splitCrlf(readFile(dir.path() + "zelk.cfg")).front(), "zelk Version 4.21");
    TestConfiguration again(dir.path());
    again.read();
    EXPECT_EQ(again.settings.logCount, r.settings.logCount) << seed;
    EXPECT_EQ(again.tables.numberReplaceCount, r.tables.numberReplaceCount) << seed;
  }
}

TEST(SettingsReader, AFileThatCannotBeCreatedEndsWith244) {
  ScratchDir dir;
  dir.write("plain", "a regular file, not a folder");
  TestConfiguration r(dir.path() + "plain/");
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  const FatalError error = fatalErrorOf([&] { r.read(); });
  EXPECT_EQ(error.code(), 244);
  EXPECT_EQ(error.message(), "Cannot creat config. file : " + dir.path() + "plain/zelk.cfg\n\n");
  EXPECT_TRUE(sink.messages.empty());
}

TEST(SettingsReader, ASettingsPathThatIsAFolderIsNeverReplaced) {
  ScratchDir dir;
  fs::create_directory(dir.path() + "zelk.cfg");
  dir.write("zelk.cfg/inside", "kept");
  TestConfiguration r(dir.path());
  EXPECT_EQ(fatalErrorOf([&] { r.read(); }).code(), 244);
  EXPECT_EQ(readFile(dir.path() + "zelk.cfg/inside"), "kept");
}

}  // namespace
}  // namespace zelk::test
