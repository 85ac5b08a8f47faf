#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "config/option_line.h"
#include "config_test_support.h"
#include "support/test_support.h"

namespace zelk::test {
namespace {

struct NumberCase {
  std::string line;
  std::function<int(const Settings&)> field;
  int expected;
};

int meterDay(const Settings& s) { return s.meterDay; }
int latestMonths(const Settings& s) { return s.latestMonths; }
int carrier(const Settings& s) { return static_cast<int>(s.regionalCarrier); }

TEST(OptionLine, EqualsOptionsSetTheirField) {
  const NumberCase cases[] = {
      {"=d5", meterDay, 6},
      {"=d15", meterDay, 16},
      {"=D7", meterDay, 8},
      {"=d", meterDay, 1},  // n read as 0
      {"=dx", meterDay, 1},
      {"=d  7", meterDay, 8},
      {"=d-3", meterDay, -2},
      {"=d+4", meterDay, 5},
      {"=d70000", meterDay, static_cast<std::int16_t>(70001)},  // kept in 16 bits
      {"=de", meterDay, 1},
      {"=dE", meterDay, 1},
      {"=de5", meterDay, 1},  // "e" wins whatever follows
      {"=l", latestMonths, 1},
      {"=l12", latestMonths, 12},
      {"=L6", latestMonths, 6},
      {"=l 3", latestMonths, 3},
      {"=lx", latestMonths, 0},  // atoi of "x"; the run makes it 12
      {"=l-2", latestMonths, -2},
      {"=l99999", latestMonths, static_cast<std::int16_t>(99999)},
      {"=t", carrier, 1},
      {"=q", carrier, 2},
      {"=T", carrier, 1},
      {"=Q", carrier, 2},
      {"=k", [](const Settings& s) { return int(s.kddi); }, 1},
      {"=K", [](const Settings& s) { return int(s.kddi); }, 1},
      {"=e", [](const Settings& s) { return int(s.estimate); }, 1},
      {"=E", [](const Settings& s) { return int(s.estimate); }, 1},
      {"=f", [](const Settings& s) { return int(s.fullCalc); }, 1},
      {"=i", [](const Settings& s) { return int(s.isdn); }, 1},
      {"=c", [](const Settings& s) { return int(s.crtOutput); }, 1},
      {"=z", [](const Settings& s) { return int(s.flets); }, 1},
      {"=Z", [](const Settings& s) { return int(s.flets); }, 1},
      {"=#", [](const Settings& s) { return int(s.showOriginMa); }, 1},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    r.option(c.line);
    EXPECT_EQ(c.field(r.settings), c.expected) << c.line;
  }
}

TEST(OptionLine, LaterCarrierOptionWins) {
  TestConfiguration r;
  for (auto line : {"=t", "=q"}) r.option(line);
  EXPECT_EQ(r.settings.regionalCarrier, RegionalCarrier::Kyushu);
}

TEST(OptionLine, TelechoiceOptions) {
  struct Case {
    std::vector<std::string> lines;
    int kind;
    std::string text;
  };
  const Case cases[] = {
      {{"=15011,0222"}, 2, "15011,0222"},
      {{"=10"}, 1, "10"},
      {{"=30092"}, 3, "30092"},
      {{"=17011"}, 0, ""},
      {{"=35011"}, 0, ""},
      {{"=1"}, 0, ""},
      {{"=3"}, 0, ""},
      {{"=&15"}, 2, ""},
      {{"=10011", "=&30"}, 3, "10011"},  // the kind changes, the list stays
      {{"=10011", "=&20"}, 1, "10011"},
      {{"=10011", "=&"}, 1, "10011"},
      {{"=15" + std::string(200, '1')}, 2, "15" + std::string(125, '1')},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    for (const auto& line : c.lines) r.option(line);
    EXPECT_EQ(static_cast<int>(r.settings.telechoiceKind), c.kind) << c.lines[0];
    EXPECT_EQ(r.settings.telechoiceText, c.text) << c.lines[0];
  }
}

TEST(OptionLine, OutputPath) {
  const std::pair<std::string, std::string> cases[] = {
      {"=oa:", "a:"},
      {"=ol:\\tmp", "l:\\tmp\\"},
      {"=Oc:\\out\\", "c:\\out\\"},
      {"=o", ""},
      {"=o/var/out/", "/var/out/"},
      {"=o" + sj("ソ"), sj("ソ") + "\\"},  // 0x5C as a trail byte is no separator
      {"=o" + std::string(300, 'p'), std::string(127, 'p') + "\\"},
      {"=o" + std::string(126, 'p') + sj("ソ"), std::string(126, 'p') + "\\"},  // no half character
  };
  for (const auto& [line, path] : cases) {
    TestConfiguration r;
    r.option(line);
    EXPECT_EQ(r.settings.outputPath, path) << line;
    // What a rewrite writes reads back to the same value.
    r.option("=o" + r.settings.outputPath);
    EXPECT_EQ(r.settings.outputPath, path) << line;
  }
}

TEST(OptionLine, OriginAsksTheMaSearchWithoutTheLeadingZero) {
  TestConfiguration r;
  r.option("=0286123456");
  EXPECT_EQ(r.maSearch.searched, std::vector<std::string>{"286123456"});
  EXPECT_EQ(r.origin.name, "utsunomiya");

  RecordingSink sink;
  ScopedMessageSink scope(sink);
  r.option("=0999");
  EXPECT_FALSE(r.origin.found());
  EXPECT_EQ(sink.messages.size(), 1u);
}

TEST(OptionLine, HideSwitches) {
  struct Case {
    const char* line;
    int byte;  // -1: nothing set
    int bit;
  };
  const Case cases[] = {
      {"!03-", 0, 3}, {"!a7-", 10, 7}, {"!b0-", 11, 0}, {"!93-x", 9, 3},
      {"!03", -1, 0}, {"!z1-", -1, 0}, {"!A1-", -1, 0}, {"!B0-", -1, 0},
      {"!c0-", -1, 0}, {"!08-", -1, 0}, {"!0 -", -1, 0}, {"!0", -1, 0},
      {"!", -1, 0},   {"!03+", -1, 0},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    r.option(c.line);
    std::array<std::uint8_t, 12> expected{};
    if (c.byte >= 0) expected[c.byte] = static_cast<std::uint8_t>(1 << c.bit);
    EXPECT_EQ(r.settings.hiddenFlags, expected) << c.line;
  }
}

TEST(OptionLine, SwitchesAddUpAndAreNeverCleared) {
  TestConfiguration r;
  for (auto line : {"!03-", "!05-", "!03"}) r.option(line);
  EXPECT_EQ(r.settings.hiddenFlags[0], (1 << 3) | (1 << 5));
}

TEST(OptionLine, LogDeclarations) {
  struct Case {
    std::string line;
    std::optional<LogFormat> format;  // nothing: the line declares nothing
    std::string path;
  };
  const Case cases[] = {
      {"-w", LogFormat::W, "wterm.tel"},
      {"-wc:\\", LogFormat::W, "c:\\wterm.tel"},
      {"-a1d:", LogFormat::A1, "d:access.log"},
      {"-A1x.log", LogFormat::A1, "x.log"},
      {"/v1log.txt", LogFormat::V1, "log.txt"},
      {"-a2", LogFormat::A2, "access.log"},
      {"-c", LogFormat::C, "telfee.tel"},
      {"-h", LogFormat::H, "phone.txt"},
      {"-K", LogFormat::K, "ktx.log"},
      {"-mf", LogFormat::MF, "connect.dat"},
      {"-mF", LogFormat::MF, "connect.dat"},
      {"-Nt", LogFormat::NT, "access.log"},
      {"-r", LogFormat::R, "log.txt"},
      {"-t", LogFormat::T, "tftel.tel"},
      {"-wlogs/", LogFormat::W, "logs/wterm.tel"},
      {"-w  two blanks ", LogFormat::W, "  two blanks "},  // never trimmed
      {"-w" + sj("ソ"), LogFormat::W, sj("ソ")},
      {"-w" + sj("ソ") + "\\", LogFormat::W, sj("ソ") + "\\wterm.tel"},
      {"-w" + std::string(200, 'a'), LogFormat::W, std::string(127, 'a')},
      {"-w" + std::string(126, 'a') + sj("あ"), LogFormat::W, std::string(126, 'a')},
      {"-w" + std::string(120, 'a') + "\\", LogFormat::W,
       std::string(120, 'a') + "\\wterm."},  // 127 bytes
      {"-a3x", std::nullopt, ""},
      {"-mx", std::nullopt, ""},
      {"-a", std::nullopt, ""},
      {"-v2", std::nullopt, ""},
      {"-x", std::nullopt, ""},
      {"-", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    TestConfiguration r;
    r.option(c.line);
    if (!c.format) {
      EXPECT_EQ(r.settings.logCount, 0) << c.line;
      continue;
    }
    ASSERT_EQ(r.settings.logCount, 1) << c.line;
    EXPECT_EQ(r.logs[0].format, *c.format) << c.line;
    EXPECT_EQ(r.logs[0].path, c.path) << c.line;
  }
}

TEST(OptionLine, ASixthDeclarationIsIgnored) {
  TestConfiguration r;
  for (auto line : {"-w1", "-w2", "-w3", "-w4", "-w5", "-w6"})
    r.option(line);
  EXPECT_EQ(r.settings.logCount, 5);
  EXPECT_EQ(r.logs[4].path, "5");
}

TEST(OptionLine, CloseAllDiscardsTheDeclaredLogs) {
  TestConfiguration r;
  RecordingSink sink;
  ScopedMessageSink scope(sink);
  for (auto line : {"-w", "-t"}) r.option(line);
  r.option("=r");
  EXPECT_EQ(r.settings.logCount, 0);
  EXPECT_EQ(r.logs[1].path, "");
  EXPECT_EQ(sink.messages, std::vector<std::string>{"all data is/are closed by -r option"});
  r.option("-k");
  EXPECT_EQ(r.settings.logCount, 1);
  EXPECT_EQ(r.logs[0].format, LogFormat::K);
}

TEST(OptionLine, LinesThatDoNotParseChangeNothing) {
  const std::string lines[] = {
      "", "=", "=x", "=g", "=&", "x", ";=e", " =e", "e", "H=0286", "N=1==2", "$a==1",
      "%1=123", "#1=2", std::string("\0=e", 3), std::string("=\0e", 3)};
  for (const auto& line : lines) {
    TestConfiguration r;
    const std::string before = describe(r.settings);
    r.option(line);
    EXPECT_EQ(describe(r.settings), before) << line;
    EXPECT_TRUE(r.maSearch.searched.empty()) << line;
  }
}

TEST(OptionLine, ANulByteEndsTheLine) {
  TestConfiguration r;
  r.option(std::string("-w\0abc", 6));
  EXPECT_EQ(r.logs[0].path, "wterm.tel");
}

}  // namespace
}  // namespace zelk::test
